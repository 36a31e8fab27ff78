// SPDX-License-Identifier: MIT
#pragma once

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace tavo::test {

// Doubles where decimal conversions go wrong: any bit pattern (subnormals, infinities and NaNs
// included), short decimals over the whole range, binary fractions whose decimal expansions end
// in a tie (0.125), powers of two (their rounding intervals are lopsided), and the neighbours
// of all these.
inline double RandomDouble(std::mt19937_64& random) {
    const auto pick = [&](int count, int first) {  // an int in [first, first + count)
        return static_cast<int>(random() % static_cast<unsigned>(count)) + first;
    };
    switch (random() % 5) {
        case 0:
            return std::bit_cast<double>(random());
        case 1: {
            const std::string text =
                std::to_string(pick(1 << pick(28, 1), 0)) + "e" + std::to_string(pick(640, -330));
            return std::strtod(text.c_str(), nullptr);
        }
        case 2:
            return std::ldexp(pick(8191, -4095), pick(80, -60));
        case 3:
            return std::ldexp(1.0, pick(2098, -1074));
        default:
            return std::nextafter(RandomDouble(random), random() % 2 != 0 ? HUGE_VAL : -HUGE_VAL);
    }
}

// Texts in and around the decimal grammar: a sign, digits, a point and an exponent up to beyond
// the double range, with refused starts and something left over; or the point halfway between
// two neighbouring doubles, written out exactly (it must round to the even one) or cut short.
inline std::string RandomNumberText(std::mt19937_64& random) {
    if (random() % 4 == 0) {
        const double low = std::fabs(RandomDouble(random));
        const double high = std::nextafter(low, HUGE_VAL);
        const int places = random() % 2 != 0 ? 800 : 15 + static_cast<int>(random() % 12);
        char text[900];
        std::snprintf(text, sizeof text, "%.*Le", places,
                      (static_cast<long double>(low) + high) / 2);
        return text;
    }
    static const char* const kStarts[] = {"", "", "", "-", "+", " ", "inf", "nan", "0x", "0000000"};
    static const char* const kExponents[] = {"e", "E", "e+", "e-"};
    std::string text = kStarts[random() % std::size(kStarts)];
    const auto digits = [&] {
        for (auto n = random() % 26; n > 0; --n) text += static_cast<char>('0' + random() % 10);
    };
    digits();
    if (random() % 2 != 0) text += '.';
    digits();
    if (random() % 2 != 0) text += kExponents[random() % 4] + std::to_string(random() % 400);
    if (random() % 4 == 0) text += "e.-+x1"[random() % 6];
    return text;
}

}  // namespace tavo::test
