// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
// Question markup conversion on arbitrary text: the one-pass replacement must
// agree with searching again from the start after each replacement, for the
// markup's own search texts and for a short search text and replacement taken
// from the input, and the conversion must never crash.

#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "presentation/core/QuestionText.h"
#include "shell/core/SharedRoutines.h"
#include "support/ReferenceReplace.h"

namespace {

void Check(const QString& text, const QString& search, const QString& replacement) {
    const QString fast = quillet::ReplaceAll(text, search, replacement);
    const QString slow = quillet::testing::ReferenceReplaceAll(text, search, replacement);
    if (fast != slow) {
        std::fprintf(stderr, "ReplaceAll differs for search \"%s\" replacement \"%s\"\n",
                     search.toUtf8().constData(), replacement.toUtf8().constData());
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Long inputs only slow the quadratic reference down; short ones find the
    // same collisions.
    if (size > 4096) return 0;
    const QString input =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    QString text = input;
    for (const auto& [search, replacement] : quillet::testing::MarkupReplacements()) {
        Check(text, search, replacement);
        text = quillet::ReplaceAll(text, search, replacement);
    }

    // "search|replacement|text": any search text, including ones that overlap
    // themselves or that the replacement recreates. A replacement shorter than
    // its search text keeps both routines finite.
    const QStringList parts = input.split(QLatin1Char('|'));
    if (parts.size() >= 3 && parts[0].size() <= 4 && parts[1].size() < parts[0].size()) {
        Check(parts.mid(2).join(QLatin1Char('|')), parts[0], parts[1]);
    }

    const quillet::QuestionCaptions captions = quillet::ConvertQuestionText(input);
    (void)captions;
    (void)quillet::ConvertAnswerText(input);
    return 0;
}
