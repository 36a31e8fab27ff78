// SPDX-License-Identifier: MIT
// The layouts as plain data (what the browser edition draws) against the widgets the Qt
// builder made of the same tables: every control of every window, placed, written, coloured,
// set in its font and flagged as the data says, and the Tab key following the data's order.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QGroupBox>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <algorithm>
#include <memory>
#include <vector>

#include "app/application.h"
#include "tests/support/widget_helpers.h"
#include "ui/forms/form_builder.h"
#include "ui/forms/form_window.h"
#include "ui/forms/layout_data.h"
#include "ui/shell/shell_layouts.h"

namespace {

using tavo::forms::FormWindow;

QColor Colour(const QJsonValue& value) {
    return QColor(value.toString());
}

// A push button drawn flat has one face colour from edge to edge; a 3-D one is lit at the
// top and shaded towards the bottom, just inside its outline.
bool DrawnFlat(QWidget* button) {
    const QImage image = button->grab().toImage();
    const int x = image.width() / 2;
    return image.pixel(x, 2) == image.pixel(x, image.height() - 3);
}

QString ShownCaption(const QWidget* widget) {
    if (const auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) return button->text();
    if (const auto* frame = qobject_cast<const QGroupBox*>(widget)) return frame->title();
    if (const auto* text = qobject_cast<const QPlainTextEdit*>(widget)) {
        return text->toPlainText().replace(QChar('\n'), QStringLiteral("\r\n"));
    }
    return {};
}

void ExpectBuiltAsItsData(FormWindow* window, const QJsonObject& layout) {
    QWidget* client = window->client();
    EXPECT_EQ(client->size(), QSize(layout["width"].toInt(), layout["height"].toInt()));
    EXPECT_EQ(client->palette().color(QPalette::Window), Colour(layout["background"]));

    std::vector<std::pair<int, QWidget*>> tabStops;
    for (const QJsonValue& item : layout["controls"].toArray()) {
        const QJsonObject data = item.toObject();
        const QString id = data["id"].toString();
        SCOPED_TRACE(id.toStdString());
        auto* widget = client->findChild<QWidget*>(id);
        ASSERT_NE(widget, nullptr);
        const QString container = data["container"].toString();
        EXPECT_EQ(widget->parentWidget(),
                  container.isEmpty() ? client : client->findChild<QWidget*>(container));
        EXPECT_EQ(widget->geometry(), QRect(data["x"].toInt(), data["y"].toInt(),
                                            data["width"].toInt(), data["height"].toInt()));
        const QString kind = data["kind"].toString();
        // The boxes' texts are the load's, not the layout's.
        if (kind != "textBox") {
            EXPECT_EQ(ShownCaption(widget), data["caption"].toString());
        }

        const QJsonObject fontData = data["font"].toObject();
        if (!fontData["face"].toString().isEmpty()) {
            const QFont font = widget->font();
            EXPECT_EQ(font.family(),
                      tavo::forms::InstalledFace(fontData["face"].toString().toStdString()));
            EXPECT_EQ(font.pixelSize(), fontData["pixelSize"].toInt());
            EXPECT_EQ(font.bold(), fontData["bold"].toBool());
            EXPECT_EQ(font.underline(), fontData["underline"].toBool());
        }

        const QPalette palette = widget->palette();
        const QColor fore = Colour(data["foreColour"]);
        const QColor back = Colour(data["backColour"]);
        if (kind == "textBox") {
            EXPECT_EQ(palette.color(QPalette::Base), back);
            EXPECT_EQ(palette.color(QPalette::Text), fore);
            // What an input method asks before it takes the box's keys.
            EXPECT_EQ(widget->inputMethodQuery(Qt::ImEnabled).toBool(), !data["imeOff"].toBool());
        } else if (kind == "label") {
            const auto* label = qobject_cast<const QLabel*>(widget);
            EXPECT_EQ(palette.color(QPalette::WindowText), fore);
            EXPECT_EQ(widget->autoFillBackground(), data["backgroundFilled"].toBool());
            EXPECT_EQ(label->alignment() & Qt::AlignHorizontal_Mask,
                      data["centred"].toBool() ? Qt::AlignHCenter : Qt::AlignLeft);
            const QString buddy = data["buddy"].toString();
            EXPECT_EQ(label->buddy(),
                      buddy.isEmpty() ? nullptr : client->findChild<QWidget*>(buddy));
        } else if (kind == "frame") {
            EXPECT_EQ(palette.color(QPalette::WindowText), fore);
            // Its face is painted in its own colour, not in a style's shade of it.
            const QImage image = widget->grab().toImage();
            const QPoint inside = QPoint(4, widget->height() - 5) * image.devicePixelRatio();
            EXPECT_EQ(image.pixelColor(inside), back);
        } else if (kind == "optionButton") {
            EXPECT_EQ(palette.color(QPalette::Window), back);
            EXPECT_EQ(palette.color(QPalette::WindowText), fore);
            EXPECT_EQ(qobject_cast<QAbstractButton*>(widget)->isChecked(),
                      data["selected"].toBool());
        } else if (kind == "multiLineTextBox") {
            EXPECT_EQ(palette.color(QPalette::Base), back);
            EXPECT_EQ(palette.color(QPalette::Text), fore);
        } else if (kind == "commandButton") {
            EXPECT_EQ(DrawnFlat(widget), data["flat"].toBool());
        }

        // What a screen reader hears beyond the name, and the key that clicks a button,
        // shown beside its caption in the tooltip and at the end of the description.
        const QString description = data["description"].toString();
        if (!description.isEmpty()) {
            EXPECT_TRUE(widget->accessibleDescription().startsWith(description));
        }
        if (!data["accessibleName"].toString().isEmpty()) {
            EXPECT_EQ(widget->accessibleName(), data["accessibleName"].toString());
        }
        const QString shortcut = data["shortcut"].toString();
        if (!shortcut.isEmpty()) {
            const auto* button = qobject_cast<const QAbstractButton*>(widget);
            const QString note = QStringLiteral(" (%1)").arg(shortcut);
            EXPECT_EQ(button->shortcut(), QKeySequence(shortcut));
            EXPECT_EQ(button->toolTip(), button->text() + note);
            EXPECT_TRUE(widget->accessibleDescription().endsWith(note));
        }
        EXPECT_EQ((widget->focusPolicy() & Qt::TabFocus) != 0, data["tabStop"].toBool());
        if (data["tabStop"].toBool()) tabStops.emplace_back(data["tabIndex"].toInt(), widget);
    }

    // Tab visits the tab stops in the order of their positions, and comes round again.
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

TEST(LayoutData, EveryWindowIsBuiltAsItsPlainDataSays) {
    tavo::app::Application app;
    app.Start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(app.MainWindow()));
    std::vector<FormWindow*> windows{app.MainWindow()};
    for (tavo::forms::WindowReference* reference : app.References()) {
        windows.push_back(qobject_cast<FormWindow*>(reference->open()));
    }
    const auto layouts = tavo::shell::WindowLayouts();
    ASSERT_EQ(windows.size(), layouts.size());
    for (std::size_t i = 0; i < windows.size(); ++i) {
        const std::string json = tavo::forms::LayoutJson(*layouts[i]);
        QJsonParseError error{};
        const QJsonDocument document =
            QJsonDocument::fromJson(QByteArray::fromStdString(json), &error);
        ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
        const QJsonObject layout = document.object();
        ASSERT_NE(windows[i], nullptr);
        SCOPED_TRACE(layout["name"].toString().toStdString());
        EXPECT_EQ(windows[i]->objectName(), layout["name"].toString());
        EXPECT_EQ(windows[i]->windowIcon().isNull(), layout["icon"].toString().isEmpty());
        ExpectBuiltAsItsData(windows[i], layout);
    }
}

}  // namespace
