// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <clocale>
#include <cwctype>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/quantity_tables.h"
#include "core/recompute.h"
#include "tests/support/cp932.h"

namespace {

using tavo::Quantity;
using tavo::Row;
using tavo::RowCount;
using tavo::Table;
using tavo::UnitName;
using tavo::Volume;
using tavo::test::FitsCodePage932;

TEST(QuantityTables, HaveTheirRowCountsAndABaseUnit) {
    EXPECT_EQ(RowCount(Quantity::Square), 6);
    EXPECT_EQ(RowCount(Quantity::Length), 9);
    EXPECT_EQ(RowCount(Quantity::Volume), 8);
    EXPECT_EQ(RowCount(Quantity::Weight), 9);
    for (const Quantity q : tavo::kQuantities) {
        EXPECT_EQ(Table(q).rows[0].factor, 1.0) << Table(q).name;
        EXPECT_EQ(Table(q).quantity, q);
    }
}

TEST(QuantityTables, NamesDropOnlyTheLabelsPaddingBlanks) {
    const auto& volume = Table(Quantity::Volume).rows;
    EXPECT_EQ(volume[Row(Volume::CubicCentimetre)].label, " cc");
    EXPECT_EQ(UnitName(volume[Row(Volume::CubicCentimetre)]), "cc");
    EXPECT_EQ(UnitName(volume[Row(Volume::UsGallon)]), "ガロン(米)");
    EXPECT_EQ(UnitName(tavo::UnitRow{"  ", "", 1, ""}), "");
    EXPECT_EQ(UnitName(tavo::UnitRow{" a b ", "", 1, ""}), "a b");
}

// Code points of a UTF-8 text.
std::vector<char32_t> CodePoints(std::string_view text) {
    std::vector<char32_t> points;
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const std::size_t length = byte < 0x80 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
        char32_t point = length == 1 ? byte : byte & (0xFFu >> (length + 1));
        for (std::size_t k = 1; k < length && i + k < text.size(); ++k) {
            point = (point << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3Fu);
        }
        points.push_back(point);
        i += length;
    }
    return points;
}

// The UTF-8 form of a code point below U+10000.
std::string Utf8(char32_t c) {
    const auto byte = [](char32_t bits) { return static_cast<char>(bits); };
    if (c < 0x80) return {byte(c)};
    if (c < 0x800) return {byte(0xC0 | c >> 6), byte(0x80 | (c & 0x3F))};
    return {byte(0xE0 | c >> 12), byte(0x80 | (c >> 6 & 0x3F)), byte(0x80 | (c & 0x3F))};
}

// The name in upper case as a user may type it, by the C library's Unicode tables (towupper
// in C.UTF-8), not by the program's own fold.
std::string Upper(std::string_view name) {
    static const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
    if (utf8 == locale_t{}) ADD_FAILURE() << "no C.UTF-8 locale";
    std::string upper;
    for (const char32_t c : CodePoints(name)) {
        upper += utf8 == locale_t{} ? Utf8(c) : Utf8(towupper_l(static_cast<wint_t>(c), utf8));
    }
    return upper;
}

// Each name a row answers to, as written and in upper case, names that row and no other row
// of its quantity, and none looks like a row number.
TEST(UnitNames, EachNameNamesItsOwnRowOnly) {
    for (const Quantity q : tavo::kQuantities) {
        const auto rows = Table(q).rows;
        for (std::size_t k = 0; k < rows.size(); ++k) {
            std::vector<std::string> names{std::string(rows[k].label),
                                           std::string(UnitName(rows[k]))};
            for (const std::string_view alias : tavo::UnitAliases(rows[k])) {
                EXPECT_FALSE(alias.empty()) << rows[k].label;
                EXPECT_NE(alias.find_first_not_of("0123456789"), std::string_view::npos) << alias;
                names.emplace_back(alias);
                names.push_back(Upper(alias));
            }
            for (const std::string& name : names) {
                for (std::size_t other = 0; other < rows.size(); ++other) {
                    EXPECT_EQ(tavo::NamesUnit(rows[other], name), other == k)
                        << Table(q).name << ": \"" << name << "\" and row " << other;
                }
            }
        }
    }
    EXPECT_EQ(Upper("ångström gō shō"), "ÅNGSTRÖM GŌ SHŌ");
    const auto& angstrom = Table(Quantity::Length).rows[Row(tavo::Length::Angstrom)];
    EXPECT_TRUE(tavo::NamesUnit(angstrom, "å"));
    EXPECT_TRUE(tavo::NamesUnit(angstrom, "ÅNGSTRöM"));
    for (const std::string_view near : {"", " ", "Å ", "angstrom ", "ang", "\u212Bngstrom"}) {
        EXPECT_FALSE(tavo::NamesUnit(angstrom, near)) << '"' << near << '"';
    }
}

// Every lower-case letter of Latin-1 and Latin Extended-A whose upper case lies in those blocks
// too names what its upper case names (the pairs' parity changes within Extended-A).
TEST(UnitNames, FoldEveryCasePairOfLatin1AndLatinExtendedA) {
    for (char32_t c = 0xC0; c <= 0x17F; ++c) {
        const std::string lower = Utf8(c);
        const std::string upper = Upper(lower);
        if (upper == lower || CodePoints(upper)[0] < 0xC0) continue;  // no pair here: ß, ı, ſ
        EXPECT_TRUE(tavo::NamesUnit(tavo::UnitRow{"x", "", 1, lower}, upper)) << lower << upper;
    }
}

TEST(CodePage932, CheckerRejectsWhatShiftJisCannotStore) {
    EXPECT_TRUE(FitsCodePage932("度量衡変換－長さ"));
    EXPECT_FALSE(FitsCodePage932("\u2212"));  // MINUS SIGN instead of U+FF0D
    EXPECT_FALSE(FitsCodePage932("\U0001F600"));
}

TEST(CodePage932, EveryLabelAndTheOutOfRangeTextFit) {
    for (const Quantity q : tavo::kQuantities) {
        for (const tavo::UnitRow& row : Table(q).rows) {
            EXPECT_TRUE(FitsCodePage932(std::string(row.label))) << row.label;
        }
    }
    EXPECT_TRUE(FitsCodePage932(std::string(tavo::kOutOfRangeText)));
}

}  // namespace

namespace {

TEST(Readings, AreHiraganaForEveryUnit) {
    for (const Quantity q : tavo::kQuantities) {
        for (const tavo::UnitRow& row : Table(q).rows) {
            const auto points = CodePoints(row.reading);
            EXPECT_FALSE(points.empty()) << row.label;
            for (const char32_t point : points) {
                EXPECT_TRUE((point >= 0x3041 && point <= 0x309F) || point == 0x30FC)
                    << row.label << " " << row.reading;
            }
            EXPECT_TRUE(FitsCodePage932(std::string(row.reading))) << row.reading;
        }
    }
    EXPECT_EQ(Table(Quantity::Weight).rows[Row(tavo::Weight::Monme)].reading, "もんめ");
    EXPECT_EQ(Table(Quantity::Square).rows[Row(tavo::Square::Tsubo)].reading, "つぼ");
    EXPECT_EQ(Table(Quantity::Volume).rows[Row(Volume::Koku)].reading, "こく");
}

// Every factor, pinned once through the words a screen reader says for its row. Written from
// the program's own list of factors (not read from the table), so a changed digit of any
// factor fails here: the tsubo is 3.3058 m², not 400/121, the pound 0.4535 kg.
struct DescriptionCase {
    Quantity quantity;
    std::int16_t row;
    std::string_view expected;
};

TEST(UnitDescription, GivesEveryFactorAsWritten) {
    using tavo::Length;
    using tavo::Square;
    using tavo::Volume;
    using tavo::Weight;
    const DescriptionCase cases[] = {
        {Quantity::Square, Row(Square::SquareKilometre), "1 平方キロ = 1e+06 平方メートル"},
        {Quantity::Square, Row(Square::Are), "1 アール = 100 平方メートル"},
        {Quantity::Square, Row(Square::Hectare), "1 ヘクタール = 10000 平方メートル"},
        {Quantity::Square, Row(Square::Tsubo), "1 坪 = 3.3058 平方メートル"},
        {Quantity::Square, Row(Square::Tan), "1 反 = 991.736 平方メートル"},
        {Quantity::Length, Row(Length::Yard), "1 ヤード = 0.9144 メートル"},
        {Quantity::Length, Row(Length::Foot), "1 フィート = 0.3048 メートル"},
        {Quantity::Length, Row(Length::Inch), "1 インチ = 0.0254 メートル"},
        {Quantity::Length, Row(Length::Mile), "1 マイル = 1609.3 メートル"},
        {Quantity::Length, Row(Length::Shaku), "1 尺 = 0.303 メートル"},
        {Quantity::Length, Row(Length::NauticalMile), "1 海里 = 1852 メートル"},
        {Quantity::Length, Row(Length::LightYear), "1 光年 = 9.454e+15 メートル"},
        {Quantity::Length, Row(Length::Angstrom), "1 オングストローム = 1e-10 メートル"},
        {Quantity::Volume, Row(Volume::Litre), "1 リットル = 0.001 立方メートル"},
        {Quantity::Volume, Row(Volume::CubicCentimetre), "1 cc = 1e-06 立方メートル"},
        {Quantity::Volume, Row(Volume::CubicInch), "1 立方インチ = 1.63862e-05 立方メートル"},
        {Quantity::Volume, Row(Volume::UsGallon), "1 ガロン(米) = 0.0037854 立方メートル"},
        {Quantity::Volume, Row(Volume::Go), "1 合 = 0.0001804 立方メートル"},
        {Quantity::Volume, Row(Volume::Sho), "1 升 = 0.001804 立方メートル"},
        {Quantity::Volume, Row(Volume::Koku), "1 石 = 0.1804 立方メートル"},
        {Quantity::Weight, Row(Weight::Gram), "1 グラム = 0.001 キログラム"},
        {Quantity::Weight, Row(Weight::Tonne), "1 トン = 1000 キログラム"},
        {Quantity::Weight, Row(Weight::Pound), "1 ポンド = 0.4535 キログラム"},
        {Quantity::Weight, Row(Weight::Ounce), "1 オンス = 0.02835 キログラム"},
        {Quantity::Weight, Row(Weight::Kan), "1 貫 = 3.75 キログラム"},
        {Quantity::Weight, Row(Weight::Monme), "1 匁 = 0.00375 キログラム"},
        {Quantity::Weight, Row(Weight::Kin), "1 斤 = 0.6 キログラム"},
        {Quantity::Weight, Row(Weight::SolarMass), "1 太陽質量 = 1.9891e+30 キログラム"},
    };
    std::size_t described = 0;
    for (const DescriptionCase& c : cases) {
        EXPECT_EQ(tavo::UnitDescription(c.quantity, static_cast<std::size_t>(c.row)), c.expected);
        EXPECT_TRUE(FitsCodePage932(std::string(c.expected)));
        ++described;
    }
    for (const Quantity q : tavo::kQuantities) {
        EXPECT_EQ(tavo::UnitDescription(q, 0), "基準の単位") << Table(q).name;
        described -= Table(q).rows.size() - 1;
    }
    EXPECT_EQ(described, 0U) << "every row but the base units is listed once";
    EXPECT_THROW(tavo::UnitDescription(Quantity::Square, 6), std::out_of_range);
}

}  // namespace
