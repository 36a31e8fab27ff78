// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <ostream>
#include <string>
#include <tuple>

#include "core/number_text.h"

namespace {

using tavo::FormatPattern;
using tavo::NumberPattern;
using tavo::PlainText;
using tavo::ReadNumber;

struct ReadCase {
    std::string text;
    double expected;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    os->precision(17);
    *os << '"' << c.text << "\" -> " << c.expected;
}

class ReadNumberCase : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadNumberCase, ReadsTheLeadingNumber) {
    EXPECT_EQ(ReadNumber(GetParam().text), GetParam().expected);
}

const ReadCase kNumbers[] = {
    {"100", 100},       {" 1.094", 1.094},
    {"1 000", 1000},    {"12abc", 12},
    {"1,5", 1},         {".5", 0.5},
    {"1.", 1},          {"-5", -5},
    {"+5", 5},          {"1.235e+8", 123500000},
    {"1.e+10", 1e10},   {"1.058e-16", 1.058e-16},
    {"9.144E2", 914.4}, {"1e", 1},
    {"1e+", 1},         {"1e5.3", 100000},
    {"1.2.3", 1.2},     {"\t1\n2\r3", 123},
    {"- 5", -5},        {"0.00054", 0.00054},
};
INSTANTIATE_TEST_SUITE_P(Numbers, ReadNumberCase, testing::ValuesIn(kNumbers));

// Text with no number reads as 0, never as an error.
const ReadCase kNoNumber[] = {
    {"", 0},    {"   ", 0},    {"abc", 0},  {".", 0},   {"-", 0},   {"+-1", 0}, {"e5", 0},
    {".e5", 0}, {"範囲外", 0}, {"&H10", 0}, {"&O7", 0}, {"NaN", 0}, {"inf", 0}, {"0x10", 0},
};
INSTANTIATE_TEST_SUITE_P(NoNumber, ReadNumberCase, testing::ValuesIn(kNoNumber));

// Commas group thousands only when every group after the first has exactly three digits up to
// the point, the exponent or the end; any other comma ends the number where it stands.
const ReadCase kGrouping[] = {
    {"1,000", 1000},      {"12,345.6", 12345.6}, {"-1,000,000", -1e6},
    {"１，０００", 1000}, {"1,000e3", 1e6},      {"1, 000", 1000},
    {"999,999", 999999},  {"0,001", 1},          {"+1,234.5e-1", 123.45},
    {"1,000abc", 1000},   {"1,000.5,3", 1000.5}, {"1,000.", 1000},
    {"1,5", 1},           {"1,0000", 1},         {"1,000,00", 1},
    {"1,000,", 1},        {"1000,000", 1000},    {",5", 0},
    {"1,,000", 1},        {"1,000,0000", 1},     {"12,34,567", 12},
    {"-1,5e3", -1},       {"1,00e3", 1},         {".5,000", 0.5},
    {"1e3,000", 1000},    {"1,000e3,000", 1e6},  {"1,０００", 1000},
    {"1,000 ,000", 1e6},
};
INSTANTIATE_TEST_SUITE_P(Grouping, ReadNumberCase, testing::ValuesIn(kGrouping));

// A whole number is what ReadNumber reads with nothing but blanks after it; anything else,
// the empty text included, is not one.
TEST(ReadWholeNumber, AcceptsOneNumberAndBlanksOnly) {
    for (const std::string_view text :
         {"100", " 1.094 ", "1 000", "-5", "+5", "1.", ".5", "1.e+10", "1,000", "－１，０００　",
          "1,000e3", "1e-400", "1e400", "\t7\r\n", "9.672e-15", "-0.002469"}) {
        const std::optional<double> whole = tavo::ReadWholeNumber(text);
        ASSERT_TRUE(whole.has_value()) << '"' << text << '"';
        EXPECT_TRUE(*whole == ReadNumber(text) ||
                    (std::isnan(*whole) && std::isnan(ReadNumber(text))))
            << '"' << text << '"';
    }
    for (const std::string_view text :
         {"",    " ",   "　",   "abc",       "12abc",  "-",      "+",
          ".",   "1e",  "1e+",  "1,5",       "1,000,", "1,0000", "1.2.3",
          "1 a", "1d3", "0x10", "1\xEF\xBC", "範囲外", "1\x01"}) {
        EXPECT_FALSE(tavo::ReadWholeNumber(text).has_value()) << '"' << text << '"';
    }
    EXPECT_FALSE(tavo::ReadWholeNumber(std::string("3\0", 2)).has_value());
}

// The letter d is not an exponent letter, and there are no radix prefixes.
const ReadCase kNotExponents[] = {{"1d3", 1}, {"1D3", 1}, {"0x1p3", 0}};
INSTANTIATE_TEST_SUITE_P(NotExponents, ReadNumberCase, testing::ValuesIn(kNotExponents));

// What a Japanese input method in full-width mode types.
const ReadCase kFullWidth[] = {
    {"１２３．５", 123.5}, {"－１．５", -1.5}, {"＋７", 7},      {"１　０００", 1000},
    {"１ｅ３", 1000},      {"１Ｅ－２", 0.01}, {"　４２　", 42}, {"１，５", 1},
    {"1２3", 123},         {"１２ab", 12},     {"０.５", 0.5},
};
INSTANTIATE_TEST_SUITE_P(FullWidth, ReadNumberCase, testing::ValuesIn(kFullWidth));

TEST(ReadNumberRange, OverflowIsInfiniteUnderflowIsLost) {
    EXPECT_EQ(ReadNumber("1e400"), HUGE_VAL);
    EXPECT_EQ(ReadNumber("-1e400"), -HUGE_VAL);
    EXPECT_EQ(ReadNumber("0.0001e312"), 1e308);
    EXPECT_EQ(ReadNumber("1e99999999999999999999"), HUGE_VAL);
    for (const char* lost : {"1e-400", "-1e-400", "100000e-330", "0.00001e-319", "2e-324"}) {
        EXPECT_TRUE(std::isnan(ReadNumber(lost))) << lost;
    }
    EXPECT_EQ(ReadNumber("0.00001e320"), HUGE_VAL);
    EXPECT_EQ(ReadNumber("3e-324"), 4.9406564584124654e-324) << "the smallest subnormal";
    EXPECT_EQ(ReadNumber("0e999999"), 0.0);
    EXPECT_TRUE(std::signbit(ReadNumber("-0e-400")));
    EXPECT_EQ(ReadNumber("1e-310"), 1e-310);  // subnormal, still representable
    EXPECT_TRUE(std::signbit(ReadNumber("-0")));
}

TEST(ReadNumberLongText, ReadsAMebibyteOfDigitsOrJunk) {
    const std::string digits(1 << 20, '7');
    EXPECT_EQ(ReadNumber(digits), HUGE_VAL);
    EXPECT_EQ(ReadNumber("0." + digits), 0.77777777777777779);
    EXPECT_TRUE(std::isnan(ReadNumber("0." + std::string(1 << 20, '0') + "1"))) << "lost";
    EXPECT_EQ(ReadNumber(std::string(1 << 20, 'x')), 0.0);
    EXPECT_EQ(ReadNumber(std::string(1 << 20, ' ') + "5"), 5.0);
    std::string fullWidthBlanks;
    for (int i = 0; i < 100000; ++i) fullWidthBlanks += "　";
    EXPECT_EQ(ReadNumber(fullWidthBlanks + "８"), 8.0);
}

TEST(ReadNumberLongText, BrokenUtf8EndsTheNumber) {
    EXPECT_EQ(ReadNumber("12\xEF\xBC"), 12);
    EXPECT_EQ(ReadNumber("12\xE3\x80"), 12);
    EXPECT_EQ(ReadNumber(std::string("3\0"
                                     "4",
                                     3)),
              3);
}

struct FormatCase {
    double value;
    std::string expected;
};

void PrintTo(const FormatCase& c, std::ostream* os) {
    os->precision(17);
    *os << c.value << " -> \"" << c.expected << '"';
}

class PlainTextCase : public testing::TestWithParam<FormatCase> {};
TEST_P(PlainTextCase, WritesFifteenFiguresPositionally) {
    EXPECT_EQ(PlainText(GetParam().value), GetParam().expected);
}

const FormatCase kPlain[] = {
    {91.44, " 91.44"},
    {300, " 300"},
    {1000000, " 1000000"},
    {5.543, " 5.543"},
    {0.3025, " 0.3025"},
    {0.00005, " 0.00005"},
    {0.00001, " 0.00001"},
    {0.0006214, " 0.0006214"},
    {99990000.00000001, " 99990000"},
    {301.79999999999995, " 301.8"},
    {61029.99999999999, " 61030"},
    {35.269999999999996, " 35.27"},
    {-91.44, "-91.44"},
    {0.0, " 0"},
    {-0.0, " 0"},
    {1.0 / 3, " 0.333333333333333"},
    {123456789012345678.0, " 123456789012346000"},
};
INSTANTIATE_TEST_SUITE_P(Plain, PlainTextCase, testing::ValuesIn(kPlain));

class ExponentialPatternCase : public testing::TestWithParam<FormatCase> {};
TEST_P(ExponentialPatternCase, WritesEveryPlace) {
    EXPECT_EQ(FormatPattern(GetParam().value, NumberPattern::Exponential), GetParam().expected);
}

const FormatCase kExponential[] = {
    {91.44, "9.144e+1"},       {300, "3.000e+2"},
    {0.05682, "5.682e-2"},     {10000000000, "1.000e+10"},
    {1.094, "1.094e+0"},       {1, "1.000e+0"},
    {1.058e-16, "1.058e-16"},  {0.0, "0.000e+0"},
    {-91.44, "-9.144e+1"},     {5.027000000000001e-31, "5.027e-31"},
    {1.797e308, "1.797e+308"}, {2.225e-308, "2.225e-308"},
};
INSTANTIATE_TEST_SUITE_P(Exponential, ExponentialPatternCase, testing::ValuesIn(kExponential));

class OutOfBandPatternCase : public testing::TestWithParam<FormatCase> {};
TEST_P(OutOfBandPatternCase, DropsTrailingZerosButKeepsThePoint) {
    EXPECT_EQ(FormatPattern(GetParam().value, NumberPattern::OutOfBand), GetParam().expected);
}

const FormatCase kOutOfBand[] = {
    {120000000, "1.2e+8"},     {10000000000, "1.e+10"},     {1e-06, "1.e-6"},
    {9.672e-15, "9.672e-15"},  {914400000000, "9.144e+11"}, {100000000, "1.e+8"},
    {0.000009999, "9.999e-6"}, {-1e-06, "-1.e-6"},          {1e100, "1.e+100"},
};
INSTANTIATE_TEST_SUITE_P(OutOfBand, OutOfBandPatternCase, testing::ValuesIn(kOutOfBand));

// Every writer's cells: line breaks and TABs blank, the full-width ASCII forms (U+FF01..U+FF5E)
// and U+3000 as ASCII, nothing else changed, and at most the display's one blank dropped.
TEST(TableCell, BlanksLineBreaksAndWritesFullWidthFormsAsAscii) {
    using enum tavo::LeadingBlank;
    const std::tuple<std::string_view, tavo::LeadingBlank, std::string_view> cases[] = {
        {" 91.44", Drop, "91.44"},
        {"  5", Drop, " 5"},
        {"1\t000\r\n", Keep, "1 000  "},
        {"－１，０００．５", Drop, "-1,000.5"},
        {"！～Ａ", Keep, "!~A"},
        {"　５", Keep, " 5"},
        {"①ｱ＼", Keep, "①ｱ\\"},
        {"\xEF\xBC\x80\xEF\xBD\x9F", Keep, "\xEF\xBC\x80\xEF\xBD\x9F"},
        {"1\xEF\xBC", Keep, "1\xEF\xBC"},
    };
    for (const auto& [text, blank, cell] : cases) {
        EXPECT_EQ(tavo::TableCell(text, blank), cell) << '"' << text << '"';
    }
}

}  // namespace
