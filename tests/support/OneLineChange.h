// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QByteArray>
#include <algorithm>

// Whether `after` is `before` with the bytes of at most one line changed (no line break
// removed) and at most `addedLines` line breaks added, all in one place: what a settings
// write may do to a file.
inline bool DiffersInOneLine(const QByteArray& before, const QByteArray& after, int addedLines) {
    qsizetype prefix = 0;
    const qsizetype shorter = std::min(before.size(), after.size());
    while (prefix < shorter && before[prefix] == after[prefix]) ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
        ++suffix;
    }
    const QByteArray removed = before.mid(prefix, before.size() - prefix - suffix);
    const QByteArray added = after.mid(prefix, after.size() - prefix - suffix);
    return !removed.contains('\n') && added.count('\n') <= addedLines;
}
