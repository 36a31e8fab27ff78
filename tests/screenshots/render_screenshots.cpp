// SPDX-License-Identifier: MIT
// Renders every window of the program to PNG (QWidget::grab), for looking at the layouts:
// the main window, the About and help windows, and each converter window after a fresh load
// and after 100 was typed into row 1 and Enter pressed.
// Usage: tavo-screenshots OUTPUT_DIR
#include <QApplication>
#include <QDir>
#include <QTest>

#include <cstdio>

#include "app/application.h"
#include "app/startup.h"
#include "ui/converter/converter_window.h"

namespace {

bool Save(QWidget* window, const QDir& dir, const QString& name) {
    QApplication::processEvents();
    const QString path = dir.filePath(name + QStringLiteral(".png"));
    const bool saved = window->grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
    return saved;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qtApplication(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tavo-screenshots OUTPUT_DIR\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(dir.path())) return 1;
    tavo::app::PrepareApplication();

    tavo::app::Application application;
    application.Start();
    bool ok = Save(application.MainWindow(), dir, QStringLiteral("main"));

    for (const tavo::Quantity quantity : tavo::kQuantities) {
        application.OpenConverter(quantity);
        auto* window = qobject_cast<tavo::converter::ConverterWindow*>(
            application.Converter(quantity).window());
        const QString name = QString::fromLatin1(tavo::Table(quantity).name).toLower();
        ok = Save(window, dir, name) && ok;
        window->TextBox(1)->setFocus();
        window->TextBox(1)->setText(QStringLiteral("100"));
        QTest::keyClick(window->TextBox(1), Qt::Key_Return);
        ok = Save(window, dir, name + QStringLiteral("-100")) && ok;
    }
    application.OpenManual();
    ok = Save(application.Manual().window(), dir, QStringLiteral("manual")) && ok;
    application.OpenAbout();
    ok = Save(application.About().window(), dir, QStringLiteral("about")) && ok;
    return ok ? 0 : 1;
}
