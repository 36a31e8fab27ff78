// SPDX-License-Identifier: MIT
#include "converter_layouts.h"

#include <array>
#include <stdexcept>

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

// The rows of every converter window follow one grid: box i at top 240 + 480 i, its label
// 120 twips lower and 105 twips right of the boxes. Tab positions: TextBox(0) first, the
// n labels, Frame1, OptFrmExp, OptFrmFix, the other boxes, CommandClose last.

constexpr ControlDesign Box(int row, int rows, unsigned flags, int height = 450) {
    return {.kind = ControlKind::TextBox,
            .name = "TextBox",
            .index = row,
            .caption = " 0",
            .rect = {240, 240 + 480 * row, 1815, height},
            .font = kBoxFont,
            .foreColour = kDarkGreen,
            .backColour = kWhite,
            .tabIndex = row == 0 ? 0 : rows + 3 + row,
            .tabStop = true,
            .flags = flags};
}

constexpr ControlDesign UnitLabel(std::string_view name, std::span<const UnitRow> table, int row,
                                  int width, std::string_view face) {
    return {.kind = ControlKind::Label,
            .name = name,
            .caption = table[static_cast<std::size_t>(row)].label,
            .rect = {2160, 360 + 480 * row, width, 375},
            .font = {face, 14.25, true, false, Charset::ShiftJis},
            .foreColour = kDarkGreen,
            .backColour = kBackground,
            .tabIndex = 1 + row,
            .buddy = {"TextBox", row}};
}

constexpr ControlDesign Frame(int rows, int left, int height, std::string_view face) {
    return {.kind = ControlKind::Frame,
            .name = "Frame1",
            .caption = "数値書式",
            .rect = {left, 735, 1335, height},
            .font = {face, 12, true, false, Charset::ShiftJis},
            .backColour = kBackground,
            .tabIndex = rows + 1};
}

constexpr FontDesign kOptionFont{kPGothic, 11.25, false, false, Charset::ShiftJis};

// The options stay out of the tab order; Alt+N (normal) and Alt+E (exponential) click them.
// Their captions carry no access-key marks: the keys show in tooltips and descriptions.
constexpr ControlDesign OptFrmFix(int rows) {
    return {.kind = ControlKind::OptionButton,
            .name = "OptFrmFix",
            .caption = "なし",
            .rect = {240, 360, 855, 375},
            .font = kOptionFont,
            .backColour = kBackground,
            .tabIndex = rows + 3,
            .flags = forms::kSelected,
            .container = "Frame1",
            .description = "数値を通常の書式で表示します",
            .shortcut = "Alt+N"};
}

constexpr ControlDesign OptFrmExp(int rows, int width = 855) {
    return {.kind = ControlKind::OptionButton,
            .name = "OptFrmExp",
            .caption = "指数",
            .rect = {240, 720, width, 375},
            .font = kOptionFont,
            .backColour = kBackground,
            .tabIndex = rows + 2,
            .container = "Frame1",
            .description = "数値をすべて指数で表示します",
            .shortcut = "Alt+E"};
}

// The close button stands 210 twips right of the frame's left edge, above it.
constexpr ControlDesign CommandClose(int rows, int frameLeft) {
    return {.kind = ControlKind::CommandButton,
            .name = "CommandClose",
            .caption = "閉じる",
            .rect = {frameLeft + 210, 210, 1065, 330},
            .font = {kPGothic, 9.75, false, false, Charset::ShiftJis},
            .tabIndex = 2 * rows + 3,
            .tabStop = true};
}

constexpr auto kIme = forms::kImeOff;  // Length, Square and Volume boxes switch the IME off

constexpr std::array kLengthControls{
    Box(0, 9, kIme),
    Box(1, 9, kIme),
    Box(2, 9, kIme),
    Box(3, 9, kIme),
    Box(4, 9, kIme),
    Box(5, 9, kIme),
    Box(6, 9, kIme),
    Box(7, 9, kIme),
    Box(8, 9, kIme),
    UnitLabel("Label1", kLengthRows, 0, 1335, kPMincho),
    UnitLabel("Label2", kLengthRows, 1, 1335, kPMincho),
    UnitLabel("Label3", kLengthRows, 2, 1335, kPMincho),
    UnitLabel("Label4", kLengthRows, 3, 1335, kPMincho),
    UnitLabel("Label5", kLengthRows, 4, 1335, kPMincho),
    UnitLabel("Label6", kLengthRows, 5, 1335, kPMincho),
    UnitLabel("Label9", kLengthRows, 6, 1335, kPMincho),
    UnitLabel("Label8", kLengthRows, 7, 1335, kPMincho),
    UnitLabel("Label7", kLengthRows, 8, 2895, kPMincho),
    Frame(9, 3465, 1215, kPMincho),
    OptFrmFix(9),
    OptFrmExp(9),
    CommandClose(9, 3465),
};

constexpr std::array kWeightControls{
    Box(0, 9, 0),
    Box(1, 9, 0),
    Box(2, 9, 0),
    Box(3, 9, 0),
    Box(4, 9, 0),
    Box(5, 9, 0),
    Box(6, 9, 0),
    Box(7, 9, 0),
    Box(8, 9, 0),
    UnitLabel("Label1", kWeightRows, 0, 1695, kMincho),
    UnitLabel("Label2", kWeightRows, 1, 1335, kMincho),
    UnitLabel("Label3", kWeightRows, 2, 1335, kMincho),
    UnitLabel("Label4", kWeightRows, 3, 1335, kMincho),
    UnitLabel("Label5", kWeightRows, 4, 1335, kMincho),
    UnitLabel("Label6", kWeightRows, 5, 855, kMincho),
    UnitLabel("Label9", kWeightRows, 6, 735, kMincho),
    UnitLabel("Label8", kWeightRows, 7, 735, kMincho),
    UnitLabel("Label7", kWeightRows, 8, 1455, kMincho),
    Frame(9, 3675, 1335, kMincho),
    OptFrmFix(9),
    OptFrmExp(9),
    CommandClose(9, 3675),
};

constexpr std::array kSquareControls{
    Box(0, 6, kIme),
    Box(1, 6, kIme),
    Box(2, 6, kIme),
    Box(3, 6, kIme),
    Box(4, 6, kIme),
    Box(5, 6, kIme),
    UnitLabel("Label1", kSquareRows, 0, 1695, kPMincho),
    UnitLabel("Label2", kSquareRows, 1, 1335, kPMincho),
    UnitLabel("Label3", kSquareRows, 2, 1335, kPMincho),
    UnitLabel("Label4", kSquareRows, 3, 1695, kPMincho),
    UnitLabel("Label5", kSquareRows, 4, 1335, kPMincho),
    UnitLabel("Label6", kSquareRows, 5, 1335, kPMincho),
    Frame(6, 3780, 1215, kPMincho),
    OptFrmFix(6),
    OptFrmExp(6, 975),
    CommandClose(6, 3780),
};

constexpr std::array kVolumeControls{
    Box(0, 8, kIme, 465),
    Box(1, 8, kIme),
    Box(2, 8, kIme),
    Box(3, 8, kIme),
    Box(4, 8, kIme),
    Box(5, 8, kIme),
    Box(6, 8, kIme),
    Box(7, 8, kIme),
    UnitLabel("Label1", kVolumeRows, 0, 1935, kPMincho),
    UnitLabel("Label2", kVolumeRows, 1, 1335, kPMincho),
    UnitLabel("Label3", kVolumeRows, 2, 1335, kPMincho),
    UnitLabel("Label4", kVolumeRows, 3, 1695, kPMincho),
    UnitLabel("Label5", kVolumeRows, 4, 1815, kPMincho),
    UnitLabel("Label6", kVolumeRows, 5, 1335, kPMincho),
    UnitLabel("Label9", kVolumeRows, 6, 1335, kPMincho),
    UnitLabel("Label8", kVolumeRows, 7, 1335, kPMincho),
    Frame(8, 3990, 1215, kMincho),
    OptFrmFix(8),
    OptFrmExp(8),
    CommandClose(8, 3990),
};

// Every converter window has a fixed dialog frame and opens centred on the screen.
constexpr FormDesign ConverterForm(std::string_view name, std::string_view title, int width,
                                   int height, std::string_view icon,
                                   std::span<const ControlDesign> controls) {
    return {.name = name,
            .title = title,
            .clientWidth = width,
            .clientHeight = height,
            .frameStyle = forms::FrameStyle::FixedDialog,
            .startPosition = forms::StartPosition::CentreScreen,
            .background = kBackground,
            .icon = icon,
            .controls = controls};
}

// The "－" of the titles is the full-width hyphen-minus U+FF0D.
constexpr FormDesign kLength =
    ConverterForm("Length", "度量衡変換－長さ", 5025, 4680, "length", kLengthControls);
constexpr FormDesign kWeight =
    ConverterForm("Weight", "度量衡変換－重さ", 5130, 4665, "weight", kWeightControls);
constexpr FormDesign kSquare =
    ConverterForm("Square", "度量衡変換－面積", 5250, 3240, "square", kSquareControls);
constexpr FormDesign kVolume =
    ConverterForm("Volume", "度量衡変換－体積", 5490, 4200, "volume", kVolumeControls);

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
