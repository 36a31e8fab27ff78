// SPDX-License-Identifier: MIT
#include "recompute.h"

#include <cmath>
#include <limits>
#include <stdexcept>

#include "number_text.h"
#include "round_figures.h"

namespace tavo {

std::string DisplayText(double rowValue, double baseValue, bool exponential) {
    if (!std::isfinite(rowValue) || (rowValue == 0.0 && baseValue != 0.0)) {
        return std::string(kOutOfRangeText);
    }
    if (exponential) return FormatPattern(rowValue, NumberPattern::Exponential);
    const double magnitude = std::fabs(rowValue);
    // Zero would fall below the band; it reads better as " 0" than as "0.e+0".
    if (magnitude == 0.0) return PlainText(0.0);
    // The band test looks at the value after the cut, so 99999999.9 (cut to 1e8) goes to
    // the pattern and 9.9996e-06 (cut to 1e-05) is shown plainly.
    if (magnitude >= kPlainUpperBound || magnitude < kPlainLowerBound) {
        return FormatPattern(rowValue, NumberPattern::OutOfBand);
    }
    return PlainText(rowValue);
}

double BaseValue(double number, double factor) {
    const double base = number * factor;
    if (base == 0.0 && number != 0.0) return std::numeric_limits<double>::quiet_NaN();
    return base;
}

double RowValue(double base, double factor) {
    double value = base / factor;
    RoundFigures(value, kRoundDigits);
    return value;
}

std::vector<RowText> Recompute(ConverterState& state, std::int16_t index,
                               std::string_view editedText, bool exponential) {
    if (index != BaseIndex && (index < 0 || index >= state.RowCount)) {
        throw std::out_of_range("Recompute: row index outside the table");
    }
    if (index != BaseIndex) {
        state.UnitValue.at(BaseIndex) =
            BaseValue(ReadNumber(editedText), state.UnitFactor.at(static_cast<std::size_t>(index)));
    }
    const double base = state.UnitValue.at(BaseIndex);

    std::vector<RowText> texts;
    texts.reserve(static_cast<std::size_t>(state.RowCount));
    for (std::int16_t k = 0; k < state.RowCount; ++k) {
        if (k == index) continue;
        double& value = state.UnitValue.at(static_cast<std::size_t>(k));
        value = RowValue(base, state.UnitFactor.at(static_cast<std::size_t>(k)));
        texts.push_back({k, DisplayText(value, base, exponential)});
    }
    return texts;
}

}  // namespace tavo
