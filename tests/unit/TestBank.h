// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

// Helpers for tests that need a program folder with a small question bank.

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <initializer_list>
#include <ostream>
#include <utility>
#include <vector>

#include "BankWriter.h"
#include "shell/core/Program.h"
#include "shell/core/Services.h"
#include "support/RecordingFatal.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace quillet::testing {

class RecordingSound : public SoundPlayer {
public:
    void play(const QString& file) override { played.push_back(file); }
    QStringList played;
};

// `count` sections: ids 1..count, labels "T1".., elements as given (2 by default).
inline qbank::BankContent Sections(int count, int test = 2) {
    qbank::BankContent content;
    for (int i = 1; i <= count; ++i) {
        content.sections.push_back(
            {i, QStringLiteral("T%1").arg(i % 10), QStringLiteral("Section %1").arg(i), test});
    }
    return content;
}

// A section table holding `rows` as sections 1, 2, ...
inline SectionTable TableOf(std::initializer_list<SectionInfo> rows) {
    SectionTable table;
    table.reset(static_cast<int>(rows.size()));
    int i = 1;
    for (const SectionInfo& row : rows) {
        table(i) = row;
        table(i).Id = i;
        ++i;
    }
    return table;
}

// A program folder "quillet" with a program wired to fakes.
struct ProgramFolder {
    QTemporaryDir dir;
    Program program;
    Session& session = program.session;
    StudentOptions& options = program.options;
    Services& services = program.services;
    const SoundCues& sounds = program.sounds;
    RecordingFatal fatal;
    RecordingSound sound;

    ProgramFolder() {
        session.programDir = dir.path();
        session.programName = QStringLiteral("quillet");
        session.settingsPath = dir.filePath(QStringLiteral("quillet.ini"));
        services.fatal = &fatal;
        services.sound = &sound;
    }
    QString file(const QString& name) const { return dir.filePath(name); }
    bool writeBank(const qbank::BankContent& content, const QString& name = "quillet.dat") {
        return qbank::WriteBank(file(name), content);
    }
};

}  // namespace quillet::testing
