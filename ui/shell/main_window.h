#pragma once

#include <QMainWindow>

#include "ui/forms/form_design.h"
#include "ui/shell/shell_actions.h"

class QAction;

namespace tavo::shell {

const forms::FormDesign& MainLayout();

// The main window: four pictures and four captions that open the converter windows, and a
// menu bar that ends the program or opens the help and About windows. It converts nothing
// and keeps no values.
class TAVO_Main : public QMainWindow {
    Q_OBJECT
public:
    explicit TAVO_Main(ShellActions& actions);

    QWidget* client() const { return m_client; }

    void CmdLength_Click();
    void CmdWeight_Click();
    void CmdSquare_Click();
    void CmdVolume_Click();
    void Label2_Click();
    void Label3_Click();
    void Label4_Click();
    void Label5_Click();
    void MenuFileEnd_Click();
    void MenuHelpUse_Click();
    void MenuHelpAbout_Click();

signals:
    // The main window was closed by its close box; it is gone for good.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QAction* AddMenuItem(QMenu* menu, const char* name, const QString& caption,
                         void (TAVO_Main::*handler)());

    ShellActions& m_actions;
    QWidget* m_client;
};

}  // namespace tavo::shell
