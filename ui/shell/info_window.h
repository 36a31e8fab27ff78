// SPDX-License-Identifier: MIT
#pragma once

#include "ui/forms/form_design.h"
#include "ui/forms/form_window.h"

namespace tavo::shell {

// A window that shows fixed content and closes by its one button, Command1: the About
// window (AboutLayout) and the help window (ManualLayout). Command1 is first in the tab
// order, so it holds the focus once the window is shown, and Space or Enter on it closes the
// window as a click does; so does Ctrl+W anywhere in the window.
class InfoWindow : public forms::FormWindow {
    Q_OBJECT
public:
    explicit InfoWindow(const forms::FormDesign& layout);
    explicit InfoWindow(const forms::FormDesign&& layout) = delete;  // see FormWindow

    // Unloads the window: it is destroyed, and the next opening builds it afresh.
    void Command1_Click();
};

}  // namespace tavo::shell
