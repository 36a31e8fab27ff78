// SPDX-License-Identifier: MIT
#pragma once

namespace tavo {

// The double nearest to ten to the power k: exact where 10^k is representable, correctly
// rounded elsewhere, +inf above the double range and 0 below it. Taken from a table parsed
// from "1e<k>" once, because std::pow may be one unit in the last place off and the
// rounding below depends on every bit of these constants.
double PowerOfTen(int k);

// Cuts value to digits + 1 significant figures, half up, in place (digits = 3 keeps four).
// The order of the double operations is part of the result: halfway cases are decided by
// what the decade scaling leaves in the last bits, not by the decimal text a user typed.
// Zero gives +0, a negative value is rounded on its magnitude and keeps its sign, NaN and
// infinities are returned unchanged. Always returns.
void RoundFigures(double& value, int digits);

}  // namespace tavo
