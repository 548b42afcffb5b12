// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
// Test helper that writes settings from a process of its own.
//   settings_writer FILE VALUE1 VALUE2  writes one setting over and over until it is killed, so
//                                       that a test can kill it in the middle of a write; it
//                                       prints one line once the first write is done.
//   settings_writer FILE --keys PREFIX COUNT  writes COUNT keys PREFIX0, PREFIX1, ... in section
//                                       Sections once each, and exits with the number of
//                                       writes that failed (as another copy of the program
//                                       writes the same file).
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "shell/core/Settings.h"

int main(int argc, char** argv) {
    if (argc == 5 && std::strcmp(argv[2], "--keys") == 0) {
        const QString file = QString::fromLocal8Bit(argv[1]);
        const QString prefix = QString::fromUtf8(argv[3]);
        const int count = std::atoi(argv[4]);
        int failed = 0;
        for (int i = 0; i < count; ++i) {
            const QString n = QString::number(i);
            if (!quillet::WriteSetting(file, "Sections", prefix + n, n)) ++failed;
        }
        return failed;
    }
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
