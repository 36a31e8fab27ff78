// SPDX-License-Identifier: MIT
// Writes N random calls of the C interface (web/core_api.h, compiled natively here), each with
// the native answer, for replay.mjs to make again on the WebAssembly module and compare: every
// window loaded and every unit described, then rounds of ReadNumber, Enter in a random row of a
// random window, PlainText, both patterns, RoundFigures and a refresh (seed 18).
// One call a line: a letter for the function, its arguments and the answer, separated by
// blanks. Texts are "x" and their UTF-8 bytes in hex, NULL is "-", doubles are their bits as a
// decimal integer (an answered NaN is "nan": JavaScript need not keep a NaN's bits).
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/support/random_numbers.h"
#include "web/core_api.h"

namespace {

std::string Text(std::string_view bytes) {
    std::string hex = "x";
    for (const char c : bytes) {
        hex += "0123456789abcdef"[static_cast<unsigned char>(c) >> 4];
        hex += "0123456789abcdef"[c & 15];
    }
    return hex;
}

std::string Answer(const char* text) {
    return text == nullptr ? "-" : Text(text);
}

std::string Bits(double value) {
    return std::to_string(std::bit_cast<std::uint64_t>(value));
}

std::string Answer(double value) {
    return std::isnan(value) ? "nan" : Bits(value);
}

template <typename... Arguments>
void Call(const char* name, const std::string& answer, const Arguments&... arguments) {
    std::string line = name;
    ((line += ' ', line += std::string(arguments)), ...);
    std::printf("%s %s\n", line.c_str(), answer.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    const long calls = argc == 2 ? std::atol(argv[1]) : 0;
    if (calls <= 0) {
        std::fprintf(stderr, "usage: core_replay CALLS\n");
        return 2;
    }
    using std::to_string;
    for (int q = -1; q <= 4; ++q) {  // with the quantities and rows the interface refuses
        Call("L", Answer(tavo_load(q)), to_string(q));
        for (int row = -1; row <= 10; ++row) {
            Call("D", Answer(tavo_unit_description(q, row)), to_string(q), to_string(row));
        }
    }
    std::mt19937_64 random(18);
    for (long k = 0; k < calls; k += 8) {
        const std::string text = tavo::test::RandomNumberText(random);
        const double value = tavo::test::RandomDouble(random);
        const int q = static_cast<int>(random() % 4);
        const int row = static_cast<int>(random() % 13) - 1;
        const std::string exponential = random() % 2 != 0 ? "1" : "0";
        const int digits = static_cast<int>(random() % 7);
        Call("N", Answer(tavo_read_number(text.data(), text.size())), Text(text));
        Call("R", Answer(tavo_recompute(q, row, text.data(), text.size(), exponential == "1")),
             to_string(q), to_string(row), Text(text), exponential);
        Call("P", Answer(tavo_plain_text(value)), Bits(value));
        Call("F", Answer(tavo_format_pattern(value, 0)), Bits(value), "0");
        Call("F", Answer(tavo_format_pattern(value, 1)), Bits(value), "1");
        Call("F", Answer(tavo_format_pattern(value, 2)), Bits(value), "2");
        Call("G", Answer(tavo_round_figures(value, digits)), Bits(value), to_string(digits));
        Call("R", Answer(tavo_recompute(q, 10, "", 0, exponential == "0")), to_string(q), "10", "x",
             exponential == "0" ? "1" : "0");
    }
    return 0;
}
