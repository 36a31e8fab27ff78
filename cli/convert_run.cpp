// SPDX-License-Identifier: MIT
#include "convert_run.h"

#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>
#include <optional>

#include "core/number_text.h"

namespace tavo::cli {

namespace {

using Json = nlohmann::ordered_json;

// Appends a CSV field (RFC 4180): quoted when it holds a comma, a quote, CR or LF, with its
// quotes doubled.
void AppendCsvField(std::string_view field, Output& out) {
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        out.Append(field);
        return;
    }
    out.Append('"');
    for (std::size_t quote = field.find('"'); quote != std::string_view::npos;
         quote = field.find('"')) {
        out.Append(field.substr(0, quote + 1));
        out.Append('"');
        field.remove_prefix(quote + 1);
    }
    out.Append(field);
    out.Append('"');
}

void AppendInteger(std::size_t number, Output& out) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    out.Append(std::string_view(digits, static_cast<std::size_t>(end - digits)));
}

// A value as JSON: null where a JSON number cannot hold it (infinite, or shown out of range).
Json JsonNumber(double value) {
    return std::isfinite(value) ? Json(value) : Json(nullptr);
}

// The number a computed text shows.
Json ShownNumber(std::string_view text) {
    return text == kOutOfRangeText ? Json(nullptr) : JsonNumber(ReadNumber(text));
}

void AppendJson(const Json& json, Output& out) {
    // Invalid UTF-8 in a typed text (read leniently) becomes U+FFFD instead of failing.
    out.Append(json.dump(-1, ' ', false, Json::error_handler_t::replace));
    out.Append('\n');
}

std::string_view LineEnd(Format format) {
    return format == Format::Csv ? "\r\n" : "\n";
}

}  // namespace

Conversion::Conversion(const Request& request)
    : m_request(request), m_rows(Table(request.quantity).rows) {
    InitialiseState(m_loaded, request.quantity);
    m_loadTexts = Recompute(m_loaded, BaseIndex, "", request.exponential);
    for (std::size_t k = 0; k < m_rows.size(); ++k) {
        m_prefixes.push_back(std::to_string(k) + "\t" + std::string(m_rows[k].label) + "\t");
    }
}

void Conversion::Begin(Output& out) const {
    if (m_request.format == Format::Csv && !m_request.to) out.Append("row,label,text\r\n");
}

void Conversion::Write(std::string_view typed, double number, Output& out) {
    if (m_request.to) {
        WriteOne(typed, number, out);
    } else {
        WriteTable(typed, out);
    }
}

void Conversion::WriteBad(Output& out) const {
    if (m_request.format == Format::Json) {
        out.Append("null\n");
    } else if (m_request.to) {
        out.Append(LineEnd(m_request.format));
    }
    // A table's bad record is empty: EndRecord's empty line stands alone.
}

void Conversion::EndRecord(Output& out) const {
    if (!m_request.to && m_request.format != Format::Json) out.Append(LineEnd(m_request.format));
}

void Conversion::WriteOne(std::string_view typed, double number, Output& out) {
    const std::int16_t to = *m_request.to;
    const auto& factors = m_loaded.UnitFactor;
    Json value;
    if (m_request.row == to && !m_request.refresh) {
        // The edited row keeps what was typed, as the window shows it (made a cell).
        m_text = TableCell(typed, LeadingBlank::Keep);
        if (m_request.format == Format::Json) value = JsonNumber(number);
    } else {
        // Recompute's operations for row `to` alone: the base from the typed number and the
        // edited row's factor (or the loaded base), then the row's value and text from it.
        const double base =
            m_request.row ? BaseValue(number, factors.at(static_cast<std::size_t>(*m_request.row)))
                          : m_loaded.UnitValue.at(BaseIndex);
        const double rowValue = RowValue(base, factors.at(static_cast<std::size_t>(to)));
        m_text = TableCell(DisplayText(rowValue, base, m_request.exponential), LeadingBlank::Drop);
        if (m_request.format == Format::Json) value = ShownNumber(m_text);
    }
    const std::string_view text = m_text;
    switch (m_request.format) {
        case Format::Tsv:
            out.Append(text);
            out.Append('\n');
            break;
        case Format::Csv:
            AppendCsvField(text, out);
            out.Append("\r\n");
            break;
        case Format::Json:
            AppendJson(Json{{"text", text}, {"value", std::move(value)}}, out);
            break;
    }
}

void Conversion::WriteTable(std::string_view typed, Output& out) {
    ConverterState state = m_loaded;
    std::vector<RowText> entered;
    const std::vector<RowText>* texts = &m_loadTexts;
    // The load has refreshed every row; only an Enter leaves something to refresh.
    if (m_request.row) {
        entered = Recompute(state, *m_request.row, typed, m_request.exponential);
        if (m_request.refresh) entered = Recompute(state, BaseIndex, "", m_request.exponential);
        texts = &entered;
    }

    Json json;
    if (m_request.format == Format::Json) {
        json["quantity"] = Table(m_request.quantity).name;
        json["edited"] = m_request.row ? Json(*m_request.row) : Json(nullptr);
        json["display"] = m_request.exponential ? "exponential" : "normal";
        json["rows"] = Json::array();
    }
    std::size_t next = 0;
    for (std::size_t k = 0; k < m_rows.size(); ++k) {
        // Recompute leaves out the edited row after an Enter; its box keeps what was typed.
        const bool computed = next < texts->size() && (*texts)[next].row == static_cast<int>(k);
        const std::string_view shown = computed ? std::string_view((*texts)[next++].text) : typed;
        // The TSV table shows the texts as the window does; CSV and JSON leave out the blank
        // before a computed number.
        const LeadingBlank blank =
            m_request.format == Format::Tsv || !computed ? LeadingBlank::Keep : LeadingBlank::Drop;
        const std::string cell = TableCell(shown, blank);
        switch (m_request.format) {
            case Format::Tsv:
                out.Append(m_prefixes[k]);
                out.Append(cell);
                out.Append('\n');
                break;
            case Format::Csv:
                AppendInteger(k, out);
                out.Append(',');
                AppendCsvField(UnitName(m_rows[k]), out);
                out.Append(',');
                AppendCsvField(cell, out);
                out.Append("\r\n");
                break;
            case Format::Json:
                json["rows"].push_back(
                    {{"row", k},
                     {"label", UnitName(m_rows[k])},
                     {"reading", m_rows[k].reading},
                     {"text", cell},
                     {"value", computed ? ShownNumber(cell) : JsonNumber(ReadNumber(typed))}});
                break;
        }
    }
    if (m_request.format == Format::Json) AppendJson(json, out);
}

namespace {

// Reads a typed text: leniently its leading number (or 0), strictly a whole number or none.
std::optional<double> ReadTyped(const Request& request, std::string_view text) {
    if (request.lenient) return ReadNumber(text);
    return ReadWholeNumber(text);
}

std::string NotANumber(std::string_view text) {
    return Quoted(text, '"') + " is not a number\n";
}

int ConvertBatch(const Request& request, Conversion& conversion, Output& out,
                 const Streams& streams) {
    // Whatever is converted is written out before the program waits for more input, so a
    // program that feeds one line at a time through a pipe gets each answer.
    LineReader reader([&](char* buffer, std::size_t size) {
        out.Flush();
        return streams.in(buffer, size);
    });
    int status = kExitOk;
    std::string message;
    conversion.Begin(out);
    while (reader.Next() && !out.Failed()) {
        const std::string_view line = reader.Line();
        const std::optional<double> number =
            reader.TooLong() ? std::nullopt : ReadTyped(request, line);
        if (number) {
            conversion.Write(line, *number, out);
        } else {
            status = kExitMisuse;
            message.assign(kMessagePrefix);
            message += "line ";
            message += std::to_string(reader.Number());
            message += ": ";
            message += reader.TooLong()
                           ? "longer than " + std::to_string(LineReader::kMaxLine) + " bytes\n"
                           : NotANumber(line);
            streams.err(message);
            conversion.WriteBad(out);
        }
        conversion.EndRecord(out);
    }
    if (reader.Failed()) {
        streams.err(std::string(kMessagePrefix) + "could not read the standard input\n");
        return kExitFailure;
    }
    return status;
}

}  // namespace

int Run(std::span<const std::string_view> args, const Streams& streams) {
    const ParseResult parsed = ParseArguments(args);
    Output out(streams.out);
    int status = kExitOk;
    switch (parsed.action) {
        case Action::Help:
            out.Append(UsageText());
            break;
        case Action::Version:
            out.Append(VersionText());
            break;
        case Action::ListNames:
            out.Append(NameList(parsed.listed));
            break;
        case Action::Misuse:
            streams.err(parsed.message + "\n");
            return kExitMisuse;
        case Action::Convert: {
            const Request& request = parsed.request;
            Conversion conversion(request);
            if (request.batch) {
                status = ConvertBatch(request, conversion, out, streams);
                break;
            }
            std::optional<double> number = 0.0;
            if (request.row) number = ReadTyped(request, request.text);
            if (!number) {
                streams.err(std::string(kMessagePrefix) + NotANumber(request.text));
                return kExitMisuse;
            }
            conversion.Begin(out);
            conversion.Write(request.text, *number, out);
            break;
        }
    }
    if (!out.Flush()) {
        streams.err(std::string(kMessagePrefix) + "could not write the output\n");
        return kExitFailure;
    }
    return status;
}

}  // namespace tavo::cli
