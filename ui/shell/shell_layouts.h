// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <span>
#include <string_view>

#include "core/quantity_tables.h"
#include "ui/forms/form_design.h"

namespace tavo::shell {

// What the main window shows for one quantity: a picture and a caption that both open the
// quantity's converter window.
struct QuantityChoice {
    Quantity quantity;
    std::string_view picture;  // the picture box's name, "CmdLength"
    std::string_view caption;  // the caption label's name, "Label2"
};

// The four quantities of the main window, top to bottom.
inline constexpr std::array<QuantityChoice, 4> kQuantityChoices{{
    {Quantity::Length, "CmdLength", "Label2"},
    {Quantity::Weight, "CmdWeight", "Label3"},
    {Quantity::Square, "CmdSquare", "Label4"},
    {Quantity::Volume, "CmdVolume", "Label5"},
}};

// The main window: the four pictures and captions, and the menus ﾌｧｲﾙ and ﾍﾙﾌﾟ.
const forms::FormDesign& MainLayout();

// The About window: title, platform line, credit, release date and an "OK" button on a
// dark-blue panel without a title bar.
const forms::FormDesign& AboutLayout();

// The help window: the manual in a read-only scrolling text box and a "戻る" button below
// it, at a fixed place on the screen.
const forms::FormDesign& ManualLayout();

// Every window of the program: the main window, the four converter windows in the order of
// kQuantities, the help window and the About window.
std::span<const forms::FormDesign* const> WindowLayouts();

}  // namespace tavo::shell
