#include "convert_run.h"

#include <array>
#include <charconv>
#include <cstddef>
#include <vector>

#include "core/converter_state.h"
#include "core/recompute.h"

namespace tavo::cli {

std::string RenderRows(const Request& request) {
    ConverterState state;
    InitialiseState(state, request.quantity);
    std::vector<RowText> texts = Recompute(state, BaseIndex, "", request.exponential);
    // The load has just refreshed every row; only an Enter leaves something to refresh.
    if (request.row) {
        texts = Recompute(state, *request.row, request.text, request.exponential);
        if (request.refresh) texts = Recompute(state, BaseIndex, "", request.exponential);
    }

    const auto rows = Table(request.quantity).rows;
    std::string out;
    out.reserve(rows.size() * 48 + request.text.size());
    std::size_t nextText = 0;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const auto row = static_cast<std::int16_t>(k);
        std::array<char, 8> number{};
        const auto end = std::to_chars(number.data(), number.data() + number.size(), k).ptr;
        out.append(number.data(), end);
        out.push_back('\t');
        out += rows[k].label;
        out.push_back('\t');
        // Recompute leaves out the edited row after an Enter; its box keeps what was typed.
        if (nextText < texts.size() && texts[nextText].row == row) {
            out += texts[nextText++].text;
        } else {
            out += request.text;
        }
        out.push_back('\n');
    }
    return out;
}

Outcome Run(std::span<const std::string_view> args) {
    const ParseResult parsed = ParseArguments(args);
    Outcome outcome;
    switch (parsed.action) {
        case Action::Help:
            outcome.out = std::string(UsageText());
            break;
        case Action::Misuse:
            outcome.status = kExitMisuse;
            outcome.err = parsed.message + "\n";
            break;
        case Action::Convert:
            outcome.out = RenderRows(parsed.request);
            break;
    }
    return outcome;
}

}  // namespace tavo::cli
