// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>

#include <ostream>

#include "tests/converter/converter_fixture.h"

namespace {

using tavo::Length;
using tavo::Quantity;
using tavo::Volume;
using tavo::Weight;
using tavo::test::ConverterFixture;

// Whatever arrives in a box, Enter must return, leave the window usable and show what the
// core makes of the text.
TEST(HostileInput, AMebibyteOfPastedDigitsIsOutOfRange) {
    ConverterFixture fixture(Quantity::Length);
    fixture.Open();
    fixture.Box(Length::Metre)->setText(QString(1 << 20, QChar('9')));
    QTest::keyClick(fixture.Box(Length::Metre), Qt::Key_Return);
    EXPECT_EQ(fixture.Text(Length::Yard), "範囲外");
    EXPECT_EQ(fixture.Text(Length::Metre).size(), tavo::forms::kTextBoxMaxLength)
        << "the pasted text stays, cut to the box's limit";
    fixture.Enter(Length::Yard, "100");
    EXPECT_EQ(fixture.Text(Length::Metre), " 91.44") << "still usable";
}

TEST(HostileInput, SixteenMebibytesPastedThenEnterCompletes) {
    ConverterFixture fixture(Quantity::Volume);
    fixture.Open();
    // State: a number with 16 Mi zeros after "0.5" pasted into the litre row. Expected: the
    // box keeps as much as it holds, which still reads as 0.5.
    QApplication::clipboard()->setText(QStringLiteral("0.5") + QString(16 << 20, QChar('0')));
    fixture.Box(Volume::Litre)->setFocus();
    fixture.Box(Volume::Litre)->selectAll();
    fixture.Box(Volume::Litre)->paste();
    EXPECT_EQ(fixture.Text(Volume::Litre).size(), tavo::forms::kTextBoxMaxLength);
    QTest::keyClick(fixture.Box(Volume::Litre), Qt::Key_Return);
    EXPECT_EQ(fixture.Text(Volume::CubicMetre), " 0.0005");
    EXPECT_EQ(fixture.Text(Volume::CubicCentimetre), " 500");
    fixture.Enter(Volume::CubicMetre, "2");
    EXPECT_EQ(fixture.Text(Volume::Litre), " 2000") << "the window stays usable";
}

TEST(HostileInput, AMebibyteOfPastedJunkReadsAsZero) {
    ConverterFixture fixture(Quantity::Weight);
    fixture.Open();
    QApplication::clipboard()->setText(QString(1 << 20, QChar(u'ぬ')));
    fixture.Box(Weight::Tonne)->setFocus();
    fixture.Box(Weight::Tonne)->selectAll();
    fixture.Box(Weight::Tonne)->paste();
    QTest::keyClick(fixture.Box(Weight::Tonne), Qt::Key_Return);
    EXPECT_EQ(fixture.Text(Weight::Kilogram), " 0");
    EXPECT_EQ(fixture.Text(Weight::SolarMass), " 0");
}

struct InputCase {
    const char* typed;
    const char* metreRow;  // what the metre row shows after Enter in the yard row
};

void PrintTo(const InputCase& c, std::ostream* os) {
    *os << '"' << c.typed << '"';
}

class TypedInput : public testing::TestWithParam<InputCase> {};

TEST_P(TypedInput, ShowsWhatTheCoreMakesOfIt) {
    ConverterFixture fixture(Quantity::Length);
    fixture.Open();
    fixture.Enter(Length::Yard, QString::fromUtf8(GetParam().typed));
    EXPECT_EQ(fixture.Text(Length::Metre), QString::fromUtf8(GetParam().metreRow));
    EXPECT_EQ(fixture.Text(Length::Yard), QString::fromUtf8(GetParam().typed));
}

INSTANTIATE_TEST_SUITE_P(Texts, TypedInput,
                         testing::Values(InputCase{"1e400", "範囲外"}, InputCase{"-0", " 0"},
                                         InputCase{"", " 0"}, InputCase{"１２３．５", " 112.9"},
                                         InputCase{"-100", "-91.44"}, InputCase{"12abc", " 10.97"},
                                         InputCase{"1 000", " 914.4"},
                                         InputCase{"1e-320", "範囲外"}, InputCase{"nan", " 0"}));

TEST(HostileInput, OutOfRangeThenARefreshShowsOutOfRangeEverywhere) {
    ConverterFixture fixture(Quantity::Length);
    fixture.Open();
    fixture.Enter(Length::Mile, "1e400");
    fixture.Click("OptFrmExp");
    EXPECT_EQ(fixture.Texts(), QStringList(9, "範囲外"));
    fixture.Enter(Length::Foot, fixture.Text(Length::Foot));  // Enter on "範囲外" reads 0
    EXPECT_EQ(fixture.Text(Length::Metre), "0.000e+0");
}

}  // namespace
