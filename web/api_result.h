// SPDX-License-Identifier: MIT
#pragma once
// How the C interface's functions hand back a text (core_api.h's contract): the text is kept
// in the module until the next call; an exception (an argument outside its table, memory
// running out) gives NULL.
#include <exception>
#include <string>

namespace tavo::web {

// One text for every function, as the contract says.
inline std::string& ResultText() {
    static std::string text;
    return text;
}

template <typename Call>
const char* Result(Call call) {
    std::string& result = ResultText();
    try {
        result = call();
        return result.c_str();
    } catch (const std::exception&) {
        return nullptr;
    }
}

}  // namespace tavo::web
