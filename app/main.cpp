// 度量衡変換 (TAVOMETR): start-up. Creates the application and its main window and runs the
// event loop; nothing else is opened.
#include <QApplication>

#include "app/application.h"
#include "app/startup.h"

int main(int argc, char* argv[]) {
    QApplication qtApplication(argc, argv);
    tavo::app::PrepareApplication();

    tavo::app::Application application;
    application.Start();
    return QApplication::exec();
}
