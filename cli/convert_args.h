// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/quantity_tables.h"

namespace tavo::cli {

// What every message on standard error starts with.
inline constexpr std::string_view kMessagePrefix = "tavo-convert: ";

// What the command line asks for.
enum class Action {
    Convert,    // print the rows of one converter window, or one result a line of input
    Help,       // print the usage text, exit 0
    Version,    // print the version line, exit 0
    ListNames,  // print the names QUANTITY or ROW may take, one a line (for shell completion)
    Misuse,     // print the message on stderr, exit 2
};

enum class Format {
    Tsv,   // ROW<TAB>LABEL<TAB>TEXT lines, the window's texts as shown
    Csv,   // RFC 4180 with a header line, unit names and texts a spreadsheet reads as numbers
    Json,  // one object a conversion
};

// One run of a converter window: a fresh load, optionally an Enter in one row, optionally a
// refresh afterwards; the output in a format, of every row or of one.
struct Request {
    Quantity quantity = Quantity::Length;
    bool exponential = false;
    bool refresh = false;
    bool lenient = false;  // read TEXT as a window does instead of as one number
    Format format = Format::Tsv;
    std::optional<std::int16_t> row;  // the edited row; empty for a plain load
    std::optional<std::int16_t> to;   // the one row to print; empty for every row
    std::string text;                 // what was typed into that row
    bool batch = false;               // TEXT was "-": one text a line of standard input
};

struct ParseResult {
    Action action = Action::Misuse;
    Request request;
    std::optional<Quantity> listed;  // for ListNames: the quantity whose rows are listed
    std::string message;             // one line without the newline, for Action::Misuse
};

// The usage text printed by --help, ending in a newline.
std::string_view UsageText();

// "tavo-convert (度量衡変換) X.Y.Z" and a newline, printed by --version.
std::string VersionText();

// The names QUANTITY may take, or with a quantity the names its ROW may take (every unit's
// name and other names), one a line, for shell completion.
std::string NameList(std::optional<Quantity> quantity);

// The quantity named by one of its accepted names (English in any letter case, or Japanese).
std::optional<Quantity> FindQuantity(std::string_view name);

// The row a ROW argument names: a 0-based index inside the table, a unit label exactly as the
// table gives it (a label's leading blanks may be left out: "cc" names " cc"), or one of the
// unit's other names in any letter case ("yard", "YD", "tsubo").
std::optional<std::int16_t> FindRow(Quantity quantity, std::string_view name);

// An argument or a line of input quoted for a one-line message, between the given quote
// marks: control characters become "?", and a long text is cut after 60 bytes (at a
// character boundary) and ends in "...".
std::string Quoted(std::string_view text, char quote = '\'');

// Reads the arguments after the program name:
//   [--exp] [--refresh] [--lenient] [--to ROW] [--format FMT] [--help] [--version] [--]
//   QUANTITY [ROW TEXT]
// Options stand before QUANTITY; from QUANTITY on every argument is positional. A value of
// --to or --format follows as the next argument or after "=".
ParseResult ParseArguments(std::span<const std::string_view> args);

}  // namespace tavo::cli
