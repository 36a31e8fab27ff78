// SPDX-License-Identifier: MIT
// Layouts that must not compile: CTest compiles this file once for each BROKEN_LAYOUT and
// expects the compiler's message to name the broken rule and the control.
#include <array>

#include "ui/forms/layout_check.h"

namespace {

using tavo::forms::ControlDesign;
using tavo::forms::ControlKind;
using tavo::forms::FormDesign;

constexpr ControlDesign Box(int row, int tab) {
    return {.kind = ControlKind::TextBox,
            .name = "TextBox",
            .index = row,
            .rect = {240, 240 + 480 * row, 1815, 450},
            .tabIndex = tab,
            .tabStop = true};
}

constexpr ControlDesign UnitLabel(std::string_view name, int row, int tab) {
    return {.kind = ControlKind::Label,
            .name = name,
            .rect = {2160, 360 + 480 * row, 1335, 375},
            .tabIndex = tab,
            .buddy = {"TextBox", row}};
}

#if BROKEN_LAYOUT == 1  // two labels called Label2
constexpr std::array kControls{Box(0, 0), Box(1, 1), UnitLabel("Label1", 0, 2),
                               UnitLabel("Label2", 1, 3), UnitLabel("Label2", 1, 4)};
constexpr int kRows = 2;
#elif BROKEN_LAYOUT == 2  // Label3 names a box that is not there
constexpr std::array kControls{Box(0, 0), Box(1, 1), UnitLabel("Label1", 0, 2),
                               UnitLabel("Label3", 2, 3)};
constexpr int kRows = 2;
#elif BROKEN_LAYOUT == 3  // three unit rows, two boxes
constexpr std::array kControls{Box(0, 0), Box(1, 1), UnitLabel("Label1", 0, 2),
                               UnitLabel("Label2", 1, 3)};
constexpr int kRows = 3;
#endif

constexpr FormDesign kBroken{
    .name = "Broken", .clientWidth = 5000, .clientHeight = 3000, .controls = kControls};
static_assert(tavo::forms::CheckLayout<kBroken, kRows>());

}  // namespace
