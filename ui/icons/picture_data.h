// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <span>
#include <string_view>

// The program's six 32 x 32 pictures as XPM text, without Qt: the desktop reads them into
// pixmaps (pictures.h), the browser edition draws them from the same lines.
namespace tavo::icons {

inline constexpr std::array<std::string_view, 6> kPictureNames{"emblem", "length", "weight",
                                                               "square", "volume", "about"};

// A picture's XPM lines (values, colours, then one line a pixel row), or an empty span for a
// name not in kPictureNames.
std::span<const char* const> PictureXpm(std::string_view name);

}  // namespace tavo::icons
