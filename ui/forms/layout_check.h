// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string_view>

#include "ui/forms/form_design.h"
#include "ui/icons/picture_data.h"

// Compile-time checks of a layout. Every layout passes through CheckLayout in a static_assert
// next to its definition, so a broken layout does not build, and the compiler's message names
// the window, the rule and the control:
//
//   In instantiation of 'struct tavo::forms::LayoutCheck<tavo::forms::LayoutRule::UniqueNames,
//       FixedName<7>{"Length"}, FixedName<7>{"Label1"}, -1>'
//
// The builder may then rely on every container, buddy and row box being there.
namespace tavo::forms {

enum class LayoutRule {
    Sound,
    UniqueNames,      // no two controls share a name and array index
    ContainerExists,  // a control's container is a frame of the same window
    BuddyExists,      // only labels have buddies, each a control of the same window
    TabOrder,         // tab positions are unique and run 0, 1, 2, ... without a gap
    OneBoxPerRow,     // a converter has exactly TextBox(0) .. TextBox(rows - 1)
    InsideContainer,  // a control starts inside its container and, but for labels, ends there
    PictureExists,    // the window's icon and each picture box's picture are pictures we have
};

// A name as a template argument, so that the compiler's message spells it out.
template <std::size_t N>
struct FixedName {
    char text[N]{};
    constexpr explicit FixedName(std::string_view name) {
        for (std::size_t i = 0; i + 1 < N && i < name.size(); ++i) text[i] = name[i];
    }
};

struct LayoutProblem {
    LayoutRule rule = LayoutRule::Sound;
    std::string_view control{};
    int index = -1;
};

namespace layout_check {

constexpr bool SameControl(const ControlDesign& a, const ControlDesign& b) {
    return a.name == b.name && a.index == b.index;
}

constexpr const ControlDesign* Find(const FormDesign& design, const ControlRef& ref) {
    for (const ControlDesign& control : design.controls) {
        if (control.name == ref.name && control.index == ref.index) return &control;
    }
    return nullptr;
}

constexpr bool IsPicture(std::string_view name) {
    for (const std::string_view picture : icons::kPictureNames) {
        if (name == picture) return true;
    }
    return false;
}

constexpr bool Inside(const TwipsRect& rect, int width, int height, bool mayReachPast) {
    const bool starts = rect.left >= 0 && rect.top >= 0 && rect.left < width && rect.top < height;
    const bool ends = rect.left + rect.width <= width && rect.top + rect.height <= height;
    return starts && rect.width > 0 && rect.height > 0 && (ends || mayReachPast);
}

}  // namespace layout_check

// The first rule the layout breaks, with the control that breaks it. `rows` is the number of
// entry boxes a converter window must have (one per unit row), or -1 for other windows.
constexpr LayoutProblem FindLayoutProblem(const FormDesign& design, int rows = -1) {
    using namespace layout_check;
    const auto& controls = design.controls;
    if (!design.icon.empty() && !IsPicture(design.icon)) {
        return {LayoutRule::PictureExists, design.icon, -1};
    }
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const ControlDesign& control = controls[i];
        for (std::size_t j = 0; j < i; ++j) {
            if (SameControl(controls[j], control))
                return {LayoutRule::UniqueNames, control.name, control.index};
        }
        int width = design.clientWidth;
        int height = design.clientHeight;
        if (!control.container.empty()) {
            const ControlDesign* frame = Find(design, {control.container});
            if (frame == nullptr || frame->kind != ControlKind::Frame) {
                return {LayoutRule::ContainerExists, control.name, control.index};
            }
            width = frame->rect.width;
            height = frame->rect.height;
        }
        if ((control.kind == ControlKind::PictureBox) != !control.picture.empty() ||
            (!control.picture.empty() && !IsPicture(control.picture))) {
            return {LayoutRule::PictureExists, control.name, control.index};
        }
        if (!control.buddy.name.empty() &&
            (control.kind != ControlKind::Label || Find(design, control.buddy) == nullptr)) {
            return {LayoutRule::BuddyExists, control.name, control.index};
        }
        // A label is transparent and may reach past the window's right edge, as the Length
        // window's ångström label does (2895 twips from 2160 in a 5025-twip window): only its
        // text has to fit, which the golden images show.
        if (!Inside(control.rect, width, height, control.kind == ControlKind::Label)) {
            return {LayoutRule::InsideContainer, control.name, control.index};
        }
    }
    // Tab positions 0 .. n-1, each exactly once: n positions for n controls, none repeated
    // and none out of range.
    const int count = static_cast<int>(controls.size());
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const ControlDesign& control = controls[i];
        bool repeated = false;
        for (std::size_t j = 0; j < i; ++j)
            repeated = repeated || controls[j].tabIndex == control.tabIndex;
        if (repeated || control.tabIndex < 0 || control.tabIndex >= count) {
            return {LayoutRule::TabOrder, control.name, control.index};
        }
    }
    if (rows >= 0) {
        for (const ControlDesign& control : controls) {
            if (control.kind == ControlKind::TextBox &&
                (control.name != "TextBox" || control.index < 0 || control.index >= rows)) {
                return {LayoutRule::OneBoxPerRow, control.name, control.index};
            }
        }
        for (int row = 0; row < rows; ++row) {
            if (Find(design, {"TextBox", row}) == nullptr) {
                return {LayoutRule::OneBoxPerRow, "TextBox", row};
            }
        }
    }
    return {};
}

// Fails to compile, naming the rule, the window and the control, unless `rule` is Sound.
template <LayoutRule rule, FixedName window, FixedName control, int index>
struct LayoutCheck {
    static_assert(rule == LayoutRule::Sound,
                  "the layout, rule and control named in LayoutCheck<...> above are broken");
    static constexpr bool sound = true;
};

// static_assert(CheckLayout<kLayout>()) beside every layout; `rows` as in FindLayoutProblem.
template <const FormDesign& design, int rows = -1>
constexpr bool CheckLayout() {
    constexpr LayoutProblem problem = FindLayoutProblem(design, rows);
    return LayoutCheck<problem.rule, FixedName<design.name.size() + 1>(design.name),
                       FixedName<problem.control.size() + 1>(problem.control),
                       problem.index>::sound;
}

}  // namespace tavo::forms
