#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QTest>

#include <functional>
#include <memory>

#include "app/application.h"
#include "tests/support/widget_helpers.h"
#include "ui/forms/controls.h"

namespace {

// Every control a user can reach with the keyboard or the mouse must tell a screen reader
// what it is. Walks the accessibility tree of all seven windows.
TEST(Accessibility, EveryFocusableControlOfEveryWindowHasAName) {
    auto app = std::make_unique<tavo::app::Application>();
    app->Start();
    for (tavo::forms::WindowReference* reference : app->References()) reference->open();
    int focusable = 0;
    int boxes = 0;
    const std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* node) {
        if (node == nullptr) return;
        auto* widget = qobject_cast<QWidget*>(node->object());
        if (widget != nullptr && widget->focusPolicy() != Qt::NoFocus) {
            ++focusable;
            EXPECT_FALSE(node->text(QAccessible::Name).trimmed().isEmpty())
                << widget->window()->objectName().toStdString() << "/"
                << widget->objectName().toStdString();
            if (qobject_cast<tavo::forms::FormTextBox*>(widget) != nullptr) ++boxes;
        }
        for (int i = 0; i < node->childCount(); ++i) walk(node->child(i));
    };
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible()) walk(QAccessible::queryAccessibleInterface(window));
    }
    EXPECT_EQ(boxes, 9 + 9 + 6 + 8);
    // 32 boxes, 4 x 3 converter buttons, 4 pictures, 2 help controls, 1 About button.
    EXPECT_EQ(focusable, 32 + 12 + 4 + 2 + 1);
    app.reset();
    tavo::test::FlushDeletes();
}

}  // namespace
