// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
// The read-through's search over every question of the shipped pools, one keystroke at a
// time, and the reading of a pool with its texts folded for searching.

#include <benchmark/benchmark.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <memory>
#include <set>

#include "presentation/core/ReadThrough.h"
#include "shell/core/QuestionBank.h"

namespace {

using namespace quillet;

struct ShippedPools {
    QTemporaryDir dir;
    Session session;
    std::set<int> elements;
    ReadThrough all;  // every element's questions in one list
    QString error;

    ShippedPools() {
        if (!QFileInfo::exists(QUILLET_BANK)) {
            error = "the real bank has not been built";
            return;
        }
        QFile::copy(QUILLET_BANK, dir.filePath("quillet.dat"));
        session.programDir = dir.path();
        session.programName = "quillet";
        session.settingsPath = dir.filePath("quillet.ini");
        if (!OpenQuestionBank(session).ok()) {
            error = "cannot open the bank";
            return;
        }
        for (const SectionInfo& section : session.sections) elements.insert(section.Test);
        for (int element : elements) {
            ReadThrough pool;
            if (!pool.load(session, element)) error = "cannot read the bank";
            for (const PoolQuestion& q : pool.questions()) all.add(q);
        }
    }
};

ShippedPools& Pools() {
    static std::unique_ptr<ShippedPools> pools = std::make_unique<ShippedPools>();
    return *pools;
}

// One keystroke: the whole selection made again for the search as it now reads. The argument
// picks the search: a word typed letter by letter, two words, a symbol, nothing found.
const char* const kSearches[] = {"f", "freq", "frequency", "antenna feed", "°", "xyzzy"};

static void BM_SearchKeystrokeOverAllPools(benchmark::State& st) {
    ShippedPools& pools = Pools();
    if (!pools.error.isEmpty()) {
        st.SkipWithError(qPrintable(pools.error));
        return;
    }
    ReadSelection selection;
    selection.search = QString::fromUtf8(kSearches[st.range(0)]);
    size_t found = 0;
    for (auto _ : st) {
        found = pools.all.select(selection).size();
        benchmark::DoNotOptimize(found);
    }
    st.counters["questions"] = double(pools.all.questions().size());
    st.counters["found"] = double(found);
    st.SetLabel(kSearches[st.range(0)]);
}
BENCHMARK(BM_SearchKeystrokeOverAllPools)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

// Opening the window: an element's pool read and folded.
static void BM_ReadAndFoldEveryPool(benchmark::State& st) {
    ShippedPools& pools = Pools();
    if (!pools.error.isEmpty()) {
        st.SkipWithError(qPrintable(pools.error));
        return;
    }
    for (auto _ : st) {
        for (int element : pools.elements) {
            ReadThrough pool;
            benchmark::DoNotOptimize(pool.load(pools.session, element));
        }
    }
}
BENCHMARK(BM_ReadAndFoldEveryPool)->Unit(benchmark::kMillisecond);

}  // namespace
