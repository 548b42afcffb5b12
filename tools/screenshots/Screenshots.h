// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <vector>

#include "shell/core/Program.h"

namespace quillet::shots {

// Everything a screenshot function needs: the folder to write into, and a
// program folder with a real question bank and a settings file it may change.
struct Context {
    QDir outDir;
    QString programDir;  // holds quillet.dat (the real bank when it was built)
};

using ShotFn = std::function<void(const Context&)>;

struct Registration {
    Registration(const char* name, ShotFn fn);
};

const std::vector<std::pair<QString, ShotFn>>& All();

// Reports start-up failures on the terminal instead of ending the program.
class PrintFatal : public FatalErrorHandler {
public:
    void fatal(const QString& title, const QString& text) override;
};

// A program state as the main menu's load step leaves it, over the bank in the
// context's program folder, with no sound player. `loaded` is false when the bank
// could not be opened (the reason is printed).
struct LoadedProgram {
    explicit LoadedProgram(const Context& context);
    Program program;
    PrintFatal fatal;
    bool loaded = false;
};

// The same, with a study record of its own in a temporary folder, for the windows that
// show what the student has done.
struct LoadedProgramWithRecord : LoadedProgram {
    explicit LoadedProgramWithRecord(const Context& context);
    QTemporaryDir recordFolder;
};

// Saves a rendering of `widget` as <name>.png in the output folder.
void Save(const Context& context, class QWidget* widget, const QString& name);

}  // namespace quillet::shots

// Registers a function that renders one or more windows:
//   QUILLET_SCREENSHOTS(splash) { ... shots::Save(context, &window, "splash"); }
#define QUILLET_SCREENSHOTS(name)                                                   \
    static void name##_shots(const ::quillet::shots::Context& context);             \
    static ::quillet::shots::Registration name##_registration(#name, name##_shots); \
    static void name##_shots([[maybe_unused]] const ::quillet::shots::Context& context)
