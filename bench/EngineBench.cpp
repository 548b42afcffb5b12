// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
// Question list preparation and question loading: on a generated bank of
// 20,000 questions, and on the real bank per element when it has been built.

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <memory>

#include "BankWriter.h"
#include "engine/core/QuestionList.h"
#include "presentation/core/QuestionLoader.h"
#include "presentation/core/QuestionText.h"
#include "shell/core/Program.h"
#include "shell/core/QuestionBank.h"
#include "shell/core/Random.h"

namespace {

using namespace quillet;

constexpr int kGeneratedQuestions = 20000;
constexpr int kGeneratedSections = 40;

const char kSampleQuestion[] =
    "What is the approximate phase difference between two signals at 90&#176; "
    "apart?\\nSee the table & the figure.<TABLE>Signal\\tPhase\\nA\\t0#176\\nB\\t90\u00F8\\n"
    "C\\t180&#176";

struct Measurer : TextMeasurer {
    QSize measure(QuestionLabel, const QString& caption, int width) const override {
        const int perLine = width > 0 ? width / 120 : 1000;
        const auto lines = caption.size() / perLine + caption.count(u'\n') + 1;
        return {static_cast<int>(caption.size()) * 120, static_cast<int>(lines) * 330};
    }
};

// A program state with an open bank and every section chosen, or an error.
struct OpenBank {
    Session session;
    StudentOptions options;
    QString error;

    explicit OpenBank(const QString& path, int element) {
        session.settingsPath = QFileInfo(path).dir().filePath("bench-none.ini");
        if (!QFileInfo(path).isFile()) {
            error = "no question bank at " + path;
            return;
        }
        if (session.database.open(path, kQuestionBankKey) != 0 || !LoadSections(session).ok()) {
            error = "cannot open " + path;
            return;
        }
        for (SectionInfo& section : session.sections) section.Ask = true;
        session.currentElement = element;
        options.testMode = kModeEachOnce;
    }
};

// Built once per run: all questions in element 2, with tables and degree codes.
OpenBank& GeneratedBank() {
    static QTemporaryDir dir;
    static std::unique_ptr<OpenBank> bank = [] {
        qbank::BankContent content;
        for (int s = 1; s <= kGeneratedSections; ++s) {
            content.sections.push_back({s, QString("T%1").arg(s), "Generated", 2});
        }
        for (int id = 1; id <= kGeneratedQuestions; ++id) {
            content.questions.push_back({id, 1 + id % kGeneratedSections, kSampleQuestion, "0#176",
                                         "90&#176;", "180\u00F8", "270 & more",
                                         QString(QChar(u'A' + id % 4)), std::nullopt,
                                         QString("T%1").arg(id), QString()});
        }
        const QString path = dir.filePath("generated.dat");
        if (!qbank::WriteBank(path, content)) return std::make_unique<OpenBank>("", 2);
        return std::make_unique<OpenBank>(path, 2);
    }();
    return *bank;
}

void PrepareList(benchmark::State& run, OpenBank& bank) {
    Session& session = bank.session;
    MersenneRandom random(1);
    QuestionIdList list, scramble;
    for (auto _ : run) {
        int simulated = SimulatedQuestionCount(session.currentElement);
        const PreparedList prepared =
            PrepareQuestionList(session, bank.options.testMode, random, list, scramble, simulated);
        benchmark::DoNotOptimize(list.data());
        run.counters["questions"] = prepared.count;
    }
}

void BM_PrepareQuestionList_Generated(benchmark::State& run) {
    OpenBank& bank = GeneratedBank();
    if (!bank.error.isEmpty()) return run.SkipWithError(bank.error.toUtf8().constData());
    PrepareList(run, bank);
}
BENCHMARK(BM_PrepareQuestionList_Generated)->Unit(benchmark::kMillisecond);

// Element 2 Technician, 3 General, 5 Extra.
void BM_PrepareQuestionList_RealBank(benchmark::State& run) {
    OpenBank bank(QUILLET_BANK, static_cast<int>(run.range(0)));
    if (!bank.error.isEmpty()) return run.SkipWithError(bank.error.toUtf8().constData());
    PrepareList(run, bank);
}
BENCHMARK(BM_PrepareQuestionList_RealBank)->Arg(2)->Arg(3)->Arg(5)->Unit(benchmark::kMillisecond);

// The first test of a run: a bank just opened, whose pages are not yet in the
// connection's cache (the opening itself is not timed).
void BM_FirstQuestionList_ColdBank(benchmark::State& run) {
    MersenneRandom random(1);
    QuestionIdList list, scramble;
    for (auto _ : run) {
        run.PauseTiming();
        OpenBank bank(QUILLET_BANK, 5);
        run.ResumeTiming();
        if (!bank.error.isEmpty()) return run.SkipWithError(bank.error.toUtf8().constData());
        int simulated = SimulatedQuestionCount(5);
        const PreparedList prepared = PrepareQuestionList(bank.session, bank.options.testMode,
                                                          random, list, scramble, simulated);
        benchmark::DoNotOptimize(list.data());
        run.counters["questions"] = prepared.count;
        run.PauseTiming();  // closing the bank is not timed either
        bank.session.database.close();
        run.ResumeTiming();
    }
}
BENCHMARK(BM_FirstQuestionList_ColdBank)->Unit(benchmark::kMillisecond);

// The random insertion and the two passes alone, without the bank.
void BM_ShuffleIds(benchmark::State& run) {
    QuestionIdList ids(static_cast<size_t>(run.range(0)));
    for (size_t i = 0; i < ids.size(); ++i) ids[i] = static_cast<qint64>(i) + 1;
    MersenneRandom random(1);
    for (auto _ : run) {
        QuestionIdList list = InsertAtRandomPositions(ids, random), scramble;
        MoveInRandomOrder(list, scramble, random);
        MoveInRandomOrder(scramble, list, random);
        benchmark::DoNotOptimize(list.data());
    }
}
BENCHMARK(BM_ShuffleIds)->Arg(1000)->Arg(20000)->Unit(benchmark::kMicrosecond);

void BM_ConvertQuestionText(benchmark::State& run) {
    const QString stored = kSampleQuestion;
    for (auto _ : run) {
        QuestionCaptions captions = ConvertQuestionText(stored);
        benchmark::DoNotOptimize(captions);
    }
}
BENCHMARK(BM_ConvertQuestionText);

void BM_LoadQuestion(benchmark::State& run) {
    OpenBank& bank = GeneratedBank();
    if (!bank.error.isEmpty()) return run.SkipWithError(bank.error.toUtf8().constData());
    bank.options.shuffleOn = true;
    MersenneRandom random(1);
    Measurer measurer;
    for (auto _ : run) {
        LoadOutcome outcome = LoadQuestion(bank.session, bank.options.shuffleOn,
                                           kGeneratedQuestions / 2, random, measurer);
        if (!outcome.shown()) return run.SkipWithError("question not shown");
        benchmark::DoNotOptimize(outcome);
    }
}
BENCHMARK(BM_LoadQuestion)->Unit(benchmark::kMicrosecond);

}  // namespace
