// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <random>

#include "shell/core/Services.h"

namespace quillet {

// The test screen's random source: a Mersenne twister whose 32-bit output is
// cut to 24 bits, so every number is an exact single-precision value in
// [0, 1) and 1.0 itself can never come out.
class MersenneRandom : public RandomSource {
public:
    explicit MersenneRandom(unsigned int seedValue = 5489u) : engine_(seedValue) {}
    void seed(unsigned int value) override { engine_.seed(value); }
    float next() override;

private:
    std::mt19937 engine_;
};

// A seed taken from the clock, different at each opening of the test screen.
unsigned int ClockSeed();

// A random index below `n`: the integer part of n times a draw, computed in
// single precision. Always within 0..n-1 (0 when n < 1), even for a source
// that misbehaves and returns 1.0 or more.
int RandomIndexBelow(RandomSource& random, int n);

}  // namespace quillet
