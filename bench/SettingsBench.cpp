// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
// The settings reads of a start-up (the black background, then the options and the choice of
// each of 35 sections) on a small settings file and on 10 MB ones: a large file must delay the
// main menu by no more than about 50 ms more than a small one.

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include "shell/core/Settings.h"

namespace {

using namespace Qt::StringLiterals;

constexpr int kSections = 35;

// 0: a small file; 1: 10 MB of comments (with NUL bytes) around the settings; 2: 10 MB of keys.
QByteArray SettingsFile(int kind) {
    QByteArray text = "[Sound]\nOnOrOff=OFF\n[TestMode]\nTestMode=3\n[Sections]\n";
    for (int i = 1; i <= kSections; i += 2) text += "Ask" + QByteArray::number(i) + "=Yes\n";
    for (int n = 0; kind != 0 && text.size() < 10'000'000; ++n) {
        if (kind == 1)
            text += "; a note the student kept \0 with a NUL\n"_ba;
        else
            text += "SomeOtherKey" + QByteArray::number(n) + "=some value\n";
    }
    text += "[Shuffle]\nOnOrOff=ON\n";
    return text;
}

void BM_StartUpSettingsReads(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath("quillet.ini");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) state.SkipWithError("cannot write the settings file");
    file.write(SettingsFile(static_cast<int>(state.range(0))));
    file.close();
    state.counters["bytes"] = double(QFile(path).size());
    for (auto _ : state) {
        // Start-up reads the file once, for the black background, and reads the rest from it.
        const quillet::SettingsSnapshot stored(path);
        benchmark::DoNotOptimize(quillet::settings::ReadBlackBackgroundOn(stored));
        int chosen = 0;
        for (int id = 1; id <= kSections; ++id) {
            chosen += quillet::settings::ReadSectionChosen(stored, id);
        }
        benchmark::DoNotOptimize(chosen);
        benchmark::DoNotOptimize(quillet::settings::ReadSoundOn(stored));
        benchmark::DoNotOptimize(quillet::settings::ReadFiguresOn(stored));
        benchmark::DoNotOptimize(quillet::settings::ReadTestMode(stored));
        benchmark::DoNotOptimize(quillet::settings::ReadShuffleOn(stored));
    }
}
BENCHMARK(BM_StartUpSettingsReads)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// One write into a 10 MB file: the options screen writes each setting when it closes.
void BM_WriteSetting10MB(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath("quillet.ini");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) state.SkipWithError("cannot write the settings file");
    file.write(SettingsFile(1));
    file.close();
    bool on = false;
    for (auto _ : state) {
        on = !on;
        const QString value = on ? "ON" : "OFF";
        benchmark::DoNotOptimize(quillet::WriteSetting(path, "Sound", "OnOrOff", value));
    }
}
BENCHMARK(BM_WriteSetting10MB)->Unit(benchmark::kMillisecond);

}  // namespace
