// SPDX-License-Identifier: MIT
#pragma once

#include <charconv>

namespace tavo {

// Reading and writing doubles in decimal, with the results of std::from_chars and
// std::to_chars. Where the standard library lacks their floating-point overloads (emscripten's
// libc++ 13), the same results come from strtod and snprintf in the "C" locale.

// Reads the decimal number at the start of [first, last) as std::from_chars does in its
// general format: an optional '-', digits with at most one '.', then an optional exponent
// ("e"/"E", optional sign, digits). Infinity and NaN are not read: like a text without a
// number they give std::errc::invalid_argument with ptr == first. Past the largest double, or
// so small that it rounds to zero, the result is std::errc::result_out_of_range with ptr past
// the number and value left alone; a value that rounds to a subnormal is read.
std::from_chars_result ReadDouble(const char* first, const char* last, double& value);

// Writes value in scientific form with `precision` places after the point ("9.144e+01"), as
// std::to_chars with std::chars_format::scientific does.
std::to_chars_result WriteScientific(char* first, char* last, double value, int precision);

// Writes the shortest text that reads back as value, in fixed or scientific form, whichever is
// shorter ("0.00375", "9.454e+15"), as std::to_chars(first, last, value) does.
std::to_chars_result WriteShortest(char* first, char* last, double value);

// The strtod/snprintf versions of the three, compiled on every platform so that a test can
// hold them against the standard library's.
namespace fallback {
std::from_chars_result ReadDouble(const char* first, const char* last, double& value);
std::to_chars_result WriteScientific(char* first, char* last, double value, int precision);
std::to_chars_result WriteShortest(char* first, char* last, double value);
}  // namespace fallback

}  // namespace tavo
