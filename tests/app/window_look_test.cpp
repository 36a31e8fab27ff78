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
#include <QRadioButton>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QTest>

#include <algorithm>
#include <cmath>
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

// ---- Dark themes --------------------------------------------------------------------------

double Luminance(QRgb rgb) {
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(rgb)) + 0.7152 * linear(qGreen(rgb)) + 0.0722 * linear(qBlue(rgb));
}

// The contrast ratio (WCAG) between the most common colour of a part of an image, its
// background, and the pixel of it that stands out most: its text, where it has any.
double Contrast(const QImage& image, const QRect& part) {
    std::map<QRgb, int> counts;
    for (int y = part.top(); y <= part.bottom(); ++y) {
        for (int x = part.left(); x <= part.right(); ++x) ++counts[image.pixel(x, y)];
    }
    const auto background = std::max_element(counts.begin(), counts.end(), [](auto a, auto b) {
                                return a.second < b.second;
                            })->first;
    double most = 1;
    for (const auto& [colour, count] : counts) {
        const double a = Luminance(colour) + 0.05;
        const double b = Luminance(background) + 0.05;
        most = std::max(most, std::max(a, b) / std::min(a, b));
    }
    return most;
}

struct DarkThemeFixture : LookFixture {
    void TearDown() override {
        LookFixture::TearDown();
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(QApplication::style()->standardPalette());
    }
};

// State: a dark palette (white text on dark grey), with Qt's default style and with Windows.
// Expected: on every window, the text the layouts draw on their own light backgrounds (the
// help text, the frame caption, the options' captions) reads at 4.5:1 at least, and the
// selected option's mark differs from the other's.
TEST_F(DarkThemeFixture, TextOnFixedBackgroundsStaysReadable) {
    for (const char* style : {"Fusion", "Windows"}) {
        QApplication::setStyle(QStyleFactory::create(QString::fromLatin1(style)));
        QApplication::setPalette(QPalette(QColor(42, 42, 42)));
        for (const auto& [name, reference] : Windows()) {
            QWidget* window = reference->open();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
            const QImage shown = window->grab().toImage();
            const auto where = [&](const QWidget* widget, const QRect& part) {
                return QRect(widget->mapTo(window, part.topLeft()), part.size());
            };
            std::vector<std::pair<QString, QRect>> texts;
            for (const auto* frame : window->findChildren<QGroupBox*>()) {
                texts.emplace_back(
                    frame->title(),
                    where(frame, QRect(0, 0, frame->width(), frame->fontMetrics().height())));
            }
            std::vector<QRect> marks;
            for (const auto* option : window->findChildren<QRadioButton*>()) {
                QStyleOptionButton look;
                look.initFrom(option);
                look.text = option->text();
                const auto part = [&](QStyle::SubElement element) {
                    return where(option, option->style()->subElementRect(element, &look, option));
                };
                texts.emplace_back(option->text(), part(QStyle::SE_RadioButtonContents));
                marks.push_back(part(QStyle::SE_RadioButtonIndicator));
            }
            for (const auto* text : window->findChildren<QPlainTextEdit*>()) {
                texts.emplace_back(text->accessibleName(),
                                   where(text->viewport(), text->viewport()->rect()));
            }
            for (const auto& [text, part] : texts) {
                EXPECT_GE(Contrast(shown, part), 4.5)
                    << style << " " << name.toStdString() << ": " << text.toStdString();
            }
            if (marks.size() == 2) {
                QImage diff;
                EXPECT_GT(DifferingPixels(shown.copy(marks[0]), shown.copy(marks[1]), &diff), 8)
                    << style << " " << name.toStdString() << ": the options look alike";
            }
            reference->unload();
            tavo::test::FlushDeletes();
        }
    }
}

}  // namespace
