// SPDX-License-Identifier: MIT
#pragma once

#include <optional>

namespace tavo::app {

// Reads the command line before any Qt object exists, so that the answers that need no
// window come without a display:
//   --help, -h      the usage, with the Qt options the program passes on, on stdout; 0
//   --version, -v   "tavometr 1.2.0" on stdout; 0
//   an unknown option or an argument: one line on stderr; 2
//   no display to open: one line in Japanese and English on stderr; 1
// Qt's own options (-platform NAME, -style NAME, -display NAME, ...) are left in argv for
// QApplication. Returns the exit status when the program is to stop here, nothing when it
// is to go on and open its windows.
std::optional<int> HandleCommandLine(int argc, const char* const* argv);

}  // namespace tavo::app
