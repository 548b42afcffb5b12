// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

// Tiny banks in a temporary program folder, and fakes, for the engine tests.

#include <gtest/gtest.h>

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <ostream>

#include "BankWriter.h"
#include "presentation/core/QuestionLayout.h"
#include "shell/core/Program.h"
#include "shell/core/QuestionBank.h"
#include "support/RecordingFatal.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace quillet::testing {

struct RecordingSound : SoundPlayer {
    void play(const QString& file) override { played.push_back(file); }
    QStringList played;
};

// Lines of 330 (question), 270 (table) and 285 (answer) twips; the question id
// is 90 twips a character wide and 240 high.
struct LineMeasurer : TextMeasurer {
    QSize measure(QuestionLabel label, const QString& caption, int) const override {
        if (label == QuestionLabel::QuestionId) return {static_cast<int>(caption.size()) * 90, 240};
        const int line[] = {330, 270, 285};
        return {0, static_cast<int>(caption.count(u'\n') + 1) * line[static_cast<int>(label)]};
    }
};

// Answer texts "<id> a" .. "<id> d".
inline qbank::BankQuestion Question(int id, int sectionId, const QString& answer = "A") {
    const QString n = QString::number(id);
    return {id,     sectionId, "Question " + n, n + " a", n + " b", n + " c", n + " d",
            answer, {},        "X" + n,         {}};
}

// A program folder whose bank is open in `session`; the second constructor makes
// `sections` sections of `element`, all chosen, and `questions` questions that
// go to the sections in turn.
struct BankFolder {
    QTemporaryDir dir;
    Program program;
    Session& session = program.session;
    StudentOptions& options = program.options;
    Services& services = program.services;
    const SoundCues& sounds = program.sounds;
    RecordingSound sound;
    RecordingFatal fatal;

    explicit BankFolder(const qbank::BankContent& content) {
        session.programDir = dir.path();
        session.settingsPath = dir.filePath("quillet.ini");
        session.databasePath = dir.filePath("quillet.dat");
        services.sound = &sound;
        services.fatal = &fatal;
        EXPECT_TRUE(qbank::WriteBank(session.databasePath, content));
        EXPECT_EQ(session.database.open(session.databasePath, kQuestionBankKey), 0);
        EXPECT_TRUE(LoadSections(session).ok());
    }
    BankFolder(int questions, int element, int sections = 2)
        : BankFolder(Content(questions, element, sections)) {
        for (SectionInfo& section : session.sections) section.Ask = true;
        session.currentElement = element;
    }
    static qbank::BankContent Content(int questions, int element, int sections) {
        qbank::BankContent c;
        for (int id = 1; id <= sections; ++id) c.sections.push_back({id, "S", "", element});
        for (int id = 1; id <= questions; ++id)
            c.questions.push_back(Question(id, 1 + id % sections));
        return c;
    }
    void exec(const QString& sql) {
        EXPECT_EQ(session.database.exec(sql.toUtf8()), 0) << sql.toStdString();
    }
    void addFile(const QString& name) { QFile(dir.filePath(name)).open(QIODevice::WriteOnly); }
};

}  // namespace quillet::testing
