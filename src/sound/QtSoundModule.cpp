// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
// The sound module: loaded by the program the first time a sound plays, so that
// the multimedia libraries cost nothing at start-up or in a silent session.

#include <QSoundEffect>
#include <QUrl>

#include "shell/core/Services.h"

namespace {

// Plays wave files through the sound device; a new sound replaces the last one.
class QtSoundPlayer : public quillet::SoundPlayer {
public:
    void play(const QString& file) override {
        effect_.stop();
        effect_.setSource(QUrl::fromLocalFile(file));
        effect_.play();
    }

private:
    QSoundEffect effect_;
};

}  // namespace

extern "C" Q_DECL_EXPORT quillet::SoundPlayer* QuilletCreateSoundPlayer() {
    return new QtSoundPlayer;
}
