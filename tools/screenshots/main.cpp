// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>
#include <cstdio>

#include "Screenshots.h"
#include "shell/core/QuestionBank.h"

namespace quillet::shots {

namespace {
std::vector<std::pair<QString, ShotFn>>& Registry() {
    static std::vector<std::pair<QString, ShotFn>> registry;
    return registry;
}
}  // namespace

Registration::Registration(const char* name, ShotFn fn) {
    Registry().emplace_back(QString::fromLatin1(name), std::move(fn));
}

const std::vector<std::pair<QString, ShotFn>>& All() { return Registry(); }

void PrintFatal::fatal(const QString& title, const QString& text) {
    std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
}

LoadedProgram::LoadedProgram(const Context& context) {
    program.session.programDir = context.programDir;
    program.session.programName = QStringLiteral("quillet");
    program.services.fatal = &fatal;
    loaded = LoadProgram(program.session, program.options, &fatal);
}

LoadedProgramWithRecord::LoadedProgramWithRecord(const Context& context) : LoadedProgram(context) {
    program.session.record.open(recordFolder.filePath(QStringLiteral("quillet-record.db")));
}

void Save(const Context& context, QWidget* widget, const QString& name) {
    widget->ensurePolished();
    const QString file = context.outDir.filePath(name + QStringLiteral(".png"));
    if (!widget->grab().save(file)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(file));
        return;
    }
    std::printf("%s\n", qPrintable(file));
}

}  // namespace quillet::shots

// Usage: screenshots OUTDIR [BANK]. BANK defaults to quillet.dat in the
// program's own build folder. Every registered window is rendered offscreen.
int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: screenshots OUTDIR [BANK]\n");
        return 2;
    }
    QString bank = argc > 2 ? QString::fromLocal8Bit(argv[2])
                            : QCoreApplication::applicationDirPath() + "/../../quillet.dat";
    QTemporaryDir programDir;
    QFile::copy(bank, programDir.filePath(QStringLiteral("quillet.dat")));

    quillet::shots::Context context{QDir(QString::fromLocal8Bit(argv[1])), programDir.path()};
    context.outDir.mkpath(QStringLiteral("."));
    for (const auto& [name, fn] : quillet::shots::All()) fn(context);
    return 0;
}
