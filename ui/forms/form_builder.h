// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QMenuBar>
#include <QString>
#include <QWidget>

#include <span>
#include <string_view>

#include "ui/forms/form_design.h"

namespace tavo::forms {

QColor ToColour(Rgb rgb);
QString ToQString(std::string_view utf8);

// The installed family that stands for a face a layout names: the face itself when it is
// installed, else its first installed substitute (face_substitution.h), else the name as is.
QString InstalledFace(std::string_view face);

// The font a layout asks for. The size is set in pixels at 96 dots per inch (14.25 points
// are 19 pixels), like the twips of the layout, so text and controls scale together.
QFont FontFor(const FontDesign& font);

// Creates every control of the design as a child of `client`, with its geometry, font,
// colours, caption, flags and object name, and chains the focus order by tab position.
// Also sizes the client area and paints it with the design's background.
void BuildControls(QWidget* client, const FormDesign& design);

// The label whose buddy is `control` (a unit label names its entry box), or nullptr.
QLabel* LabelFor(const QWidget* client, const QWidget* control);

// A menu bar for `window` with the menus and items of a layout, each menu and item (QAction)
// named after its layout name. The items have no access keys and no shortcuts.
QMenuBar* BuildMenuBar(QWidget* window, std::span<const MenuDesign> menus);

// Title, icon and frame style of a top-level window.
void ApplyWindowDesign(QWidget* window, const FormDesign& design);

// Puts a not yet shown window where its design says: centred on the screen, or with its
// client area's upper-left corner at the design's position.
void PlaceWindow(QWidget* window, const FormDesign& design);

// A built control found by its layout name (and array index), or nullptr.
template <typename T>
T* FindControl(const QWidget* root, std::string_view name, int index = -1) {
    QString objectName = ToQString(name);
    if (index >= 0) objectName += QStringLiteral("_%1").arg(index);
    return root->findChild<T*>(objectName);
}

}  // namespace tavo::forms
