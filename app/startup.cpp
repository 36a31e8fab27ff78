#include "startup.h"

#include <QApplication>
#include <QIcon>

#include "ui/forms/face_substitution.h"
#include "ui/icons/pictures.h"

namespace tavo::app {

void PrepareApplication() {
    // The program ends by File > 終了 or when its last window is gone (Application).
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(QIcon(icons::Picture("emblem")));
    QGuiApplication::setDesktopFileName(QStringLiteral("jp.tavometr.Tavometr"));
    forms::UseJapaneseDesktopFont();
}

}  // namespace tavo::app
