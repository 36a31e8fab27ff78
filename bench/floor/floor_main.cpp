// SPDX-License-Identifier: MIT
// The floor for start-up measurements: the least a Qt Widgets program does to put a window
// of the main window's size on the screen. A QApplication, one fixed-size QWidget, show,
// exec; no fonts chosen, no icons, no menus, no layouts.
//
// With --label the window also holds one label of Japanese text in the default font: the
// least a program pays to show any Japanese text at all (font configuration, font
// database, a CJK face). bench/startup.sh reports it beside the bare floor for reference.
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <cstring>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.setFixedSize(179, 191);
    if (argc > 1 && std::strcmp(argv[1], "--label") == 0) {
        auto* label = new QLabel(QStringLiteral("距離 質量 面積 体積"), &window);
        label->move(10, 10);
    }
    window.show();
    return QApplication::exec();
}
