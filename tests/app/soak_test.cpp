// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include <unistd.h>
#include <cstdio>
#include <fstream>
#include <memory>

#include "app/application.h"
#include "tests/support/widget_helpers.h"
#include "ui/converter/converter_window.h"

// Opens and closes each of the six windows many times through the window references, with a
// conversion typed into each converter window every time, and checks that nothing is left
// behind: no window, no control, no object, and no resident memory that keeps growing.
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;  // the allocator's quarantine makes RSS meaningless
constexpr int kCycles = 100;
#else
constexpr bool kSanitized = false;
constexpr int kCycles = 1000;
#endif

long ResidentKiB() {
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

int CountObjects(const QObject* root) {
    int count = 1;
    for (const QObject* child : root->children()) count += CountObjects(child);
    return count;
}

int CountApplicationObjects() {
    int count = CountObjects(qApp);
    for (const QWidget* window : QApplication::topLevelWidgets()) count += CountObjects(window);
    return count;
}

TEST(Soak, OpeningAndClosingEveryWindowLeavesNothingBehind) {
    auto app = std::make_unique<tavo::app::Application>();
    app->Start();
    const auto widgetsAtStart = QApplication::allWidgets().size();
    const auto windowsAtStart = QApplication::topLevelWidgets().size();  // main window, menus
    int objectsAfterFirstCycle = 0;  // Qt creates a few helpers once, on first use
    long residentAfterWarmUp = 0;
    for (int cycle = 0; cycle < kCycles; ++cycle) {
        for (tavo::forms::WindowReference* reference : app->References()) {
            reference->open();
            if (auto* converter =
                    qobject_cast<tavo::converter::ConverterWindow*>(reference->window())) {
                converter->TextBox(1)->setText(QString::number(cycle));
                QTest::keyClick(converter->TextBox(1), Qt::Key_Return);
                ASSERT_NE(converter->TextBox(0)->text(), " 1") << "the conversion ran";
            }
            reference->unload();
        }
        tavo::test::FlushDeletes();
        if (cycle == 0) objectsAfterFirstCycle = CountApplicationObjects();
        if (cycle == kCycles / 10 - 1) residentAfterWarmUp = ResidentKiB();
    }
    const long residentAtEnd = ResidentKiB();
    EXPECT_EQ(QApplication::allWidgets().size(), widgetsAtStart);
    EXPECT_EQ(QApplication::topLevelWidgets().size(), windowsAtStart);
    EXPECT_LE(CountApplicationObjects(), objectsAfterFirstCycle);
    std::printf(
        "soak: %d cycles x 6 windows; widgets %lld -> %lld; objects %d -> %d; "
        "resident %ld KiB after %d cycles, %ld KiB at the end (%+ld KiB)\n",
        kCycles, static_cast<long long>(widgetsAtStart),
        static_cast<long long>(QApplication::allWidgets().size()), objectsAfterFirstCycle,
        CountApplicationObjects(), residentAfterWarmUp, kCycles / 10, residentAtEnd,
        residentAtEnd - residentAfterWarmUp);
    if (!kSanitized) {
        EXPECT_LT(residentAtEnd - residentAfterWarmUp, 2 * 1024);
    }
    app.reset();
    tavo::test::FlushDeletes();
}

}  // namespace
