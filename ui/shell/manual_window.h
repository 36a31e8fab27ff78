#pragma once

#include "ui/forms/form_design.h"
#include "ui/forms/form_window.h"

namespace tavo::shell {

// The help window's layout: the manual in a read-only scrolling text box and a "戻る"
// button below it, at a fixed place on the screen.
const forms::FormDesign& ManualLayout();

// The help window. It shows the manual unchanged; its button unloads it.
class Manual : public forms::FormWindow {
    Q_OBJECT
public:
    // Creates the controls from the layout; the text shows its first line at the top and
    // "戻る", first in the tab order, holds the focus once the window is shown.
    Manual();

    void Command1_Click();
};

}  // namespace tavo::shell
