// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace tavo::test {

// True when the UTF-8 text survives a round trip through code page 932 (Shift-JIS as
// Japanese Windows stores it) unchanged.
bool FitsCodePage932(const std::string& text);

}  // namespace tavo::test
