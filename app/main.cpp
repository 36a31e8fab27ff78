// SPDX-License-Identifier: MIT
// 度量衡変換 (TAVOMETR): start-up. Answers --help and --version, or stops when there is no
// display; otherwise creates the application and its main window and runs the event loop;
// nothing else is opened.
#include <QApplication>

#include "app/application.h"
#include "app/command_line.h"
#include "app/startup.h"

int main(int argc, char* argv[]) {
    if (const auto status = tavo::app::HandleCommandLine(argc, argv)) return *status;
    QApplication qtApplication(argc, argv);
    tavo::app::PrepareApplication();

    tavo::app::Application application;
    application.Start();
    return QApplication::exec();
}
