// SPDX-License-Identifier: MIT
// libFuzzer target for the conversion core. The first input byte chooses the quantity (bits
// 0-1), the display mode (bit 2) and the edited row (bits 3-7, modulo RowCount + 1, where
// RowCount stands for BaseIndex); the remaining bytes are the text typed into that row.
// A window is loaded, the text entered, the window refreshed, and every text the display
// writes is checked; the text is also read as a whole number and, where it holds an integer,
// written again with grouping commas and read back. A breach prints what was wrong and traps.

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/converter_state.h"
#include "core/number_text.h"
#include "core/recompute.h"
#include "core/round_figures.h"

namespace {

using tavo::BaseIndex;
using tavo::ConverterState;
using tavo::RowText;

[[noreturn]] void Breach(const char* what, std::int16_t row, std::string_view text) {
    std::fprintf(stderr, "core_fuzz: %s (row %d, text \"%.*s\")\n", what, row,
                 static_cast<int>(text.size()), text.data());
    __builtin_trap();
}

void Require(bool condition, const char* what, std::int16_t row, std::string_view text) {
    if (!condition) Breach(what, row, text);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Digits of an exponent: "0" or no leading zero.
bool IsExponentDigits(std::string_view digits) {
    if (digits.empty() || (digits.size() > 1 && digits.front() == '0')) return false;
    for (const char c : digits) {
        if (!IsDigit(c)) return false;
    }
    return true;
}

// " 0", " 3.281", "-0.00054", " 99990000": a blank or minus, an integer part without
// leading zeros, and optionally a point with digits that do not end in zero.
bool IsPlain(std::string_view text) {
    if (text.size() < 2 || (text.front() != ' ' && text.front() != '-')) return false;
    const std::string_view number = text.substr(1);
    const std::size_t point = number.find('.');
    const std::string_view integer = number.substr(0, point);
    if (integer.empty() || (integer.size() > 1 && integer.front() == '0')) return false;
    for (const char c : integer) {
        if (!IsDigit(c)) return false;
    }
    if (point == std::string_view::npos) return true;
    const std::string_view fraction = number.substr(point + 1);
    if (fraction.empty() || fraction.back() == '0') return false;
    for (const char c : fraction) {
        if (!IsDigit(c)) return false;
    }
    return true;
}

// "9.144e+11", "-1.000e-5", "0.000e+0" (padded: exactly three places) or "1.e+10",
// "5.027e-31" (trimmed: up to three places, no trailing zero).
bool IsPattern(std::string_view text, bool padded) {
    if (!text.empty() && text.front() == '-') text.remove_prefix(1);
    const std::size_t e = text.find('e');
    if (e == std::string_view::npos || e < 2 || !IsDigit(text[0]) || text[1] != '.') {
        return false;
    }
    const std::string_view places = text.substr(2, e - 2);
    if (padded ? places.size() != 3 : places.size() > 3) return false;
    for (const char c : places) {
        if (!IsDigit(c)) return false;
    }
    if (!padded && !places.empty() && places.back() == '0') return false;
    const std::string_view exponent = text.substr(e + 1);
    if (exponent.size() < 2 || (exponent.front() != '+' && exponent.front() != '-')) {
        return false;
    }
    if (!IsExponentDigits(exponent.substr(1))) return false;
    // Only zero has a leading digit 0, and its exponent is +0.
    if (text[0] == '0')
        return places.find_first_not_of('0') == std::string_view::npos && exponent == "+0";
    return !(exponent == "-0");
}

// The value with 15 significant digits, the precision the plain display writes.
std::string Significant15(double value) {
    std::array<char, 64> buffer{};
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                   std::chars_format::scientific, 14)
                         .ptr;
    return std::string(buffer.data(), end);
}

void CheckTexts(const ConverterState& state, const std::vector<RowText>& texts, std::int16_t edited,
                bool exponential) {
    const double base = state.UnitValue.at(BaseIndex);
    std::int16_t expected = 0;
    for (const RowText& entry : texts) {
        if (expected == edited) ++expected;
        const std::int16_t row = entry.row;
        const std::string_view text = entry.text;
        Require(row == expected, "rows out of order or the edited row present", row, text);
        ++expected;
        Require(!text.empty(), "empty text", row, text);

        const double value = state.UnitValue.at(static_cast<std::size_t>(row));
        if (text == tavo::kOutOfRangeText) {
            Require(!std::isfinite(value) || (value == 0.0 && base != 0.0),
                    "out of range shown for a value in range", row, text);
            continue;
        }
        Require(std::isfinite(value), "a non-finite value shown as a number", row, text);
        if (exponential) {
            Require(IsPattern(text, true), "not in the 0.000e+## form", row, text);
        } else {
            const double magnitude = std::fabs(value);
            const bool inBand = magnitude == 0.0 || (magnitude >= tavo::kPlainLowerBound &&
                                                     magnitude < tavo::kPlainUpperBound);
            Require(inBand ? IsPlain(text) : IsPattern(text, false),
                    inBand ? "not a plain number" : "not in the #.###e+## form", row, text);
        }
        Require((text.front() == '-') == (value < 0.0), "sign differs from the value", row, text);

        // The text stands for the stored value: read back it agrees to 15 digits, and cut to
        // four figures again it is displayed the same way.
        const double reread = tavo::ReadNumber(text);
        Require(Significant15(reread) == Significant15(value),
                "the text reads back as another value", row, text);
        Require(tavo::ReadWholeNumber(text) == reread, "a shown text is not a whole number", row,
                text);
        double cut = reread;
        tavo::RoundFigures(cut, tavo::kRoundDigits);
        Require(tavo::DisplayText(cut, base, exponential) == text,
                "the text read back and cut displays differently", row, text);
    }
    if (expected == edited) ++expected;
    Require(expected == state.RowCount, "rows missing", expected, "");
}

// The whole-number reading agrees with the leading-number reading, and only blanks may
// follow a whole number.
void CheckWholeNumber(std::string_view text, std::int16_t row) {
    const std::optional<double> whole = tavo::ReadWholeNumber(text);
    if (!whole) return;
    const double lead = tavo::ReadNumber(text);
    Require(std::signbit(*whole) == std::signbit(lead) && (*whole == lead),
            "a whole number reads as another value", row, text);
    Require(tavo::ReadWholeNumber(std::string(text) + " \u3000") == whole,
            "trailing blanks changed a whole number", row, text);
    Require(!tavo::ReadWholeNumber(std::string(text) + "x").has_value(),
            "a letter after a whole number was accepted", row, text);
}

// An integer written with a comma (ASCII or full-width) before every group of three digits
// reads back as itself, alone and before a fraction.
void CheckGrouping(double typed, bool fullWidth, std::int16_t row) {
    if (!(std::fabs(typed) < 1e15) || typed != std::floor(typed)) return;
    std::array<char, 32> digits{};
    const auto integer = static_cast<long long>(std::fabs(typed));
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), integer).ptr;
    const std::string_view plain(digits.data(), static_cast<std::size_t>(end - digits.data()));
    std::string grouped = typed < 0 ? "-" : "";
    for (std::size_t k = 0; k < plain.size(); ++k) {
        if (k != 0 && (plain.size() - k) % 3 == 0) grouped += fullWidth ? "，" : ",";
        grouped.push_back(plain[k]);
    }
    Require(tavo::ReadWholeNumber(grouped) == typed, "a grouped integer reads back wrong", row,
            grouped);
    Require(tavo::ReadNumber(grouped + ".5") == typed + (typed < 0 ? -0.5 : 0.5),
            "a grouped integer with a fraction reads back wrong", row, grouped);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const unsigned control = data[0];
    const tavo::Quantity quantity = tavo::kQuantities.at(control & 3U);
    const bool exponential = (control & 4U) != 0;
    const std::int16_t rowCount = tavo::RowCount(quantity);
    const auto pick =
        static_cast<std::int16_t>((control >> 3U) % static_cast<unsigned>(rowCount + 1));
    const std::int16_t row = pick == rowCount ? BaseIndex : pick;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    ConverterState state;
    tavo::InitialiseState(state, quantity);
    CheckTexts(state, tavo::Recompute(state, BaseIndex, "", exponential), BaseIndex, exponential);
    const ConverterState loaded = state;

    CheckWholeNumber(text, row);
    CheckGrouping(tavo::ReadNumber(text), (control & 8U) != 0, row);

    const std::vector<RowText> entered = tavo::Recompute(state, row, text, exponential);
    if (row != BaseIndex) {
        const auto slot = static_cast<std::size_t>(row);
        // A number lost below the double range, typed or by the product, leaves the base NaN.
        const double typed = tavo::ReadNumber(text);
        const double product = typed * state.UnitFactor.at(slot);
        const bool lost = std::isnan(typed) || (product == 0.0 && typed != 0.0);
        const double base = state.UnitValue.at(BaseIndex);
        Require(lost ? std::isnan(base) : base == product,
                "the base is not the typed number times the factor", row, text);
        Require(state.UnitValue.at(slot) == loaded.UnitValue.at(slot),
                "the edited row's value slot changed", row, text);
    } else {
        Require(state.UnitValue == loaded.UnitValue, "a refresh changed the values", row, text);
    }
    CheckTexts(state, entered, row, exponential);

    // The refresh keeps the base and repeats every text the Enter wrote; the edited row now
    // shows its computed text as well.
    const double base = state.UnitValue.at(BaseIndex);
    const std::vector<RowText> refreshed = tavo::Recompute(state, BaseIndex, "", exponential);
    const double kept = state.UnitValue.at(BaseIndex);
    Require(std::isnan(base) ? std::isnan(kept) : kept == base, "the refresh moved the base", row,
            text);
    CheckTexts(state, refreshed, BaseIndex, exponential);
    std::size_t k = 0;
    for (const RowText& entry : entered) {
        while (refreshed.at(k).row != entry.row) ++k;
        Require(refreshed.at(k).text == entry.text, "the refresh changed a row's text", entry.row,
                entry.text);
    }

    // A click on the other display option shows the same values the other way.
    CheckTexts(state, tavo::Recompute(state, BaseIndex, "", !exponential), BaseIndex, !exponential);
    return 0;
}
