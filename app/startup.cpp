// SPDX-License-Identifier: MIT
#include "startup.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstdio>

#include "ui/forms/face_substitution.h"
#include "ui/icons/pictures.h"

namespace tavo::app {

namespace {

// Qt's own texts (the entry boxes' context menu, the standard buttons of message boxes) in
// Japanese like the rest of the program, whatever the locale says.
void LoadQtJapaneseTranslation() {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QStringLiteral("qtbase_ja"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
    } else {
        delete translator;
    }
}

}  // namespace

void PrepareApplication() {
    // The program ends by File > 終了 or when its last window is gone (Application).
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(QIcon(icons::Picture("emblem")));
    QGuiApplication::setDesktopFileName(QStringLiteral("jp.tavometr.Tavometr"));
    LoadQtJapaneseTranslation();
    forms::UseJapaneseDesktopFont();
    if (!forms::JapaneseFaceInstalled()) {
        // Every label would be drawn as empty boxes; the program still works.
        std::fputs(
            "tavometr: 日本語の書体がありません / no Japanese font installed: the labels "
            "will show as boxes (install fonts-ipafont-mincho and fonts-ipafont-gothic)\n",
            stderr);
    }
}

}  // namespace tavo::app
