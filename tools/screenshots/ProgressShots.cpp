// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers

#include "Screenshots.h"
#include "engine/core/ExamSession.h"
#include "results/gui/ProgressWindow.h"
#include "results/gui/ResultsWindow.h"
#include "shell/core/QuestionBank.h"

namespace quillet {

// A Technician student three weeks into his study: every day some questions,
// more of them right as the days go by.
QUILLET_SCREENSHOTS(progress) {
    shots::LoadedProgramWithRecord loaded(context);
    if (!loaded.loaded) return;
    Program& program = loaded.program;
    Session& session = program.session;

    ProgressWindow empty(session, program.sounds);
    empty.showElement(2);
    shots::Save(context, &empty, "progress-no-answers");

    QStringList pool;
    Query query(session.database,
                "SELECT FCCQUESTIONID FROM QUESTIONS INNER JOIN SECTIONS "
                "ON QUESTIONS.SectionID = SECTIONS.SectionID WHERE SECTIONS.TEST = 2 "
                "ORDER BY FCCQUESTIONID");
    while (query.next()) pool << query.text("FCCQUESTIONID");
    const QDateTime start = QDateTime(QDate::currentDate().addDays(-21), QTime(19, 0));
    int n = 0;
    for (int day = 0; day < 21; day += (day % 4 == 3 ? 2 : 1)) {
        for (int i = 0; i < 30 && !pool.isEmpty(); ++i, ++n) {
            const QString& question = pool[(n * 7) % pool.size()];
            const bool right = (n * 37 + day) % 100 < 45 + 2 * day;
            session.record.add(
                {PoolNameFor(session, 2), question, start.addDays(day).addSecs(i * 60), right});
        }
    }
    session.currentElement = 2;
    ProgressWindow progress(session, program.sounds);
    shots::Save(context, &progress, "progress-technician");

    // After a test: the chance before and after in the bottom band, with the link.
    FinishedTest test{2, kModeEachOnce, session.sections, false};
    test.chanceBefore = 0.48;
    for (SectionInfo& section : test.scores) {
        section.AskedCount = section.Test == 2 ? 4 : 0;
        section.CorrectCount = section.Test == 2 ? 3 : 0;
    }
    ResultsWindow results(session, test, program.sounds);
    results.setProgressOpener([] {});
    shots::Save(context, &results, "results-chance");
    test.mode = kModeRealExam;
    ResultsWindow real(session, test, program.sounds);
    real.setProgressOpener([] {});
    shots::Save(context, &real, "results-real-exam-chance");
}

}  // namespace quillet
