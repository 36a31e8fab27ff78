// SPDX-License-Identifier: MIT
// main() for the window tests: a real QApplication on Qt's offscreen platform (unless a
// platform is chosen already, e.g. xcb under Xvfb to watch the tests), prepared by the
// program's own start-up.
#include <gtest/gtest.h>

#include <QApplication>

#include <cstdlib>

#include "app/startup.h"

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    tavo::app::PrepareApplication();
    return RUN_ALL_TESTS();
}
