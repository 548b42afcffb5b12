// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QString>
#include <utility>
#include <vector>

namespace quillet::testing {

// The plain definition of ReplaceAll: replace the first occurrence, then search
// again from the start. Slow (quadratic), but obviously right; the fast routine
// must agree with it.
inline QString ReferenceReplaceAll(const QString& text, const QString& search,
                                   const QString& replacement) {
    if (search.isEmpty() || replacement.contains(search)) return text;
    QString result = text;
    for (qsizetype at = result.indexOf(search); at >= 0; at = result.indexOf(search)) {
        result.replace(at, search.size(), replacement);
    }
    return result;
}

// Every search text and replacement the question markup converts.
inline const std::vector<std::pair<QString, QString>>& MarkupReplacements() {
    static const std::vector<std::pair<QString, QString>> pairs = {
        {QStringLiteral("\u00F8"), QStringLiteral("\u00B0")},
        {QStringLiteral("&#176;"), QStringLiteral("\u00B0")},
        {QStringLiteral("&#176"), QStringLiteral("\u00B0")},
        {QStringLiteral("#176"), QStringLiteral("\u00B0")},
        {QStringLiteral("\\n"), QStringLiteral("\n")},
        {QStringLiteral("\\t"), QStringLiteral("     ")},
    };
    return pairs;
}

// The pieces the markup is made of, so that random texts built from them
// really contain near-misses such as "##176", "&#1&#176;76" or "\\\\nn".
inline const std::vector<QString>& MarkupPieces() {
    static const std::vector<QString> pieces = {
        "&",   "#",   "1",       "7",   "6",      ";",      "\\",    "n",
        "t",   "x",   " ",       "\n",  "\r",     "&#176;", "&#176", "#176",
        "\\n", "\\t", "<TABLE>", "<TA", "\u00F8", "\u00B0", "&&",    "176",
    };
    return pieces;
}

}  // namespace quillet::testing
