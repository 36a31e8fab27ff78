// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <string>
#include <vector>

#include "ui/forms/form_builder.h"
#include "ui/shell/main_window.h"
#include "ui/shell/shell_layouts.h"

namespace {

using tavo::Quantity;
using tavo::shell::TAVO_Main;

// Records what the main window asks for instead of opening windows.
struct RecordingActions : tavo::shell::ShellActions {
    void OpenConverter(Quantity quantity) override {
        opened.push_back(std::string(tavo::Table(quantity).name));
    }
    void OpenManual() override { opened.emplace_back("Manual"); }
    void OpenAbout() override { opened.emplace_back("TAVO_About"); }
    void EndProgram() override { opened.emplace_back("end"); }
    std::vector<std::string> opened;
};

struct MainWindowFixture : testing::Test {
    void SetUp() override {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    QWidget* Control(const char* name) { return window.control<QWidget>(name); }
    QAction* Action(const char* name) { return window.findChild<QAction*>(name); }
    RecordingActions actions;
    TAVO_Main window{actions};
};

TEST_F(MainWindowFixture, MatchesItsLayoutWithTheMenuBarAboveTheClientArea) {
    EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "not resizable";
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    const QMenuBar* bar = window.findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(window.client()->geometry(),
              QRect(QPoint(0, bar->height()), window.client()->size()));
    EXPECT_EQ(window.height(), window.client()->height() + bar->height());
}

TEST_F(MainWindowFixture, PictureAndCaptionOpenTheSameWindow) {
    for (const char* name : {"CmdLength", "Label2", "CmdWeight", "Label3", "CmdSquare", "Label4",
                             "CmdVolume", "Label5"}) {
        QTest::mouseClick(Control(name), Qt::LeftButton, {}, QPoint(25, 10));
    }
    EXPECT_EQ(actions.opened, (std::vector<std::string>{"Length", "Length", "Weight", "Weight",
                                                        "Square", "Square", "Volume", "Volume"}));
}

// The four pictures, in their tab cycle (the captions never take the focus): Space, Return
// and keypad Enter open the quantity's window; to a screen reader each is a button named by
// its caption, says what it opens, and its press action opens it too.
TEST_F(MainWindowFixture, PicturesAreButtonsForTheKeysAndScreenReaders) {
    struct Picture {
        const char* name;
        const char* spoken;
        const char* opens;
        const char* quantity;
    };
    const Picture pictures[] = {
        {"CmdLength", "距離", "長さの変換ウィンドウを開きます", "Length"},
        {"CmdWeight", "質量", "重さの変換ウィンドウを開きます", "Weight"},
        {"CmdSquare", "面積", "面積の変換ウィンドウを開きます", "Square"},
        {"CmdVolume", "体積", "体積の変換ウィンドウを開きます", "Volume"},
    };
    for (const Picture& picture : pictures) {
        SCOPED_TRACE(picture.name);
        QWidget* focus = QApplication::focusWidget();
        ASSERT_EQ(focus, Control(picture.name));
        actions.opened.clear();
        QTest::keyClick(focus, Qt::Key_Space);
        QTest::keyClick(focus, Qt::Key_Return);
        QTest::keyClick(focus, Qt::Key_Enter, Qt::KeypadModifier);
        QAccessibleInterface* node = QAccessible::queryAccessibleInterface(focus);
        EXPECT_EQ(node->role(), QAccessible::Button);
        EXPECT_EQ(node->text(QAccessible::Name), picture.spoken);
        EXPECT_EQ(node->text(QAccessible::Description), picture.opens);
        node->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        EXPECT_TRUE(QTest::qWaitFor([this] { return actions.opened.size() == 4; }));
        EXPECT_EQ(actions.opened, std::vector<std::string>(4, picture.quantity));
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    EXPECT_EQ(QApplication::focusWidget(), Control("CmdLength")) << "back to the first";
}

TEST_F(MainWindowFixture, PicturesLieOnTopOfTheirCaptions) {
    // The caption's first pixels are covered by the picture: a click there hits the picture.
    const QWidget* label = Control("Label2");
    const QPoint overlap = label->mapTo(window.client(), QPoint(2, 2));
    EXPECT_EQ(window.client()->childAt(overlap), Control("CmdLength"));
}

TEST_F(MainWindowFixture, MenusHaveNoAccessKeysOrShortcutsAndTheirItemsAct) {
    const QList<QAction*> menus = window.findChild<QMenuBar*>()->actions();
    ASSERT_EQ(menus.size(), 2);
    EXPECT_EQ(menus[0]->menu()->actions().size(), 1);
    EXPECT_EQ(menus[1]->menu()->actions().size(), 2);
    for (QAction* action : window.findChildren<QAction*>()) {
        EXPECT_FALSE(action->text().contains('&')) << action->text().toStdString();
        EXPECT_TRUE(action->shortcut().isEmpty()) << action->text().toStdString();
    }
    Action("MenuHelpUse")->trigger();
    Action("MenuHelpAbout")->trigger();
    Action("MenuFileEnd")->trigger();
    EXPECT_EQ(actions.opened, (std::vector<std::string>{"Manual", "TAVO_About", "end"}));
}

}  // namespace
