// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include "shell/core/Services.h"

#include <QStringList>

// Keeps the file of every sound the program asks to play.
class RecordingSound : public quillet::SoundPlayer {
public:
    void play(const QString& file) override { played << file; }
    QStringList played;
};
