// SPDX-License-Identifier: MIT
#include "converter_layouts.h"

#include <array>
#include <stdexcept>

#include "core/converter_state.h"
#include "ui/forms/layout_check.h"

namespace tavo::converter {

namespace {

using forms::Charset;
using forms::ControlDesign;
using forms::ControlKind;
using forms::FontDesign;
using forms::FormDesign;
using forms::Rgb;

constexpr Rgb kBackground{255, 224, 192};
constexpr Rgb kDarkGreen{0, 64, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr std::string_view kPMincho = "ＭＳ Ｐ明朝";
constexpr std::string_view kMincho = "ＭＳ 明朝";
constexpr std::string_view kPGothic = "ＭＳ Ｐゴシック";
constexpr FontDesign kBoxFont{"Times New Roman", 14.25, false, false, Charset::Ansi};

// What sets one converter window apart from the others. Everything else (the rows, the control
// names, the tab order) follows from the quantity's unit table.
struct ConverterLook {
    std::string_view name;
    std::string_view title;
    int clientWidth;
    int clientHeight;
    std::string_view icon;
    std::string_view labelFace;
    std::string_view frameFace;
    int frameLeft;
    int frameHeight;
    bool inputMethodOff;                        // in every box of the window
    std::array<int, kMaxUnitRows> labelWidths;  // one a unit row, in row order
    int firstBoxHeight = 450;                   // Volume's TextBox(0) is 465 twips high
    int optFrmExpWidth = 855;                   // Square's 指数 is 975 twips wide
};

// The unit label of each row. Past row 5 the names run backwards (Label9 beside row 6), as
// the program has always named them; a further row would take Label10.
constexpr std::array<std::string_view, kMaxUnitRows> kUnitLabelNames{
    "Label1", "Label2", "Label3", "Label4", "Label5",
    "Label6", "Label9", "Label8", "Label7", "Label10"};

constexpr FontDesign kOptionFont{kPGothic, 11.25, false, false, Charset::ShiftJis};

// Every converter window follows one grid: box i at top 240 + 480 i, its label 120 twips lower
// and 105 twips right of the boxes, the frame with the two options at the upper right and the
// close button 210 twips right of the frame's left edge, above it. The options stay out of the
// tab order; Alt+N (normal) and Alt+E (exponential) click them, and their captions carry no
// access-key marks: the keys show in tooltips and descriptions.
template <std::size_t Rows>
constexpr std::array<ControlDesign, 2 * Rows + 4> ConverterControls(
    const ConverterLook& look, const std::array<UnitRow, Rows>& units) {
    static_assert(Rows <= kMaxUnitRows);
    std::array<ControlDesign, 2 * Rows + 4> controls{};
    const auto box = [&controls](std::size_t row) -> ControlDesign& { return controls[row]; };
    const auto label = [&controls](std::size_t row) -> ControlDesign& {
        return controls[Rows + row];
    };
    ControlDesign& frame = controls[2 * Rows];
    ControlDesign& fix = controls[2 * Rows + 1];
    ControlDesign& exp = controls[2 * Rows + 2];
    ControlDesign& close = controls[2 * Rows + 3];

    for (std::size_t row = 0; row < Rows; ++row) {
        const int top = 240 + 480 * static_cast<int>(row);
        box(row) = {.kind = ControlKind::TextBox,
                    .name = "TextBox",
                    .index = static_cast<int>(row),
                    .caption = " 0",
                    .rect = {240, top, 1815, row == 0 ? look.firstBoxHeight : 450},
                    .font = kBoxFont,
                    .foreColour = kDarkGreen,
                    .backColour = kWhite,
                    .tabStop = true,
                    .flags = look.inputMethodOff ? forms::kImeOff : forms::kNoFlags};
        label(row) = {.kind = ControlKind::Label,
                      .name = kUnitLabelNames[row],
                      .caption = units[row].label,
                      .rect = {2160, top + 120, look.labelWidths[row], 375},
                      .font = {look.labelFace, 14.25, true, false, Charset::ShiftJis},
                      .foreColour = kDarkGreen,
                      .backColour = kBackground,
                      .buddy = {"TextBox", static_cast<int>(row)}};
    }
    frame = {.kind = ControlKind::Frame,
             .name = "Frame1",
             .caption = "数値書式",
             .rect = {look.frameLeft, 735, 1335, look.frameHeight},
             .font = {look.frameFace, 12, true, false, Charset::ShiftJis},
             .backColour = kBackground};
    fix = {.kind = ControlKind::OptionButton,
           .name = "OptFrmFix",
           .caption = "なし",
           .rect = {240, 360, 855, 375},
           .font = kOptionFont,
           .backColour = kBackground,
           .flags = forms::kSelected,
           .container = "Frame1",
           .description = "数値を通常の書式で表示します",
           .shortcut = "Alt+N"};
    exp = {.kind = ControlKind::OptionButton,
           .name = "OptFrmExp",
           .caption = "指数",
           .rect = {240, 720, look.optFrmExpWidth, 375},
           .font = kOptionFont,
           .backColour = kBackground,
           .container = "Frame1",
           .description = "数値をすべて指数で表示します",
           .shortcut = "Alt+E"};
    close = {.kind = ControlKind::CommandButton,
             .name = "CommandClose",
             .caption = "閉じる",
             .rect = {look.frameLeft + 210, 210, 1065, 330},
             .font = {kPGothic, 9.75, false, false, Charset::ShiftJis},
             .tabStop = true};

    // The tab positions number every control, the skipped ones too: TextBox(0), the unit
    // labels, Frame1, 指数, なし, the other boxes, 閉じる. So the focus starts in the first box,
    // and Tab visits the boxes in row order, then 閉じる.
    int position = 0;
    box(0).tabIndex = position++;
    for (std::size_t row = 0; row < Rows; ++row) label(row).tabIndex = position++;
    frame.tabIndex = position++;
    exp.tabIndex = position++;
    fix.tabIndex = position++;
    for (std::size_t row = 1; row < Rows; ++row) box(row).tabIndex = position++;
    close.tabIndex = position;
    return controls;
}

// The "－" of the titles is the full-width hyphen-minus U+FF0D.
constexpr ConverterLook kLengthLook{
    .name = "Length",
    .title = "度量衡変換－長さ",
    .clientWidth = 5025,
    .clientHeight = 4680,
    .icon = "length",
    .labelFace = kPMincho,
    .frameFace = kPMincho,
    .frameLeft = 3465,
    .frameHeight = 1215,
    .inputMethodOff = true,
    .labelWidths = {1335, 1335, 1335, 1335, 1335, 1335, 1335, 1335, 2895},
};
constexpr ConverterLook kWeightLook{
    .name = "Weight",
    .title = "度量衡変換－重さ",
    .clientWidth = 5130,
    .clientHeight = 4665,
    .icon = "weight",
    .labelFace = kMincho,
    .frameFace = kMincho,
    .frameLeft = 3675,
    .frameHeight = 1335,
    .inputMethodOff = false,  // the weight boxes leave the input method as the user set it
    .labelWidths = {1695, 1335, 1335, 1335, 1335, 855, 735, 735, 1455},
};
constexpr ConverterLook kSquareLook{
    .name = "Square",
    .title = "度量衡変換－面積",
    .clientWidth = 5250,
    .clientHeight = 3240,
    .icon = "square",
    .labelFace = kPMincho,
    .frameFace = kPMincho,
    .frameLeft = 3780,
    .frameHeight = 1215,
    .inputMethodOff = true,
    .labelWidths = {1695, 1335, 1335, 1695, 1335, 1335},
    .optFrmExpWidth = 975,
};
constexpr ConverterLook kVolumeLook{
    .name = "Volume",
    .title = "度量衡変換－体積",
    .clientWidth = 5490,
    .clientHeight = 4200,
    .icon = "volume",
    .labelFace = kPMincho,
    .frameFace = kMincho,
    .frameLeft = 3990,
    .frameHeight = 1215,
    .inputMethodOff = true,
    .labelWidths = {1935, 1335, 1335, 1695, 1815, 1335, 1335, 1335},
    .firstBoxHeight = 465,
};

constexpr auto kLengthControls = ConverterControls(kLengthLook, kLengthRows);
constexpr auto kWeightControls = ConverterControls(kWeightLook, kWeightRows);
constexpr auto kSquareControls = ConverterControls(kSquareLook, kSquareRows);
constexpr auto kVolumeControls = ConverterControls(kVolumeLook, kVolumeRows);

// Every converter window has a fixed dialog frame and opens centred on the screen.
constexpr FormDesign ConverterForm(const ConverterLook& look,
                                   std::span<const ControlDesign> controls) {
    return {.name = look.name,
            .title = look.title,
            .clientWidth = look.clientWidth,
            .clientHeight = look.clientHeight,
            .frameStyle = forms::FrameStyle::FixedDialog,
            .startPosition = forms::StartPosition::CentreScreen,
            .background = kBackground,
            .icon = look.icon,
            .controls = controls};
}

constexpr FormDesign kLength = ConverterForm(kLengthLook, kLengthControls);
constexpr FormDesign kWeight = ConverterForm(kWeightLook, kWeightControls);
constexpr FormDesign kSquare = ConverterForm(kSquareLook, kSquareControls);
constexpr FormDesign kVolume = ConverterForm(kVolumeLook, kVolumeControls);

// A row without a label width fails the check as a label of no width.
static_assert(forms::CheckLayout<kLength, static_cast<int>(kLengthRows.size())>());
static_assert(forms::CheckLayout<kWeight, static_cast<int>(kWeightRows.size())>());
static_assert(forms::CheckLayout<kSquare, static_cast<int>(kSquareRows.size())>());
static_assert(forms::CheckLayout<kVolume, static_cast<int>(kVolumeRows.size())>());

}  // namespace

const FormDesign& ConverterLayout(Quantity quantity) {
    switch (quantity) {
        case Quantity::Length:
            return kLength;
        case Quantity::Weight:
            return kWeight;
        case Quantity::Square:
            return kSquare;
        case Quantity::Volume:
            return kVolume;
    }
    throw std::invalid_argument("unknown quantity");
}

}  // namespace tavo::converter
