// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>

#include "tests/converter/converter_fixture.h"
#include "tests/support/printers.h"
#include "ui/forms/form_builder.h"

namespace {

using tavo::Quantity;
using tavo::Square;
using tavo::Weight;
using tavo::test::ConverterFixture;

class RowDescriptions : public testing::TestWithParam<Quantity> {};

TEST_P(RowDescriptions, BoxesAreNamedByUnitAndReadingAndTheirLabelsExplainTheUnit) {
    ConverterFixture fixture(GetParam());
    const auto* window = fixture.Open();
    const auto& rows = tavo::Table(GetParam()).rows;
    for (std::int16_t row = 0; row < window->state().RowCount; ++row) {
        const tavo::UnitRow& unit = rows[static_cast<std::size_t>(row)];
        const auto* box = window->TextBox(row);
        const QString name = QString::fromStdString(std::string(tavo::UnitName(unit)));
        const QString reading = QString::fromStdString(std::string(unit.reading));
        EXPECT_EQ(box->accessibleName(), name + " " + reading);
        const std::string size = tavo::UnitDescription(GetParam(), static_cast<std::size_t>(row));
        EXPECT_EQ(box->accessibleDescription().toStdString(), size);
        // The label beside the box names it, and explains the unit as a tooltip.
        const QLabel* label = tavo::forms::LabelFor(window->client(), box);
        ASSERT_NE(label, nullptr) << name.toStdString();
        EXPECT_EQ(label->text().trimmed(), name);
        EXPECT_EQ(label->y(), box->y() + 8) << "on the box's line";
        EXPECT_EQ(label->toolTip().toStdString(),
                  name.toStdString() + " " + std::string(unit.reading) + "\n" + size);
    }
}

INSTANTIATE_TEST_SUITE_P(AllWindows, RowDescriptions,
                         testing::Values(Quantity::Length, Quantity::Weight, Quantity::Square,
                                         Quantity::Volume));

TEST(CopyTable, PutsEveryRowOnTheClipboardAsShown) {
    ConverterFixture fixture(Quantity::Square);
    fixture.Open();
    fixture.Enter(Square::Tsubo, "30");
    QApplication::clipboard()->clear();
    // Action: Ctrl+Shift+C in a box. Expected: the table on the clipboard, the box unchanged.
    QTest::keyClick(fixture.Box(Square::Tsubo), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(QApplication::clipboard()->text(),
              "平方メートル\t99.17\r\n平方キロ\t0.00009917\r\nアール\t0.9917\r\n"
              "ヘクタール\t0.009917\r\n坪\t30\r\n反\t0.1\r\n");
    EXPECT_EQ(fixture.Text(Square::Tsubo), "30");
}

TEST(CopyTable, WritesTypedFullWidthDigitsAsAscii) {
    ConverterFixture fixture(Quantity::Weight);
    fixture.Open();
    fixture.Enter(Weight::Kilogram, "－１．５");
    fixture.Enter(Weight::Tonne, "1e400");
    const QStringList lines = fixture.Window()->TableText().split("\r\n");
    EXPECT_EQ(lines[0], "キログラム\t範囲外") << "row 0 was recomputed by the second Enter";
    EXPECT_EQ(lines[2], "トン\t1e400");
    fixture.Enter(Weight::Kilogram, "－１．５");
    EXPECT_EQ(fixture.Window()->TableText().split("\r\n")[0], "キログラム\t-1.5");
    EXPECT_EQ(fixture.Window()->TableText().split("\r\n")[1], "グラム\t-1500");
    // A pasted TAB stays inside its cell, and only full-width ASCII forms change.
    fixture.Enter(Weight::Gram, "①\t２");
    EXPECT_EQ(fixture.Window()->TableText().split("\r\n")[1], "グラム\t① 2");
}

TEST(CopyTable, CtrlCInsideABoxStillCopiesItsSelection) {
    ConverterFixture fixture(Quantity::Length);
    fixture.Open();
    fixture.Box(tavo::Length::Inch)->setFocus();
    fixture.Box(tavo::Length::Inch)->selectAll();
    QTest::keyClick(fixture.Box(tavo::Length::Inch), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), " 39.37");
}

}  // namespace
