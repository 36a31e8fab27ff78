// SPDX-License-Identifier: MIT
#pragma once

#include "core/quantity_tables.h"
#include "ui/forms/form_window.h"
#include "ui/shell/shell_actions.h"

namespace tavo::shell {

// The main window: for each quantity a picture and a caption that open its converter
// window, and a menu bar that ends the program or opens the help and About windows. It
// converts nothing and keeps no values.
class TAVO_Main : public forms::FormWindow {  // NOLINT(readability-identifier-naming)
    Q_OBJECT
public:
    explicit TAVO_Main(ShellActions& actions);

    // A click on the picture or the caption of a quantity (CmdLength or Label2, ...), or
    // Space, Return or keypad Enter on the focused picture.
    void Cmd_Click(Quantity quantity);
    void MenuFileEnd_Click();
    void MenuHelpUse_Click();
    void MenuHelpAbout_Click();

signals:
    // The main window was closed by its close box; it is gone for good.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    ShellActions& m_actions;
};

}  // namespace tavo::shell
