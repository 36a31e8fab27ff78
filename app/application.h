// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QPointer>

#include <array>
#include <functional>
#include <memory>

#include "core/quantity_tables.h"
#include "ui/forms/window_reference.h"
#include "ui/shell/main_window.h"
#include "ui/shell/shell_actions.h"

namespace tavo::app {

// The program around its windows: the main window, and one application-wide reference for
// each other window (a converter per quantity, the help window Manual, TAVO_About), empty at
// start and filled on first opening. Every opening goes through them, so no window is open
// twice. The program ends by File > 終了, or when its last open window has been closed.
// Two keys work in every window of the program: F1 opens the help window (ﾍﾙﾌﾟ > 使い方)
// and Ctrl+Q ends the program (ﾌｧｲﾙ > 終了).
class Application : public QObject, public shell::ShellActions {
    Q_OBJECT
public:
    Application();
    ~Application() override;

    // Creates and shows the main window; nothing else is opened.
    void Start();

    void OpenConverter(Quantity quantity) override;
    void OpenManual() override;
    void OpenAbout() override;
    void EndProgram() override;

    forms::WindowReference& Converter(Quantity quantity);
    forms::WindowReference& Manual() { return *m_manual; }
    forms::WindowReference& About() { return *m_about; }
    shell::TAVO_Main* MainWindow() const { return m_main; }
    // Every window reference: the converters, then Manual and TAVO_About.
    std::array<forms::WindowReference*, kQuantities.size() + 2> References() const;

private:
    std::unique_ptr<forms::WindowReference> Reference(std::function<QWidget*()> create);
    QWidget* WithProgramKeys(QWidget* window);
    void Open(forms::WindowReference& reference);
    void QuitIfNoWindowLeft();
    [[noreturn]] static void FailToCreate();

    std::array<std::unique_ptr<forms::WindowReference>, kQuantities.size()> m_converters;
    std::unique_ptr<forms::WindowReference> m_manual;
    std::unique_ptr<forms::WindowReference> m_about;
    QPointer<shell::TAVO_Main> m_main;
    bool m_ending = false;
};

}  // namespace tavo::app
