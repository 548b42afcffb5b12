// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "options/core/OptionsPersistence.h"

#include "engine/core/QuestionList.h"
#include "shell/core/QuestionBank.h"
#include "shell/core/Settings.h"

namespace quillet::options {

int OptionIndexForMode(int testMode) { return NormalizedTestMode(testMode) - 1; }

void RecordSectionBox(Session& session, int row, bool checked) {
    if (row <= 0) return;
    if (checked) {
        SelectSection(session, row);
    } else {
        DeselectSection(session, row);
    }
}

ProgramOptionBoxes ProgramOptionsOf(const StudentOptions& options) {
    return {options.soundOn, options.shuffleOn, options.blackBackgroundOn, options.figuresOn,
            options.windowSize};
}

void SaveOptionsOnClose(const QString& file, StudentOptions& options,
                        const ProgramOptionBoxes& boxes, int selectedOption) {
    using namespace settings;
    WriteSetting(file, kSoundSection, kOnOrOffKey, OnOff(boxes.sound));
    WriteSetting(file, kShuffleSection, kOnOrOffKey, OnOff(boxes.shuffle));
    WriteSetting(file, kBlackBackgroundSection, kOnOrOffKey, OnOff(boxes.blackBackground));
    WriteSetting(file, kFiguresSection, kFiguresKey, YesNo(boxes.figures));
    options.windowSize = boxes.windowSize;
    WriteSetting(file, kWindowSizeSection, kPercentKey, QString::number(boxes.windowSize));
    if (selectedOption >= 0 && selectedOption < kTestModeCount) {
        options.testMode = selectedOption + 1;
    }
    WriteSetting(file, kTestModeSection, kTestModeKey, QString::number(options.testMode));
    options.testMode = NormalizedTestMode(options.testMode);
}

}  // namespace quillet::options
