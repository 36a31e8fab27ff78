// SPDX-License-Identifier: MIT
#include "face_substitution.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QStringList>

#include <mutex>

#include "ui/forms/form_builder.h"

namespace tavo::forms {

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
    RegisterFaceSubstitutes();
    for (const char* face : {"ＭＳ Ｐ明朝", "ＭＳ 明朝", "ＭＳ Ｐゴシック"}) {
        if (QFontDatabase::writingSystems(InstalledFace(face)).contains(QFontDatabase::Japanese)) {
            return true;
        }
    }
    return false;
}

}  // namespace tavo::forms
