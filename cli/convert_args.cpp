// SPDX-License-Identifier: MIT
#include "convert_args.h"

#include <array>
#include <charconv>

namespace tavo::cli {

namespace {

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

// "0 メートル (m, metre, ...), 1 ヤード (yd, ...), ...": the rows a ROW argument may name.
std::string RowChoices(Quantity quantity) {
    std::string out;
    const auto rows = Table(quantity).rows;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        if (k != 0) out += ", ";
        out += std::to_string(k);
        out.push_back(' ');
        out += UnitName(rows[k]);
        std::string_view separator = " (";
        for (const std::string_view alias : UnitAliases(rows[k])) {
            if (alias == UnitName(rows[k])) continue;
            out += separator;
            out += alias;
            separator = ", ";
        }
        if (separator != " (") out.push_back(')');
    }
    return out;
}

ParseResult Misuse(std::string message) {
    ParseResult result;
    result.action = Action::Misuse;
    result.message = std::string(kMessagePrefix) + std::move(message);
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
    return R"(Usage: tavo-convert [OPTIONS] QUANTITY [ROW TEXT]
Prints the rows of a converter window, one line each: ROW<TAB>LABEL<TAB>TEXT.

  QUANTITY   Length, Weight, Square or Volume, in any letter case;
             also length, mass, area, volume, 長さ, 重さ, 面積, 体積
  ROW        a row number counted from 0, a unit label as the window shows it
             (ヤード, cc, ...), or a unit's name or symbol in any letter case
             (yard, yd, ft, kg, lb, tsubo, l, ...)
  TEXT       what is typed into ROW before Enter; that row prints it as typed
             (as every text: a TAB or line break as a blank, full-width forms
             of ASCII characters as ASCII).
             It must be one number, read as the window reads it: full-width
             digits count, and commas group thousands ("1,000", "１，０００").
             "1,5", "12abc" and an empty TEXT are not numbers (exit status 2).
  TEXT of -  read one TEXT a line from standard input and write one result a
             line, in order; a bad line gives an empty result (null in JSON),
             a message naming its line number, and exit status 2 at the end

Without ROW and TEXT the rows of a freshly opened window are printed.

Options (before QUANTITY):
  --to ROW       print only the text of ROW, without label or row number
                   tavo-convert --to m Length yard 100          ->  91.44
  --format FMT   tsv (the default), csv or json:
                   csv: RFC 4180, a header line row,label,text, CR LF line ends
                   json: one object a conversion, one line each
                   tavo-convert --format csv Square tsubo 30
  --lenient      read TEXT as a window does: its leading number, or 0
                   tavo-convert --lenient --to kg Weight lb 12abc  ->  5.442
  --exp          exponential display
                   tavo-convert --exp --to l Volume 升 1        ->  1.804e+0
  --refresh      after the Enter, refresh every row as a click on a display
                 option does (the edited row then shows the rounded value)
                   tavo-convert --refresh Length 1 100.0
  --version      print the version
                   tavo-convert --version
  --help, -h     print this text
  --             end of the options

Batches: one value a line in, one value a line out:
  printf '1\n2,500\n' | tavo-convert --to kg Weight lb -
Without --to every record is the table's lines followed by an empty line, so
the n-th empty line ends the record of the n-th input line.
)";
}

std::string VersionText() {
    return "tavo-convert (度量衡変換) " TAVO_VERSION "\n";
}

std::string NameList(std::optional<Quantity> quantity) {
    std::string out;
    auto add = [&out](std::string_view name) { (out += name) += '\n'; };
    if (!quantity) {
        for (const Quantity q : kQuantities) add(Table(q).name);
        for (const QuantityName& entry : kEnglishNames) add(entry.name);
        for (const QuantityName& entry : kJapaneseNames) add(entry.name);
        return out;
    }
    for (const UnitRow& row : Table(*quantity).rows) {
        add(UnitName(row));
        for (const std::string_view alias : UnitAliases(row)) {
            if (alias != UnitName(row)) add(alias);
        }
    }
    return out;
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
        if (NamesUnit(rows[k], name)) return static_cast<std::int16_t>(k);
    }
    return std::nullopt;
}

std::string Quoted(std::string_view text, char quote) {
    constexpr std::size_t kShown = 60;
    bool cut = false;
    if (text.size() > kShown + 3) {
        std::size_t end = kShown;
        // Back to the first byte of a UTF-8 character (continuation bytes are 10xxxxxx).
        while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0U) == 0x80U) --end;
        text = text.substr(0, end);
        cut = true;
    }
    std::string out(1, quote);
    for (const char c : text) {
        out.push_back(static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? '?' : c);
    }
    if (cut) out += "...";
    out.push_back(quote);
    return out;
}

ParseResult ParseArguments(std::span<const std::string_view> args) {
    ParseResult result;
    Request& request = result.request;
    std::optional<std::string_view> toName;
    bool listNames = false;
    std::size_t next = 0;

    // The value of an option that takes one: "--to=yd" or "--to yd".
    auto valueOf = [&](std::string_view arg,
                       std::string_view option) -> std::optional<std::string_view> {
        if (arg.size() > option.size() && arg[option.size()] == '=') {
            return arg.substr(option.size() + 1);
        }
        if (next + 1 == args.size()) return std::nullopt;
        return args[++next];
    };
    auto isOption = [](std::string_view arg, std::string_view option) {
        return arg.substr(0, option.size()) == option &&
               (arg.size() == option.size() || arg[option.size()] == '=');
    };

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
        } else if (arg == "--lenient") {
            request.lenient = true;
        } else if (isOption(arg, "--to")) {
            toName = valueOf(arg, "--to");
            if (!toName) return Misuse("--to needs a ROW: --to yard, --to 0, --to メートル");
        } else if (isOption(arg, "--format")) {
            const std::optional<std::string_view> format = valueOf(arg, "--format");
            if (format == "tsv") {
                request.format = Format::Tsv;
            } else if (format == "csv") {
                request.format = Format::Csv;
            } else if (format == "json") {
                request.format = Format::Json;
            } else {
                return Misuse(
                    (format ? "unknown format " + Quoted(*format) : "--format needs a value") +
                    "; choose tsv, csv or json");
            }
        } else if (arg == "--list-units") {
            listNames = true;
        } else if (arg == "--help" || arg == "-h") {
            result.action = Action::Help;
            return result;
        } else if (arg == "--version") {
            result.action = Action::Version;
            return result;
        } else {
            return Misuse("unknown option " + Quoted(arg) +
                          "; the options are --to, --format, --lenient, --exp, --refresh, "
                          "--version, --help");
        }
    }

    if (listNames && next == args.size()) {
        result.action = Action::ListNames;
        return result;
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
    auto unknownRow = [&](std::string_view what, std::string_view name) {
        const std::string kind = IsAllDigits(name) ? "no row " : "no unit ";
        return Misuse(std::string(what) + kind + Quoted(name) + " in " + std::string(tableName) +
                      "; rows: " + RowChoices(*quantity));
    };

    if (listNames) {
        if (next < args.size()) return Misuse("unexpected argument " + Quoted(args[next]));
        result.action = Action::ListNames;
        result.listed = quantity;
        return result;
    }
    if (toName) {
        request.to = FindRow(*quantity, *toName);
        if (!request.to) return unknownRow("--to: ", *toName);
    }

    if (next < args.size()) {
        const std::string_view rowName = args[next++];
        const std::optional<std::int16_t> row = FindRow(*quantity, rowName);
        if (!row) return unknownRow("", rowName);
        if (next == args.size()) {
            return Misuse("ROW " + Quoted(rowName) +
                          " needs a TEXT to type into it: tavo-convert QUANTITY ROW TEXT");
        }
        request.row = row;
        request.text = std::string(args[next++]);
        request.batch = request.text == "-";
    }

    if (next < args.size()) {
        return Misuse("unexpected argument " + Quoted(args[next]) +
                      "; usage: tavo-convert [OPTIONS] QUANTITY [ROW TEXT]");
    }
    result.action = Action::Convert;
    return result;
}

}  // namespace tavo::cli
