// SPDX-License-Identifier: MIT
#pragma once

// The core's C interface for the browser edition, compiled to WebAssembly (core.mjs wraps it
// for JavaScript). Every text a box shows comes from here; JavaScript formats nothing.
//
// The contract:
// - Quantities are numbered 0 Square, 1 Length, 2 Volume, 3 Weight.
// - A text argument is UTF-8 in the module's own memory: the caller allocates it with malloc,
//   copies the bytes in, passes pointer and byte count, and frees it after the call. It needs
//   no terminating NUL, and any bytes are accepted.
// - A returned text is a NUL-terminated UTF-8 string in the module's memory, owned by the
//   module and valid until the next call of any tavo_ function: the caller copies it out.
// - A quantity, row or pattern outside its range returns NULL (0) and changes nothing.
// - Row texts come as one string, one line per row in row order, lines separated by "\n"
//   (no text the core shows holds one); a row the call does not rewrite has an empty line.
#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

// What a converter window does when it loads: the quantity's factors and one base unit into
// its state, then every row's text in normal display.
const char* tavo_load(int quantity);

// Enter in row `index` with the box's text (the edited row's line stays empty), or with
// index 10 (BaseIndex; the text is not read) every row afresh, as a change of display does.
// NULL for a quantity not loaded yet.
const char* tavo_recompute(int quantity, int index, const char* text, size_t length,
                           int exponential);

// The size of a row's unit in words ("1 尺 = 0.303 メートル"), for a screen reader.
const char* tavo_unit_description(int quantity, int row);

// The number functions the display is made of, for the tests. Pattern 0 is "0.000e+##"
// (every place), 1 is "#.###e+##" (trailing zeros dropped).
double tavo_read_number(const char* text, size_t length);
const char* tavo_plain_text(double value);
const char* tavo_format_pattern(double value, int pattern);
double tavo_round_figures(double value, int digits);

#ifdef __cplusplus
}
#endif
