// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include <QDir>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

#include "BankWriter.h"
#include "Screenshots.h"
#include "engine/core/QuestionList.h"
#include "engine/gui/ExamWindow.h"
#include "presentation/core/QuestionLoader.h"
#include "shell/core/Program.h"
#include "shell/core/QuestionBank.h"
#include "shell/core/Random.h"

namespace quillet {
namespace {

// Opens the bank in `dir` and chooses every section of `element`.
bool OpenBank(Program& program, const QString& dir, int element, int mode) {
    Session& session = program.session;
    session.programDir = dir;
    session.programName = QStringLiteral("quillet");
    session.settingsPath = QDir(dir).filePath(QStringLiteral("screenshots-none.ini"));
    if (session.database.open(QDir(dir).filePath(QStringLiteral("quillet.dat")),
                              kQuestionBankKey) != 0 ||
        !LoadSections(session).ok()) {
        std::fprintf(stderr, "test screen: no question bank in %s\n", qPrintable(dir));
        return false;
    }
    for (SectionInfo& section : session.sections) section.Ask = section.Test == element;
    session.currentElement = element;
    program.options.testMode = mode;
    return true;
}

// The question id of the row the query returns first, or 0.
qint64 FindQuestion(const Session& session, const char* sql) {
    Query query(session.database, sql);
    return query.next() ? query.integer("QuestionID") : 0;
}

// Puts question `id` on the screen of `window` in place of the one its test drew.
void Show(ExamWindow& window, const Program& program, qint64 id) {
    MersenneRandom random(1);
    LabelMeasurer measurer;
    const LoadOutcome outcome =
        LoadQuestion(program.session, program.options.shuffleOn, id, random, measurer);
    if (outcome.shown()) window.showQuestion(outcome.question);
}

}  // namespace

QUILLET_SCREENSHOTS(take_test) {
    {
        Program program;
        if (OpenBank(program, context.programDir, 2, kModeEachOnce)) {
            MersenneRandom random(7);
            ExamWindow window(program.session, program.options, program.sounds,
                              program.services.fatal, nullptr, &random);
            Show(window, program,
                 FindQuestion(program.session,
                              "SELECT QuestionID FROM QUESTIONS WHERE "
                              "FCCQUESTIONID='T1A01'"));
            shots::Save(context, &window, QStringLiteral("take-test-plain"));
            // The keyboard on its top answer: the focus mark round it.
            window.show();
            window.activateWindow();
            if (QTest::qWaitForWindowActive(&window)) {
                QTest::keyClick(&window, Qt::Key_Tab);
                shots::Save(context, &window, QStringLiteral("keyboard-take-test"));
            }
            window.hide();
        }
    }
    {
        // A review with an empty record: every question is new.
        Program program;
        if (OpenBank(program, context.programDir, 2, kModeReview)) {
            MersenneRandom random(7);
            ExamWindow window(program.session, program.options, program.sounds,
                              program.services.fatal, nullptr, &random);
            shots::Save(context, &window, QStringLiteral("take-test-review"));
        }
    }
    {
        // The longest question of the Extra pool, in a simulated exam (no skip button).
        Program program;
        if (OpenBank(program, context.programDir, 5, kModeSimulatedExam)) {
            MersenneRandom random(7);
            ExamWindow window(program.session, program.options, program.sounds,
                              program.services.fatal, nullptr, &random);
            Show(window, program,
                 FindQuestion(program.session,
                              "SELECT QuestionID FROM QUESTIONS ORDER BY length(Question) + "
                              "length(AnswerA) + length(AnswerB) + length(AnswerC) + "
                              "length(ANSWERD) DESC LIMIT 1"));
            shots::Save(context, &window, QStringLiteral("take-test-long"));
            // Its last answer, reached with the scroll bar.
            window.findChild<QScrollBar*>(QStringLiteral("VScroll1"))->setValue(20);
            shots::Save(context, &window, QStringLiteral("take-test-long-scrolled"));
        }
    }
    {
        // A real Technician exam as it opens: its first group's question, "1 of 35".
        Program program;
        if (OpenBank(program, context.programDir, 2, kModeRealExam)) {
            program.session.exams = LoadExams(program.session.database);
            MersenneRandom random(7);
            ExamWindow window(program.session, program.options, program.sounds,
                              program.services.fatal, nullptr, &random);
            shots::Save(context, &window, QStringLiteral("take-test-real-exam"));
        }
    }
    {
        // The pools have no tables: a small bank of its own, in the mode that
        // marks each answer, with a run going.
        QTemporaryDir dir;
        qbank::BankContent bank;
        bank.sections.push_back(
            {1, QStringLiteral("G4"), QStringLiteral("Amateur Radio Practices"), 3});
        bank.questions.push_back(
            {1, 1,
             QStringLiteral("Which cable in the table has the lowest loss at 100 MHz?\\n"
                            "Losses are per 100 feet & measured at 20&#176;C.<TABLE>"
                            "Cable  \\tLoss (dB)\\nRG-58  \\t4.5\\nRG-8X  \\t3.7\\n"
                            "LMR-400\\t1.2"),
             QStringLiteral("RG-58"), QStringLiteral("RG-8X"), QStringLiteral("LMR-400"),
             QStringLiteral("All three have the same loss"), QStringLiteral("C"), 1,
             QStringLiteral("G4X01"), QString()});
        bank.figures.push_back({1, QByteArray(), QStringLiteral("Figure G4-1")});
        Program program;
        if (qbank::WriteBank(dir.filePath(QStringLiteral("quillet.dat")), bank) &&
            OpenBank(program, dir.path(), 3, kModeUntilRight)) {
            program.session.currentRun = 3;
            MersenneRandom random(7);
            ExamWindow window(program.session, program.options, program.sounds,
                              program.services.fatal, nullptr, &random);
            window.setRunText(RunText(program.session.currentRun));
            shots::Save(context, &window, QStringLiteral("take-test-table-figure"));
        }
    }
}

}  // namespace quillet
