// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
// Test helper: writes one setting over and over until it is killed, so that a test
// can kill it in the middle of a write. Usage: settings_writer FILE VALUE1 VALUE2
// It prints one line once the first write is done.
#include "shell/core/Settings.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    const QString file = QString::fromLocal8Bit(argv[1]);
    const QString values[2] = {QString::fromUtf8(argv[2]), QString::fromUtf8(argv[3])};
    if (!quillet::WriteSetting(file, "Sections", "Ask7", values[0])) return 1;
    std::puts("writing");
    std::fflush(stdout);
    for (unsigned i = 1;; ++i) {
        if (!quillet::WriteSetting(file, "Sections", "Ask7", values[i % 2])) return 1;
    }
}
