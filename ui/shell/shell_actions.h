#pragma once

namespace tavo::shell {

// The windows the main window opens, besides itself.
enum class WindowId { Length, Weight, Square, Volume, Manual, About };

// What the main window asks of the program around it: open a window through its
// application-wide reference, or end the program. The start-up provides it, so the
// windows never reach into the start-up code.
class ShellActions {
public:
    virtual ~ShellActions() = default;
    virtual void OpenWindow(WindowId window) = 0;
    virtual void EndProgram() = 0;
};

}  // namespace tavo::shell
