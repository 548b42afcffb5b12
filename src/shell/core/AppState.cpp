#include "shell/core/AppState.h"

#include "shell/core/FileLocations.h"
#include "shell/core/SharedRoutines.h"

#include <QFileInfo>

namespace quillet {

QString SettingsPathFor(const AppState& state) {
    return SettingsFileFor(state.programDir, state.programName);
}

QString SoundFolder(const AppState& state) {
    if (state.databasePath.isEmpty()) return state.programDir;
    return QFileInfo(state.databasePath).absolutePath();
}

void PlaySound(const AppState& state, const QString& fileName) {
    if (!state.soundOn || !state.sound) return;
    const QString path = JoinPath(SoundFolder(state), fileName);
    if (QFileInfo(path).isFile()) state.sound->play(path);
}

QDate Today(const AppState& state) {
    return state.clock ? state.clock->today() : QDate::currentDate();
}

}  // namespace quillet
