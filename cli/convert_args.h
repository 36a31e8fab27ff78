#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/quantity_tables.h"

namespace tavo::cli {

// What the command line asks for.
enum class Action {
    Convert,  // print the rows of one converter window
    Help,     // print the usage text, exit 0
    Misuse,   // print the message on stderr, exit 2
};

// One run of a converter window: a fresh load, optionally an Enter in one row, optionally a
// refresh afterwards.
struct Request {
    Quantity quantity = Quantity::Length;
    bool exponential = false;
    bool refresh = false;
    std::optional<std::int16_t> row;  // the edited row; empty for a plain load
    std::string text;                 // what was typed into that row
};

struct ParseResult {
    Action action = Action::Misuse;
    Request request;
    std::string message;  // one line without the newline, for Action::Misuse
};

// The usage text printed by --help, ending in a newline.
std::string_view UsageText();

// The quantity named by one of its accepted names (English in any letter case, or Japanese).
std::optional<Quantity> FindQuantity(std::string_view name);

// The row a ROW argument names: a 0-based index inside the table, or a unit label exactly as
// the table gives it (a label's leading blanks may be left out: "cc" names " cc").
std::optional<std::int16_t> FindRow(Quantity quantity, std::string_view name);

// Reads the arguments after the program name:
//   [--exp] [--refresh] [--help] [--] QUANTITY [ROW TEXT]
// Options stand before QUANTITY; from QUANTITY on every argument is positional.
ParseResult ParseArguments(std::span<const std::string_view> args);

}  // namespace tavo::cli
