#include <gtest/gtest.h>

#include <QMenuBar>
#include <QTest>

#include <vector>

#include "tests/support/cp932.h"
#include "tests/support/layout_conformance.h"
#include "ui/forms/controls.h"
#include "ui/forms/form_builder.h"
#include "ui/shell/main_window.h"

namespace {

using tavo::shell::TAVO_Main;
using tavo::shell::WindowId;

// Records what the main window asks for instead of opening windows.
struct RecordingActions : tavo::shell::ShellActions {
    void OpenWindow(WindowId window) override { opened.push_back(window); }
    void EndProgram() override { ++ends; }
    std::vector<WindowId> opened;
    int ends = 0;
};

struct MainWindowFixture : testing::Test {
    void SetUp() override {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    QWidget* Control(const char* name) {
        return tavo::forms::FindControl<QWidget>(window.client(), name);
    }
    QAction* Action(const char* name) { return window.findChild<QAction*>(name); }
    RecordingActions actions;
    TAVO_Main window{actions};
};

TEST_F(MainWindowFixture, MatchesItsLayout) {
    tavo::test::ExpectConformsToLayout(window.client(), tavo::shell::MainLayout());
    EXPECT_EQ(window.windowTitle(), "度量衡変換");
    EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "not resizable";
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(window.centralWidget(), window.client());
    EXPECT_EQ(window.height(), window.client()->height() + window.menuBar()->height())
        << "the menu bar lies outside the client area";
}

TEST_F(MainWindowFixture, PictureAndCaptionOpenTheSameWindow) {
    const std::vector<std::pair<const char*, const char*>> pairs{{"CmdLength", "Label2"},
                                                                 {"CmdWeight", "Label3"},
                                                                 {"CmdSquare", "Label4"},
                                                                 {"CmdVolume", "Label5"}};
    for (const auto& [picture, caption] : pairs) {
        QTest::mouseClick(Control(picture), Qt::LeftButton);
        QTest::mouseClick(Control(caption), Qt::LeftButton, {}, QPoint(60, 10));
    }
    EXPECT_EQ(actions.opened,
              (std::vector<WindowId>{WindowId::Length, WindowId::Length, WindowId::Weight,
                                     WindowId::Weight, WindowId::Square, WindowId::Square,
                                     WindowId::Volume, WindowId::Volume}));
}

TEST_F(MainWindowFixture, PicturesTakeTheFocusButOpenNothingFromTheKeyboard) {
    EXPECT_EQ(QApplication::focusWidget(), Control("CmdLength"));
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Space, Qt::Key_Enter}) {
        QTest::keyClick(QApplication::focusWidget(), key);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Control("CmdWeight"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Control("CmdLength")) << "captions never take it";
    EXPECT_TRUE(actions.opened.empty());
}

TEST_F(MainWindowFixture, PicturesLieOnTopOfTheirCaptions) {
    // The caption's first pixels are covered by the picture: a click there hits the picture.
    const QWidget* label = Control("Label2");
    const QPoint overlap = label->mapTo(window.client(), QPoint(2, 2));
    EXPECT_EQ(window.client()->childAt(overlap), Control("CmdLength"));
}

TEST_F(MainWindowFixture, MenusHaveTheirCaptionsWithoutAccessKeysOrShortcuts) {
    const QList<QAction*> menus = window.menuBar()->actions();
    ASSERT_EQ(menus.size(), 2);
    EXPECT_EQ(menus[0]->text(), "ﾌｧｲﾙ");
    EXPECT_EQ(menus[1]->text(), "ﾍﾙﾌﾟ");
    const std::vector<std::pair<const char*, const char*>> items{
        {"MenuFileEnd", "終了"}, {"MenuHelpUse", "使い方"}, {"MenuHelpAbout", "TAVOについて"}};
    for (const auto& [name, caption] : items) {
        ASSERT_NE(Action(name), nullptr) << name;
        EXPECT_EQ(Action(name)->text(), QString::fromUtf8(caption));
        EXPECT_TRUE(Action(name)->shortcut().isEmpty());
        EXPECT_TRUE(tavo::test::FitsCodePage932(caption));
    }
    for (QAction* menu : menus) {
        EXPECT_FALSE(menu->text().contains('&'));
        EXPECT_TRUE(tavo::test::FitsCodePage932(menu->text().toStdString()));
    }
    EXPECT_EQ(menus[0]->menu()->actions().size(), 1);
    EXPECT_EQ(menus[1]->menu()->actions().size(), 2);
}

TEST_F(MainWindowFixture, MenuItemsOpenHelpAndAboutAndEndTheProgram) {
    Action("MenuHelpUse")->trigger();
    Action("MenuHelpAbout")->trigger();
    EXPECT_EQ(actions.opened, (std::vector<WindowId>{WindowId::Manual, WindowId::About}));
    Action("MenuFileEnd")->trigger();
    EXPECT_EQ(actions.ends, 1);
}

TEST_F(MainWindowFixture, CaptionsFitCodePage932) {
    for (const auto& control : tavo::shell::MainLayout().controls) {
        EXPECT_TRUE(tavo::test::FitsCodePage932(std::string(control.caption)));
    }
    EXPECT_TRUE(tavo::test::FitsCodePage932(std::string(tavo::shell::MainLayout().title)));
}

}  // namespace
