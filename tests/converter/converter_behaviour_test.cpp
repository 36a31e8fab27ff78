// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QPushButton>

#include "core/recompute.h"
#include "tests/converter/converter_fixture.h"
#include "tests/support/printers.h"

namespace {

using tavo::BaseIndex;
using tavo::Length;
using tavo::Quantity;
using tavo::Volume;
using tavo::Weight;
using tavo::test::ConverterFixture;

// What a freshly loaded window must show: the core's refresh of a freshly initialised state,
// whose texts the core's own tests pin digit by digit.
QStringList FreshTexts(Quantity quantity) {
    tavo::ConverterState state;
    tavo::InitialiseState(state, quantity);
    QStringList texts;
    for (const tavo::RowText& row : tavo::Recompute(state, BaseIndex, {}, false)) {
        texts << QString::fromStdString(row.text);
    }
    return texts;
}

const QStringList kFreshLength = FreshTexts(Quantity::Length);

class FreshWindow : public testing::TestWithParam<Quantity> {};

TEST_P(FreshWindow, ShowsOneBaseUnitWithNormalDisplayAndTheFirstRowSelected) {
    ConverterFixture fixture(GetParam());
    const auto* window = fixture.Open();
    EXPECT_EQ(fixture.Texts(), FreshTexts(GetParam()));
    EXPECT_TRUE(window->control<QRadioButton>("OptFrmFix")->isChecked());
    EXPECT_FALSE(window->control<QRadioButton>("OptFrmExp")->isChecked());
    EXPECT_EQ(QApplication::focusWidget(), window->TextBox(0));
    EXPECT_EQ(window->TextBox(0)->selectedText(), window->TextBox(0)->text());
    EXPECT_EQ(window->state().UnitValue[BaseIndex], 1.0);
}

INSTANTIATE_TEST_SUITE_P(AllQuantities, FreshWindow, testing::ValuesIn(tavo::kQuantities));

TEST(Typing, WithoutEnterChangesNothingElse) {
    ConverterFixture fixture(Quantity::Length);
    fixture.Open();
    // State: fresh window. Action: type "100" into the yard row without Enter.
    fixture.Box(Length::Yard)->setFocus();
    QTest::keyClicks(fixture.Box(Length::Yard), "100");
    QStringList expected = kFreshLength;
    expected[tavo::Row(Length::Yard)] = "100";
    EXPECT_EQ(fixture.Texts(), expected);
    EXPECT_EQ(fixture.Window()->state().UnitValue[BaseIndex], 1.0);
}

TEST(Enter, RewritesEveryOtherRowAndKeepsTheTypedCharacters) {
    ConverterFixture fixture(Quantity::Length);
    fixture.Open();
    fixture.Enter(Length::Inch, "3600.0");
    const QStringList texts = fixture.Texts();
    EXPECT_EQ(fixture.Text(Length::Inch), "3600.0")
        << "no rounding, no line break, no Enter character";
    EXPECT_EQ(fixture.Text(Length::Metre), " 91.44");
    EXPECT_EQ(fixture.Text(Length::Yard), " 100");
    EXPECT_EQ(fixture.Text(Length::Angstrom), "9.144e+11");
    // Enter again without editing: the same display.
    QTest::keyClick(fixture.Box(Length::Inch), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(fixture.Texts(), texts);
}

TEST(Options, RewriteEveryRowFromTheStoredBase) {
    ConverterFixture fixture(Quantity::Length);
    fixture.Open();
    fixture.Enter(Length::Yard, "100");
    fixture.Click("OptFrmExp");
    EXPECT_EQ(fixture.Texts(),
              (QStringList{"9.144e+1", "1.000e+2", "3.000e+2", "3.600e+3", "5.682e-2", "3.018e+2",
                           "4.937e-2", "9.672e-15", "9.144e+11"}));
    fixture.Click("OptFrmFix");
    EXPECT_EQ(fixture.Text(Length::Yard), " 100")
        << "the converted-back value, no longer the typed text";
    EXPECT_EQ(fixture.Window()->state().UnitValue[BaseIndex], 91.44);
}

TEST(Options, DiscardTextTypedWithoutEnter) {
    ConverterFixture fixture(Quantity::Length);
    fixture.Open();
    fixture.Box(Length::Foot)->setFocus();
    QTest::keyClicks(fixture.Box(Length::Foot), "777");
    fixture.Click("OptFrmExp");
    EXPECT_EQ(fixture.Text(Length::Foot), "3.281e+0");
}

TEST(Options, AClickOnTheSelectedOptionRefreshesToo) {
    ConverterFixture fixture(Quantity::Weight);
    fixture.Open();
    fixture.Box(Weight::Ounce)->setFocus();
    QTest::keyClicks(fixture.Box(Weight::Ounce), "junk");
    fixture.Click("OptFrmFix");  // already selected
    EXPECT_EQ(fixture.Text(Weight::Ounce), " 35.27");
}

TEST(Options, TakeAClickAnywhereInTheirRectangle) {
    for (const Quantity quantity : tavo::kQuantities) {
        ConverterFixture fixture(quantity);
        auto* window = fixture.Open();
        for (const char* name : {"OptFrmExp", "OptFrmFix"}) {
            auto* option = window->control<QRadioButton>(name);
            // The far corner: well right of the caption and below it.
            QTest::mouseClick(option, Qt::LeftButton, {},
                              QPoint(option->width() - 1, option->height() - 1));
            EXPECT_TRUE(option->isChecked()) << name << " of " << tavo::Table(quantity).name;
        }
    }
}

// Alt+N and Alt+E click なし and 指数, the selected one too, which refreshes every row as a
// click does; the focus stays in the box and no letter reaches it. Ctrl+W closes the window.
TEST(Keys, AltNAndAltEClickTheOptionsAndCtrlWCloses) {
    ConverterFixture fixture(Quantity::Weight);
    auto* window = fixture.Open();
    fixture.Enter(Weight::Kilogram, "100");
    tavo::forms::FormTextBox* box = fixture.Box(Weight::Ounce);
    box->setFocus();
    struct Step {
        Qt::Key key;
        const char* selected;
        const char* ounce;
    };
    const Step steps[] = {{Qt::Key_N, "OptFrmFix", " 3527"},
                          {Qt::Key_E, "OptFrmExp", "3.527e+3"},
                          {Qt::Key_E, "OptFrmExp", "3.527e+3"},
                          {Qt::Key_N, "OptFrmFix", " 3527"}};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.selected);
        QTest::keyClicks(box, "9");  // typed without Enter: the refresh must drop it
        QTest::keyClick(box, step.key, Qt::AltModifier);
        EXPECT_TRUE(window->control<QRadioButton>(step.selected)->isChecked());
        EXPECT_EQ(fixture.Text(Weight::Ounce), step.ounce);
        EXPECT_EQ(QApplication::focusWidget(), box);
    }
    QTest::keyClick(box, Qt::Key_W, Qt::ControlModifier);
    EXPECT_FALSE(fixture.Reference().isLoaded());
}

// Closing by the close box unloads as 閉じる does (the window reference's own tests).
TEST(Lifetime, CloseAndReopenStartsAgainFromOneBaseUnit) {
    ConverterFixture fixture(Quantity::Length);
    fixture.Open();
    fixture.Enter(Length::Metre, "5");
    fixture.Click("OptFrmExp");
    QPointer<QWidget> old = fixture.Window();
    QTest::mouseClick(fixture.Window()->control<QPushButton>("CommandClose"), Qt::LeftButton);
    EXPECT_FALSE(fixture.Reference().isLoaded());
    tavo::test::FlushDeletes();
    EXPECT_TRUE(old.isNull()) << "destroyed, not hidden";
    fixture.Open();
    EXPECT_EQ(fixture.Texts(), kFreshLength);
    EXPECT_TRUE(fixture.Window()->control<QRadioButton>("OptFrmFix")->isChecked());
}

TEST(Lifetime, ReopeningAnOpenWindowChangesNothing) {
    ConverterFixture fixture(Quantity::Length);
    auto* window = fixture.Open();
    fixture.Enter(Length::Yard, "100");
    fixture.Click("OptFrmExp");
    const QStringList texts = fixture.Texts();
    EXPECT_EQ(fixture.Open(), window);
    EXPECT_EQ(fixture.Texts(), texts);
    EXPECT_TRUE(window->control<QRadioButton>("OptFrmExp")->isChecked());
}

TEST(Lifetime, TwoWindowsShareNoState) {
    ConverterFixture length(Quantity::Length);
    ConverterFixture weight(Quantity::Weight);
    length.Open();
    weight.Open();
    weight.Enter(Weight::Kilogram, "5");
    weight.Click("OptFrmExp");
    EXPECT_EQ(length.Texts(), kFreshLength);
    EXPECT_EQ(length.Window()->state().UnitValue[BaseIndex], 1.0);
}

TEST(Focus, TabSelectsTheWholeTextAndCyclesThroughBoxesAndCloseButton) {
    ConverterFixture fixture(Quantity::Square);
    auto* window = fixture.Open();
    std::vector<QString> visited;
    for (int i = 0; i < 8; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* focus = QApplication::focusWidget();
        visited.push_back(focus->objectName());
        if (auto* box = qobject_cast<tavo::forms::FormTextBox*>(focus)) {
            EXPECT_EQ(box->selectedText(), box->text()) << focus->objectName().toStdString();
        }
    }
    EXPECT_EQ(visited,
              (std::vector<QString>{"TextBox_1", "TextBox_2", "TextBox_3", "TextBox_4", "TextBox_5",
                                    "CommandClose", "TextBox_0", "TextBox_1"}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "TextBox_0");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), window->control<QPushButton>("CommandClose"));
}

TEST(Focus, AClickIntoAnotherBoxSelectsItsTextSoTypingReplacesIt) {
    ConverterFixture fixture(Quantity::Length);
    fixture.Open();
    // State: the focus in the metre row. Action: click into the yard row, type 2, Enter.
    QTest::mouseClick(fixture.Box(Length::Yard), Qt::LeftButton, {}, QPoint(40, 10));
    EXPECT_EQ(fixture.Box(Length::Yard)->selectedText(), " 1.094");
    QTest::keyClicks(fixture.Box(Length::Yard), "2");
    QTest::keyClick(fixture.Box(Length::Yard), Qt::Key_Return);
    EXPECT_EQ(fixture.Text(Length::Metre), " 1.829");
    // A second click places the caret as usual.
    QTest::mouseClick(fixture.Box(Length::Yard), Qt::LeftButton, {}, QPoint(40, 10));
    EXPECT_FALSE(fixture.Box(Length::Yard)->hasSelectedText());
}

TEST(Focus, EnterOrSpaceOnTheCloseButtonClosesTheWindow) {
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) {
        ConverterFixture fixture(Quantity::Volume);
        auto* window = fixture.Open();
        auto* close = window->control<QPushButton>("CommandClose");
        close->setFocus();
        QTest::keyClick(close, key);
        EXPECT_FALSE(fixture.Reference().isLoaded()) << key;
    }
}

TEST(Focus, EscapeDoesNothing) {
    ConverterFixture fixture(Quantity::Volume);
    fixture.Open();
    QTest::keyClick(fixture.Box(Volume::CubicCentimetre), Qt::Key_Escape);
    EXPECT_TRUE(fixture.Reference().isLoaded());
}

}  // namespace
