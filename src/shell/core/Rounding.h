// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

namespace quillet {

// numerator / denominator rounded to the nearest integer, a half going to the
// even neighbour (-2.5 gives -2, -3.5 gives -4, 6.5 gives 6). Exact for every
// int: no floating point on the way. `denominator` must be positive.
constexpr int RoundedQuotient(int numerator, int denominator) {
    // Floor division, so that the remainder is never negative.
    int quotient = numerator / denominator;
    int remainder = numerator % denominator;
    if (remainder < 0) {
        --quotient;
        remainder += denominator;
    }
    const long long twice = 2LL * remainder;
    if (twice > denominator || (twice == denominator && quotient % 2 != 0)) ++quotient;
    return quotient;
}

}  // namespace quillet
