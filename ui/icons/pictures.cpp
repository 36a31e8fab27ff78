// SPDX-License-Identifier: MIT
#include "pictures.h"

#include <QHash>
#include <QString>

#include "ui/icons/picture_data.h"

namespace tavo::icons {

QPixmap Picture(std::string_view name) {
    static QHash<QString, QPixmap> loaded;
    const QString key = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    if (const auto found = loaded.constFind(key); found != loaded.constEnd()) return *found;
    const std::span<const char* const> xpm = PictureXpm(name);
    if (xpm.empty()) return {};
    return *loaded.insert(key, QPixmap(xpm.data()));  // Qt reads XPM data itself
}

}  // namespace tavo::icons
