// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

#include <functional>
#include <optional>
#include <utility>

#include "tests/support/widget_helpers.h"
#include "ui/forms/window_reference.h"
#include "ui/icons/pictures.h"
#include "ui/shell/info_window.h"
#include "ui/shell/shell_layouts.h"

namespace tavo::shell {
namespace {

// The About and help windows: one class, two layouts, one fixture.
struct InfoCase {
    const char* name;
    const forms::FormDesign& (*layout)();
    const char* icon;
    bool titleBar;                   // Manual shows its title only; About has no title bar
    std::optional<QPoint> clientAt;  // a fixed place on the screen, or centred
};

void PrintTo(const InfoCase& c, std::ostream* os) {
    *os << c.name;
}

const InfoCase kAbout{"TAVO_About", &AboutLayout, "about", false, std::nullopt};
const InfoCase kManual{"Manual", &ManualLayout, "emblem", true, QPoint(420 / 15, 1080 / 15)};

class InfoWindowTest : public testing::TestWithParam<InfoCase> {
protected:
    void TearDown() override {
        m_reference.unload();
        test::FlushDeletes();
    }
    InfoWindow* Open() {
        auto* window = qobject_cast<InfoWindow*>(m_reference.open());
        EXPECT_NE(window, nullptr);
        if (window != nullptr) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        }
        return window;
    }
    static QPushButton* Command1(const InfoWindow* window) {
        return window->control<QPushButton>("Command1");
    }
    static QPlainTextEdit* Text1(const InfoWindow* window) {
        return window->control<QPlainTextEdit>("Text1");
    }
    void ExpectWhereItsLayoutPutsIt(const InfoWindow* window) const {
        if (GetParam().clientAt) {
            EXPECT_EQ(window->client()->mapToGlobal(QPoint(0, 0)), *GetParam().clientAt);
        } else {
            const QPoint offset = window->geometry().center() -
                                  QGuiApplication::primaryScreen()->availableGeometry().center();
            EXPECT_LE(offset.manhattanLength(), 2);
        }
    }

    forms::WindowReference m_reference{
        [](forms::WindowReference&) -> QWidget* { return new InfoWindow(GetParam().layout()); }};
};

TEST_P(InfoWindowTest, IsBuiltAsLaidOutWithItsFrameAndIcon) {
    InfoWindow* window = Open();
    ASSERT_NE(window, nullptr);
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_EQ(flags.testFlag(Qt::WindowTitleHint), GetParam().titleBar);
    EXPECT_FALSE(flags & Qt::WindowSystemMenuHint);
    EXPECT_FALSE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinMaxButtonsHint);
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "not resizable";
    EXPECT_EQ(window->windowIcon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32),
              icons::Picture(GetParam().icon).toImage().convertToFormat(QImage::Format_ARGB32));
}

TEST_P(InfoWindowTest, ClickSpaceEnterAndCtrlWEachUnloadIt) {
    const std::pair<const char*, std::function<void(QPushButton*)>> presses[] = {
        {"click", [](QPushButton* b) { QTest::mouseClick(b, Qt::LeftButton); }},
        {"Space", [](QPushButton* b) { QTest::keyClick(b, Qt::Key_Space); }},
        {"Return", [](QPushButton* b) { QTest::keyClick(b, Qt::Key_Return); }},
        {"keypad Enter", [](QPushButton* b) { QTest::keyClick(b, Qt::Key_Enter); }},
        {"the desktop's close", [](QPushButton* b) { b->window()->close(); }},
        {"Ctrl+W in the text or on the button",
         [](QPushButton* b) {
             QWidget* text = b->window()->findChild<QPlainTextEdit*>();
             QWidget* focus = text != nullptr ? text : b;
             focus->setFocus();
             QTest::keyClick(focus, Qt::Key_W, Qt::ControlModifier);
         }},
    };
    for (const auto& [name, press] : presses) {
        SCOPED_TRACE(name);
        QPointer<InfoWindow> window = Open();
        ASSERT_FALSE(window.isNull());
        press(Command1(window));
        test::FlushDeletes();
        EXPECT_FALSE(m_reference.isLoaded());
        EXPECT_TRUE(window.isNull()) << "unloaded means destroyed, not hidden";
    }
}

TEST_P(InfoWindowTest, OpeningWhileOpenRaisesTheSameWindow) {
    InfoWindow* first = Open();
    EXPECT_EQ(Open(), first);
    int windows = 0;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        windows += qobject_cast<InfoWindow*>(top) != nullptr && top->isVisible() ? 1 : 0;
    }
    EXPECT_EQ(windows, 1);
}

TEST_P(InfoWindowTest, ReopeningAfterCloseBuildsItAfreshInItsPlace) {
    QPointer<InfoWindow> first = Open();
    ASSERT_FALSE(first.isNull());
    ExpectWhereItsLayoutPutsIt(first);
    EXPECT_TRUE(Command1(first)->hasFocus());
    if (QPlainTextEdit* text = Text1(first)) text->verticalScrollBar()->setValue(100);
    QTest::mouseClick(Command1(first), Qt::LeftButton);
    test::FlushDeletes();
    ASSERT_TRUE(first.isNull());

    InfoWindow* second = Open();
    ASSERT_NE(second, nullptr);
    ExpectWhereItsLayoutPutsIt(second);
    EXPECT_TRUE(Command1(second)->hasFocus());
    if (QPlainTextEdit* text = Text1(second)) {
        EXPECT_EQ(text->verticalScrollBar()->value(), 0) << "line 1 at the top again";
    }
}

INSTANTIATE_TEST_SUITE_P(BothWindows, InfoWindowTest, testing::Values(kAbout, kManual),
                         [](const auto& test) { return std::string(test.param.name); });

// ---- What only the help window has: the manual in a read-only text box ----------------------

class ManualWindowTest : public InfoWindowTest {};

TEST_P(ManualWindowTest, ShowsTheManualFromLineOneAndTabReachesTheText) {
    InfoWindow* window = Open();
    ASSERT_NE(window, nullptr);
    QPlainTextEdit* text = Text1(window);
    EXPECT_EQ(text->toPlainText().count(QChar('\n')), 47) << "the manual, shown";
    EXPECT_GT(text->verticalScrollBar()->maximum(), 0) << "the manual is longer than the box";
    EXPECT_EQ(text->cursorForPosition(QPoint(1, 1)).blockNumber(), 0);
    EXPECT_EQ(text->palette().color(QPalette::Text), QApplication::palette().color(QPalette::Text));
    // Long lines wrap at the box's edge: a vertical scroll bar and no horizontal one.
    EXPECT_EQ(text->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(text->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(text->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QTest::keyClick(Command1(window), Qt::Key_Tab);
    EXPECT_TRUE(text->hasFocus()) << "the text box comes next in the tab order";
}

TEST_P(ManualWindowTest, TypingDeletingAndPastingChangeNothingButSelectingAndCopyingWork) {
    InfoWindow* window = Open();
    ASSERT_NE(window, nullptr);
    QPlainTextEdit* text = Text1(window);
    const QString before = text->toPlainText();
    text->setFocus();
    QTest::keyClicks(text, QStringLiteral("abc"));
    for (const Qt::Key key :
         {Qt::Key_Return, Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_End, Qt::Key_Backspace}) {
        QTest::keyClick(text, key);
    }
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    QTest::keyClick(text, Qt::Key_V, Qt::ControlModifier);
    text->paste();
    QTest::keyClick(text, Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(text->textCursor().hasSelection());
    QTest::keyClick(text, Qt::Key_Delete);
    QTest::keyClick(text, Qt::Key_X, Qt::ControlModifier);
    QTest::keyClick(text, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(text->toPlainText(), before);
    EXPECT_EQ(QApplication::clipboard()->text(), before) << "the selection can be copied";
}

TEST_P(ManualWindowTest, OpeningWhileOpenKeepsScrollAndSelection) {
    InfoWindow* window = Open();
    ASSERT_NE(window, nullptr);
    QPlainTextEdit* text = Text1(window);
    QTextCursor selection(text->document()->findBlockByNumber(2));
    selection.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    text->setTextCursor(selection);
    QScrollBar* scroll = text->verticalScrollBar();
    scroll->setValue(scroll->maximum());
    const int end = scroll->value();
    ASSERT_GT(end, 0);

    EXPECT_EQ(Open(), window);
    QCoreApplication::processEvents();
    EXPECT_EQ(scroll->value(), end);
    EXPECT_EQ(text->textCursor().selectedText(), QStringLiteral("◎はじめに"));
}

INSTANTIATE_TEST_SUITE_P(Manual, ManualWindowTest, testing::Values(kManual),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace tavo::shell
