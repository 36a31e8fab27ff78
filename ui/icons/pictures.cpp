// SPDX-License-Identifier: MIT
#include "pictures.h"

#include <QHash>
#include <QString>

#include <array>

// The XPM files are C arrays: compiled in as they stand, they need no resource lookup and no
// image-format plugin at start-up (Qt reads XPM data itself).
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
    const char* const* xpm;
};

constexpr std::array kPictures{
    NamedPicture{"emblem", emblem_xpm}, NamedPicture{"length", length_xpm},
    NamedPicture{"weight", weight_xpm}, NamedPicture{"square", square_xpm},
    NamedPicture{"volume", volume_xpm}, NamedPicture{"about", about_xpm},
};

}  // namespace

QPixmap Picture(std::string_view name) {
    static QHash<QString, QPixmap> loaded;
    const QString key = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    if (const auto found = loaded.constFind(key); found != loaded.constEnd()) return *found;
    for (const NamedPicture& picture : kPictures) {
        if (picture.name == name) return *loaded.insert(key, QPixmap(picture.xpm));
    }
    return {};
}

}  // namespace tavo::icons
