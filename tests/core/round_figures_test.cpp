// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

#include "core/round_figures.h"

namespace {

using tavo::PowerOfTen;
using tavo::RoundFigures;

struct RoundCase {
    double input;
    double expected;  // compared bit for bit
};

void PrintTo(const RoundCase& c, std::ostream* os) {
    os->precision(17);
    *os << c.input << " -> " << c.expected;
}

double Rounded(double x) {
    RoundFigures(x, 3);
    return x;
}

class RoundFiguresCase : public testing::TestWithParam<RoundCase> {};

TEST_P(RoundFiguresCase, GivesExactlyTheExpectedDouble) {
    const RoundCase c = GetParam();
    EXPECT_EQ(Rounded(c.input), c.expected) << std::hexfloat << Rounded(c.input);
}

// Values the decade walk leaves untouched, and the ones it scales both ways.
const RoundCase kUnchanged[] = {
    {1, 1}, {10, 10}, {0.1, 0.1}, {1e-05, 1e-05}, {5.543, 5.543}, {1000000, 1000000},
};
INSTANTIATE_TEST_SUITE_P(AlreadyFourFigures, RoundFiguresCase, testing::ValuesIn(kUnchanged));

// Cutting to four figures, carries into the next decade included.
const RoundCase kCuts[] = {
    {12345, 12350},       {123456789, 123500000},  {99999999.9, 100000000},
    {9.9996, 10},         {9.9994, 9.999},         {1 / 0.9144, 1.094},
    {1 / 3.3058, 0.3025}, {1 / 1609.3, 0.0006214}, {99994999, 99990000.00000001},
    {9.9996e-06, 1e-05},
};
INSTANTIATE_TEST_SUITE_P(Cuts, RoundFiguresCase, testing::ValuesIn(kCuts));

// Halfway cases: decided by the bits the scaling leaves, not by the decimal text.
const RoundCase kHalves[] = {
    {1.0005, 1.001},  // 1000.5 exactly: rounded up
    {1.2345, 1.235},  // 1234.5 exactly: rounded up
    {12.345, 12.35},  // one pass leaves the mantissa just above the half
    {2.0035, 2.003},  // the double lies below the half and stays below
    {0.0012345, 0.001234},
};
INSTANTIATE_TEST_SUITE_P(Halves, RoundFiguresCase, testing::ValuesIn(kHalves));

// The last bits that the base-two scaling leaves in a result.
const RoundCase kLastBits[] = {
    {1 / 0.02835, 35.269999999999996},
    {1 / 1.63862e-05, 61029.99999999999},
    {1 / 1.9891e30, 5.027000000000001e-31},
};
INSTANTIATE_TEST_SUITE_P(LastBits, RoundFiguresCase, testing::ValuesIn(kLastBits));

// Signs and zero: the magnitude is rounded, the sign kept; zero is +0.
const RoundCase kSigns[] = {
    {-12345, -12350}, {-2.0035, -2.003}, {-9.9996, -10}, {-91.44, -91.44}, {0.0, 0.0},
};
INSTANTIATE_TEST_SUITE_P(Signs, RoundFiguresCase, testing::ValuesIn(kSigns));

TEST(RoundFiguresLimits, NegativeZeroBecomesPositiveZero) {
    const double result = Rounded(-0.0);
    EXPECT_EQ(result, 0.0);
    EXPECT_FALSE(std::signbit(result));
}

TEST(RoundFiguresLimits, NanAndInfinitiesComeBackUnchanged) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    EXPECT_TRUE(std::isnan(Rounded(std::numeric_limits<double>::quiet_NaN())));
    EXPECT_EQ(Rounded(inf), inf);
    EXPECT_EQ(Rounded(-inf), -inf);
}

TEST(RoundFiguresLimits, EndsAtTheEdgesOfTheDoubleRange) {
    // Each of these would walk forever or overflow 10^e if the walk were not bounded.
    EXPECT_EQ(Rounded(std::numeric_limits<double>::denorm_min()), 0.0);
    EXPECT_EQ(Rounded(1e-310), 0.0);
    EXPECT_EQ(Rounded(std::numeric_limits<double>::min()), 2.225e-308);
    EXPECT_EQ(Rounded(1e-300), 1e-300);
    EXPECT_DOUBLE_EQ(Rounded(1.7969e308), 1.797e308);                  // last bits from the scaling
    EXPECT_EQ(Rounded(std::numeric_limits<double>::max()), HUGE_VAL);  // 1.798e308
    EXPECT_EQ(Rounded(std::nextafter(1.0, 0.0)), 1.0);
    // Cut up to 1e-308 from just below it: the shown value must read back as itself.
    EXPECT_EQ(Rounded(9.9999999999999991e-309), 1e-308);
    EXPECT_EQ(Rounded(Rounded(1.00008e-308)), Rounded(1.00008e-308));
    EXPECT_EQ(Rounded(std::nextafter(10.0, 0.0)), 10.0);
}

TEST(PowerOfTen, IsTheNearestDoubleNotStdPow) {
    EXPECT_EQ(PowerOfTen(0), 1.0);
    EXPECT_EQ(PowerOfTen(-1), 0.1);
    EXPECT_EQ(PowerOfTen(3), 1000.0);
    EXPECT_EQ(PowerOfTen(-4), 0.0001);
    EXPECT_EQ(PowerOfTen(22), 1e22);
    EXPECT_EQ(PowerOfTen(23), 1e23);  // not exact in binary: must be the nearest double
    EXPECT_EQ(PowerOfTen(-308), 1e-308);
    EXPECT_EQ(PowerOfTen(308), 1e308);
    EXPECT_EQ(PowerOfTen(-323), 1e-323);
    EXPECT_EQ(PowerOfTen(309), HUGE_VAL);
    EXPECT_EQ(PowerOfTen(-324), 0.0);
}

}  // namespace
