// SPDX-License-Identifier: MIT
#include "face_substitution.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QStringList>

#include <fontconfig/fontconfig.h>

#include <memory>
#include <mutex>

#include "ui/forms/form_builder.h"

namespace tavo::forms {

QStringList FamilyNames(const QString& name) {
    QStringList names{name};
    const QByteArray utf8 = name.toUtf8();
    // Lists the installed fonts one of whose family names (in any language) is `name`,
    // without applying any alias of the configuration, with all their family names.
    const std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)> pattern(
        FcPatternBuild(nullptr, FC_FAMILY, FcTypeString,
                       reinterpret_cast<const FcChar8*>(utf8.constData()), nullptr),
        &FcPatternDestroy);
    const std::unique_ptr<FcObjectSet, decltype(&FcObjectSetDestroy)> objects(
        FcObjectSetBuild(FC_FAMILY, nullptr), &FcObjectSetDestroy);
    if (!pattern || !objects) return names;
    const std::unique_ptr<FcFontSet, decltype(&FcFontSetDestroy)> fonts(
        FcFontList(nullptr, pattern.get(), objects.get()), &FcFontSetDestroy);
    if (!fonts) return names;
    for (int font = 0; font < fonts->nfont; ++font) {
        FcChar8* family = nullptr;
        for (int i = 0;
             FcPatternGetString(fonts->fonts[font], FC_FAMILY, i, &family) == FcResultMatch; ++i) {
            const QString alias = QString::fromUtf8(reinterpret_cast<const char*>(family));
            if (!names.contains(alias)) names << alias;
        }
    }
    return names;
}

void RegisterFaceSubstitutes() {
    static std::once_flag once;
    std::call_once(once, [] {
        const QStringList serifFallback{QStringLiteral("Noto Serif CJK JP"),
                                        QStringLiteral("DejaVu Serif")};
        QFont::insertSubstitutions(
            QStringLiteral("ＭＳ Ｐ明朝"),
            QStringList{QStringLiteral("IPAPMincho"), QStringLiteral("IPAexMincho")} +
                serifFallback);
        QFont::insertSubstitutions(
            QStringLiteral("ＭＳ 明朝"),
            QStringList{QStringLiteral("IPAMincho"), QStringLiteral("IPAexMincho")} +
                serifFallback);
        QFont::insertSubstitutions(
            QStringLiteral("ＭＳ Ｐゴシック"),
            QStringList{QStringLiteral("IPAPGothic"), QStringLiteral("IPAexGothic"),
                        QStringLiteral("Noto Sans CJK JP"), QStringLiteral("DejaVu Sans")});
        QFont::insertSubstitutions(
            QStringLiteral("Times New Roman"),
            QStringList{QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
    });
}

void UseJapaneseDesktopFont() {
    RegisterFaceSubstitutes();
    QApplication::setFont(FontFor({"ＭＳ Ｐゴシック", 9, false, false, Charset::ShiftJis}));
}

bool JapaneseFaceInstalled() {
    return !QFontDatabase::families(QFontDatabase::Japanese).isEmpty();
}

}  // namespace tavo::forms
