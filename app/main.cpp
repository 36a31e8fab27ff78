// 度量衡変換 (TAVOMETR): start-up. Creates the application and its main window and runs the
// event loop; nothing else is opened, and no command line, file or setting is read.
#include <QApplication>
#include <QIcon>

#include "app/application.h"
#include "ui/forms/face_substitution.h"
#include "ui/icons/pictures.h"

int main(int argc, char* argv[]) {
    QApplication qtApplication(argc, argv);
    // The program decides itself when it ends (see Application::QuitIfNoWindowLeft).
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(QIcon(tavo::icons::Picture("emblem")));
    // Lets the desktop match the windows to the installed menu entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("jp.tavometr.Tavometr"));
    tavo::forms::UseJapaneseDesktopFont();

    tavo::app::Application application;
    application.Start();
    return QApplication::exec();
}
