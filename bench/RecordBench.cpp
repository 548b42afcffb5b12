// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
// The study record: building a review list from a record of 100,000 answers,
// and opening such a record at start-up.

#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <memory>
#include <random>

#include "BankWriter.h"
#include "RecordFill.h"
#include "engine/core/ReviewList.h"
#include "shell/core/Program.h"
#include "shell/core/QuestionBank.h"
#include "shell/core/Random.h"

namespace {

using namespace quillet;

constexpr int kQuestions = 1500;  // about the three real pools together, in one element
constexpr int kSections = 10;
constexpr int kAnswers = 100000;

struct ReviewSetup {
    QTemporaryDir dir;
    Session session;
    QString recordPath = dir.filePath("quillet-record.db");
    QString error;

    ReviewSetup() {
        qbank::BankContent content;
        for (int s = 1; s <= kSections; ++s) content.sections.push_back({s, "T", "Generated", 2});
        for (int id = 1; id <= kQuestions; ++id) {
            content.questions.push_back({id, 1 + id % kSections, "Question", "a", "b", "c", "d",
                                         "A", std::nullopt, QString("T%1").arg(id), QString()});
        }
        const QString bank = dir.filePath("quillet.dat");
        if (!qbank::WriteBank(bank, content) ||
            session.database.open(bank, kQuestionBankKey) != 0 || !LoadSections(session).ok()) {
            error = "cannot make the bank";
            return;
        }
        for (SectionInfo& section : session.sections) section.Ask = true;
        session.currentElement = 2;
        if (!fillRecord()) error = "cannot make the record";
        session.record.open(recordPath);
    }

    // Answers to random questions, about one in three wrong.
    bool fillRecord() {
        std::mt19937 random(7);
        const QString when = QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs);
        return bench::FillRecord(recordPath, PoolNameFor(session, 2), kAnswers, [&](int) {
            const QString question = QString("T%1").arg(1 + random() % kQuestions);
            return bench::FilledAnswer{question, when, random() % 3 != 0};
        });
    }
};

ReviewSetup& Setup() {
    static std::unique_ptr<ReviewSetup> setup = std::make_unique<ReviewSetup>();
    return *setup;
}

void BM_PrepareReviewList_100kAnswers(benchmark::State& run) {
    ReviewSetup& setup = Setup();
    if (!setup.error.isEmpty()) return run.SkipWithError(setup.error.toUtf8().constData());
    MersenneRandom random(1);
    for (auto _ : run) {
        const ReviewList list = PrepareReviewList(setup.session, random);
        benchmark::DoNotOptimize(list.questions.data());
        run.counters["listed"] = static_cast<double>(list.questions.size());
    }
}
BENCHMARK(BM_PrepareReviewList_100kAnswers)->Unit(benchmark::kMillisecond);

// Opening checks the whole file, so it grows with the record.
void BM_OpenRecord_100kAnswers(benchmark::State& run) {
    ReviewSetup& setup = Setup();
    if (!setup.error.isEmpty()) return run.SkipWithError(setup.error.toUtf8().constData());
    for (auto _ : run) {
        StudyRecord record;
        if (record.open(setup.recordPath) != StudyRecord::OpenStatus::Opened) {
            return run.SkipWithError("record not opened");
        }
    }
}
BENCHMARK(BM_OpenRecord_100kAnswers)->Unit(benchmark::kMillisecond);

}  // namespace
