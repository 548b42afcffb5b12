// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

namespace quillet {

// The student's choices, as the settings file holds them: read at start-up,
// changed on the options screen and written back when it closes.
struct StudentOptions {
    int testMode = 1;
    bool soundOn = true;
    bool shuffleOn = false;
    bool blackBackgroundOn = true;
    bool figuresOn = true;
    // The windows' size in per cent of the desktop's scale; a change shows at
    // the next start.
    int windowSize = 100;
};

}  // namespace quillet
