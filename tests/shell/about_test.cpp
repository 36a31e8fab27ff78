#include <gtest/gtest.h>

#include "ui/shell/icons/pictures.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <array>
#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "tests/support/layout_conformance.h"
#include "tests/support/widget_helpers.h"
#include "ui/forms/window_reference.h"
#include "ui/shell/about_window.h"

namespace tavo::shell {
namespace {

using forms::Charset;
using forms::Rgb;

// The About window as designed: every control with its text, rectangle (twips), font, text
// colour (labels) and tab position.
struct ExpectedControl {
    forms::ControlKind kind;
    std::string_view name;
    std::string_view caption;
    std::array<int, 4> rect;
    std::string_view face;
    double points;
    bool bold;
    Charset charset;
    Rgb colour;
    int tabIndex;
};

constexpr auto kLabel = forms::ControlKind::Label;
constexpr Rgb kOrange{255, 192, 128};
constexpr Rgb kYellow{255, 255, 128};
constexpr std::string_view kTimes = "Times New Roman";

// clang-format off
constexpr std::array<ExpectedControl, 6> kExpected{{
    {kLabel, "Label1", "度量衡変換", {600, 240, 2535, 495}, "ＭＳ Ｐ明朝", 18, true,
     Charset::ShiftJis, kOrange, 0},
    {kLabel, "Label6", "for Windows95/98", {720, 720, 2175, 375}, kTimes, 14.25, false,
     Charset::Ansi, kOrange, 4},
    {kLabel, "Label4", "Programed by", {120, 1200, 3375, 375}, kTimes, 12, false,
     Charset::Ansi, kYellow, 1},
    {kLabel, "Label5", "TAVO Software", {120, 1560, 3375, 375}, kTimes, 14.25, false,
     Charset::Ansi, kYellow, 2},
    {kLabel, "Label2", "2000/01/26", {120, 1920, 3375, 375}, kTimes, 12, false,
     Charset::Ansi, kYellow, 5},
    {forms::ControlKind::CommandButton, "Command1", "OK", {1320, 2400, 975, 375}, kTimes, 12,
     false, Charset::Ansi, {}, 3},
}};
// clang-format on

class AboutWindowTest : public testing::Test {
protected:
    void TearDown() override {
        m_reference.unload();
        test::FlushDeletes();
    }

    TAVO_About* Open() {
        auto* window = qobject_cast<TAVO_About*>(m_reference.open());
        EXPECT_NE(window, nullptr);
        if (window != nullptr) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        }
        return window;
    }

    static QPushButton* Ok(const TAVO_About* window) {
        return window->control<QPushButton>("Command1");
    }

    forms::WindowReference m_reference{[](forms::WindowReference&) { return new TAVO_About; }};
};

TEST_F(AboutWindowTest, LayoutIsAsDesignedAndBuiltAsLaidOut) {
    const forms::FormDesign& layout = AboutLayout();
    EXPECT_EQ(layout.clientWidth, 3630);
    EXPECT_EQ(layout.clientHeight, 2925);
    EXPECT_EQ(layout.background, (Rgb{0, 0, 64}));
    ASSERT_EQ(layout.controls.size(), kExpected.size());
    for (std::size_t i = 0; i < kExpected.size(); ++i) {
        const ExpectedControl& expected = kExpected[i];
        const forms::ControlDesign& row = layout.controls[i];
        SCOPED_TRACE(std::string(expected.name));
        EXPECT_EQ(row.kind, expected.kind);
        EXPECT_EQ(row.name, expected.name);
        EXPECT_EQ(row.caption, expected.caption);
        EXPECT_EQ((std::array{row.rect.left, row.rect.top, row.rect.width, row.rect.height}),
                  expected.rect);
        EXPECT_EQ(row.font.face, expected.face);
        EXPECT_EQ(row.font.points, expected.points);
        EXPECT_EQ(row.font.bold, expected.bold);
        EXPECT_FALSE(row.font.underline);
        EXPECT_EQ(row.font.charset, expected.charset);
        EXPECT_EQ(row.tabIndex, expected.tabIndex);
        if (row.kind == kLabel) {
            EXPECT_EQ(row.foreColour, expected.colour);
            // Centred, transparent (the dark blue shows through), never focused.
            EXPECT_EQ(row.flags, unsigned{forms::kCentred});
            EXPECT_FALSE(row.tabStop);
        } else {
            EXPECT_EQ(row.flags, unsigned{forms::kFlat});
            EXPECT_TRUE(row.tabStop);
        }
    }

    TAVO_About* window = Open();
    ASSERT_NE(window, nullptr);
    test::ExpectConformsToLayout(window->client(), layout);
}

TEST_F(AboutWindowTest, IsADarkPanelWithoutTitleBarAndOnlyOkTakesTheFocus) {
    TAVO_About* window = Open();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->windowTitle().isEmpty());
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_FALSE(flags & Qt::WindowTitleHint);
    EXPECT_FALSE(flags & Qt::WindowSystemMenuHint);
    EXPECT_FALSE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinMaxButtonsHint);
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "not resizable";
    EXPECT_EQ(window->windowIcon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32),
              tavo::icons::Picture("about").toImage().convertToFormat(QImage::Format_ARGB32));

    for (QWidget* child : window->findChildren<QWidget*>()) {
        if (child->focusPolicy() != Qt::NoFocus) {
            EXPECT_EQ(child, Ok(window)) << child->objectName().toStdString();
        }
    }
    EXPECT_TRUE(Ok(window)->hasFocus());
}

TEST_F(AboutWindowTest, OpensCentredOnTheScreen) {
    TAVO_About* window = Open();
    ASSERT_NE(window, nullptr);
    const QPoint offset = window->geometry().center() -
                          QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE(std::abs(offset.x()), 1);
    EXPECT_LE(std::abs(offset.y()), 1);
}

TEST_F(AboutWindowTest, ClickSpaceAndEnterOnOkEachUnloadIt) {
    const std::array<std::pair<const char*, std::function<void(QPushButton*)>>, 4> actions{{
        {"click", [](QPushButton* ok) { QTest::mouseClick(ok, Qt::LeftButton); }},
        {"Space", [](QPushButton* ok) { QTest::keyClick(ok, Qt::Key_Space); }},
        {"Return", [](QPushButton* ok) { QTest::keyClick(ok, Qt::Key_Return); }},
        {"keypad Enter", [](QPushButton* ok) { QTest::keyClick(ok, Qt::Key_Enter); }},
    }};
    for (const auto& [name, press] : actions) {
        SCOPED_TRACE(name);
        QPointer<TAVO_About> window = Open();
        ASSERT_FALSE(window.isNull());
        press(Ok(window));
        test::FlushDeletes();
        EXPECT_FALSE(m_reference.isLoaded());
        EXPECT_TRUE(window.isNull()) << "unloaded means destroyed, not hidden";
    }
}

TEST_F(AboutWindowTest, CloseEventFromTheDesktopUnloadsIt) {
    QPointer<TAVO_About> window = Open();
    ASSERT_FALSE(window.isNull());
    window->close();
    test::FlushDeletes();
    EXPECT_FALSE(m_reference.isLoaded());
    EXPECT_TRUE(window.isNull());
}

TEST_F(AboutWindowTest, OpeningAgainWhileOpenShowsTheSameWindow) {
    TAVO_About* first = Open();
    EXPECT_EQ(Open(), first);
    int abouts = 0;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        abouts += qobject_cast<TAVO_About*>(top) != nullptr ? 1 : 0;
    }
    EXPECT_EQ(abouts, 1);
}

TEST_F(AboutWindowTest, ReopeningAfterOkShowsTheSameContentCentredAndFocused) {
    QPointer<TAVO_About> first = Open();
    ASSERT_FALSE(first.isNull());
    const QRect firstPlace = first->geometry();
    QStringList firstTexts;
    for (const QLabel* label : first->client()->findChildren<QLabel*>()) {
        firstTexts << label->text();
    }
    QTest::mouseClick(Ok(first), Qt::LeftButton);
    test::FlushDeletes();
    ASSERT_TRUE(first.isNull());

    TAVO_About* second = Open();
    ASSERT_NE(second, nullptr);
    QStringList secondTexts;
    for (const QLabel* label : second->client()->findChildren<QLabel*>()) {
        secondTexts << label->text();
    }
    EXPECT_EQ(secondTexts, firstTexts);
    EXPECT_EQ(second->geometry(), firstPlace);
    EXPECT_TRUE(Ok(second)->hasFocus());
}

}  // namespace
}  // namespace tavo::shell
