// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
// The progress window's figures from a record of 100,000 answers over 1,500
// questions, and the chance over a year of days of study.

#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <memory>
#include <random>

#include "BankWriter.h"
#include "RecordFill.h"
#include "engine/core/Readiness.h"
#include "shell/core/Program.h"
#include "shell/core/QuestionBank.h"

namespace {

using namespace quillet;

constexpr int kSections = 10;
constexpr int kGroupsPerSection = 5;
constexpr int kQuestionsPerGroup = 30;  // 1,500 questions in 50 groups
constexpr int kAnswers = 100000;
constexpr int kDays = 365;

struct ProgressSetup {
    QTemporaryDir dir;
    Session session;
    QString recordPath = dir.filePath("quillet-record.db");
    QStringList ids;
    QString error;

    ProgressSetup() {
        qbank::BankContent content;
        int id = 0;
        for (int s = 1; s <= kSections; ++s) {
            content.sections.push_back({s, QString("E%1").arg(s % 10), "Generated", 5});
            for (int g = 0; g < kGroupsPerSection; ++g) {
                for (int n = 1; n <= kQuestionsPerGroup; ++n) {
                    const QString poolId = QString("E%1%2%3")
                                               .arg(s % 10)
                                               .arg(QChar('A' + g))
                                               .arg(n, 2, 10, QChar('0'));
                    ids << poolId;
                    content.questions.push_back(
                        {++id, s, "Question", "a", "b", "c", "d", "A", std::nullopt, poolId, {}});
                }
            }
        }
        content.exams = {{5, "extra-2024-2028", "2024-07-01", "2099-06-30", 50, 37}};
        const QString bank = dir.filePath("quillet.dat");
        if (!qbank::WriteBank(bank, content) ||
            session.database.open(bank, kQuestionBankKey) != 0 || !LoadSections(session).ok()) {
            error = "cannot make the bank";
            return;
        }
        session.exams = LoadExams(session.database);
        if (!fillRecord()) error = "cannot make the record";
        session.record.open(recordPath);
    }

    // Answers to random questions over a year, about one in three wrong, the
    // later ones more often right.
    bool fillRecord() {
        std::mt19937 random(7);
        const QDateTime first = QDateTime::currentDateTimeUtc().addDays(-kDays);
        return bench::FillRecord(recordPath, PoolNameFor(session, 5), kAnswers, [&](int i) {
            const QString& question = ids[qsizetype(random() % ids.size())];
            const bool right = int(random() % 100) < 50 + 40 * i / kAnswers;
            const QDateTime when = first.addSecs(qint64(i) * kDays * 86400 / kAnswers);
            return bench::FilledAnswer{question, when.toString(Qt::ISODateWithMs), right};
        });
    }
};

ProgressSetup& Setup() {
    static std::unique_ptr<ProgressSetup> setup = std::make_unique<ProgressSetup>();
    return *setup;
}

// Everything the window shows but the plot: bank, latest answers, chance,
// expected score, the gain of every group.
void BM_ProgressFigures_100kAnswers(benchmark::State& run) {
    ProgressSetup& setup = Setup();
    if (!setup.error.isEmpty()) return run.SkipWithError(setup.error.toUtf8().constData());
    for (auto _ : run) {
        const Readiness readiness = ReadinessFor(setup.session, 5);
        benchmark::DoNotOptimize(readiness.bestGroups(5).data());
        run.counters["chance"] = readiness.passChance;
    }
}
BENCHMARK(BM_ProgressFigures_100kAnswers)->Unit(benchmark::kMillisecond);

// The plot: the whole history read and replayed, one chance per day.
void BM_ChanceByDay_365Days(benchmark::State& run) {
    ProgressSetup& setup = Setup();
    if (!setup.error.isEmpty()) return run.SkipWithError(setup.error.toUtf8().constData());
    const PoolGroups pool = ReadPoolGroups(setup.session, 5);
    for (auto _ : run) {
        const std::vector<DayChance> days =
            ChanceByDay(pool, setup.session.record.history(pool.pool));
        benchmark::DoNotOptimize(days.data());
        run.counters["days"] = double(days.size());
    }
}
BENCHMARK(BM_ChanceByDay_365Days)->Unit(benchmark::kMillisecond);

}  // namespace
