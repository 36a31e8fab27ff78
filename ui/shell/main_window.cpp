// SPDX-License-Identifier: MIT
#include "main_window.h"

#include <QAction>
#include <QCloseEvent>

#include "ui/forms/controls.h"
#include "ui/shell/shell_layouts.h"

namespace tavo::shell {

TAVO_Main::TAVO_Main(ShellActions& actions) : forms::FormWindow(MainLayout()), m_actions(actions) {
    for (const QuantityChoice& choice : kQuantityChoices) {
        const auto open = [this, quantity = choice.quantity] { Cmd_Click(quantity); };
        connect(control<forms::FormPictureBox>(choice.picture), &forms::FormPictureBox::clicked,
                this, open);
        connect(control<forms::FormLabel>(choice.caption), &forms::FormLabel::clicked, this, open);
    }
    const auto onTrigger = [this](const char* name, void (TAVO_Main::*handler)()) {
        connect(findChild<QAction*>(QString::fromLatin1(name)), &QAction::triggered, this, handler);
    };
    onTrigger("MenuFileEnd", &TAVO_Main::MenuFileEnd_Click);
    onTrigger("MenuHelpUse", &TAVO_Main::MenuHelpUse_Click);
    onTrigger("MenuHelpAbout", &TAVO_Main::MenuHelpAbout_Click);

    control<QWidget>(kQuantityChoices.front().picture)->setFocus(Qt::OtherFocusReason);
}

void TAVO_Main::Cmd_Click(Quantity quantity) {
    m_actions.OpenConverter(quantity);
}

void TAVO_Main::MenuFileEnd_Click() {
    m_actions.EndProgram();
}

void TAVO_Main::MenuHelpUse_Click() {
    m_actions.OpenManual();
}

void TAVO_Main::MenuHelpAbout_Click() {
    m_actions.OpenAbout();
}

void TAVO_Main::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closed();
}

}  // namespace tavo::shell
