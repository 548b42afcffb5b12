// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QStringList>

#include "shell/core/Services.h"

// Keeps the file of every sound the program asks to play.
class RecordingSound : public quillet::SoundPlayer {
public:
    void play(const QString& file) override { played << file; }
    QStringList played;
};
