// SPDX-License-Identifier: MIT
// The core's C interface for the browser edition; the contract is in core_api.h.
#include "core_api.h"

#include <array>
#include <cstddef>
#include <exception>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/number_text.h"
#include "core/recompute.h"
#include "core/round_figures.h"
#include "web/api_result.h"

namespace {

// One converter window per quantity, as on the desktop.
std::array<tavo::ConverterState, tavo::kQuantities.size()> g_states;
using tavo::web::Result;

tavo::ConverterState& State(int quantity) {
    return g_states.at(static_cast<std::size_t>(quantity));
}

std::string RowLines(const tavo::ConverterState& state, const std::vector<tavo::RowText>& rows) {
    std::vector<std::string> lines(static_cast<std::size_t>(state.RowCount));
    for (const tavo::RowText& row : rows) lines.at(static_cast<std::size_t>(row.row)) = row.text;
    std::string joined;
    for (std::size_t k = 0; k < lines.size(); ++k) joined += (k == 0 ? "" : "\n") + lines[k];
    return joined;
}

}  // namespace

const char* tavo_load(int quantity) {
    return Result([quantity] {
        tavo::ConverterState& state = State(quantity);
        tavo::InitialiseState(state, tavo::kQuantities.at(static_cast<std::size_t>(quantity)));
        return RowLines(state, tavo::Recompute(state, tavo::BaseIndex, "", false));
    });
}

const char* tavo_recompute(int quantity, int index, const char* text, std::size_t length,
                           int exponential) {
    return Result([=] {
        tavo::ConverterState& state = State(quantity);
        if (state.RowCount == 0) throw std::logic_error("quantity not loaded");
        if (index < -32768 || index > 32767) throw std::out_of_range("row index");
        const auto rows = tavo::Recompute(state, static_cast<std::int16_t>(index),
                                          std::string_view(text, length), exponential != 0);
        return RowLines(state, rows);
    });
}

const char* tavo_unit_description(int quantity, int row) {
    return Result([=] {
        return tavo::UnitDescription(tavo::kQuantities.at(static_cast<std::size_t>(quantity)),
                                     static_cast<std::size_t>(row));
    });
}

double tavo_read_number(const char* text, std::size_t length) {
    return tavo::ReadNumber(std::string_view(text, length));
}

const char* tavo_plain_text(double value) {
    return Result([value] { return tavo::PlainText(value); });
}

const char* tavo_format_pattern(double value, int pattern) {
    return Result([=] {
        if (pattern != 0 && pattern != 1) throw std::out_of_range("pattern");
        return tavo::FormatPattern(value, pattern == 0 ? tavo::NumberPattern::Exponential
                                                       : tavo::NumberPattern::OutOfBand);
    });
}

double tavo_round_figures(double value, int digits) {
    tavo::RoundFigures(value, digits);
    return value;
}
