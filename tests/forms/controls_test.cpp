// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include <vector>

#include "ui/forms/controls.h"

namespace {

using tavo::forms::FormTextBox;

// A shown, focused box that records the key codes its handler saw.
struct BoxFixture : testing::Test {
    void SetUp() override {
        box.resize(200, 30);
        box.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
        box.keyPressHandler = [this](int& code) {
            codes.push_back(code);
            if (code == consume) code = 0;
        };
    }
    FormTextBox box;
    std::vector<int> codes;
    int consume = 13;
};

TEST_F(BoxFixture, BothEnterKeysAreCode13AndAreConsumed) {
    box.setText("12");
    QTest::keyClick(&box, Qt::Key_Return);
    QTest::keyClick(&box, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(codes, (std::vector<int>{13, 13}));
    EXPECT_EQ(box.text(), "12");
}

TEST_F(BoxFixture, OtherKeysReachTheBoxUnchanged) {
    QTest::keyClicks(&box, "1a-.");
    QTest::keyClick(&box, Qt::Key_Backspace);
    EXPECT_EQ(codes, (std::vector<int>{'1', 'a', '-', '.', 8}));
    EXPECT_EQ(box.text(), "1a-");
    QTest::keyClick(&box, Qt::Key_Left);  // types nothing: not reported
    EXPECT_EQ(codes.size(), 5U);
}

TEST_F(BoxFixture, AHandlerCanConsumeAnyCharacter) {
    consume = 'x';
    QTest::keyClicks(&box, "axb");
    EXPECT_EQ(box.text(), "ab");
}

TEST_F(BoxFixture, HoldsSixtyFourKibiCharactersAndCutsAnythingLonger) {
    const QString longText(tavo::forms::kTextBoxMaxLength - 1, QChar('7'));
    box.setText(longText);
    box.insert(QStringLiteral("8"));
    EXPECT_EQ(box.text().size(), tavo::forms::kTextBoxMaxLength);
    EXPECT_TRUE(box.text().endsWith('8'));
    box.insert(QStringLiteral("9"));
    EXPECT_EQ(box.text().size(), tavo::forms::kTextBoxMaxLength) << "the 9 does not fit";
    box.setText(QString(16 << 20, QChar('1')));
    EXPECT_EQ(box.text().size(), tavo::forms::kTextBoxMaxLength);
    box.clear();
    box.insert(QString(16 << 20, QChar('2')));  // what a paste does
    EXPECT_EQ(box.text().size(), tavo::forms::kTextBoxMaxLength);
}

TEST(FormTextBoxFocus, AClickThatBringsTheFocusRunsTheHandlerAndKeepsItsSelection) {
    QWidget window;
    auto* first = new FormTextBox(&window);
    auto* second = new FormTextBox(&window);
    second->move(0, 40);
    second->setText(QStringLiteral("3.281"));
    int gotFocus = 0;
    second->gotFocusHandler = [&] {
        ++gotFocus;
        second->selectAll();
    };
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    first->setFocus();
    // Action: click into the unfocused box. Expected: the whole text stays selected.
    QTest::mouseClick(second, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(gotFocus, 1);
    EXPECT_EQ(second->selectedText(), "3.281");
    // A second click inside the focused box places the caret as usual.
    QTest::mouseClick(second, Qt::LeftButton, {}, QPoint(2, 5));
    EXPECT_TRUE(second->selectedText().isEmpty());
    EXPECT_EQ(gotFocus, 1);
}

// A caption clicks like a button: a left click reports, a right click and a press released
// outside it (the user slid off the caption to change their mind) do not.
TEST(FormLabel, ReportsALeftClickReleasedInsideIt) {
    tavo::forms::FormLabel label;
    label.resize(50, 20);
    QSignalSpy clicked(&label, &tavo::forms::FormLabel::clicked);
    QTest::mouseClick(&label, Qt::LeftButton);
    QTest::mouseClick(&label, Qt::RightButton);
    QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(60, 5));
    EXPECT_EQ(clicked.count(), 1);
}

// A push button for the mouse: a left click clicks it, a right click and a press released
// outside it do not. The arrows neither click it nor move the focus to the next picture, and
// a picture that Tab reaches is drawn with a focus rectangle, so that the keys' user sees
// where the focus is. (The main window's test presses Space, Return and Enter on each picture.)
TEST(FormPictureBox, ClicksLikeAButtonIgnoresTheArrowsAndShowsTheFocus) {
    QWidget window;
    auto* picture = new tavo::forms::FormPictureBox(&window);
    picture->setGeometry(0, 0, 32, 32);
    auto* other = new tavo::forms::FormPictureBox(&window);
    other->setGeometry(0, 40, 32, 32);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    picture->setFocus();
    QSignalSpy clicked(picture, &tavo::forms::FormPictureBox::clicked);
    QTest::mouseClick(picture, Qt::LeftButton);
    QTest::mouseClick(picture, Qt::RightButton);
    QTest::mousePress(picture, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(picture, Qt::LeftButton, {}, QPoint(40, 5));
    for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Left, Qt::Key_Up}) {
        QTest::keyClick(picture, key);
        EXPECT_TRUE(picture->hasFocus()) << key;
    }
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_FALSE(picture->isDown());
    const QImage unfocused = other->grab().toImage();
    QTest::keyClick(picture, Qt::Key_Tab);
    ASSERT_TRUE(other->hasFocus());
    EXPECT_NE(other->grab().toImage(), unfocused);
}

}  // namespace
