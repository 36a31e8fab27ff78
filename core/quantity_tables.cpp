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

// ASCII letters fold to lower case. Of the other letters only "Å" (C3 85) folds, to "å"
// (C3 A5), since the ångström is the one unit whose name starts with a non-ASCII capital;
// no other non-ASCII letter needs folding, so no Unicode case table is carried.
unsigned char FoldedByte(std::string_view text, std::size_t k) {
    const auto byte = static_cast<unsigned char>(text[k]);
    if (byte >= 'A' && byte <= 'Z') return static_cast<unsigned char>(byte - 'A' + 'a');
    if (byte == 0x85 && k > 0 && static_cast<unsigned char>(text[k - 1]) == 0xC3) return 0xA5;
    return byte;
}

bool EqualsFolded(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t k = 0; k < a.size(); ++k) {
        if (FoldedByte(a, k) != FoldedByte(b, k)) return false;
    }
    return true;
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
