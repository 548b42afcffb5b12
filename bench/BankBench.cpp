// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
// Opening the question bank and loading its sections, as start-up does.

#include <benchmark/benchmark.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "shell/core/QuestionBank.h"

namespace {

static void BM_OpenRealBankAndLoadSections(benchmark::State& st) {
    if (!QFileInfo::exists(QUILLET_BANK)) {
        st.SkipWithError("the real bank has not been built");
        return;
    }
    QTemporaryDir dir;
    QFile::copy(QUILLET_BANK, dir.filePath("quillet.dat"));
    for (auto _ : st) {
        quillet::Session session;
        session.programDir = dir.path();
        session.programName = "quillet";
        session.settingsPath = dir.filePath("quillet.ini");
        const quillet::BankResult result = quillet::OpenQuestionBank(session);
        if (!result.ok()) st.SkipWithError(qPrintable(result.text));
        benchmark::DoNotOptimize(session.sections.count());
    }
}
BENCHMARK(BM_OpenRealBankAndLoadSections)->Unit(benchmark::kMillisecond);

static void BM_LoadSectionsOnly(benchmark::State& st) {
    if (!QFileInfo::exists(QUILLET_BANK)) {
        st.SkipWithError("the real bank has not been built");
        return;
    }
    QTemporaryDir dir;
    QFile::copy(QUILLET_BANK, dir.filePath("quillet.dat"));
    quillet::Session session;
    session.programDir = dir.path();
    session.programName = "quillet";
    session.settingsPath = dir.filePath("quillet.ini");
    if (!quillet::OpenQuestionBank(session).ok()) {
        st.SkipWithError("cannot open the bank");
        return;
    }
    for (auto _ : st) {
        const quillet::BankResult result = quillet::LoadSections(session);
        benchmark::DoNotOptimize(result.status);
    }
}
BENCHMARK(BM_LoadSectionsOnly)->Unit(benchmark::kMicrosecond);

}  // namespace
