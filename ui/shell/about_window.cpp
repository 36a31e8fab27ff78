#include "about_window.h"

#include <QPushButton>

#include <array>

namespace tavo::shell {

namespace {

using forms::Charset;
using forms::ControlDesign;
using forms::ControlKind;
using forms::FontDesign;
using forms::FormDesign;
using forms::Rgb;

constexpr Rgb kDarkBlue{0, 0, 64};
constexpr Rgb kLightOrange{255, 192, 128};
constexpr Rgb kPaleYellow{255, 255, 128};
constexpr std::string_view kTimes = "Times New Roman";

// The labels are transparent (the window's dark blue shows through), borderless and centre
// their text. Label6, Label4, Label5, Label2 and Command1 share one vertical centre line at
// 1807.5 twips; the title sits 60 twips right of it. "OK" is the only focusable control.
constexpr ControlDesign Label(std::string_view name, std::string_view caption,
                              forms::TwipsRect rect, FontDesign font, Rgb colour, int tabIndex) {
    return {.kind = ControlKind::Label,
            .name = name,
            .caption = caption,
            .rect = rect,
            .font = font,
            .foreColour = colour,
            .backColour = kDarkBlue,
            .tabIndex = tabIndex,
            .flags = forms::kCentred};
}

constexpr std::array kAboutControls{
    Label("Label1", "度量衡変換", {600, 240, 2535, 495},
          {"ＭＳ Ｐ明朝", 18, true, false, Charset::ShiftJis}, kLightOrange, 0),
    Label("Label6", "for Windows95/98", {720, 720, 2175, 375},
          {kTimes, 14.25, false, false, Charset::Ansi}, kLightOrange, 4),
    Label("Label4", "Programed by", {120, 1200, 3375, 375},
          {kTimes, 12, false, false, Charset::Ansi}, kPaleYellow, 1),
    Label("Label5", "TAVO Software", {120, 1560, 3375, 375},
          {kTimes, 14.25, false, false, Charset::Ansi}, kPaleYellow, 2),
    Label("Label2", "2000/01/26", {120, 1920, 3375, 375}, {kTimes, 12, false, false, Charset::Ansi},
          kPaleYellow, 5),
    ControlDesign{.kind = ControlKind::CommandButton,
                  .name = "Command1",
                  .caption = "OK",
                  .rect = {1320, 2400, 975, 375},
                  .font = {kTimes, 12, false, false, Charset::Ansi},
                  .tabIndex = 3,
                  .tabStop = true,
                  .flags = forms::kFlat},
};

constexpr FormDesign kAboutLayout{
    .name = "TAVO_About",
    .title = "",
    .clientWidth = 3630,
    .clientHeight = 2925,
    .frameStyle = forms::FrameStyle::DialogNoTitle,
    .startPosition = forms::StartPosition::CentreScreen,
    .background = kDarkBlue,
    .icon = "about",
    .controls = kAboutControls,
};

}  // namespace

const forms::FormDesign& AboutLayout() {
    return kAboutLayout;
}

TAVO_About::TAVO_About() : forms::FormWindow(kAboutLayout) {
    auto* command1 = control<QPushButton>("Command1");
    // clicked() also comes from Space and Enter on the focused button.
    connect(command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    command1->setFocus(Qt::OtherFocusReason);
}

void TAVO_About::Command1_Click() {
    Unload();
}

}  // namespace tavo::shell
