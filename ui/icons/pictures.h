// SPDX-License-Identifier: MIT
#pragma once

#include <QPixmap>

#include <string_view>

namespace tavo::icons {

// One of the program's six 32 x 32 pictures by name: "emblem", "length", "weight",
// "square", "volume", "about". Read from the XPM compiled into the program the first time
// it is asked for, then shared; an unknown name gives a null pixmap.
QPixmap Picture(std::string_view name);

}  // namespace tavo::icons
