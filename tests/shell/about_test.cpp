#include <gtest/gtest.h>

#include "ui/icons/pictures.h"

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

TEST_F(AboutWindowTest, IsBuiltAsLaidOutAroundOneCentreLine) {
    const forms::FormDesign& layout = AboutLayout();
    // Label6, Label4, Label5, Label2 and Command1 share one vertical centre line (twice the
    // centre, in twips, to stay in whole numbers); the title is centred 60 twips right of it.
    const auto doubleCentre = [&](std::string_view name) {
        for (const forms::ControlDesign& row : layout.controls) {
            if (row.name == name) return 2 * row.rect.left + row.rect.width;
        }
        ADD_FAILURE() << "no control " << name;
        return 0;
    };
    const int line = doubleCentre("Command1");
    for (const std::string_view name : {"Label6", "Label4", "Label5", "Label2"}) {
        EXPECT_EQ(doubleCentre(name), line) << name;
    }
    EXPECT_EQ(doubleCentre("Label1"), line + 2 * 60);
    EXPECT_NEAR(line / 2.0, layout.clientWidth / 2.0, 30) << "close to the middle";

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
