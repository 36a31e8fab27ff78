// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QTest>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "app/application.h"
#include "tests/support/widget_helpers.h"
#include "ui/forms/controls.h"

namespace {

// Every control a user can reach with the keyboard or the mouse must tell a screen reader
// what it is, and every window is a frame or a dialog named by its title. Walks the
// accessibility tree of all seven windows.
TEST(Accessibility, EveryWindowAndFocusableControlHasARoleAndAName) {
    auto app = std::make_unique<tavo::app::Application>();
    app->Start();
    for (tavo::forms::WindowReference* reference : app->References()) reference->open();
    int focusable = 0;
    int boxes = 0;
    int buttons = 0;
    const std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* node) {
        if (node == nullptr) return;
        auto* widget = qobject_cast<QWidget*>(node->object());
        if (widget != nullptr && widget->focusPolicy() != Qt::NoFocus) {
            ++focusable;
            if (node->role() == QAccessible::Button) ++buttons;
            EXPECT_FALSE(node->text(QAccessible::Name).trimmed().isEmpty())
                << widget->window()->objectName().toStdString() << "/"
                << widget->objectName().toStdString();
            if (qobject_cast<tavo::forms::FormTextBox*>(widget) != nullptr) ++boxes;
        }
        for (int i = 0; i < node->childCount(); ++i) walk(node->child(i));
    };
    std::map<std::string, QAccessible::Role> windows;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible()) continue;
        QAccessibleInterface* node = QAccessible::queryAccessibleInterface(window);
        windows[node->text(QAccessible::Name).toStdString()] = node->role();
        walk(node);
    }
    EXPECT_EQ(windows, (std::map<std::string, QAccessible::Role>{
                           {"度量衡変換", QAccessible::Window},
                           {"度量衡変換－長さ", QAccessible::Window},
                           {"度量衡変換－重さ", QAccessible::Window},
                           {"度量衡変換－面積", QAccessible::Window},
                           {"度量衡変換－体積", QAccessible::Window},
                           {"使い方", QAccessible::Dialog},
                           {"TAVOについて", QAccessible::Dialog},
                       }));
    EXPECT_EQ(boxes, 9 + 9 + 6 + 8);
    // 32 boxes, 4 x 3 converter buttons, 4 pictures, 2 help controls, 1 About button.
    EXPECT_EQ(focusable, 32 + 12 + 4 + 2 + 1);
    // The pictures and the 閉じる, 戻る and OK buttons.
    EXPECT_EQ(buttons, 4 + 4 + 1 + 1);
    app.reset();
    tavo::test::FlushDeletes();
}

}  // namespace
