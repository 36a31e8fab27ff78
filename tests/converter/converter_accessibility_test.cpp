#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>

#include "tests/converter/converter_fixture.h"
#include "tests/support/printers.h"

namespace {

using tavo::Quantity;
using tavo::test::ConverterFixture;

class RowDescriptions : public testing::TestWithParam<Quantity> {};

TEST_P(RowDescriptions, BoxesAreNamedByLabelAndReadingAndLabelsExplainTheUnit) {
    ConverterFixture fixture(GetParam());
    fixture.Open();
    const auto& rows = tavo::Table(GetParam()).rows;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto* box = fixture.Box(static_cast<int>(i));
        const QString label =
            QString::fromUtf8(rows[i].label.data(), static_cast<qsizetype>(rows[i].label.size()));
        EXPECT_TRUE(box->accessibleName().startsWith(label)) << box->accessibleName().toStdString();
        EXPECT_TRUE(box->accessibleName().endsWith(QString::fromUtf8(
            rows[i].reading.data(), static_cast<qsizetype>(rows[i].reading.size()))));
        EXPECT_EQ(box->accessibleDescription().toStdString(), tavo::UnitDescription(GetParam(), i));
        int labelsWithTip = 0;
        for (const QLabel* caption : fixture.Window()->client()->findChildren<QLabel*>()) {
            if (caption->text() == label) {
                ++labelsWithTip;
                EXPECT_TRUE(caption->toolTip().contains(box->accessibleDescription()));
            }
        }
        EXPECT_EQ(labelsWithTip, 1) << label.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(AllWindows, RowDescriptions,
                         testing::Values(Quantity::Length, Quantity::Weight, Quantity::Square,
                                         Quantity::Volume));

TEST(CopyTable, PutsEveryRowOnTheClipboardAsShown) {
    ConverterFixture fixture(Quantity::Square);
    fixture.Open();
    fixture.Enter(4, "30");
    QApplication::clipboard()->clear();
    // Action: Ctrl+Shift+C in a box. Expected: the table on the clipboard, the box unchanged.
    QTest::keyClick(fixture.Box(4), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(QApplication::clipboard()->text(),
              "平方メートル\t99.17\r\n平方キロ\t0.00009917\r\nアール\t0.9917\r\n"
              "ヘクタール\t0.009917\r\n坪\t30\r\n反\t0.1\r\n");
    EXPECT_EQ(fixture.Box(4)->text(), "30");
}

TEST(CopyTable, WritesTypedFullWidthDigitsAsAscii) {
    ConverterFixture fixture(Quantity::Weight);
    fixture.Open();
    fixture.Enter(0, "－１．５");
    fixture.Enter(2, "1e400");
    const QStringList lines = fixture.Window()->TableText().split("\r\n");
    EXPECT_EQ(lines[0], "キログラム\t範囲外") << "row 0 was recomputed by the second Enter";
    EXPECT_EQ(lines[2], "トン\t1e400");
    fixture.Enter(0, "－１．５");
    EXPECT_EQ(fixture.Window()->TableText().split("\r\n")[0], "キログラム\t-1.5");
    EXPECT_EQ(fixture.Window()->TableText().split("\r\n")[1], "グラム\t-1500");
}

TEST(CopyTable, CtrlCInsideABoxStillCopiesItsSelection) {
    ConverterFixture fixture(Quantity::Length);
    fixture.Open();
    fixture.Box(3)->setFocus();
    fixture.Box(3)->selectAll();
    QTest::keyClick(fixture.Box(3), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), " 39.37");
}

}  // namespace
