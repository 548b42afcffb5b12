// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QDate>
#include <QString>

namespace quillet {

// Side effects that tests watch through fakes.

// Plays a wave file asynchronously; a new sound replaces one still playing.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString& file) = 0;
};

// Shows a fatal start-up error in a system message box and ends the program.
// The real one does not return; a test's fake records the call and returns.
class FatalErrorHandler {
public:
    virtual ~FatalErrorHandler() = default;
    virtual void fatal(const QString& title, const QString& text) = 0;
};

// Uniform single-precision numbers in [0, 1), seedable.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void seed(unsigned int value) = 0;
    virtual float next() = 0;
};

// Today's date, so that tests can set the day.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDate today() const = 0;
};

// The side effects of one run, owned by main() (or by a test, as fakes).
struct Services {
    SoundPlayer* sound = nullptr;
    FatalErrorHandler* fatal = nullptr;
    Clock* clock = nullptr;  // the system's date when null
};

// Today's date, from services.clock when one is set.
QDate Today(const Services& services);

}  // namespace quillet
