// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QObject>
#include <QString>
#include <chrono>
#include <cstdio>

namespace quillet {

// Writes the moments a start-up measurement needs, one "name microseconds"
// line each (wall clock, so that a script can compare them with the moment it
// started the process):
//   main-entered    main() began (the shared libraries are loaded by then)
//   app-ready       the application object is made (connected to the display)
//   splash-shown    the splash's first drawing has reached the screen
//   menu-shown      the main menu's first drawing has reached the screen
//   click           a left button release anywhere in the program
//   question-drawn  the test screen's first question has reached the screen
// Installed on the application only when QUILLET_TRACE names a file.
class Trace : public QObject {
public:
    // Null when the variable is unset or the file cannot be opened.
    // `mainEntered` is the moment main() began.
    static Trace* fromEnvironment(QObject* application,
                                  std::chrono::system_clock::time_point mainEntered);
    ~Trace() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit Trace(std::FILE* file, QObject* parent);
    // Writes `name` once the current event has been handled, when the drawing
    // it started has been sent to the window system.
    void markAfterEvent(const char* name);
    void write(const char* name,
               std::chrono::system_clock::time_point when = std::chrono::system_clock::now());

    std::FILE* file_;
    bool splashShown_ = false;
    bool menuShown_ = false;
    bool questionDrawn_ = false;
    quint64 lastRelease_ = 0;
};

}  // namespace quillet
