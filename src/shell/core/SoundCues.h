// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QString>

#include "shell/core/Services.h"
#include "shell/core/Session.h"
#include "shell/core/StudentOptions.h"

namespace quillet {

// Plays the program's sound cues: the named file from the sound folder, when
// sounds are on, a player is there and the file exists; otherwise nothing.
// It reads the session, the options and the services as they are at each
// cue, so a change on the options screen or a bank found later takes effect.
class SoundCues {
public:
    SoundCues(const Session& session, const StudentOptions& options, const Services& services)
        : session_(session), options_(options), services_(services) {}

    void play(const QString& fileName) const;

private:
    const Session& session_;
    const StudentOptions& options_;
    const Services& services_;
};

}  // namespace quillet
