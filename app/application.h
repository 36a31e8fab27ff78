#pragma once

#include <QObject>
#include <QPointer>

#include <array>
#include <memory>

#include "ui/forms/window_reference.h"
#include "ui/shell/main_window.h"
#include "ui/shell/shell_actions.h"

namespace tavo::app {

// The program around its windows: the main window, and one application-wide reference for
// each other window (Length, Weight, Square, Volume, Manual, TAVO_About), empty at start and
// filled on first opening. Every opening goes through them, so no window is open twice.
// The program ends by File > 終了, or when its last open window has been closed.
class Application : public QObject, public shell::ShellActions {
    Q_OBJECT
public:
    Application();
    ~Application() override;

    // Creates and shows the main window; nothing else is opened.
    void Start();

    void OpenWindow(shell::WindowId window) override;
    void EndProgram() override;

    forms::WindowReference& Reference(shell::WindowId window);
    shell::TAVO_Main* MainWindow() const { return m_main; }

private:
    void QuitIfNoWindowLeft();
    [[noreturn]] static void FailToCreate();

    std::array<std::unique_ptr<forms::WindowReference>, 6> m_references;
    QPointer<shell::TAVO_Main> m_main;
    bool m_ending = false;
};

}  // namespace tavo::app
