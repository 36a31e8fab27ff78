// SPDX-License-Identifier: MIT
#include "layout_conformance.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QImage>
#include <QKeySequence>
#include <QLabel>

#include <algorithm>
#include <cmath>
#include <vector>

#include "ui/forms/form_builder.h"

namespace tavo::test {

namespace {

using forms::ControlKind;

// A push button drawn flat has one face colour from edge to edge; a 3-D one is lit at the
// top and shaded towards the bottom, just inside its outline.
bool DrawnFlat(const QWidget* button) {
    const QImage image = const_cast<QWidget*>(button)->grab().toImage();
    const int x = image.width() / 2;
    return image.pixel(x, 2) == image.pixel(x, image.height() - 3);
}

}  // namespace

void ExpectConformsToLayout(const QWidget* client, const forms::FormDesign& design) {
    EXPECT_EQ(client->size(), QSize(forms::TwipsToPixels(design.clientWidth),
                                    forms::TwipsToPixels(design.clientHeight)));
    EXPECT_EQ(client->palette().color(QPalette::Window), forms::ToColour(design.background));

    std::vector<std::pair<int, const QWidget*>> tabStops;
    for (const forms::ControlDesign& control : design.controls) {
        const QWidget* widget = forms::FindControl<QWidget>(client, control.name, control.index);
        const std::string name = forms::ControlObjectName(control);
        ASSERT_NE(widget, nullptr) << name;
        SCOPED_TRACE(name);
        const QWidget* expectedParent =
            control.container.empty() ? client
                                      : forms::FindControl<QWidget>(client, control.container);
        EXPECT_EQ(widget->parentWidget(), expectedParent);
        EXPECT_EQ(widget->geometry(), QRect(forms::TwipsToPixels(control.rect.left),
                                            forms::TwipsToPixels(control.rect.top),
                                            forms::TwipsToPixels(control.rect.width),
                                            forms::TwipsToPixels(control.rect.height)));
        if (!control.font.face.empty()) {
            const QFont font = widget->font();
            EXPECT_EQ(font.family(), forms::InstalledFace(control.font.face));
            EXPECT_EQ(font.pixelSize(), std::lround(control.font.points * 4 / 3));
            EXPECT_EQ(font.bold(), control.font.bold);
            EXPECT_EQ(font.underline(), control.font.underline);
        }
        const QPalette palette = widget->palette();
        switch (control.kind) {
            case ControlKind::TextBox:
                EXPECT_EQ(palette.color(QPalette::Base), forms::ToColour(control.backColour));
                EXPECT_EQ(palette.color(QPalette::Text), forms::ToColour(control.foreColour));
                break;
            case ControlKind::Label:
                EXPECT_EQ(palette.color(QPalette::WindowText), forms::ToColour(control.foreColour));
                EXPECT_EQ(widget->autoFillBackground(),
                          (control.flags & forms::kBackgroundFilled) != 0);
                break;
            case ControlKind::Frame:
            case ControlKind::OptionButton:
            case ControlKind::MultiLineTextBox:
                EXPECT_EQ(
                    palette.color(control.kind == ControlKind::MultiLineTextBox ? QPalette::Base
                                                                                : QPalette::Window),
                    forms::ToColour(control.backColour));
                break;
            default:
                break;
        }
        // Every flag, on every control that may carry it.
        const auto flag = [&control](forms::ControlFlag f) { return (control.flags & f) != 0; };
        switch (control.kind) {
            case ControlKind::OptionButton:
                EXPECT_EQ(qobject_cast<const QAbstractButton*>(widget)->isChecked(),
                          flag(forms::kSelected));
                break;
            case ControlKind::TextBox:
                // What an input method asks before it takes the box's keys.
                EXPECT_EQ(widget->inputMethodQuery(Qt::ImEnabled).toBool(), !flag(forms::kImeOff));
                break;
            case ControlKind::Label: {
                const auto* label = qobject_cast<const QLabel*>(widget);
                EXPECT_EQ(label->alignment() & Qt::AlignHorizontal_Mask,
                          flag(forms::kCentred) ? Qt::AlignHCenter : Qt::AlignLeft);
                const QWidget* buddy = control.buddy.name.empty()
                                           ? nullptr
                                           : forms::FindControl<QWidget>(client, control.buddy.name,
                                                                         control.buddy.index);
                EXPECT_EQ(label->buddy(), buddy);
                break;
            }
            case ControlKind::CommandButton:
                EXPECT_EQ(DrawnFlat(widget), flag(forms::kFlat));
                break;
            case ControlKind::Frame: {
                // Its face is painted in its own colour, not in a style's shade of it.
                const QImage image = const_cast<QWidget*>(widget)->grab().toImage();
                const QPoint inside = QPoint(4, widget->height() - 5) * image.devicePixelRatio();
                EXPECT_EQ(image.pixelColor(inside), forms::ToColour(control.backColour));
                break;
            }
            default:
                break;
        }
        // What a screen reader hears beyond the name, and the key that clicks a button,
        // shown beside its caption in the tooltip and at the end of the description.
        EXPECT_TRUE(
            widget->accessibleDescription().startsWith(forms::ToQString(control.description)));
        if (!control.shortcut.empty()) {
            const auto* button = qobject_cast<const QAbstractButton*>(widget);
            const QString note = QStringLiteral(" (%1)").arg(forms::ToQString(control.shortcut));
            EXPECT_EQ(button->shortcut(), QKeySequence(forms::ToQString(control.shortcut)));
            EXPECT_EQ(button->toolTip(), button->text() + note);
            EXPECT_TRUE(widget->accessibleDescription().endsWith(note));
        }
        EXPECT_EQ((widget->focusPolicy() & Qt::TabFocus) != 0, control.tabStop);
        if (control.tabStop) tabStops.emplace_back(control.tabIndex, widget);
    }

    std::sort(tabStops.begin(), tabStops.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    if (tabStops.empty()) return;
    const QWidget* widget = tabStops.front().second;
    for (std::size_t i = 1; i <= tabStops.size(); ++i) {
        do {
            widget = widget->nextInFocusChain();
        } while ((widget->focusPolicy() & Qt::TabFocus) == 0 || !client->isAncestorOf(widget));
        EXPECT_EQ(widget, tabStops[i % tabStops.size()].second)
            << "tab stop " << i << " is " << widget->objectName().toStdString();
    }
}

}  // namespace tavo::test
