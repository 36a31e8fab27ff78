// SPDX-License-Identifier: MIT
// 度量衡変換 (TAVOMETR): start-up. Answers --help and --version, or stops when there is no
// display; otherwise creates the application and its main window and runs the event loop;
// nothing else is opened.
#include <QApplication>

#include "app/application.h"
#include "app/command_line.h"
#include "app/startup.h"

int main(int argc, char* argv[]) {
    // Qt reads the options as HandleCommandLine hands them on; it keeps references to argc and
    // argv, which live in qtCommandLine until main returns.
    tavo::app::QtCommandLine qtCommandLine;
    if (const auto status = tavo::app::HandleCommandLine(argc, argv, qtCommandLine)) {
        return *status;
    }
    QApplication qtApplication(qtCommandLine.Argc(), qtCommandLine.Argv());
    tavo::app::PrepareApplication();

    tavo::app::Application application;
    application.Start();
    return QApplication::exec();
}
