#include <gtest/gtest.h>

#include "ui/icons/pictures.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tests/support/cp932.h"
#include "tests/support/layout_conformance.h"
#include "tests/support/widget_helpers.h"
#include "ui/forms/window_reference.h"
#include "ui/shell/manual_text.h"
#include "ui/shell/manual_window.h"

namespace tavo::shell {
namespace {

// ---- The manual text ------------------------------------------------------------------------

// Lines 1 to 32 as the program must show them. The characters that have look-alikes (the
// full-width space, middle dot, brackets, hyphen-minus, digit and letters) are written as
// code points so that a substitute cannot slip through unnoticed.
constexpr std::array<std::string_view, 32> kOpeningLines{
    "☆☆☆\u3000度量衡変換計算機 \"TAVOMETR\" マニュアル\u3000☆☆☆",
    "",
    "◎はじめに",
    "\u3000長さ、重さ、面積、体積の度量衡変換を行う計算機です。",
    "\u3000いろいろな度量衡を一度に表示するのが特徴です。",
    "",
    "◎使い方",
    "\uFF1Cメインウィンドウ\uFF1E",
    "\u30FBメインウィンドウには「長さ」「重さ」「面積」「体積」アイコンが並んでいます。",
    "\u30FB「長さ」「重さ」「面積」「体積」のいずれかのアイコンを押すと、それに対応した",
    "\u3000サブウィンドウが開きます。「長さ」「重さ」「面積」「体積」のサブウィンドウは",
    "\u3000同時に開くことができます。",
    "\u30FBメニュー操作",
    "\u3000「ファイル」\uFF0D「終了」\u30FB\u30FB\u30FB終了します。",
    "\u3000「ヘルプ」\uFF0D「使い方」\u30FB\u30FB\u30FBこのマニュアルが表示されます。",
    "\u3000「ヘルプ」\uFF0D「TAVOMETRについて」\u30FB\u30FB\u30FB"
    "ソフトウェアの情報が表示されます。",
    "",
    "\uFF1Cサブウィンドウ\uFF1E",
    "\u30FB単位変換",
    "\u3000相当する単位の左の数字をマウスでクリックすると、カーソルが移動し数字入力が",
    "\u3000可能になります。変換したい数を入力した後、リターンキーを押して下さい。",
    "\u3000直ちに変換が行われ、各単位の左に表示されます。マウスでクリックする代わりに",
    "\u3000\uFF34\uFF21\uFF22キーでも、カーソル移動できます。",
    "\u30FB表示書式",
    "\u3000数値は有効数字\uFF14桁で四捨五入されて表示されます。また表示される数字が",
    "\u3000100000000以上もしくは0.00001以下の場合、強制的に指数表示になります。",
    "\u3000数値書式のチェックボタンで「指数」をチェックすると、数値はすべて指数で",
    "\u3000表示されます。",
    "\u30FBウィンドウのクローズ",
    "\u3000右上の「閉じる」ボタンを押すと、サブウィンドウがクローズされます。",
    "",
    "",
};

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kFullWidthSpace = "\u3000";

// The lines of a text whose every line ends with CR LF; fails the test when it does not.
std::vector<std::string> CrLfLines(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = text.find(kCrLf);
        if (end == std::string_view::npos) {
            ADD_FAILURE() << "text after the last CR LF: " << text;
            break;
        }
        lines.emplace_back(text.substr(0, end));
        text.remove_prefix(end + kCrLf.size());
    }
    return lines;
}

TEST(ManualText, HasFortySevenLinesEachEndedByCrLf) {
    ASSERT_TRUE(kManualText.ends_with(kCrLf));
    const std::vector<std::string> lines = CrLfLines(kManualText);
    EXPECT_EQ(lines.size(), 47u);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].find_first_of("\r\n"), std::string::npos) << "line " << i + 1;
    }
}

TEST(ManualText, OpeningLinesAreExact) {
    const std::vector<std::string> lines = CrLfLines(kManualText);
    ASSERT_GE(lines.size(), kOpeningLines.size());
    for (std::size_t i = 0; i < kOpeningLines.size(); ++i) {
        EXPECT_EQ(lines[i], kOpeningLines[i]) << "line " << i + 1;
    }
}

TEST(ManualText, ClosingSectionsAreTwoHeadingsWithIndentedBodies) {
    const std::vector<std::string> lines = CrLfLines(kManualText);
    ASSERT_EQ(lines.size(), 47u);
    const auto isHeading = [](std::string_view line) {
        return line.starts_with("◎") && line.size() > std::string_view("◎").size();
    };
    // A body line starts with a middle dot, or with one to three full-width spaces and then
    // something else.
    const auto isBody = [](std::string_view line) {
        if (line.starts_with("\u30FB")) return line.size() > std::string_view("\u30FB").size();
        int indent = 0;
        while (line.starts_with(kFullWidthSpace)) {
            line.remove_prefix(kFullWidthSpace.size());
            ++indent;
        }
        return indent >= 1 && indent <= 3 && !line.empty() && line.front() != ' ';
    };
    for (int number = 33; number <= 47; ++number) {
        const std::string& line = lines[static_cast<std::size_t>(number - 1)];
        SCOPED_TRACE("line " + std::to_string(number) + ": " + line);
        if (number == 33 || number == 40) {
            EXPECT_TRUE(isHeading(line));
        } else if (number == 39) {
            EXPECT_TRUE(line.empty());
        } else {
            EXPECT_TRUE(isBody(line));
        }
    }
}

TEST(ManualText, EveryLineFitsCodePage932) {
    for (const std::string& line : CrLfLines(kManualText)) {
        EXPECT_TRUE(test::FitsCodePage932(line)) << line;
    }
}

// ---- The help window ------------------------------------------------------------------------

class ManualWindowTest : public testing::Test {
protected:
    void TearDown() override {
        m_reference.unload();
        test::FlushDeletes();
    }

    Manual* Open() {
        auto* window = qobject_cast<Manual*>(m_reference.open());
        EXPECT_NE(window, nullptr);
        if (window != nullptr) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        }
        return window;
    }

    static QPushButton* Back(const Manual* window) {
        return window->control<QPushButton>("Command1");
    }
    static QPlainTextEdit* Text1(const Manual* window) {
        return window->control<QPlainTextEdit>("Text1");
    }

    forms::WindowReference m_reference{[](forms::WindowReference&) { return new Manual; }};
};

TEST_F(ManualWindowTest, IsBuiltAsLaidOutWithATitleBarThatShowsOnlyTheTitle) {
    const forms::FormDesign& layout = ManualLayout();
    Manual* window = Open();
    ASSERT_NE(window, nullptr);
    test::ExpectConformsToLayout(window->client(), layout);
    EXPECT_EQ(Text1(window)->toPlainText().count(QChar('\n')), 47) << "the manual, shown";
    EXPECT_EQ(window->windowTitle(), QStringLiteral("使い方"));
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowTitleHint);
    EXPECT_FALSE(flags & Qt::WindowSystemMenuHint);
    EXPECT_FALSE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinMaxButtonsHint);
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "not resizable";
    EXPECT_EQ(window->windowIcon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32),
              tavo::icons::Picture("emblem").toImage().convertToFormat(QImage::Format_ARGB32));
    // The text keeps the system's text colour on the window's background.
    EXPECT_EQ(Text1(window)->palette().color(QPalette::Text),
              QApplication::palette().color(QPalette::Text));
}

TEST_F(ManualWindowTest, OpensWithLineOneAtTheTopAndBackFocusedAtItsPlace) {
    Manual* window = Open();
    ASSERT_NE(window, nullptr);
    QPlainTextEdit* text = Text1(window);
    EXPECT_EQ(window->client()->mapToGlobal(QPoint(0, 0)), QPoint(420 / 15, 1080 / 15));
    EXPECT_GT(text->verticalScrollBar()->maximum(), 0) << "the manual is longer than the box";
    EXPECT_EQ(text->verticalScrollBar()->value(), 0);
    EXPECT_EQ(text->cursorForPosition(QPoint(1, 1)).blockNumber(), 0);
    EXPECT_TRUE(Back(window)->hasFocus());
    QTest::keyClick(Back(window), Qt::Key_Tab);
    EXPECT_TRUE(text->hasFocus()) << "the text box comes next in the tab order";
}

TEST_F(ManualWindowTest, LongLinesWrapWithoutAHorizontalScrollBar) {
    Manual* window = Open();
    ASSERT_NE(window, nullptr);
    QPlainTextEdit* text = Text1(window);
    EXPECT_EQ(text->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(text->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    // Whether a line is wider than the box depends on the face installed, so the wrapping is
    // checked as the box's setting rather than on particular lines.
    EXPECT_EQ(text->lineWrapMode(), QPlainTextEdit::WidgetWidth);
}

TEST_F(ManualWindowTest, TypingDeletingAndPastingChangeNothingButSelectingAndCopyingWork) {
    Manual* window = Open();
    ASSERT_NE(window, nullptr);
    QPlainTextEdit* text = Text1(window);
    const QString before = text->toPlainText();
    text->setFocus();
    QTest::keyClicks(text, QStringLiteral("abc"));
    QTest::keyClick(text, Qt::Key_Return);
    QTest::keyClick(text, Qt::Key_Backspace);
    QTest::keyClick(text, Qt::Key_Delete);
    QTest::keyClick(text, Qt::Key_End);
    QTest::keyClick(text, Qt::Key_Backspace);
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

TEST_F(ManualWindowTest, ClickSpaceAndEnterOnBackEachUnloadIt) {
    const std::array<std::pair<const char*, std::function<void(QPushButton*)>>, 3> actions{{
        {"Return", [](QPushButton* back) { QTest::keyClick(back, Qt::Key_Return); }},
        {"click", [](QPushButton* back) { QTest::mouseClick(back, Qt::LeftButton); }},
        {"Space", [](QPushButton* back) { QTest::keyClick(back, Qt::Key_Space); }},
    }};
    for (const auto& [name, press] : actions) {
        SCOPED_TRACE(name);
        QPointer<Manual> window = Open();
        ASSERT_FALSE(window.isNull());
        press(Back(window));
        test::FlushDeletes();
        EXPECT_FALSE(m_reference.isLoaded());
        EXPECT_TRUE(window.isNull()) << "unloaded means destroyed, not hidden";
    }
}

TEST_F(ManualWindowTest, CloseEventFromTheDesktopUnloadsIt) {
    QPointer<Manual> window = Open();
    ASSERT_FALSE(window.isNull());
    window->close();
    test::FlushDeletes();
    EXPECT_FALSE(m_reference.isLoaded());
    EXPECT_TRUE(window.isNull());
}

TEST_F(ManualWindowTest, OpeningWhileOpenKeepsScrollAndSelection) {
    Manual* window = Open();
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

TEST_F(ManualWindowTest, OpeningAfterBackStartsAtTheTopAtTheSamePlace) {
    QPointer<Manual> first = Open();
    ASSERT_FALSE(first.isNull());
    Text1(first)->verticalScrollBar()->setValue(Text1(first)->verticalScrollBar()->maximum());
    QTest::mouseClick(Back(first), Qt::LeftButton);
    test::FlushDeletes();
    ASSERT_TRUE(first.isNull());

    Manual* second = Open();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(Text1(second)->verticalScrollBar()->value(), 0);
    EXPECT_EQ(second->client()->mapToGlobal(QPoint(0, 0)), QPoint(420 / 15, 1080 / 15));
    EXPECT_TRUE(Back(second)->hasFocus());
}

}  // namespace
}  // namespace tavo::shell
