// SPDX-License-Identifier: MIT
#include "info_window.h"

#include <QPushButton>

namespace tavo::shell {

InfoWindow::InfoWindow(const forms::FormDesign& layout) : forms::FormWindow(layout) {
    auto* command1 = control<QPushButton>("Command1");
    // clicked() also comes from Space and Enter on the focused button.
    connect(command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    // Ctrl+W closes the window as its button does, wherever the focus is.
    forms::OnWindowKey(this, QKeySequence(Qt::CTRL | Qt::Key_W), [this] { Command1_Click(); });
    command1->setFocus(Qt::OtherFocusReason);
}

void InfoWindow::Command1_Click() {
    Unload();
}

}  // namespace tavo::shell
