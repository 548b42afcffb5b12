// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
// Question text conversion on a 512 KiB question: the window waits for it
// before the question is shown, so it must take well under a tenth of a second.

#include <benchmark/benchmark.h>

#include <QString>

#include "presentation/core/QuestionText.h"

namespace {

// A question of `bytes` characters, dense with every form of markup, the forms
// that almost match included, with a table in its second half.
QString LargeQuestion(qsizetype bytes) {
    const QString piece = QStringLiteral(
        "Line\\n90&#176; 45&#176 30#176 ##176 &#1&#176;76 \\\\nn \u00F8 R&D\\t\\tx ");
    QString text;
    text.reserve(bytes + piece.size() + 7);
    while (text.size() < bytes / 2) text += piece;
    text += QStringLiteral("<TABLE>");
    while (text.size() < bytes) text += piece;
    return text;
}

void BM_ConvertQuestionText512KiB(benchmark::State& state) {
    const QString question = LargeQuestion(512 * 1024);
    for (auto _ : state) {
        quillet::QuestionCaptions captions = quillet::ConvertQuestionText(question);
        benchmark::DoNotOptimize(captions);
    }
}
BENCHMARK(BM_ConvertQuestionText512KiB)->Unit(benchmark::kMillisecond);

void BM_ConvertAnswerText512KiB(benchmark::State& state) {
    const QString answer = LargeQuestion(512 * 1024);
    for (auto _ : state) benchmark::DoNotOptimize(quillet::ConvertAnswerText(answer));
}
BENCHMARK(BM_ConvertAnswerText512KiB)->Unit(benchmark::kMillisecond);

}  // namespace
