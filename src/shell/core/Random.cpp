// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "shell/core/Random.h"

#include <chrono>

namespace quillet {

float MersenneRandom::next() {
    constexpr float kScale = 1.0f / 16777216.0f;  // 2^-24
    return static_cast<float>(engine_() >> 8) * kScale;
}

unsigned int ClockSeed() {
    const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
    const auto value = static_cast<unsigned long long>(ticks);
    return static_cast<unsigned int>(value ^ (value >> 32));
}

int RandomIndexBelow(RandomSource& random, int n) {
    if (n < 1) return 0;
    const float scaled = static_cast<float>(n) * random.next();
    if (!(scaled >= 0.0f)) return 0;  // also catches NaN
    if (scaled >= static_cast<float>(n)) return n - 1;
    const int index = static_cast<int>(scaled);
    return index < n ? index : n - 1;
}

}  // namespace quillet
