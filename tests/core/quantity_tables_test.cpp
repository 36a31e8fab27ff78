#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "core/quantity_tables.h"
#include "core/recompute.h"
#include "tests/support/cp932.h"

namespace {

using tavo::Quantity;
using tavo::RowCount;
using tavo::Table;
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

TEST(QuantityTables, KeepTheFactorsAsWrittenNotTheLegalDefinitions) {
    EXPECT_EQ(Table(Quantity::Square).rows[4].factor, 3.3058);
    EXPECT_EQ(Table(Quantity::Length).rows[4].factor, 1609.3);
    EXPECT_EQ(Table(Quantity::Length).rows[7].factor, 9.454e15);
    EXPECT_EQ(Table(Quantity::Weight).rows[3].factor, 0.4535);
    EXPECT_EQ(Table(Quantity::Volume).rows[3].factor, 1.63862e-05);
    EXPECT_EQ(Table(Quantity::Weight).rows[8].factor, 1.9891e30);
}

TEST(QuantityTables, LabelsKeepTheirHalfWidthCharacters) {
    EXPECT_EQ(Table(Quantity::Volume).rows[2].label, " cc");
    EXPECT_EQ(Table(Quantity::Volume).rows[4].label, "ガロン(米)");
    EXPECT_EQ(Table(Quantity::Length).rows[8].label, "オングストローム");
    EXPECT_EQ(Table(Quantity::Weight).rows[6].label, "匁");
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

// Code points of a UTF-8 text (the readings are plain three-byte kana).
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
    EXPECT_EQ(Table(Quantity::Weight).rows[6].reading, "もんめ");
    EXPECT_EQ(Table(Quantity::Square).rows[4].reading, "つぼ");
    EXPECT_EQ(Table(Quantity::Volume).rows[7].reading, "こく");
}

TEST(UnitDescription, GivesTheSizeInTheBaseUnitAsWritten) {
    EXPECT_EQ(tavo::UnitDescription(Quantity::Length, 5), "1 尺 = 0.303 メートル");
    EXPECT_EQ(tavo::UnitDescription(Quantity::Square, 4), "1 坪 = 3.3058 平方メートル");
    EXPECT_EQ(tavo::UnitDescription(Quantity::Volume, 2), "1 cc = 1e-06 立方メートル");
    EXPECT_EQ(tavo::UnitDescription(Quantity::Weight, 8), "1 太陽質量 = 1.9891e+30 キログラム");
    EXPECT_EQ(tavo::UnitDescription(Quantity::Length, 0), "基準の単位");
    EXPECT_THROW(tavo::UnitDescription(Quantity::Square, 6), std::out_of_range);
    for (const Quantity q : tavo::kQuantities) {
        for (std::size_t row = 0; row < Table(q).rows.size(); ++row) {
            EXPECT_TRUE(FitsCodePage932(tavo::UnitDescription(q, row)));
        }
    }
}

}  // namespace
