// SPDX-License-Identifier: MIT
#pragma once

#include <QStringList>

namespace tavo::forms {

// `name` and every other name fontconfig gives the installed fonts of that family, in every
// language it records ("IPAPMincho" and "IPA P明朝"); just `name` when none is installed.
QStringList FamilyNames(const QString& name);

// Makes the faces the layouts ask for ("ＭＳ Ｐ明朝", "ＭＳ 明朝", "ＭＳ Ｐゴシック",
// "Times New Roman") resolve to installed metric-matched stand-ins: the IPA faces and
// Liberation Serif, each with a fallback list. Registered once per process; later calls do
// nothing. Needs a QGuiApplication.
void RegisterFaceSubstitutes();

// Registers the substitutes and makes "ＭＳ Ｐゴシック" 9 pt the application's font, the face
// of menus, tooltips and message boxes on a Japanese desktop. The layouts set their own
// fonts on every control.
void UseJapaneseDesktopFont();

// Whether any installed font can draw Japanese: without one, every label is drawn as empty
// boxes. (With one, Qt draws the Japanese text in it where a layout's face cannot.)
bool JapaneseFaceInstalled();

}  // namespace tavo::forms
