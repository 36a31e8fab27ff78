// SPDX-License-Identifier: MIT
#pragma once

namespace tavo::forms {

// Makes the faces the layouts ask for ("ＭＳ Ｐ明朝", "ＭＳ 明朝", "ＭＳ Ｐゴシック",
// "Times New Roman") resolve to installed metric-matched stand-ins: the IPA faces and
// Liberation Serif, each with a fallback list. Registered once per process; later calls do
// nothing. Needs a QGuiApplication.
void RegisterFaceSubstitutes();

// Registers the substitutes and makes "ＭＳ Ｐゴシック" 9 pt the application's font, the face
// of menus, tooltips and message boxes on a Japanese desktop. The layouts set their own
// fonts on every control.
void UseJapaneseDesktopFont();

// Whether one of the Japanese faces the layouts ask for resolves to an installed font that
// can draw Japanese: without one, every label is drawn as empty boxes.
bool JapaneseFaceInstalled();

}  // namespace tavo::forms
