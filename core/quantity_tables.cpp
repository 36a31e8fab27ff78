// SPDX-License-Identifier: MIT
#include "quantity_tables.h"

#include <stdexcept>

#include "decimal_io.h"

namespace tavo {

namespace {

constexpr std::array<QuantityTable, 4> kTables{{
    {Quantity::Square, "Square", kSquareRows},
    {Quantity::Length, "Length", kLengthRows},
    {Quantity::Volume, "Volume", kVolumeRows},
    {Quantity::Weight, "Weight", kWeightRows},
}};

// A letter folded to lower case: ASCII, and the case pairs of Latin-1 Supplement and Latin
// Extended-A, the blocks of every accented letter in the names (å, ö, ō). Extended-A pairs an
// upper-case letter with the next code point, but its runs start on odd code points from
// U+0139 to U+0148 and from U+0179 to U+017E; U+0130 and U+0131 (dotted and dotless i) are no
// pair, U+0138 and U+0149 have no upper case, and U+0178 Ÿ pairs with U+00FF ÿ.
char32_t FoldLetter(char32_t c) {
    const bool evenUpper =
        (c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177);
    const bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 0x20;
    if ((evenUpper && c % 2 == 0) || (oddUpper && c % 2 == 1)) return c + 1;
    if (c == 0x178) return 0xFF;
    return c;
}

// The next character of a name for comparison, advancing k past it: a letter up to U+017F
// folded, any other byte as it is (offset beyond Unicode, so it never equals a letter).
char32_t NextFolded(std::string_view text, std::size_t& k) {
    const auto byte = static_cast<unsigned char>(text[k++]);
    if (byte < 0x80) return FoldLetter(byte);
    // Two-byte forms of U+00C0..U+017F: C3 80..BF, C4 80..BF, C5 80..BF.
    if (byte >= 0xC3 && byte <= 0xC5 && k < text.size() &&
        (static_cast<unsigned char>(text[k]) & 0xC0u) == 0x80u) {
        const auto next = static_cast<unsigned char>(text[k++]);
        return FoldLetter((static_cast<char32_t>(byte & 0x1Fu) << 6) | (next & 0x3Fu));
    }
    return 0x110000 + byte;
}

bool EqualsFolded(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t k = 0;
    while (i < a.size() && k < b.size()) {
        if (NextFolded(a, i) != NextFolded(b, k)) return false;
    }
    return i == a.size() && k == b.size();
}

// Calls visit(alias) for each blank-separated alias until it returns true.
template <typename Visit>
bool AnyAlias(std::string_view aliases, Visit visit) {
    while (!aliases.empty()) {
        const std::size_t blank = aliases.find(' ');
        if (visit(aliases.substr(0, blank))) return true;
        if (blank == std::string_view::npos) break;
        aliases.remove_prefix(blank + 1);
    }
    return false;
}

}  // namespace

const QuantityTable& Table(Quantity quantity) {
    for (const QuantityTable& table : kTables) {
        if (table.quantity == quantity) return table;
    }
    throw std::invalid_argument("unknown quantity");
}

std::int16_t RowCount(Quantity quantity) {
    return static_cast<std::int16_t>(Table(quantity).rows.size());
}

std::string UnitDescription(Quantity quantity, std::size_t row) {
    const QuantityTable& table = Table(quantity);
    if (row >= table.rows.size()) throw std::out_of_range("no such unit row");
    if (row == 0) return "基準の単位";
    // The factor as the table writes it: the shortest text that reads back as the double.
    char factor[32];
    const auto written = WriteShortest(factor, factor + sizeof factor, table.rows[row].factor);
    return "1 " + std::string(UnitName(table.rows[row])) + " = " +
           std::string(factor, written.ptr) + " " + std::string(UnitName(table.rows[0]));
}

std::string_view UnitName(const UnitRow& unit) {
    std::string_view name = unit.label;
    const std::size_t first = name.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    name.remove_prefix(first);
    name.remove_suffix(name.size() - 1 - name.find_last_not_of(' '));
    return name;
}

std::vector<std::string_view> UnitAliases(const UnitRow& unit) {
    std::vector<std::string_view> aliases;
    AnyAlias(unit.aliases, [&](std::string_view alias) {
        aliases.push_back(alias);
        return false;
    });
    return aliases;
}

bool NamesUnit(const UnitRow& unit, std::string_view name) {
    if (name.empty()) return false;
    if (name == unit.label || name == UnitName(unit)) return true;
    return AnyAlias(unit.aliases,
                    [&](std::string_view alias) { return EqualsFolded(alias, name); });
}

}  // namespace tavo
