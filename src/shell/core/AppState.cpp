#include "shell/core/AppState.h"

#include "shell/core/SharedRoutines.h"

#include <QFileInfo>

namespace quillet {

QString SettingsPathFor(const AppState& state) {
    return JoinPath(state.programDir, state.programName + QStringLiteral(".ini"));
}

void PlaySound(const AppState& state, const QString& fileName) {
    if (!state.soundOn || !state.sound) return;
    const QString path = JoinPath(state.programDir, fileName);
    if (QFileInfo(path).isFile()) state.sound->play(path);
}

QDate Today(const AppState& state) {
    return state.clock ? state.clock->today() : QDate::currentDate();
}

}  // namespace quillet
