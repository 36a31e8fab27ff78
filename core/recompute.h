// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "converter_state.h"

namespace tavo {

// Every shown value keeps four significant figures: one before the point, three after.
inline constexpr int kRoundDigits = 3;

// Values from the lower bound (included) to the upper bound (excluded) are shown plainly in
// normal display; everything else by the "#.###e+##" pattern.
inline constexpr double kPlainUpperBound = 100000000;
inline constexpr double kPlainLowerBound = 0.00001;

// Shown for a value the double range cannot hold: infinite, lost below the range (NaN, see
// BaseValue), or a non-zero base whose row quotient is lost to zero.
inline constexpr std::string_view kOutOfRangeText = "範囲外";

struct RowText {
    std::int16_t row;
    std::string text;
    bool operator==(const RowText&) const = default;
};

// The text of one row value, already cut to four figures. The base value tells an
// underflow (zero from a non-zero base) from a real zero.
std::string DisplayText(double rowValue, double baseValue, bool exponential);

// The base value of a number typed into a row with that factor: number * factor. A value lost
// below the double range stays lost: a typed number ReadNumber could not hold (NaN), and a
// product that underflows to zero from a non-zero number, are NaN. NaN is the base's marker
// for "lost below the range": it stays NaN through every row's division and cut, so every row
// shows kOutOfRangeText, after a refresh too, until another Enter. (A tiny stand-in such as
// the smallest subnormal would not: times a factor like 1.9891e30 it becomes a normal number.)
double BaseValue(double number, double factor);

// A row's value for a base value: base / factor, cut to four figures. Recompute computes every
// row by it, so a caller that needs one row alone gets the same double.
double RowValue(double base, double factor);

// The conversion of a converter window. With a row index, editedText is read as that row's
// number, the base value becomes BaseValue(number, factor), and every other row is
// recomputed; the edited row's text and value slot stay as they are. With BaseIndex,
// editedText is ignored and every row is refreshed from the stored base value. Returns the new
// texts in ascending row order. Throws std::out_of_range for any other index.
std::vector<RowText> Recompute(ConverterState& state, std::int16_t index,
                               std::string_view editedText, bool exponential);

}  // namespace tavo
