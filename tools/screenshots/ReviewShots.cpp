// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include <QApplication>
#include <QTest>

#include "Screenshots.h"
#include "engine/core/ExamSession.h"
#include "engine/gui/ExamWindow.h"
#include "results/core/AnswerReview.h"
#include "results/gui/AnswerReviewWindow.h"
#include "results/gui/ResultsWindow.h"
#include "shell/core/QuestionBank.h"
#include "shell/core/Random.h"

namespace quillet {

// A Technician simulated exam of 30 questions, among them some with a figure,
// six missed and two flagged: its results with the review link, the review of
// all its answers and of the wrong ones, and the test screen's flag.
QUILLET_SCREENSHOTS(answer_review) {
    shots::LoadedProgramWithRecord loaded(context);
    if (!loaded.loaded) return;
    Program& program = loaded.program;
    Session& session = program.session;
    session.currentElement = 2;

    struct Asked {
        QString id;
        QChar answer;
    };
    std::vector<Asked> asked;
    Query query(session.database,
                "SELECT FCCQUESTIONID, ANSWER FROM QUESTIONS Q JOIN SECTIONS S ON Q.SectionID = "
                "S.SectionID WHERE S.TEST = 2 AND (Q.FIGUREID > 0 OR Q.QuestionID % 13 = 0) "
                "ORDER BY Q.QuestionID");
    while (asked.size() < 30 && query.next()) {
        const QString answer = query.text("ANSWER");
        asked.push_back({query.text("FCCQUESTIONID"), answer.isEmpty() ? u'A' : answer[0]});
    }
    const QString pool = PoolNameFor(session, 2);
    const QDateTime start(QDate(2026, 12, 9), QTime(19, 30));
    const qint64 test = session.record.beginTest(kModeSimulatedExam, 2, start);
    FinishedTest finished{2, kModeSimulatedExam, session.sections, false};
    finished.recordTest = test;
    for (SectionInfo& section : finished.scores) section.AskedCount = section.CorrectCount = 0;
    for (size_t i = 0; i < asked.size(); ++i) {
        const bool right = i % 5 != 2;
        const QChar chosen =
            right ? asked[i].answer : QChar(u'A' + (asked[i].answer.unicode() - u'A' + 1) % 4);
        session.record.add({pool, asked[i].id, start.addSecs(qint64(i) * 40), right, chosen, test,
                            int(20 + i % 30)});
        if (i == 1 || i == 7) session.record.setFlag(pool, asked[i].id, true);
        for (SectionInfo& section : finished.scores) {
            if (section.Test == 2 && asked[i].id.startsWith(section.Section)) {
                ++section.AskedCount;
                section.CorrectCount += right ? 1 : 0;
            }
        }
    }
    session.record.endTest(test, start.addSecs(30 * 40));

    ResultsWindow results(session, finished, program.sounds);
    results.setProgressOpener([] {});
    results.setReviewOpener([] {});
    shots::Save(context, &results, QStringLiteral("results-review-link"));
    // The busiest band: the pool line and the chance line beside both links.
    finished.mode = kModeRealExam;
    finished.chanceBefore = 0.41;
    ResultsWindow real(session, finished, program.sounds);
    real.setProgressOpener([] {});
    real.setReviewOpener([] {});
    shots::Save(context, &real, QStringLiteral("results-real-exam-review-link"));

    AnswerReviewWindow review(AnswerReview::Load(session.record, session.bankFor(2), test),
                              program.sounds);
    shots::Save(context, &review, QStringLiteral("answer-review"));
    review.setFilter(ReviewFilter::WrongOnly);
    shots::Save(context, &review, QStringLiteral("answer-review-wrong"));
    // The keyboard on the second row: the focus mark round its question id.
    review.show();
    review.activateWindow();
    if (QTest::qWaitForWindowActive(&review)) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        shots::Save(context, &review, QStringLiteral("keyboard-answer-review"));
    }
    review.hide();

    // The test screen's flag, off and on, for the question the test drew.
    for (SectionInfo& section : session.sections) section.Ask = section.Test == 2;
    program.options.testMode = kModeEachOnce;
    MersenneRandom random(7);
    ExamWindow window(session, program.options, program.sounds, program.services.fatal, nullptr,
                      &random);
    const QuestionOnScreen* question = window.test().currentQuestion();
    if (!question) return;
    session.record.setFlag(pool, question->poolQuestionId, false);
    window.showQuestion(*question);
    shots::Save(context, &window, QStringLiteral("take-test-unflagged"));
    session.record.setFlag(pool, question->poolQuestionId, true);
    window.showQuestion(*question);
    shots::Save(context, &window, QStringLiteral("take-test-flagged"));
}

}  // namespace quillet
