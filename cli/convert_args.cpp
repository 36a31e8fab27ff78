#include "convert_args.h"

#include <array>
#include <charconv>

namespace tavo::cli {

namespace {

constexpr std::string_view kProgram = "tavo-convert: ";

struct QuantityName {
    std::string_view name;
    Quantity quantity;
};

// English names are compared without regard to letter case.
constexpr std::array<QuantityName, 6> kEnglishNames{{
    {"length", Quantity::Length},
    {"weight", Quantity::Weight},
    {"square", Quantity::Square},
    {"volume", Quantity::Volume},
    {"mass", Quantity::Weight},
    {"area", Quantity::Square},
}};

constexpr std::array<QuantityName, 4> kJapaneseNames{{
    {"長さ", Quantity::Length},
    {"重さ", Quantity::Weight},
    {"面積", Quantity::Square},
    {"体積", Quantity::Volume},
}};

constexpr std::string_view kQuantityChoices =
    "Length, Weight, Square or Volume (also length, mass, area, volume, 長さ, 重さ, 面積, 体積)";

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t k = 0; k < a.size(); ++k) {
        if (LowerAscii(a[k]) != LowerAscii(b[k])) return false;
    }
    return true;
}

// An argument quoted for a one-line message: control characters would break the line.
std::string Quoted(std::string_view arg) {
    std::string out = "'";
    for (const char c : arg) {
        out.push_back(static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? '?' : c);
    }
    out.push_back('\'');
    return out;
}

// "0 メートル, 1 ヤード, ...": the rows a ROW argument may name.
std::string RowChoices(Quantity quantity) {
    std::string out;
    const auto rows = Table(quantity).rows;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        if (k != 0) out += ", ";
        out += std::to_string(k);
        out.push_back(' ');
        out += UnitName(rows[k]);
    }
    return out;
}

ParseResult Misuse(std::string message) {
    ParseResult result;
    result.action = Action::Misuse;
    result.message = std::string(kProgram) + std::move(message);
    return result;
}

bool IsAllDigits(std::string_view text) {
    if (text.empty()) return false;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

}  // namespace

std::string_view UsageText() {
    return "Usage: tavo-convert [--exp] [--refresh] QUANTITY [ROW TEXT]\n"
           "Prints the rows of a converter window, one line each: ROW<TAB>LABEL<TAB>TEXT.\n"
           "\n"
           "  QUANTITY   Length, Weight, Square or Volume, in any letter case;\n"
           "             also length, mass, area, volume, 長さ, 重さ, 面積, 体積\n"
           "  ROW        a row number counted from 0, or a unit label as the window shows it\n"
           "             (ヤード, cc, ...)\n"
           "  TEXT       what is typed into ROW before Enter; that row prints it unchanged\n"
           "\n"
           "  --exp      exponential display\n"
           "  --refresh  after the Enter, refresh every row as a click on a display option does\n"
           "  --help     print this text\n"
           "  --         end of the options\n"
           "\n"
           "Without ROW and TEXT the rows of a freshly opened window are printed.\n";
}

std::optional<Quantity> FindQuantity(std::string_view name) {
    for (const QuantityName& entry : kEnglishNames) {
        if (EqualsIgnoringCase(name, entry.name)) return entry.quantity;
    }
    for (const QuantityName& entry : kJapaneseNames) {
        if (name == entry.name) return entry.quantity;
    }
    return std::nullopt;
}

std::optional<std::int16_t> FindRow(Quantity quantity, std::string_view name) {
    const auto rows = Table(quantity).rows;
    if (IsAllDigits(name)) {
        unsigned index = 0;
        const auto [end, ec] = std::from_chars(name.data(), name.data() + name.size(), index);
        if (ec != std::errc{} || end != name.data() + name.size() || index >= rows.size()) {
            return std::nullopt;
        }
        return static_cast<std::int16_t>(index);
    }
    for (std::size_t k = 0; k < rows.size(); ++k) {
        if (name == rows[k].label || (!name.empty() && name == UnitName(rows[k]))) {
            return static_cast<std::int16_t>(k);
        }
    }
    return std::nullopt;
}

ParseResult ParseArguments(std::span<const std::string_view> args) {
    ParseResult result;
    Request& request = result.request;
    std::size_t next = 0;

    for (; next < args.size(); ++next) {
        const std::string_view arg = args[next];
        if (arg == "--") {
            ++next;
            break;
        }
        if (arg.size() < 2 || arg.front() != '-') break;  // "-" alone is not an option
        if (arg == "--exp") {
            request.exponential = true;
        } else if (arg == "--refresh") {
            request.refresh = true;
        } else if (arg == "--help" || arg == "-h") {
            result.action = Action::Help;
            return result;
        } else {
            return Misuse("unknown option " + Quoted(arg) +
                          "; the options are --exp, --refresh, --help");
        }
    }

    if (next == args.size()) {
        return Misuse("missing QUANTITY; choose " + std::string(kQuantityChoices));
    }
    const std::string_view quantityName = args[next++];
    const std::optional<Quantity> quantity = FindQuantity(quantityName);
    if (!quantity) {
        return Misuse("unknown quantity " + Quoted(quantityName) + "; choose " +
                      std::string(kQuantityChoices));
    }
    request.quantity = *quantity;
    const std::string_view tableName = Table(*quantity).name;

    if (next < args.size()) {
        const std::string_view rowName = args[next++];
        const std::optional<std::int16_t> row = FindRow(*quantity, rowName);
        if (!row) {
            const std::string what = IsAllDigits(rowName) ? "no row " : "no unit ";
            return Misuse(what + Quoted(rowName) + " in " + std::string(tableName) +
                          "; rows: " + RowChoices(*quantity));
        }
        if (next == args.size()) {
            return Misuse("ROW " + Quoted(rowName) +
                          " needs a TEXT to type into it: tavo-convert QUANTITY ROW TEXT");
        }
        request.row = row;
        request.text = std::string(args[next++]);
    }

    if (next < args.size()) {
        return Misuse("unexpected argument " + Quoted(args[next]) +
                      "; usage: tavo-convert [--exp] [--refresh] QUANTITY [ROW TEXT]");
    }
    result.action = Action::Convert;
    return result;
}

}  // namespace tavo::cli
