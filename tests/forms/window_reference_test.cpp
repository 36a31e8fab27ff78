// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include "tests/support/widget_helpers.h"
#include "ui/forms/form_window.h"
#include "ui/forms/window_reference.h"

namespace {

using tavo::forms::WindowReference;

constexpr tavo::forms::ControlDesign kControls[] = {
    {.kind = tavo::forms::ControlKind::TextBox,
     .name = "TextBox",
     .index = 0,
     .caption = " 0",
     .rect = {240, 240, 1815, 450},
     .tabStop = true},
};
constexpr tavo::forms::FormDesign kDesign{.name = "Probe",
                                          .title = "probe",
                                          .clientWidth = 3000,
                                          .clientHeight = 1500,
                                          .background = {255, 224, 192},
                                          .controls = kControls};

// Counts the loads, as a window's load handler would run once per creation.
struct ReferenceFixture : testing::Test {
    WindowReference reference{[this](WindowReference&) -> QWidget* {
        ++loads;
        return new tavo::forms::FormWindow(kDesign);
    }};
    int loads = 0;
};

TEST_F(ReferenceFixture, IsEmptyUntilTheFirstOpening) {
    EXPECT_FALSE(reference.isLoaded());
    EXPECT_EQ(loads, 0);
}

TEST_F(ReferenceFixture, OpensOneInstanceAndRaisesItAgain) {
    QWidget* first = reference.open();
    QWidget* second = reference.open();
    EXPECT_EQ(first, second);
    EXPECT_EQ(loads, 1);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->parentWidget(), nullptr) << "opened without an owner";
}

TEST_F(ReferenceFixture, OpeningAMinimisedWindowRestoresAndActivatesIt) {
    QWidget* window = reference.open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QWidget other;  // the window the user works in meanwhile
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    window->showMinimized();
    ASSERT_TRUE(QTest::qWaitFor([window] { return window->isMinimized(); }));

    EXPECT_EQ(reference.open(), window);
    EXPECT_FALSE(window->isMinimized());
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    EXPECT_EQ(loads, 1);
}

TEST_F(ReferenceFixture, UnloadDestroysTheWindowAndTheNextOpenLoadsAfresh) {
    QPointer<QWidget> first = reference.open();
    QPointer<QWidget> control = first->findChild<QWidget*>("TextBox_0");
    QSignalSpy unloaded(&reference, &WindowReference::unloaded);
    reference.unload();
    EXPECT_FALSE(reference.isLoaded());
    tavo::test::FlushDeletes();
    EXPECT_TRUE(first.isNull()) << "destroyed, not hidden";
    EXPECT_TRUE(control.isNull());
    EXPECT_EQ(unloaded.count(), 1);
    reference.open();
    EXPECT_EQ(loads, 2);
}

TEST_F(ReferenceFixture, ClosingTheWindowInAnyWayUnloadsIt) {
    QPointer<QWidget> window = reference.open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    window->close();  // the close box or the window manager's close command
    tavo::test::FlushDeletes();
    EXPECT_FALSE(reference.isLoaded());
    EXPECT_TRUE(window.isNull());
}

TEST_F(ReferenceFixture, AFormCanUnloadItselfFromItsOwnHandler) {
    auto* form = qobject_cast<tavo::forms::FormWindow*>(reference.open());
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(form->unloadHandler);
    form->unloadHandler();
    EXPECT_FALSE(reference.isLoaded());
    tavo::test::FlushDeletes();
}

TEST(FormWindow, IsExactlyItsClientAreaAndFixed) {
    tavo::forms::FormWindow window(kDesign);
    EXPECT_EQ(window.size(), QSize(200, 100));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_EQ(window.client()->palette().color(QPalette::Window), QColor(255, 224, 192));
}

}  // namespace
