// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
