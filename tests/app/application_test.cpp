// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

#include "app/application.h"
#include "tests/support/widget_helpers.h"
#include "ui/converter/converter_window.h"
#include "ui/forms/controls.h"
#include "ui/forms/form_builder.h"

namespace {

using tavo::Quantity;
using tavo::Row;
using tavo::app::Application;

struct ApplicationFixture : testing::Test {
    void SetUp() override {
        app = std::make_unique<Application>();
        app->Start();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(app->MainWindow()));
    }
    void TearDown() override {
        app.reset();
        tavo::test::FlushDeletes();
    }
    void Click(const char* name) {
        QTest::mouseClick(tavo::forms::FindControl<QWidget>(app->MainWindow()->client(), name),
                          Qt::LeftButton, {}, QPoint(20, 10));
    }
    tavo::converter::ConverterWindow* Converter(Quantity quantity) {
        return qobject_cast<tavo::converter::ConverterWindow*>(app->Converter(quantity).window());
    }
    void OpenEveryWindow() {
        for (tavo::forms::WindowReference* reference : app->References()) reference->open();
    }
    // Runs `action` inside the event loop; returns whether the loop ended by itself.
    static bool LoopEndsAfter(const std::function<void()>& action) {
        QTimer::singleShot(0, action);
        QTimer safety;
        safety.setSingleShot(true);
        QObject::connect(&safety, &QTimer::timeout, [] { QCoreApplication::exit(99); });
        safety.start(5000);
        return QApplication::exec() == 0;
    }
    std::unique_ptr<Application> app;
};

TEST_F(ApplicationFixture, StartsPreparedWithNothingButTheMainWindowCentred) {
    for (tavo::forms::WindowReference* reference : app->References()) {
        EXPECT_FALSE(reference->isLoaded());
    }
    EXPECT_TRUE(app->MainWindow()->isVisible());
    const QPoint offset = app->MainWindow()->geometry().center() -
                          QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 2);
    // What start-up prepared: the desktop entry, the icon, the Gothic stand-in for menus.
    EXPECT_EQ(QGuiApplication::desktopFileName(), "jp.tavometr.Tavometr");
    EXPECT_FALSE(QApplication::windowIcon().isNull());
    EXPECT_EQ(QFontInfo(QApplication::font()).family(), "IPAPGothic");
    EXPECT_EQ(QApplication::font().pixelSize(), 12);
    EXPECT_FALSE(QApplication::quitOnLastWindowClosed());
}

TEST_F(ApplicationFixture, PictureAndCaptionOpenOneWindowThatKeepsItsValues) {
    Click("CmdWeight");
    auto* weight = Converter(Quantity::Weight);
    ASSERT_NE(weight, nullptr);
    weight->TextBox(Row(tavo::Weight::Kilogram))->setText("5");
    QTest::keyClick(weight->TextBox(Row(tavo::Weight::Kilogram)), Qt::Key_Return);
    QTest::mouseClick(weight->control<QRadioButton>("OptFrmExp"), Qt::LeftButton);
    const QString gram = weight->TextBox(Row(tavo::Weight::Gram))->text();
    Click("Label3");
    EXPECT_EQ(Converter(Quantity::Weight), weight) << "the same window, raised";
    EXPECT_EQ(weight->TextBox(Row(tavo::Weight::Gram))->text(), gram);
    EXPECT_TRUE(weight->control<QRadioButton>("OptFrmExp")->isChecked());
}

TEST_F(ApplicationFixture, AllSixWindowsCanBeOpenAtOnceEachOnce) {
    for (int round = 0; round < 2; ++round) {
        OpenEveryWindow();
    }
    int windows = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible()) ++windows;
    }
    EXPECT_EQ(windows, 7) << "six windows and the main window";
}

TEST_F(ApplicationFixture, EndClosesEveryWindowAtOnce) {
    OpenEveryWindow();
    std::vector<QPointer<QWidget>> windows{app->MainWindow()};
    for (tavo::forms::WindowReference* reference : app->References()) {
        windows.emplace_back(reference->window());
    }
    EXPECT_TRUE(LoopEndsAfter(
        [this] { app->MainWindow()->findChild<QAction*>("MenuFileEnd")->trigger(); }));
    for (const auto& window : windows) EXPECT_FALSE(window->isVisible());
    app.reset();
    tavo::test::FlushDeletes();
    for (const auto& window : windows) EXPECT_TRUE(window.isNull());
}

// F1 opens the help window and Ctrl+Q ends the program from each of the seven windows,
// wherever the focus is in it.
TEST_F(ApplicationFixture, F1OpensTheHelpAndCtrlQEndsTheProgramFromEveryWindow) {
    const std::size_t windows = 1 + app->References().size();
    for (std::size_t i = 0; i < windows; ++i) {
        if (i > 0) SetUp();  // the program ended: a new one
        QWidget* window = i == 0 ? app->MainWindow() : app->References()[i - 1]->open();
        SCOPED_TRACE(window->objectName().toStdString());
        const auto pressIn = [window](Qt::Key key, Qt::KeyboardModifiers modifiers) {
            window->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(window));
            QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        };
        if (window != app->Manual().window()) {
            pressIn(Qt::Key_F1, Qt::NoModifier);
            EXPECT_TRUE(app->Manual().isLoaded());
        }
        EXPECT_TRUE(LoopEndsAfter([&] { pressIn(Qt::Key_Q, Qt::ControlModifier); }));
        EXPECT_FALSE(window->isVisible());
        TearDown();
    }
}

TEST_F(ApplicationFixture, ClosingTheMainWindowLeavesAConverterWorking) {
    Click("CmdLength");
    QPointer<QWidget> main = app->MainWindow();
    // Action: close the main window; the loop must go on while Length is open, then end
    // when Length is closed too.
    bool stillRunning = false;
    EXPECT_TRUE(LoopEndsAfter([&] {
        main->close();
        tavo::test::FlushDeletes();
        stillRunning = main.isNull() && app->Converter(Quantity::Length).isLoaded();
        auto* length = Converter(Quantity::Length);
        length->TextBox(Row(tavo::Length::Yard))->setText("100");
        QTest::keyClick(length->TextBox(Row(tavo::Length::Yard)), Qt::Key_Return);
        stillRunning =
            stillRunning && length->TextBox(Row(tavo::Length::Metre))->text() == " 91.44";
        QTest::mouseClick(length->control<QPushButton>("CommandClose"), Qt::LeftButton);
    }));
    EXPECT_TRUE(stillRunning);
}

TEST_F(ApplicationFixture, ClosingAConverterLeavesTheProgramRunningWithTheMainWindow) {
    // State: main window and Length open. Action: 閉じる, then the main window's close box.
    // Expected: the loop goes on after 閉じる and ends only with the main window.
    Click("CmdLength");
    bool runningAfterClose = false;
    EXPECT_TRUE(LoopEndsAfter([&] {
        QTest::mouseClick(Converter(Quantity::Length)->control<QPushButton>("CommandClose"),
                          Qt::LeftButton);
        QTimer::singleShot(50, [&] {
            runningAfterClose = !app->Converter(Quantity::Length).isLoaded();
            app->MainWindow()->close();
        });
    }));
    EXPECT_TRUE(runningAfterClose);
}

TEST_F(ApplicationFixture, ClosingTheMainWindowAloneEndsTheProgram) {
    EXPECT_TRUE(LoopEndsAfter([this] { app->MainWindow()->close(); }));
}

TEST_F(ApplicationFixture, TheAboutWindowIsSingleAndLeavesTheMainWindowUsable) {
    app->MainWindow()->findChild<QAction*>("MenuHelpAbout")->trigger();
    QWidget* about = app->About().window();
    app->MainWindow()->findChild<QAction*>("MenuHelpAbout")->trigger();
    EXPECT_EQ(app->About().window(), about);
    Click("CmdSquare");
    EXPECT_TRUE(app->Converter(Quantity::Square).isLoaded());
    EXPECT_TRUE(about->isVisible());
}

}  // namespace
