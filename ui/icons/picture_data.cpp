// SPDX-License-Identifier: MIT
#include "picture_data.h"

// The XPM files are C arrays: compiled in as they stand, they need no resource lookup and no
// image-format plugin at start-up.
#include "about.xpm"
#include "emblem.xpm"
#include "length.xpm"
#include "square.xpm"
#include "volume.xpm"
#include "weight.xpm"

namespace tavo::icons {

namespace {

struct NamedPicture {
    std::string_view name;
    std::span<const char* const> xpm;
};

const std::array kPictures{
    NamedPicture{"emblem", emblem_xpm}, NamedPicture{"length", length_xpm},
    NamedPicture{"weight", weight_xpm}, NamedPicture{"square", square_xpm},
    NamedPicture{"volume", volume_xpm}, NamedPicture{"about", about_xpm},
};
static_assert(kPictures.size() == kPictureNames.size());

}  // namespace

std::span<const char* const> PictureXpm(std::string_view name) {
    for (const NamedPicture& picture : kPictures) {
        if (picture.name == name) return picture.xpm;
    }
    return {};
}

}  // namespace tavo::icons
