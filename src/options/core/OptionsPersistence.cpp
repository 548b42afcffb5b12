#include "options/core/OptionsPersistence.h"

#include "engine/core/QuestionList.h"
#include "shell/core/QuestionBank.h"
#include "shell/core/Settings.h"

namespace quillet::options {

int OptionIndexForMode(int testMode) { return NormalizedTestMode(testMode) - 1; }

void RecordSectionBox(AppState& state, int row, bool checked) {
    if (row <= 0) return;
    if (checked) {
        SelectSection(state, row);
    } else {
        DeselectSection(state, row);
    }
}

ProgramOptionBoxes ProgramOptionsOf(const AppState& state) {
    return {state.soundOn, state.shuffleOn, state.blackBackgroundOn, state.figuresOn};
}

void SaveOptionsOnClose(AppState& state, const ProgramOptionBoxes& boxes, int selectedOption) {
    using namespace settings;
    const QString& file = state.settingsPath;
    WriteSetting(file, kSoundSection, kOnOrOffKey, OnOff(boxes.sound));
    WriteSetting(file, kShuffleSection, kOnOrOffKey, OnOff(boxes.shuffle));
    WriteSetting(file, kBlackBackgroundSection, kOnOrOffKey, OnOff(boxes.blackBackground));
    WriteSetting(file, kFiguresSection, kFiguresKey, YesNo(boxes.figures));
    if (selectedOption >= 0 && selectedOption < kTestModeCount) state.testMode = selectedOption + 1;
    WriteSetting(file, kTestModeSection, kTestModeKey, QString::number(state.testMode));
    state.testMode = NormalizedTestMode(state.testMode);
}

}  // namespace quillet::options
