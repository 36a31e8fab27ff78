// SPDX-License-Identifier: MIT
#pragma once

#include "core/quantity_tables.h"

namespace tavo::shell {

// What the main window asks of the program around it: open a window through its
// application-wide reference, or end the program. The start-up provides it, so the
// windows never reach into the start-up code.
class ShellActions {
public:
    virtual ~ShellActions() = default;
    virtual void OpenConverter(Quantity quantity) = 0;
    virtual void OpenManual() = 0;
    virtual void OpenAbout() = 0;
    virtual void EndProgram() = 0;
};

}  // namespace tavo::shell
