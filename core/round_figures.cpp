// SPDX-License-Identifier: MIT
#include "round_figures.h"

#include <array>
#include <cmath>
#include <string>

#include "decimal_io.h"

namespace tavo {

namespace {

// "1e-323" is the smallest power of ten that does not round to zero, "1e308" the largest
// below the double range.
constexpr int kMinExponent = -323;
constexpr int kMaxExponent = 308;

using PowerTable = std::array<double, kMaxExponent - kMinExponent + 1>;

PowerTable BuildPowerTable() {
    PowerTable table{};
    for (int k = kMinExponent; k <= kMaxExponent; ++k) {
        const std::string text = "1e" + std::to_string(k);
        double power = 0;
        ReadDouble(text.data(), text.data() + text.size(), power);
        table[static_cast<std::size_t>(k - kMinExponent)] = power;
    }
    return table;
}

}  // namespace

double PowerOfTen(int k) {
    static const PowerTable table = BuildPowerTable();
    if (k > kMaxExponent) return HUGE_VAL;
    if (k < kMinExponent) return 0.0;
    return table[static_cast<std::size_t>(k - kMinExponent)];
}

void RoundFigures(double& value, int digits) {
    const double x = value;
    if (std::isnan(x) || std::isinf(x)) return;
    if (x == 0.0) {
        value = 0.0;  // also turns -0 into +0
        return;
    }
    if (x < 0.0) {
        double magnitude = -x;
        RoundFigures(magnitude, digits);
        value = -magnitude;
        return;
    }

    // Walk the mantissa into [1, 10) one decade at a time, counting the decades in `shift`:
    // x == m / 10^shift, so shift is the negated decimal exponent of x (12345 ends with
    // shift -4, 0.003 with shift 3). For a positive finite x the walk ends: multiplying by 0.1
    // never takes a value >= 10 below 1, multiplying by 10 never takes a value < 1 up to 10,
    // and at most 324 passes reach the interval.
    const int direction = x >= 10.0 ? -1 : (x < 1.0 ? 1 : 0);
    const double step = PowerOfTen(direction);
    double m = x;
    int shift = 0;
    do {
        m = m * step;
        shift = shift + direction;
    } while (!(m >= 1.0 && m < 10.0));

    m = m * PowerOfTen(digits);
    m = std::floor(m + 0.5);
    m = m / PowerOfTen(digits);
    // A division by the double 10^shift also for a negative shift (12345 ends as m / 0.0001):
    // the last bits of the result, and so the halfway cases, depend on it.
    const bool belowSmallestPower = shift > kMaxExponent;  // x lies below 1e-308
    if (belowSmallestPower && m >= 10.0) {
        // The cut carried a value just below 1e-308 up to it (m == 10), but 10^shift itself
        // is beyond the double range: divide by 10^(shift-1) instead, so the value shown for
        // it reads back as itself.
        value = (m / 10.0) / PowerOfTen(shift - 1);
        return;
    }
    // Further below, 10^shift is infinite and the value comes out as 0; a result past the
    // largest double comes out as infinity. The display shows both as out of range.
    value = m / PowerOfTen(shift);
}

}  // namespace tavo
