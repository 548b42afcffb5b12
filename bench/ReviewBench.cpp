// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
// Opening the answer review of a 50-question Extra test on the real bank, in a
// record that already holds 100,000 other answers: the rows alone, and the rows
// with the review window built (offscreen).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <memory>

#include "RecordFill.h"
#include "results/core/AnswerReview.h"
#include "results/gui/AnswerReviewWindow.h"
#include "shell/core/ExamMode.h"
#include "shell/core/Program.h"
#include "shell/core/QuestionBank.h"

namespace {

using namespace quillet;

constexpr int kElement = 5;
constexpr int kTestQuestions = 50;
constexpr int kOtherAnswers = 100000;

struct ReviewSetup {
    QTemporaryDir dir;
    Program program;
    Session& session = program.session;
    qint64 test = 0;
    QString error;

    ReviewSetup() {
        if (!QFileInfo(QUILLET_BANK).isFile()) {
            error = "the real bank has not been built";
            return;
        }
        session.settingsPath = dir.filePath("bench-none.ini");
        if (session.database.open(QUILLET_BANK, kQuestionBankKey) != 0 ||
            !LoadSections(session).ok()) {
            error = "cannot open the real bank";
            return;
        }
        session.exams = LoadBankExams(session);
        const QString record = dir.filePath("quillet-record.db");
        const bool filled = bench::FillRecord(record, "other", kOtherAnswers, [](int i) {
            return bench::FilledAnswer{QString("O%1").arg(i % 1500), "2026-01-01T10:00:00.000Z",
                                       i % 3 != 0};
        });
        if (!filled || session.record.open(record) != StudyRecord::OpenStatus::Opened) {
            error = "cannot make the record";
            return;
        }
        QStringList ids;
        Query query(session.database,
                    "SELECT FCCQUESTIONID FROM QUESTIONS Q JOIN SECTIONS S ON Q.SectionID = "
                    "S.SectionID WHERE S.TEST = 5 ORDER BY Q.QuestionID");
        while (query.next()) ids << query.text("FCCQUESTIONID");
        if (ids.size() < kTestQuestions) {
            error = "the bank has too few Extra questions";
            return;
        }
        const QString pool = PoolNameFor(session, kElement);
        test = session.record.beginTest(kModeSimulatedExam, kElement, QDateTime::currentDateTime());
        for (int i = 0; i < kTestQuestions; ++i) {
            const QString& id = ids[qsizetype(i) * ids.size() / kTestQuestions];
            session.record.add({pool, id, QDateTime::currentDateTime(), i % 4 != 0,
                                QChar(u'A' + i % 4), test, 20});
            if (i % 7 == 0) session.record.setFlag(pool, id, true);
        }
    }
};

ReviewSetup& Setup() {
    static std::unique_ptr<ReviewSetup> setup = std::make_unique<ReviewSetup>();
    return *setup;
}

void BM_AnswerReview_50Questions(benchmark::State& run) {
    ReviewSetup& setup = Setup();
    if (!setup.error.isEmpty()) return run.SkipWithError(setup.error.toUtf8().constData());
    for (auto _ : run) {
        const AnswerReview review =
            AnswerReview::Load(setup.session.record, setup.session.bankFor(kElement), setup.test);
        benchmark::DoNotOptimize(review.rows().data());
        run.counters["rows"] = double(review.rows().size());
    }
}
BENCHMARK(BM_AnswerReview_50Questions)->Unit(benchmark::kMillisecond);

void BM_AnswerReviewWindow_50Questions(benchmark::State& run) {
    ReviewSetup& setup = Setup();
    if (!setup.error.isEmpty()) return run.SkipWithError(setup.error.toUtf8().constData());
    // Windows need an application; without a display it draws offscreen.
    if (!QApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "benchmarks";
        static char* argv[] = {name, nullptr};
        static QApplication app(argc, argv);
    }
    for (auto _ : run) {
        AnswerReviewWindow window(
            AnswerReview::Load(setup.session.record, setup.session.bankFor(kElement), setup.test),
            setup.program.sounds);
        benchmark::DoNotOptimize(window.shownRows().data());
    }
}
BENCHMARK(BM_AnswerReviewWindow_50Questions)->Unit(benchmark::kMillisecond);

}  // namespace
