// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "shell/core/Session.h"

#include <QFileInfo>

#include "shell/core/FileLocations.h"
#include "shell/core/SharedRoutines.h"
#include "shell/core/SoundCues.h"

namespace quillet {

QString SettingsPathFor(const Session& session) {
    return SettingsFileFor(session.programDir, session.programName);
}

QString SoundFolder(const Session& session) {
    if (session.databasePath.isEmpty()) return session.programDir;
    return QFileInfo(session.databasePath).absolutePath();
}

void SoundCues::play(const QString& fileName) const {
    if (!options_.soundOn || !services_.sound) return;
    const QString path = JoinPath(SoundFolder(session_), fileName);
    if (QFileInfo(path).isFile()) services_.sound->play(path);
}

QDate Today(const Services& services) {
    return services.clock ? services.clock->today() : QDate::currentDate();
}

}  // namespace quillet
