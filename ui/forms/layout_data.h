// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "ui/forms/form_design.h"

namespace tavo::forms {

// A window's layout as plain data, for a front that is not built on Qt (the browser edition)
// and for the test that holds the Qt builder to the same data: one JSON object, UTF-8, with
// every size already in device-independent pixels and every colour as "#rrggbb".
//
//   {"name", "title", "accessibleName", "frameStyle", "startPosition", "left", "top",
//    "width", "height", "background", "icon",
//    "menus": [{"name", "caption", "items": [{"name", "caption"}]}],
//    "controls": [{"id", "name", "index", "kind", "caption", "x", "y", "width", "height",
//                  "font": {"face", "pixelSize", "bold", "underline"},
//                  "foreColour", "backColour", "tabIndex", "tabStop",
//                  "selected", "imeOff", "centred", "flat", "backgroundFilled",
//                  "container", "picture", "accessibleName", "description", "shortcut",
//                  "buddy"}]}
//
// Controls come in the order they are built. "id" is the built control's object name
// ("TextBox_3"); "container" and "buddy" give the id of the control they refer to, or "".
// Kinds, frame styles and start positions are the enumerators' names in lowerCamelCase
// ("textBox", "fixedDialog", "centreScreen"); "face" is the face the layout asks for.
std::string LayoutJson(const FormDesign& design);

}  // namespace tavo::forms
