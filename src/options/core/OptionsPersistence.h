// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QString>

#include "shell/core/ExamMode.h"
#include "shell/core/Session.h"
#include "shell/core/StudentOptions.h"

namespace quillet::options {

// What the options screen takes from memory, records on each click and writes
// when it closes.

inline constexpr int kTestModeCount = kHighestTestMode;

// The test-mode option button (0 up to kTestModeCount - 1) that stands for a
// mode; a mode outside 1..kTestModeCount is shown as mode 1.
int OptionIndexForMode(int testMode);

// A section check box was ticked or cleared. `row` is the section table row the
// box shows; 0 (or less) means the box shows no row and nothing is recorded.
// Otherwise the row's Ask flag and its "Sections" key in the settings file
// change at once.
void RecordSectionBox(Session& session, int row, bool checked);

// The states of the four program-option check boxes.
struct ProgramOptionBoxes {
    bool sound = false;
    bool shuffle = false;
    bool blackBackground = false;
    bool figures = false;
    int windowSize = 100;  // the size option chosen, in per cent
};

// The boxes as memory has them when the screen opens.
ProgramOptionBoxes ProgramOptionsOf(const StudentOptions& options);

// The close of the screen: writes into the settings file `file` Sound, Shuffle, DUVBlackBackground,
// Figures and WindowSize from the boxes, takes the mode of the selected option button
// (`selectedOption` 0..kTestModeCount - 1; anything else keeps the mode in memory) and writes the
// mode as it is; only then does an unknown mode become 1, in memory (start-up reads such a
// value as 1 too). Every write is tried even when one fails.
void SaveOptionsOnClose(const QString& file, StudentOptions& options,
                        const ProgramOptionBoxes& boxes, int selectedOption);

}  // namespace quillet::options
