// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "convert_args.h"
#include "core/converter_state.h"
#include "core/recompute.h"
#include "line_io.h"

namespace tavo::cli {

// Exit statuses of tavo-convert.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitMisuse = 2;

// Writes the results of one request in its format, one conversion at a time: the rows of the
// window after the request's Enter, or the text of its --to row alone. The window is loaded
// once; every conversion starts from that loaded state, so the results of a batch do not
// depend on each other.
class Conversion {
public:
    explicit Conversion(const Request& request);

    // What a format writes before the first conversion (the CSV header of a table).
    void Begin(Output& out) const;
    // The result of typing `typed` into the request's row (ignored for a plain load);
    // `number` is the text's value as read.
    void Write(std::string_view typed, double number, Output& out);
    // The result line of a batch line that could not be converted: an empty line, or null in
    // JSON, so that results stay aligned with the input lines.
    void WriteBad(Output& out) const;
    // Ends the record of one batch line: an empty line after a table in TSV or CSV.
    void EndRecord(Output& out) const;

private:
    // The text and value of the --to row, by the same double operations as Recompute but for
    // that row alone.
    void WriteOne(std::string_view typed, double number, Output& out);
    void WriteTable(std::string_view typed, Output& out);

    const Request& m_request;
    std::span<const UnitRow> m_rows;
    ConverterState m_loaded;
    std::vector<RowText> m_loadTexts;     // what the fresh window shows
    std::vector<std::string> m_prefixes;  // "ROW\tLABEL\t" of each row, for TSV
    std::string m_text;                   // a scratch text, reused
};

// Parses the arguments (without the program name), converts, and writes the output and the
// messages; TEXT "-" reads standard input line by line. Returns the exit status.
struct Streams {
    ReadFunction in;
    WriteFunction out;
    WriteFunction err;
};
int Run(std::span<const std::string_view> args, const Streams& streams);

}  // namespace tavo::cli
