#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
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

using tavo::app::Application;
using tavo::shell::WindowId;

constexpr std::array kAll{WindowId::Length, WindowId::Weight, WindowId::Square,
                          WindowId::Volume, WindowId::Manual, WindowId::About};

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
    tavo::converter::ConverterWindow* Converter(WindowId id) {
        return qobject_cast<tavo::converter::ConverterWindow*>(app->Reference(id).window());
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

TEST_F(ApplicationFixture, OpensNothingButTheMainWindowAtStart) {
    for (const WindowId id : kAll) EXPECT_FALSE(app->Reference(id).isLoaded());
    EXPECT_TRUE(app->MainWindow()->isVisible());
}

TEST_F(ApplicationFixture, PictureAndCaptionOpenOneWindowThatKeepsItsValues) {
    Click("CmdWeight");
    auto* weight = Converter(WindowId::Weight);
    ASSERT_NE(weight, nullptr);
    weight->TextBox(0)->setText("5");
    QTest::keyClick(weight->TextBox(0), Qt::Key_Return);
    QTest::mouseClick(weight->control<QRadioButton>("OptFrmExp"), Qt::LeftButton);
    const QString gram = weight->TextBox(1)->text();
    Click("Label3");
    EXPECT_EQ(Converter(WindowId::Weight), weight) << "the same window, raised";
    EXPECT_EQ(weight->TextBox(1)->text(), gram);
    EXPECT_TRUE(weight->control<QRadioButton>("OptFrmExp")->isChecked());
}

TEST_F(ApplicationFixture, ReopeningAfterCloseShowsOneMetreAgain) {
    Click("CmdLength");
    auto* length = Converter(WindowId::Length);
    length->TextBox(0)->setText("5");
    QTest::keyClick(length->TextBox(0), Qt::Key_Return);
    QTest::mouseClick(length->control<QPushButton>("CommandClose"), Qt::LeftButton);
    tavo::test::FlushDeletes();
    Click("CmdLength");
    EXPECT_EQ(Converter(WindowId::Length)->TextBox(1)->text(), " 1.094");
}

TEST_F(ApplicationFixture, AllSixWindowsCanBeOpenAtOnceEachOnce) {
    for (int round = 0; round < 2; ++round) {
        for (const WindowId id : kAll) app->OpenWindow(id);
    }
    int windows = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible()) ++windows;
    }
    EXPECT_EQ(windows, 7) << "six windows and the main window";
}

TEST_F(ApplicationFixture, EndClosesEveryWindowAtOnce) {
    for (const WindowId id : kAll) app->OpenWindow(id);
    std::vector<QPointer<QWidget>> windows{app->MainWindow()};
    for (const WindowId id : kAll) windows.emplace_back(app->Reference(id).window());
    EXPECT_TRUE(LoopEndsAfter(
        [this] { app->MainWindow()->findChild<QAction*>("MenuFileEnd")->trigger(); }));
    for (const auto& window : windows) EXPECT_FALSE(window->isVisible());
    app.reset();
    tavo::test::FlushDeletes();
    for (const auto& window : windows) EXPECT_TRUE(window.isNull());
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
        stillRunning = main.isNull() && app->Reference(WindowId::Length).isLoaded();
        auto* length = Converter(WindowId::Length);
        length->TextBox(1)->setText("100");
        QTest::keyClick(length->TextBox(1), Qt::Key_Return);
        stillRunning = stillRunning && length->TextBox(0)->text() == " 91.44";
        QTest::mouseClick(length->control<QPushButton>("CommandClose"), Qt::LeftButton);
    }));
    EXPECT_TRUE(stillRunning);
}

TEST_F(ApplicationFixture, ClosingTheMainWindowAloneEndsTheProgram) {
    EXPECT_TRUE(LoopEndsAfter([this] { app->MainWindow()->close(); }));
}

TEST_F(ApplicationFixture, TheAboutWindowIsSingleAndLeavesTheMainWindowUsable) {
    app->MainWindow()->findChild<QAction*>("MenuHelpAbout")->trigger();
    QWidget* about = app->Reference(WindowId::About).window();
    app->MainWindow()->findChild<QAction*>("MenuHelpAbout")->trigger();
    EXPECT_EQ(app->Reference(WindowId::About).window(), about);
    Click("CmdSquare");
    EXPECT_TRUE(app->Reference(WindowId::Square).isLoaded());
    EXPECT_TRUE(about->isVisible());
}

}  // namespace
