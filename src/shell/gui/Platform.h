// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QString>
#include <memory>

#include "shell/core/Services.h"

class QWidget;

namespace quillet {

// Centres a window on the screen it is on.
void CenterForm(QWidget* window);

// Plays wave files through the sound module beside the program, loaded the
// first time a sound plays; a new sound replaces the last one. Without the
// module (or a sound device) nothing is heard and nothing else changes.
class LazySoundPlayer : public SoundPlayer {
public:
    // `module`: the module's path without its file suffix.
    explicit LazySoundPlayer(QString module);
    ~LazySoundPlayer() override;
    void play(const QString& file) override;
    // Whether the module has been loaded.
    bool loaded() const { return player_ != nullptr; }

private:
    QString module_;
    bool tried_ = false;
    std::unique_ptr<SoundPlayer> player_;
};

// The sound module for a program in `programDir`: beside it, else in an installed copy's
// library folder.
QString SoundModulePath(const QString& programDir);

// Shows a system error box and ends the process.
class MessageBoxFatalHandler : public FatalErrorHandler {
public:
    void fatal(const QString& title, const QString& text) override;
};

}  // namespace quillet
