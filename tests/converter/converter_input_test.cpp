#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>

#include <ostream>

#include "tests/converter/converter_fixture.h"
#include "tests/support/cp932.h"
#include "ui/converter/converter_layouts.h"

namespace {

using tavo::Quantity;
using tavo::test::ConverterFixture;

// Whatever arrives in a box, Enter must return, leave the window usable and show what the
// core makes of the text.
TEST(HostileInput, AMebibyteOfPastedDigitsIsOutOfRange) {
    ConverterFixture fixture(Quantity::Length);
    fixture.Open();
    fixture.Box(0)->setText(QString(1 << 20, QChar('9')));
    QTest::keyClick(fixture.Box(0), Qt::Key_Return);
    EXPECT_EQ(fixture.Texts()[1], "範囲外");
    EXPECT_EQ(fixture.Box(0)->text().size(), tavo::forms::kTextBoxMaxLength)
        << "the pasted text stays, cut to the box's limit";
    fixture.Enter(1, "100");
    EXPECT_EQ(fixture.Texts()[0], " 91.44") << "still usable";
}

TEST(HostileInput, SixteenMebibytesPastedThenEnterCompletes) {
    ConverterFixture fixture(Quantity::Volume);
    fixture.Open();
    // State: a number with 16 Mi zeros after "0.5" pasted into the litre row. Expected: the
    // box keeps as much as it holds, which still reads as 0.5.
    QApplication::clipboard()->setText(QStringLiteral("0.5") + QString(16 << 20, QChar('0')));
    fixture.Box(1)->setFocus();
    fixture.Box(1)->selectAll();
    fixture.Box(1)->paste();
    EXPECT_EQ(fixture.Box(1)->text().size(), tavo::forms::kTextBoxMaxLength);
    QTest::keyClick(fixture.Box(1), Qt::Key_Return);
    EXPECT_EQ(fixture.Texts()[0], " 0.0005");
    EXPECT_EQ(fixture.Texts()[2], " 500");
    fixture.Enter(0, "2");
    EXPECT_EQ(fixture.Texts()[1], " 2000") << "the window stays usable";
}

TEST(HostileInput, AMebibyteOfPastedJunkReadsAsZero) {
    ConverterFixture fixture(Quantity::Weight);
    fixture.Open();
    QApplication::clipboard()->setText(QString(1 << 20, QChar(u'ぬ')));
    fixture.Box(2)->setFocus();
    fixture.Box(2)->selectAll();
    fixture.Box(2)->paste();
    QTest::keyClick(fixture.Box(2), Qt::Key_Return);
    EXPECT_EQ(fixture.Texts()[0], " 0");
    EXPECT_EQ(fixture.Texts()[8], " 0");
}

struct InputCase {
    const char* typed;
    const char* metreRow;  // what row 0 shows after Enter in the yard row
};

void PrintTo(const InputCase& c, std::ostream* os) {
    *os << '"' << c.typed << '"';
}

class TypedInput : public testing::TestWithParam<InputCase> {};

TEST_P(TypedInput, ShowsWhatTheCoreMakesOfIt) {
    ConverterFixture fixture(Quantity::Length);
    fixture.Open();
    fixture.Enter(1, QString::fromUtf8(GetParam().typed));
    EXPECT_EQ(fixture.Texts()[0], QString::fromUtf8(GetParam().metreRow));
    EXPECT_EQ(fixture.Texts()[1], QString::fromUtf8(GetParam().typed));
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
    fixture.Enter(4, "1e400");
    fixture.Click("OptFrmExp");
    EXPECT_EQ(fixture.Texts(), QStringList(9, "範囲外"));
    fixture.Enter(2, fixture.Texts()[2]);  // Enter on "範囲外" reads 0
    EXPECT_EQ(fixture.Texts()[0], "0.000e+0");
}

TEST(VisibleText, EveryTextOfTheFourWindowsFitsCodePage932) {
    for (const Quantity quantity : tavo::kQuantities) {
        const tavo::forms::FormDesign& layout = tavo::converter::ConverterLayout(quantity);
        EXPECT_TRUE(tavo::test::FitsCodePage932(std::string(layout.title))) << layout.title;
        for (const tavo::forms::ControlDesign& control : layout.controls) {
            EXPECT_TRUE(tavo::test::FitsCodePage932(std::string(control.caption)))
                << control.caption;
        }
    }
}

}  // namespace
