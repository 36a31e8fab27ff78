// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavo {

// The two exponent patterns the display uses.
enum class NumberPattern {
    Exponential,  // "0.000e+##": every place after the point is written ("9.144e+1")
    OutOfBand,    // "#.###e+##": trailing zeros dropped, the point kept ("1.e+10")
};

// Reads the longest leading number of a UTF-8 text; a text that holds none reads as 0.
// Blanks (space, tab, CR, LF, U+3000) are dropped wherever they stand, so " 1.094" and
// "1 000" read as numbers. A number is an optional sign, digits with at most one ".",
// then an optional exponent "e"/"E" with optional sign and digits. Full-width digits,
// "．", "＋", "－", "，", "ｅ" and "Ｅ" count as their ASCII forms, as an input method types
// them. The point is always "."; no locale is consulted.
// Commas group thousands when the whole run of digits and commas before the point (or the
// exponent, or whatever ends the number) is one to three digits followed by groups of a comma
// and exactly three digits: "1,000" and "12,345.6" and "1,000e3" read as 1000, 12345.6 and
// 1e6. Any other comma ends the number: "1,5", "1,0000", "1,000,00" and "1000,000" read as
// 1, 1, 1 and 1000.
// Beyond the double range the result is +/-infinity. A non-zero number below it, one that
// even the smallest subnormal cannot hold ("1e-400"), is NaN: the value is lost, and must
// not pass for zero (a zero, "-0" and "0e-400" included, reads as +/-0). Runs in time linear
// in the text's length.
double ReadNumber(std::string_view text);

// The value of a text that is one number and nothing else: the number ReadNumber reads, with
// nothing but blanks after it. Empty when the text holds no number or anything follows it
// ("abc", "", "-", "1e", "1,5", "12abc"). A trailing point belongs to the number ("1.").
std::optional<double> ReadWholeNumber(std::string_view text);

// The plain conversion: a blank (or "-" for a negative value), then the value with at most
// 15 significant digits, without trailing zeros or a trailing point, in positional
// notation (" 0.3025", " 0.00005", " 1000000"). Zero is " 0".
std::string PlainText(double value);

// Scientific form after one of the two patterns: "9.144e+1", "1.e-6", "-3.000e+2". The
// mantissa is the value's decimal digits rounded to three places; the exponent always has a
// sign and no leading zeros. Zero gives "0.000e+0" / "0.e+0".
std::string FormatPattern(double value, NumberPattern pattern);

// Whether a table cell keeps the blank the plain display puts before a non-negative number.
enum class LeadingBlank { Keep, Drop };

// A row's text as one cell of a table that is written out (tavo-convert's TSV, CSV and JSON,
// the converter window's clipboard copy); every writer makes its cells by this function.
// With Drop, a leading blank is left out first (" 91.44" -> "91.44", "  5" -> " 5"). Then a
// TAB, CR or LF becomes a blank, so that no cell splits a record or a line, and the full-width
// forms U+FF01..U+FF5E become their ASCII characters and U+3000 a blank, so that a spreadsheet
// reads "１，０００" as a number; nothing else is changed ("①" stays).
std::string TableCell(std::string_view text, LeadingBlank blank);

}  // namespace tavo
