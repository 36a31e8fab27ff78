// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/recompute.h"

namespace {

using tavo::BaseIndex;
using tavo::ConverterState;
using tavo::InitialiseState;
using tavo::Length;
using tavo::Quantity;
using tavo::Recompute;
using tavo::Row;
using tavo::RowText;
using tavo::Square;
using tavo::Volume;
using tavo::Weight;

// The state slot of a named unit.
std::size_t Slot(tavo::NamedUnit auto unit) {
    return static_cast<std::size_t>(Row(unit));
}

// A freshly loaded window: state initialised, then the refresh.
struct Window {
    explicit Window(Quantity quantity) {
        InitialiseState(state, quantity);
        texts = Recompute(state, BaseIndex, "", false);
    }
    // Enter in a row: the row's text is read, the other rows come back.
    std::vector<std::string> Enter(tavo::NamedUnit auto unit, std::string_view typed,
                                   bool exp = false) {
        return Texts(Recompute(state, Row(unit), typed, exp));
    }
    std::vector<std::string> Refresh(bool exp) {
        return Texts(Recompute(state, BaseIndex, "", exp));
    }
    static std::vector<std::string> Texts(const std::vector<RowText>& rows) {
        std::vector<std::string> out;
        for (const RowText& row : rows) out.push_back(row.text);
        return out;
    }
    ConverterState state;
    std::vector<RowText> texts;
};

using Texts = std::vector<std::string>;

struct FreshCase {
    Quantity quantity;
    Texts normal;
};

void PrintTo(const FreshCase& c, std::ostream* os) {
    *os << tavo::Table(c.quantity).name;
}

class FreshWindow : public testing::TestWithParam<FreshCase> {};

TEST_P(FreshWindow, ShowsOneBaseUnitInEveryRow) {
    const Window window(GetParam().quantity);
    EXPECT_EQ(Window::Texts(window.texts), GetParam().normal);
    for (std::size_t k = 0; k < window.texts.size(); ++k) {
        EXPECT_EQ(window.texts[k].row, static_cast<std::int16_t>(k)) << "rows come in order";
    }
    EXPECT_EQ(window.state.UnitValue[BaseIndex], 1.0);
    EXPECT_EQ(window.state.UnitFactor[BaseIndex], 1.0);
}

const FreshCase kFresh[] = {
    {Quantity::Length,
     {" 1", " 1.094", " 3.281", " 39.37", " 0.0006214", " 3.3", " 0.00054", "1.058e-16", "1.e+10"}},
    {Quantity::Weight,
     {" 1", " 1000", " 0.001", " 2.205", " 35.27", " 0.2667", " 266.7", " 1.667", "5.027e-31"}},
    {Quantity::Volume,
     {" 1", " 1000", " 1000000", " 61030", " 264.2", " 5543", " 554.3", " 5.543"}},
    {Quantity::Square, {" 1", "1.e-6", " 0.01", " 0.0001", " 0.3025", " 0.001008"}},
};
INSTANTIATE_TEST_SUITE_P(AllQuantities, FreshWindow, testing::ValuesIn(kFresh));

TEST(FreshState, HoldsTheCutValuesWithTheirLastBits) {
    const Window length(Quantity::Length);
    const std::vector<double> lengthValues{1,   1.094,   3.281,     39.37,      0.0006214,
                                           3.3, 0.00054, 1.058e-16, 10000000000};
    for (std::size_t k = 0; k < lengthValues.size(); ++k) {
        EXPECT_EQ(length.state.UnitValue[k], lengthValues[k]) << "row " << k;
    }
    EXPECT_EQ(Window(Quantity::Weight).state.UnitValue[Slot(Weight::Ounce)], 35.269999999999996);
    EXPECT_EQ(Window(Quantity::Weight).state.UnitValue[Slot(Weight::SolarMass)],
              5.027000000000001e-31);
    EXPECT_EQ(Window(Quantity::Volume).state.UnitValue[Slot(Volume::CubicInch)], 61029.99999999999);
}

TEST(FreshState, ExponentialDisplayUsesThePaddedPatternEverywhere) {
    Window window(Quantity::Length);
    const Texts texts = window.Refresh(true);
    EXPECT_EQ(texts, (Texts{"1.000e+0", "1.094e+0", "3.281e+0", "3.937e+1", "6.214e-4", "3.300e+0",
                            "5.400e-4", "1.058e-16", "1.000e+10"}));
}

TEST(Enter, HundredYardsRewritesEveryOtherRow) {
    Window window(Quantity::Length);
    const auto rows = Recompute(window.state, Row(Length::Yard), "100", false);
    EXPECT_EQ(window.state.UnitValue[BaseIndex], 91.44);
    EXPECT_EQ(Window::Texts(rows), (Texts{" 91.44", " 300", " 3600", " 0.05682", " 301.8",
                                          " 0.04937", "9.672e-15", "9.144e+11"}));
    ASSERT_EQ(rows.size(), 8U);
    EXPECT_EQ(rows[0].row, Row(Length::Metre));
    EXPECT_EQ(rows[1].row, Row(Length::Foot)) << "the edited row is skipped";
    EXPECT_EQ(window.state.UnitValue[Slot(Length::Yard)], 1.094)
        << "the edited row's slot is left alone";
}

TEST(Enter, ThirtyTsuboStaysInsideThePlainBand) {
    Window window(Quantity::Square);
    EXPECT_EQ(window.Enter(Square::Tsubo, "30"),
              (Texts{" 99.17", " 0.00009917", " 0.9917", " 0.009917", " 0.1"}));
    EXPECT_EQ(window.state.UnitValue[BaseIndex], 30 * 3.3058);
}

TEST(Enter, AShownValueConvertsAgainAndShiftsTheLastDigit) {
    Window window(Quantity::Length);
    const Texts texts = window.Enter(Length::Yard, " 1.094");
    EXPECT_EQ(window.state.UnitValue[BaseIndex], 1.094 * 0.9144);
    // The texts skip the edited yard row: metre, foot, inch, mile, shaku, ...
    EXPECT_EQ(texts[0], " 1");
    EXPECT_EQ(texts[1], " 3.282");
    EXPECT_EQ(texts[2], " 39.38");
    EXPECT_EQ(texts[4], " 3.301");
}

TEST(Enter, TheSameTextTwiceGivesTheSameDisplay) {
    Window window(Quantity::Weight);
    EXPECT_EQ(window.Enter(Weight::Pound, "12abc"), window.Enter(Weight::Pound, "12abc"));
    EXPECT_EQ(window.state.UnitValue[BaseIndex], 12 * 0.4535);
}

TEST(Enter, EveryTextTheDisplayWritesReadsBack) {
    Window window(Quantity::Length);
    for (std::int16_t row = 0; row < 9; ++row) {
        const std::string shown = window.Texts(window.texts)[static_cast<std::size_t>(row)];
        Recompute(window.state, row, shown, false);
        EXPECT_NE(window.state.UnitValue[BaseIndex], 0.0) << shown;
        Recompute(window.state, row, shown, true);
    }
}

TEST(Refresh, ReplacesTheTypedTextOfTheEditedRow) {
    Window window(Quantity::Length);
    window.Enter(Length::Yard, "100");
    const Texts exponential = window.Refresh(true);
    EXPECT_EQ(exponential.size(), 9U);
    EXPECT_EQ(exponential[Slot(Length::Yard)], "1.000e+2");
    EXPECT_EQ(exponential[Slot(Length::Metre)], "9.144e+1");
    EXPECT_EQ(window.Refresh(false)[Slot(Length::Yard)], " 100");
    EXPECT_EQ(window.state.UnitValue[BaseIndex], 91.44) << "a refresh keeps the base";
}

struct DisplayCase {
    double value;
    bool exponential;
    std::string expected;
};

void PrintTo(const DisplayCase& c, std::ostream* os) {
    os->precision(17);
    *os << c.value << (c.exponential ? " exp" : " normal") << " -> \"" << c.expected << '"';
}

class DisplayTextCase : public testing::TestWithParam<DisplayCase> {};

TEST_P(DisplayTextCase, ChoosesPlainOrPattern) {
    const DisplayCase c = GetParam();
    EXPECT_EQ(tavo::DisplayText(c.value, 1.0, c.exponential), c.expected);
}

// The lower bound is included in the plain band, the upper bound is not.
const DisplayCase kBandEdges[] = {
    {0.00001, false, " 0.00001"},
    {0.000009999, false, "9.999e-6"},
    {99990000.00000001, false, " 99990000"},
    {100000000, false, "1.e+8"},
    {39.37, true, "3.937e+1"},
    {0.00001, true, "1.000e-5"},
    {-0.00001, false, "-0.00001"},
    {-100000000, false, "-1.e+8"},
    {-91.44, true, "-9.144e+1"},
};
INSTANTIATE_TEST_SUITE_P(BandEdges, DisplayTextCase, testing::ValuesIn(kBandEdges));

TEST(BandEdges, AreTestedOnTheCutValue) {
    Window window(Quantity::Weight);
    // 99999.9999 t is about 99999999.9 kg, cut to 1e8: shown by the pattern.
    EXPECT_EQ(window.Enter(Weight::Tonne, "99999.9999")[0], "1.e+8");
    EXPECT_EQ(window.Enter(Weight::Tonne, "99994.999")[0], " 99990000");
    // 0.0099996 g is about 9.9996e-06 kg, cut to 1e-05: shown plainly.
    EXPECT_EQ(window.Enter(Weight::Gram, "0.0099996")[0], " 0.00001");
}

// Zero, negative and out-of-range values: the window must show something sensible.
TEST(UnusualValues, ZeroShowsAsZero) {
    Window window(Quantity::Length);
    for (const char* typed : {"", "abc", "0", "-0", "範囲外", "   ", "0e-400"}) {
        const Texts texts = window.Enter(Length::Foot, typed);
        EXPECT_EQ(texts, Texts(8, " 0")) << typed;
        EXPECT_EQ(window.Refresh(true), Texts(9, "0.000e+0")) << typed;
    }
}

TEST(UnusualValues, NegativeValuesKeepTheirSign) {
    Window window(Quantity::Length);
    EXPECT_EQ(window.Enter(Length::Yard, "-100"),
              (Texts{"-91.44", "-300", "-3600", "-0.05682", "-301.8", "-0.04937", "-9.672e-15",
                     "-9.144e+11"}));
    EXPECT_EQ(window.Refresh(true)[0], "-9.144e+1");
    EXPECT_EQ(window.Enter(Length::Metre, "-0.000001")[0], "-1.094e-6");
}

TEST(UnusualValues, BeyondTheDoubleRangeIsShownAsOutOfRange) {
    Window window(Quantity::Length);
    EXPECT_EQ(window.Enter(Length::Metre, "1e400"), Texts(8, "範囲外"));
    EXPECT_EQ(window.Refresh(false), Texts(9, "範囲外"));
    EXPECT_EQ(window.Refresh(true), Texts(9, "範囲外"));
    // Enter on the out-of-range text reads it as 0.
    EXPECT_EQ(window.Enter(Length::Inch, "範囲外"), Texts(8, " 0"));

    Window weight(Quantity::Weight);
    EXPECT_EQ(weight.Enter(Weight::SolarMass, "1e300"), Texts(8, "範囲外"))
        << "1e300 solar masses overflow";
    const Texts tiny = weight.Enter(Weight::Kilogram, "1e-300");
    EXPECT_EQ(tiny[0], "1.e-297") << "grams";
    EXPECT_EQ(tiny.back(), "範囲外") << "solar masses underflow to zero";
    EXPECT_EQ(weight.Enter(Weight::Kilogram, "4.9e-324")[0], "範囲外")
        << "a subnormal base cut to zero";
    // Below the range a typed value is lost, not 0, and not 1.9891e30 times the smallest
    // subnormal either; so is a product that underflows (1e-320 Å is 1e-330 m).
    EXPECT_EQ(weight.Enter(Weight::SolarMass, "1e-400"), Texts(8, "範囲外"));
    EXPECT_EQ(weight.Refresh(true), Texts(9, "範囲外"));
    EXPECT_EQ(window.Enter(Length::Angstrom, "1e-320"), Texts(8, "範囲外"));
    EXPECT_EQ(window.Refresh(false), Texts(9, "範囲外"));
}

TEST(Bounds, AnIndexOutsideTheTableIsRejected) {
    Window square(Quantity::Square);
    EXPECT_THROW(Recompute(square.state, 6, "1", false), std::out_of_range);
    EXPECT_THROW(Recompute(square.state, -1, "1", false), std::out_of_range);
    EXPECT_THROW(Recompute(square.state, 11, "1", false), std::out_of_range);
    EXPECT_EQ(square.state.UnitValue[BaseIndex], 1.0) << "a rejected call changes nothing";
    EXPECT_THROW(static_cast<void>(square.state.UnitValue.at(11)), std::out_of_range);
}

TEST(Bounds, TheStateOfOneWindowIsItsOwn) {
    Window length(Quantity::Length);
    Window weight(Quantity::Weight);
    weight.Enter(Weight::Kilogram, "5");
    EXPECT_EQ(length.Refresh(false)[Slot(Length::Yard)], " 1.094");
    EXPECT_EQ(length.state.UnitValue[BaseIndex], 1.0);
}

TEST(Initialise, SetsFactorsAndBaseButLeavesRowValues) {
    ConverterState state;
    InitialiseState(state, Quantity::Square);
    EXPECT_EQ(state.RowCount, 6);
    EXPECT_EQ(state.UnitFactor[Slot(Square::Tsubo)], 3.3058);
    EXPECT_EQ(state.UnitFactor[6], 0.0) << "unused slots stay 0";
    EXPECT_EQ(state.UnitFactor[BaseIndex], 1.0);
    state.UnitValue[Slot(Square::Are)] = 42;
    state.UnitValue[BaseIndex] = 7;
    InitialiseState(state, Quantity::Square);
    EXPECT_EQ(state.UnitValue[Slot(Square::Are)], 42.0);
    EXPECT_EQ(state.UnitValue[BaseIndex], 1.0);
}

}  // namespace
