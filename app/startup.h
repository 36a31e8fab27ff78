// SPDX-License-Identifier: MIT
#pragma once

namespace tavo::app {

// What start-up does to the application object before any window exists, shared by the
// program and the window tests so that the tests run the program's own start-up: the
// program decides itself when it ends, the emblem is every window's default icon, the
// desktop can match the windows to the installed menu entry, and the layouts' faces resolve
// to their installed stand-ins, with "ＭＳ Ｐゴシック" as the font of menus and tooltips.
// Qt's own texts are loaded in Japanese, and a missing Japanese face is reported on stderr.
// Needs a QApplication.
void PrepareApplication();

}  // namespace tavo::app
