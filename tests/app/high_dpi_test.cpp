// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QTest>

#include <cmath>
#include <memory>

#include "app/application.h"
#include "tests/support/widget_helpers.h"
#include "ui/forms/form_builder.h"
#include "ui/forms/form_window.h"

// Runs under QT_SCALE_FACTOR (1, 1.5 and 2, one CTest entry each): the windows must keep
// their proportions in device pixels and every caption must still fit its control.
namespace {

double ScaleFactor() {
    const QByteArray factor = qgetenv("QT_SCALE_FACTOR");
    return factor.isEmpty() ? 1.0 : factor.toDouble();
}

struct DpiFixture : testing::Test {
    void SetUp() override {
        app = std::make_unique<tavo::app::Application>();
        app->Start();
        for (tavo::forms::WindowReference* reference : app->References()) reference->open();
    }
    void TearDown() override {
        app.reset();
        tavo::test::FlushDeletes();
    }
    // The windows built from a layout, with their client widgets.
    std::vector<std::pair<const tavo::forms::FormDesign*, QWidget*>> Forms() {
        std::vector<std::pair<const tavo::forms::FormDesign*, QWidget*>> forms;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* form = qobject_cast<tavo::forms::FormWindow*>(window)) {
                forms.emplace_back(&form->design(), form->client());
            }
        }
        return forms;
    }
    std::unique_ptr<tavo::app::Application> app;
};

TEST_F(DpiFixture, ControlsScaleWithTheDevicePixelRatio) {
    const double ratio = ScaleFactor();
    EXPECT_DOUBLE_EQ(app->MainWindow()->devicePixelRatioF(), ratio);
    const auto forms = Forms();
    EXPECT_EQ(forms.size(), 7U);
    for (const auto& [design, client] : forms) {
        EXPECT_NEAR(client->width() * client->devicePixelRatioF(),
                    design->clientWidth / 15.0 * ratio, 1.0);
        for (const auto& control : design->controls) {
            const QWidget* widget =
                tavo::forms::FindControl<QWidget>(client, control.name, control.index);
            ASSERT_NE(widget, nullptr);
            // Positions are relative to the client area, through the frame that holds it.
            int left = control.rect.left;
            int top = control.rect.top;
            for (const auto& container : design->controls) {
                if (!control.container.empty() && container.name == control.container) {
                    left += container.rect.left;
                    top += container.rect.top;
                }
            }
            const QPoint topLeft = widget->mapTo(client, QPoint(0, 0));
            EXPECT_NEAR(topLeft.x() * ratio, left / 15.0 * ratio, 1.0);
            EXPECT_NEAR(topLeft.y() * ratio, top / 15.0 * ratio, 1.0);
            EXPECT_NEAR(widget->width() * widget->devicePixelRatioF(),
                        control.rect.width / 15.0 * ratio, 1.0)
                << widget->objectName().toStdString();
            EXPECT_NEAR(widget->height() * widget->devicePixelRatioF(),
                        control.rect.height / 15.0 * ratio, 1.0);
        }
    }
}

TEST_F(DpiFixture, EveryCaptionFitsItsControl) {
    for (const auto& [design, client] : Forms()) {
        for (const auto& control : design->controls) {
            const QWidget* widget =
                tavo::forms::FindControl<QWidget>(client, control.name, control.index);
            const QFontMetrics metrics(widget->font(), const_cast<QWidget*>(widget));
            int needed = 0;
            if (const auto* label = qobject_cast<const QLabel*>(widget)) {
                needed = metrics.horizontalAdvance(label->text());
            } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
                // Room for an option's indicator or a push button's bevel.
                needed = metrics.horizontalAdvance(button->text()) + 20;
            } else if (const auto* frame = qobject_cast<const QGroupBox*>(widget)) {
                needed = metrics.horizontalAdvance(frame->title());
            }
            EXPECT_LE(needed, widget->width())
                << design->name << "/" << widget->objectName().toStdString() << " at "
                << ScaleFactor();
        }
    }
}

TEST_F(DpiFixture, PicturesStayCrispPixelArt) {
    // The picture box paints its 32 x 32 icon without smoothing: at ratio 2 every icon
    // pixel becomes a 2 x 2 block of one colour.
    QWidget* picture = tavo::forms::FindControl<QWidget>(app->MainWindow()->client(), "CmdWeight");
    const QImage image = picture->grab().toImage();
    const int ratio = static_cast<int>(std::lround(ScaleFactor()));
    if (ScaleFactor() != ratio || ratio < 2) GTEST_SKIP() << "needs a whole ratio of 2 or more";
    int blocksChecked = 0;
    for (int y = 4; y < 28; ++y) {
        for (int x = 4; x < 28; ++x) {
            const QRgb first = image.pixel(x * ratio, y * ratio);
            for (int dy = 0; dy < ratio; ++dy) {
                for (int dx = 0; dx < ratio; ++dx) {
                    EXPECT_EQ(image.pixel(x * ratio + dx, y * ratio + dy), first);
                }
            }
            ++blocksChecked;
        }
    }
    EXPECT_EQ(blocksChecked, 24 * 24);
}

}  // namespace
