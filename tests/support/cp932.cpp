// SPDX-License-Identifier: MIT
#include "cp932.h"

#include <iconv.h>

namespace tavo::test {

// Every text the program shows must survive Shift-JIS as Japanese Windows stores it. The
// check is a round trip: iconv maps some look-alikes (U+2212 MINUS SIGN) onto the bytes of
// another character (81 7C, the full-width hyphen-minus), which only the way back reveals.
static std::string Convert(const char* to, const char* from, const std::string& text, bool& ok) {
    iconv_t cd = iconv_open(to, from);
    ok = cd != reinterpret_cast<iconv_t>(-1);
    if (!ok) return {};
    std::string in = text;
    std::string out(text.size() * 4 + 4, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    std::size_t inLeft = in.size();
    std::size_t outLeft = out.size();
    ok = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1) &&
         inLeft == 0;
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
}

bool FitsCodePage932(const std::string& text) {
    bool ok = false;
    const std::string shiftJis = Convert("CP932", "UTF-8", text, ok);
    if (!ok) return false;
    return Convert("UTF-8", "CP932", shiftJis, ok) == text && ok;
}

}  // namespace tavo::test
