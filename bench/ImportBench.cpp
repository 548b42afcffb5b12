// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
// Adding a pool as published: reading the largest pool (Extra, 600 questions with its figures)
// from its Word document, writing it into the student's bank, and start-up with that bank
// beside the installed one.

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "AddedBank.h"
#include "ReleaseReader.h"
#include "shell/core/FileLocations.h"
#include "shell/core/QuestionBank.h"
#include "unit/QBankReleaseFiles.h"

namespace {

// The Extra pool of the shared pools as published, its figures beside it.
struct PublishedExtra {
    QTemporaryDir dir;
    QString document = dir.filePath("extra-2024-2028.docx");
    bool ok = false;
    PublishedExtra() {
        const QString pool = QDir(QUILLET_POOLS).filePath("extra-2024-2028");
        if (!QFileInfo(pool).isDir()) return;
        ok = quillet::qbank::testing::WriteDocument(document,
                                                    quillet::qbank::testing::PublishedLines(pool));
        for (const QString& png : QDir(pool).entryList({"*.png"})) {
            QFile::copy(QDir(pool).filePath(png), dir.filePath(png));
        }
    }
};

static void BM_ImportPublishedPool(benchmark::State& st) {
    PublishedExtra release;
    if (!release.ok) {
        st.SkipWithError("the shared pools are not there");
        return;
    }
    for (auto _ : st) {
        quillet::qbank::ReleaseImport import;
        QString error;
        if (!quillet::qbank::ReadReleases({release.document}, {}, import, &error)) {
            st.SkipWithError(qPrintable(error));
            return;
        }
        benchmark::DoNotOptimize(import.content.questions.size());
    }
}
BENCHMARK(BM_ImportPublishedPool)->Unit(benchmark::kMillisecond);

// Reading and adding, as qbank --add and the options screen do it.
static void BM_ImportAndAddPublishedPool(benchmark::State& st) {
    PublishedExtra release;
    if (!release.ok) {
        st.SkipWithError("the shared pools are not there");
        return;
    }
    const QString bank = release.dir.filePath("quillet-added.dat");
    for (auto _ : st) {
        quillet::qbank::ReleaseImport import;
        QString error;
        if (!quillet::qbank::ReadReleases({release.document}, {}, import, &error) ||
            !quillet::qbank::AddToBank(bank, import.content, &error)) {
            st.SkipWithError(qPrintable(error));
            return;
        }
    }
}
BENCHMARK(BM_ImportAndAddPublishedPool)->Unit(benchmark::kMillisecond);

// Opening the installed bank, with and without an added Extra pool beside it.
static void BM_OpenBanks(benchmark::State& st) {
    if (!QFileInfo::exists(QUILLET_BANK)) {
        st.SkipWithError("the real bank has not been built");
        return;
    }
    PublishedExtra release;
    QTemporaryDir dir;
    QFile::copy(QUILLET_BANK, dir.filePath("quillet.dat"));
    if (st.range(0)) {
        quillet::qbank::ReleaseImport import;
        QString error;
        quillet::qbank::ReleaseOptions options;
        options.validFrom = QDate(2028, 7, 1);
        options.validTo = QDate(2032, 6, 30);
        if (!release.ok ||
            !quillet::qbank::ReadReleases({release.document}, options, import, &error) ||
            !quillet::qbank::AddToBank(quillet::AddedBankFile(dir.path(), "quillet"),
                                       import.content, &error)) {
            st.SkipWithError("cannot make the added bank");
            return;
        }
    }
    for (auto _ : st) {
        quillet::Session session;
        session.programDir = dir.path();
        session.programName = "quillet";
        session.settingsPath = dir.filePath("quillet.ini");
        const quillet::BankResult result = quillet::OpenQuestionBank(session);
        if (!result.ok()) st.SkipWithError(qPrintable(result.text));
        session.exams = quillet::LoadBankExams(session);
        if (st.range(0) && session.addedElements.empty()) st.SkipWithError("added bank unused");
        benchmark::DoNotOptimize(session.sections.count());
    }
}
BENCHMARK(BM_OpenBanks)->ArgName("added")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
