#include <gtest/gtest.h>

#include <string>

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
