// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavo::app {

// The command line as QApplication is to read it: the program's name, then Qt's options, each
// in the form Qt reads ("-platform=offscreen" and "--platform=offscreen" become "-platform"
// "offscreen"; Qt itself accepts one or two dashes, but no "=" for most options).
// QApplication keeps references to argc and argv, so this object must outlive it.
class QtCommandLine {
public:
    QtCommandLine() = default;
    QtCommandLine(const QtCommandLine&) = delete;
    QtCommandLine& operator=(const QtCommandLine&) = delete;

    void Append(std::string_view argument);
    // What QApplication's constructor takes. Argv() points into this object.
    int& Argc() { return m_argc; }
    char** Argv();

private:
    std::vector<std::string> m_arguments;
    std::vector<char*> m_argv;
    int m_argc = 0;
};

// Reads the command line before any Qt object exists, so that the answers that need no
// window come without a display:
//   --help, -h      the usage, with the Qt options the program passes on, on stdout; 0
//   --version, -v   "tavometr 1.2.0" on stdout; 0
//   an unknown option or an argument: one line on stderr; 2
//   no display to open: one line in Japanese and English on stderr; 1
// Qt's own options (-platform NAME, -style NAME, -display NAME, ..., also with two dashes or
// as -name=value) go into `qt` for QApplication. Returns the exit status when the program is
// to stop here, nothing when it is to go on and open its windows.
std::optional<int> HandleCommandLine(int argc, const char* const* argv, QtCommandLine& qt);

}  // namespace tavo::app
