#include "manual_window.h"

#include <QPushButton>

#include <array>

#include "ui/shell/manual_text.h"

namespace tavo::shell {

namespace {

using forms::Charset;
using forms::ControlDesign;
using forms::ControlKind;
using forms::FormDesign;
using forms::Rgb;

constexpr Rgb kLightOrange{255, 224, 192};
constexpr std::string_view kPGothic = "ＭＳ Ｐゴシック";

// The text box carries the window's background colour and the system's text colour; the
// builder makes a multi-line box read-only, wrapped, with a vertical scroll bar only.
constexpr std::array kManualControls{
    ControlDesign{.kind = ControlKind::CommandButton,
                  .name = "Command1",
                  .caption = "戻る",
                  .rect = {6360, 4680, 975, 375},
                  .font = {kPGothic, 11.25, true, false, Charset::ShiftJis},
                  .tabIndex = 0,
                  .tabStop = true},
    ControlDesign{.kind = ControlKind::MultiLineTextBox,
                  .name = "Text1",
                  .caption = kManualText,
                  .rect = {105, 105, 7215, 4455},
                  .font = {kPGothic, 9.75, false, false, Charset::ShiftJis},
                  .backColour = kLightOrange,
                  .tabIndex = 1,
                  .tabStop = true,
                  .accessibleName = "使い方"},
};

constexpr FormDesign kManualLayout{
    .name = "Manual",
    .title = "使い方",
    .clientWidth = 7425,
    .clientHeight = 5130,
    .frameStyle = forms::FrameStyle::FixedTitleOnly,
    .startPosition = forms::StartPosition::Manual,
    .left = 420,
    .top = 1080,
    .background = kLightOrange,
    .icon = "emblem",
    .controls = kManualControls,
};

}  // namespace

const forms::FormDesign& ManualLayout() {
    return kManualLayout;
}

Manual::Manual() : forms::FormWindow(ManualLayout()) {
    auto* command1 = control<QPushButton>("Command1");
    // clicked() also comes from Space and Enter on the focused button.
    connect(command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    command1->setFocus(Qt::OtherFocusReason);
}

void Manual::Command1_Click() {
    Unload();
}

}  // namespace tavo::shell
