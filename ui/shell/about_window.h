#pragma once

#include "ui/forms/form_design.h"
#include "ui/forms/form_window.h"

namespace tavo::shell {

// The About window's layout: title, platform line, credit, release date and an "OK" button
// on a dark-blue panel without a title bar.
const forms::FormDesign& AboutLayout();

// The About window. It shows fixed texts only; its button unloads it.
// The name is the window's own, as the main window and the manual call it.
class TAVO_About : public forms::FormWindow {  // NOLINT(readability-identifier-naming)
    Q_OBJECT
public:
    // Creates the controls from the layout; "OK", the only control that takes the focus,
    // holds it once the window is shown.
    TAVO_About();

    void Command1_Click();
};

}  // namespace tavo::shell
