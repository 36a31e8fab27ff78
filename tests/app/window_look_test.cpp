// SPDX-License-Identifier: MIT
// What users see, pinned by facts written here rather than read from the layouts: every
// window's visible strings, and every window's rendering compared with a golden image.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTest>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <vector>

#include "app/application.h"
#include "tests/support/cp932.h"
#include "tests/support/widget_helpers.h"

namespace {

using tavo::Quantity;
using tavo::forms::WindowReference;

// A window's visible strings in the order its controls are built: the title, then every
// label, frame, button and menu caption.
QStringList VisibleStrings(const QWidget* window) {
    QStringList strings{window->windowTitle()};
    for (const QWidget* widget : window->findChildren<QWidget*>()) {
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            strings << label->text();
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            if (!button->text().isEmpty()) strings << button->text();
        } else if (const auto* frame = qobject_cast<const QGroupBox*>(widget)) {
            strings << frame->title();
        } else if (const auto* bar = qobject_cast<const QMenuBar*>(widget)) {
            for (const QAction* menu : bar->actions()) {
                strings << menu->text();
                for (const QAction* item : menu->menu()->actions()) strings << item->text();
            }
        }
    }
    return strings;
}

QStringList ConverterStrings(const char* title, const QStringList& units) {
    return QStringList{QString::fromUtf8(title)} + units +
           QStringList{"数値書式", "なし", "指数", "閉じる"};
}

struct LookFixture : testing::Test {
    void SetUp() override {
        app = std::make_unique<tavo::app::Application>();
        app->Start();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(app->MainWindow()));
    }
    void TearDown() override {
        app.reset();
        tavo::test::FlushDeletes();
        QApplication::setPalette(QApplication::style()->standardPalette());
    }
    // Each window by the name of its image and strings, opened one at a time.
    std::vector<std::pair<QString, WindowReference*>> Windows() const {
        std::vector<std::pair<QString, WindowReference*>> windows;
        for (const Quantity quantity : tavo::kQuantities) {
            windows.emplace_back(QString::fromLatin1(tavo::Table(quantity).name),
                                 &app->Converter(quantity));
        }
        windows.emplace_back("Manual", &app->Manual());
        windows.emplace_back("TAVO_About", &app->About());
        return windows;
    }
    std::unique_ptr<tavo::app::Application> app;
};

TEST_F(LookFixture, EveryWindowShowsExactlyItsStrings) {
    const std::map<QString, QStringList> expected{
        {"Length", ConverterStrings("度量衡変換\uFF0D長さ",
                                    {"メートル", "ヤード", "フィート", "インチ", "マイル", "尺",
                                     "海里", "光年", "オングストローム"})},
        {"Weight",
         ConverterStrings("度量衡変換\uFF0D重さ", {"キログラム", "グラム", "トン", "ポンド",
                                                   "オンス", "貫", "匁", "斤", "太陽質量"})},
        {"Square", ConverterStrings("度量衡変換\uFF0D面積", {"平方メートル", "平方キロ", "アール",
                                                             "ヘクタール", "坪", "反"})},
        {"Volume",
         ConverterStrings("度量衡変換\uFF0D体積", {"立方メートル", "リットル", " cc", "立方インチ",
                                                   "ガロン(米)", "合", "升", "石"})},
        {"Manual", {"使い方", "戻る"}},
        {"TAVO_About",
         {"TAVOについて", "度量衡変換", "for Windows95/98", "Programed by", "TAVO Software",
          "2000/01/26", "OK"}},
    };
    const QStringList main{"度量衡変換", "   距離 ", "   質量 ", "   面積 ", "   体積 ",
                           "ﾌｧｲﾙ",       "終了",     "ﾍﾙﾌﾟ",     "使い方",   "TAVOについて"};
    EXPECT_EQ(VisibleStrings(app->MainWindow()), main);
    for (const auto& [name, reference] : Windows()) {
        const QStringList shown = VisibleStrings(reference->open());
        EXPECT_EQ(shown, expected.at(name)) << name.toStdString();
        for (const QString& text : shown) {
            EXPECT_TRUE(tavo::test::FitsCodePage932(text.toStdString())) << text.toStdString();
        }
    }
}

// ---- Golden images --------------------------------------------------------------------------

// The window as shown, and beside it the same picture with every control's rectangle
// outlined, so that a control that moves or changes size without changing a pixel of its
// own (a transparent label's width) still changes the image.
QImage Look(QWidget* window) {
    QApplication::processEvents();
    const QImage shown = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QImage look(shown.width() * 2 + 8, shown.height(), QImage::Format_RGB32);
    look.fill(Qt::black);
    QPainter painter(&look);
    painter.drawImage(0, 0, shown);
    painter.drawImage(shown.width() + 8, 0, shown);
    painter.setPen(QColor(255, 0, 255));
    for (const QWidget* child : window->findChildren<QWidget*>()) {
        if (!child->isVisible()) continue;
        const QRect rect(child->mapTo(window, QPoint(0, 0)), child->size());
        painter.drawRect(rect.translated(shown.width() + 8, 0).adjusted(0, 0, -1, -1));
    }
    return look;
}

// Pixels whose colour differs by more than anti-aliasing can explain.
int DifferingPixels(const QImage& a, const QImage& b, QImage* diff) {
    if (a.size() != b.size()) return a.width() * a.height() + 1;
    *diff = QImage(a.size(), QImage::Format_RGB32);
    diff->fill(Qt::white);
    int differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            const int delta =
                std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                          std::abs(qBlue(p) - qBlue(q))});
            if (delta > 48) {
                ++differing;
                diff->setPixel(x, y, qRgb(255, 0, 0));
            }
        }
    }
    return differing;
}

// `make golden` sets TAVO_UPDATE_GOLDEN to write the images afresh, on purpose.
TEST_F(LookFixture, EveryWindowLooksAsItsGoldenImage) {
    QApplication::setCursorFlashTime(0);  // the caret never blinks into or out of a picture
    const QDir golden(QStringLiteral(TAVO_GOLDEN_DIR));
    const bool update = qEnvironmentVariableIsSet("TAVO_UPDATE_GOLDEN");
    const auto compare = [&](const QString& name, QWidget* window) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        const QImage look = Look(window);
        const QString file = name.toLower() + QStringLiteral(".png");
        if (update) {
            EXPECT_TRUE(look.save(golden.filePath(file)));
            return;
        }
        const QImage expected(golden.filePath(file));
        ASSERT_FALSE(expected.isNull()) << "no golden image " << file.toStdString();
        QImage diff;
        const int differing =
            DifferingPixels(look, expected.convertToFormat(QImage::Format_RGB32), &diff);
        if (differing > 8) {
            look.save(QStringLiteral("actual-") + file);
            diff.save(QStringLiteral("diff-") + file);
        }
        EXPECT_LE(differing, 8) << file.toStdString() << ": see actual-" << file.toStdString()
                                << " and diff-" << file.toStdString() << " in "
                                << QDir::currentPath().toStdString();
    };
    compare(QStringLiteral("main"), app->MainWindow());
    for (const auto& [name, reference] : Windows()) {
        compare(name, reference->open());
        reference->unload();
        tavo::test::FlushDeletes();
    }
}

// State: a dark palette (white text on dark grey). Expected: what the layouts draw on their
// own light backgrounds (the number-format frame with its caption and options, the help text)
// looks exactly as under the light theme: dark text at some 16:1 where the theme's white text
// made 1.1:1, and white option marks with a black dot where they were dark on orange.
TEST_F(LookFixture, FixedBackgroundsKeepTheirLookUnderADarkTheme) {
    QApplication::setPalette(QPalette(QColor(42, 42, 42)));
    for (const auto& [name, reference] : Windows()) {
        QWidget* window = reference->open();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        const QImage shown = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage light = QImage(QStringLiteral(TAVO_GOLDEN_DIR "/") + name.toLower() + ".png")
                                 .convertToFormat(QImage::Format_RGB32);
        for (const QWidget* part : window->findChildren<QWidget*>()) {
            const auto* text = qobject_cast<const QPlainTextEdit*>(part->parentWidget());
            if (qobject_cast<const QGroupBox*>(part) != nullptr ||
                (text && text->viewport() == part)) {
                const QRect rect(part->mapTo(window, QPoint()), part->size());
                QImage diff;
                EXPECT_EQ(DifferingPixels(shown.copy(rect), light.copy(rect), &diff), 0)
                    << name.toStdString() << " " << part->objectName().toStdString();
            }
        }
        reference->unload();
        tavo::test::FlushDeletes();
    }
}

}  // namespace
