// SPDX-License-Identifier: MIT
#include "shell_layouts.h"

#include "ui/converter/converter_layouts.h"
#include "ui/forms/layout_check.h"
#include "ui/shell/manual_text.h"

namespace tavo::shell {

namespace {

using forms::Charset;
using forms::ControlDesign;
using forms::ControlKind;
using forms::FontDesign;
using forms::FormDesign;
using forms::Rgb;

constexpr Rgb kLightOrange{255, 224, 192};
constexpr std::string_view kTimes = "Times New Roman";
constexpr std::string_view kPGothic = "ＭＳ Ｐゴシック";

// ---- TAVO_Main ------------------------------------------------------------------------------

// The picture and caption of each quantity, in the order of kQuantityChoices.
struct QuantityLook {
    std::string_view icon;
    std::string_view opens;    // what the picture does, for screen readers
    std::string_view caption;  // padded: the picture overlaps the leading blanks
    int captionWidth;
};

constexpr std::array<QuantityLook, 4> kQuantityLooks{{
    {"length", "長さの変換ウィンドウを開きます", "   距離 ", 1335},
    {"weight", "重さの変換ウィンドウを開きます", "   質量 ", 1335},
    {"square", "面積の変換ウィンドウを開きます", "   面積 ", 1215},
    {"volume", "体積の変換ウィンドウを開きます", "   体積 ", 1335},
}};

// The pictures stand 600 twips apart at the left edge; each caption starts 330 twips right
// of its picture and 240 twips lower, so the picture overlaps its leading blanks. The
// captions come first in the tab positions but never take the focus; the pictures follow.
// Each caption names its picture (its buddy), which screen readers hear as a button.
constexpr auto kMainControls = [] {
    std::array<ControlDesign, 2 * kQuantityChoices.size()> controls{};
    for (std::size_t row = 0; row < kQuantityChoices.size(); ++row) {
        const int offset = 600 * static_cast<int>(row);
        const QuantityLook& look = kQuantityLooks[row];
        controls[row] = {.kind = ControlKind::PictureBox,
                         .name = kQuantityChoices[row].picture,
                         .rect = {315, 210 + offset, 480, 480},
                         .tabIndex = 4 + static_cast<int>(row),
                         .tabStop = true,
                         .picture = look.icon,
                         .description = look.opens};
        controls[kQuantityChoices.size() + row] = {
            .kind = ControlKind::Label,
            .name = kQuantityChoices[row].caption,
            .caption = look.caption,
            .rect = {645, 450 + offset, look.captionWidth, 375},
            .font = {"ＭＳ 明朝", 15, true, true, Charset::ShiftJis},
            .foreColour = {0, 64, 64},
            .backColour = kLightOrange,
            .tabIndex = static_cast<int>(row),
            .buddy = {kQuantityChoices[row].picture}};
    }
    return controls;
}();

// Captions without access-key marks, items without shortcuts.
constexpr std::array<forms::MenuItemDesign, 1> kFileItems{{{"MenuFileEnd", "終了"}}};
constexpr std::array<forms::MenuItemDesign, 2> kHelpItems{{
    {"MenuHelpUse", "使い方"},
    {"MenuHelpAbout", "TAVOについて"},
}};
constexpr std::array<forms::MenuDesign, 2> kMainMenus{{
    {"MenuFile", "ﾌｧｲﾙ", kFileItems},
    {"MenuHelp", "ﾍﾙﾌﾟ", kHelpItems},
}};

constexpr FormDesign kMainLayout{
    .name = "TAVO_Main",
    .title = "度量衡変換",
    .clientWidth = 2685,
    .clientHeight = 2865,
    .frameStyle = forms::FrameStyle::FixedSingle,
    .startPosition = forms::StartPosition::CentreScreen,
    .background = kLightOrange,
    .icon = "emblem",
    .controls = kMainControls,
    .menus = kMainMenus,
};

// ---- TAVO_About -----------------------------------------------------------------------------

constexpr Rgb kDarkBlue{0, 0, 64};
constexpr Rgb kPaleOrange{255, 192, 128};
constexpr Rgb kPaleYellow{255, 255, 128};

// The labels are transparent (the window's dark blue shows through), borderless and centre
// their text. Label6, Label4, Label5, Label2 and Command1 share one vertical centre line at
// 1807.5 twips; the title sits 60 twips right of it. "OK" is the only focusable control.
constexpr ControlDesign AboutLabel(std::string_view name, std::string_view caption,
                                   forms::TwipsRect rect, FontDesign font, Rgb colour,
                                   int tabIndex) {
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
    AboutLabel("Label1", "度量衡変換", {600, 240, 2535, 495},
               {"ＭＳ Ｐ明朝", 18, true, false, Charset::ShiftJis}, kPaleOrange, 0),
    AboutLabel("Label6", "for Windows95/98", {720, 720, 2175, 375},
               {kTimes, 14.25, false, false, Charset::Ansi}, kPaleOrange, 4),
    AboutLabel("Label4", "Programed by", {120, 1200, 3375, 375},
               {kTimes, 12, false, false, Charset::Ansi}, kPaleYellow, 1),
    AboutLabel("Label5", "TAVO Software", {120, 1560, 3375, 375},
               {kTimes, 14.25, false, false, Charset::Ansi}, kPaleYellow, 2),
    AboutLabel("Label2", "2000/01/26", {120, 1920, 3375, 375},
               {kTimes, 12, false, false, Charset::Ansi}, kPaleYellow, 5),
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
    .accessibleName = "TAVOについて",  // the menu item that opens it; the window has no title
    .controls = kAboutControls,
};

// ---- Manual ---------------------------------------------------------------------------------

// The text box carries the window's background colour and black text, whatever the theme; the
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

static_assert(forms::CheckLayout<kMainLayout>());
static_assert(forms::CheckLayout<kAboutLayout>());
static_assert(forms::CheckLayout<kManualLayout>());

}  // namespace

const FormDesign& MainLayout() {
    return kMainLayout;
}

const FormDesign& AboutLayout() {
    return kAboutLayout;
}

const FormDesign& ManualLayout() {
    return kManualLayout;
}

std::span<const FormDesign* const> WindowLayouts() {
    using converter::ConverterLayout;
    static const std::array<const FormDesign*, kQuantities.size() + 3> layouts{
        &kMainLayout,
        &ConverterLayout(kQuantities[0]),
        &ConverterLayout(kQuantities[1]),
        &ConverterLayout(kQuantities[2]),
        &ConverterLayout(kQuantities[3]),
        &kManualLayout,
        &kAboutLayout,
    };
    return layouts;
}

}  // namespace tavo::shell
