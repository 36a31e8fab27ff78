#include "main_window.h"

#include <QCloseEvent>
#include <QLayout>
#include <QMenuBar>

#include <array>

#include "ui/forms/controls.h"
#include "ui/forms/form_builder.h"

namespace tavo::shell {

namespace {

using forms::Charset;
using forms::ControlDesign;
using forms::ControlKind;

constexpr forms::Rgb kBackground{255, 224, 192};
constexpr forms::FontDesign kCaptionFont{"ＭＳ 明朝", 15, true, true, Charset::ShiftJis};

// The pictures stand 600 twips apart at the left edge; each caption starts 330 twips right
// of its picture and 240 twips lower, so the picture overlaps its leading blanks.
constexpr ControlDesign Picture(std::string_view name, int row, std::string_view icon,
                                std::string_view spoken) {
    return {.kind = ControlKind::PictureBox,
            .name = name,
            .rect = {315, 210 + 600 * row, 480, 480},
            .tabIndex = 4 + row,
            .tabStop = true,
            .picture = icon,
            .accessibleName = spoken};
}

constexpr ControlDesign Caption(std::string_view name, int row, std::string_view text, int width) {
    return {.kind = ControlKind::Label,
            .name = name,
            .caption = text,
            .rect = {645, 450 + 600 * row, width, 375},
            .font = kCaptionFont,
            .foreColour = {0, 64, 64},
            .backColour = kBackground,
            .tabIndex = row};
}

constexpr std::array kMainControls{
    Picture("CmdLength", 0, "length", "長さ"), Picture("CmdWeight", 1, "weight", "重さ"),
    Picture("CmdSquare", 2, "square", "面積"), Picture("CmdVolume", 3, "volume", "体積"),
    Caption("Label2", 0, "   距離 ", 1335),    Caption("Label3", 1, "   質量 ", 1335),
    Caption("Label4", 2, "   面積 ", 1215),    Caption("Label5", 3, "   体積 ", 1335),
};

constexpr forms::FormDesign kMainLayout{"TAVO_Main",
                                        "度量衡変換",
                                        2685,
                                        2865,
                                        forms::FrameStyle::FixedSingle,
                                        forms::StartPosition::CentreScreen,
                                        0,
                                        0,
                                        kBackground,
                                        "emblem",
                                        kMainControls};

}  // namespace

const forms::FormDesign& MainLayout() {
    return kMainLayout;
}

TAVO_Main::TAVO_Main(ShellActions& actions) : m_actions(actions), m_client(new QWidget(this)) {
    forms::ApplyWindowDesign(this, kMainLayout);
    m_client->setObjectName(QStringLiteral("client"));
    forms::BuildControls(m_client, kMainLayout);
    setCentralWidget(m_client);

    // Captions without access-key marks, items without shortcuts.
    QMenu* file = menuBar()->addMenu(QStringLiteral("ﾌｧｲﾙ"));
    file->setObjectName(QStringLiteral("MenuFile"));
    AddMenuItem(file, "MenuFileEnd", QStringLiteral("終了"), &TAVO_Main::MenuFileEnd_Click);
    QMenu* help = menuBar()->addMenu(QStringLiteral("ﾍﾙﾌﾟ"));
    help->setObjectName(QStringLiteral("MenuHelp"));
    AddMenuItem(help, "MenuHelpUse", QStringLiteral("使い方"), &TAVO_Main::MenuHelpUse_Click);
    AddMenuItem(help, "MenuHelpAbout", QStringLiteral("TAVOについて"),
                &TAVO_Main::MenuHelpAbout_Click);

    const auto connectClick = [this](const char* name, void (TAVO_Main::*handler)()) {
        QWidget* widget = forms::FindControl<QWidget>(m_client, name);
        if (auto* picture = qobject_cast<forms::FormPictureBox*>(widget)) {
            connect(picture, &forms::FormPictureBox::clicked, this, handler);
        } else if (auto* label = qobject_cast<forms::FormLabel*>(widget)) {
            connect(label, &forms::FormLabel::clicked, this, handler);
        }
    };
    connectClick("CmdLength", &TAVO_Main::CmdLength_Click);
    connectClick("CmdWeight", &TAVO_Main::CmdWeight_Click);
    connectClick("CmdSquare", &TAVO_Main::CmdSquare_Click);
    connectClick("CmdVolume", &TAVO_Main::CmdVolume_Click);
    connectClick("Label2", &TAVO_Main::Label2_Click);
    connectClick("Label3", &TAVO_Main::Label3_Click);
    connectClick("Label4", &TAVO_Main::Label4_Click);
    connectClick("Label5", &TAVO_Main::Label5_Click);

    // The window is its client area plus the menu bar, and cannot be resized.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    forms::FindControl<QWidget>(m_client, "CmdLength")->setFocus(Qt::OtherFocusReason);
    adjustSize();
}

QAction* TAVO_Main::AddMenuItem(QMenu* menu, const char* name, const QString& caption,
                                void (TAVO_Main::*handler)()) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, handler);
    return action;
}

void TAVO_Main::CmdLength_Click() {
    m_actions.OpenWindow(WindowId::Length);
}
void TAVO_Main::CmdWeight_Click() {
    m_actions.OpenWindow(WindowId::Weight);
}
void TAVO_Main::CmdSquare_Click() {
    m_actions.OpenWindow(WindowId::Square);
}
void TAVO_Main::CmdVolume_Click() {
    m_actions.OpenWindow(WindowId::Volume);
}
void TAVO_Main::Label2_Click() {
    m_actions.OpenWindow(WindowId::Length);
}
void TAVO_Main::Label3_Click() {
    m_actions.OpenWindow(WindowId::Weight);
}
void TAVO_Main::Label4_Click() {
    m_actions.OpenWindow(WindowId::Square);
}
void TAVO_Main::Label5_Click() {
    m_actions.OpenWindow(WindowId::Volume);
}
void TAVO_Main::MenuFileEnd_Click() {
    m_actions.EndProgram();
}
void TAVO_Main::MenuHelpUse_Click() {
    m_actions.OpenWindow(WindowId::Manual);
}
void TAVO_Main::MenuHelpAbout_Click() {
    m_actions.OpenWindow(WindowId::About);
}

void TAVO_Main::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closed();
}

}  // namespace tavo::shell
