// SPDX-License-Identifier: MIT
#pragma once

// What the page draws, from the tables the desktop program is built from: the windows'
// layouts, the pictures and the units' spoken names. The contract is core_api.h's: texts in
// through the module's memory, texts out valid until the next tavo_ call, NULL (0) for a
// window, quantity, row or picture outside its range; lists come one item a line ("\n").
#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

// The windows' names ("TAVO_Main", "Square", ...), one a line, in the order of their numbers:
// the main window, the four converter windows in the order of the quantities, the help window
// and the About window.
const char* tavo_window_names(void);

// Window number `window`'s whole layout as one JSON object, sizes in pixels (the format is
// LayoutJson's, ui/forms/layout_data.h).
const char* tavo_window_layout(int window);

// The quantity number a converter window converts, or -1 for any other window.
int tavo_window_quantity(int window);

// The main window's choices, one a line: the picture's name, the caption's name and the
// quantity number they open, separated by blanks ("CmdLength Label2 1").
const char* tavo_quantity_choices(void);

// A picture's XPM lines by its name ("emblem", "length", ...), one a line.
const char* tavo_picture_xpm(const char* name, size_t length);

// A unit's name as a screen reader says it: its name and its reading ("ヤード やーど").
const char* tavo_unit_name(int quantity, int row);

#ifdef __cplusplus
}
#endif
