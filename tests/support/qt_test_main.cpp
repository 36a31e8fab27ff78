// main() for the window tests: a real QApplication on Qt's offscreen platform (unless a
// platform is chosen already, e.g. xcb under Xvfb to watch the tests), with the program's
// face substitutes registered as at start-up.
#include <gtest/gtest.h>

#include <QApplication>

#include <cstdlib>

#include "ui/forms/face_substitution.h"

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    tavo::forms::UseJapaneseDesktopFont();
    return RUN_ALL_TESTS();
}
