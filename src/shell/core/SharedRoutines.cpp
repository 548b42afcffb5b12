// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "shell/core/SharedRoutines.h"

#include <vector>

namespace quillet {

QString JoinPath(const QString& directory, const QString& name) {
    QString dir = directory;
    QString file = name;
    if (file.startsWith(QLatin1Char('/'))) file.remove(0, 1);
    if (dir.endsWith(QLatin1Char('/'))) dir.chop(1);
    return dir + QLatin1Char('/') + file;
}

QString ReplaceAll(const QString& text, const QString& search, const QString& replacement) {
    if (search.isEmpty() || replacement.contains(search)) return text;

    // Searching again from the start after each replacement always finds the
    // occurrence that ends first, since every occurrence has the same length.
    // So the text is read once, left to right, into `out`, which never holds an
    // occurrence: when the last character completes one, it is taken off and
    // the replacement is read next, ahead of the rest of the text, so that an
    // occurrence it makes with what comes before or after is found too.
    // `state[i]` is how much of `search` the first i characters of `out` end
    // with (the matcher state, kept so that taking characters off restores it).
    const qsizetype m = search.size();
    std::vector<qsizetype> border(static_cast<size_t>(m), 0);
    for (qsizetype i = 1, k = 0; i < m; ++i) {
        while (k > 0 && search[i] != search[k]) k = border[static_cast<size_t>(k - 1)];
        if (search[i] == search[k]) ++k;
        border[static_cast<size_t>(i)] = k;
    }

    QString out;
    out.reserve(text.size());
    std::vector<qsizetype> state{0};
    state.reserve(static_cast<size_t>(text.size()) + 1);
    std::vector<QChar> pending;  // replacement characters still to read, last first
    qsizetype next = 0;
    while (!pending.empty() || next < text.size()) {
        QChar c;
        if (pending.empty()) {
            c = text[next++];
        } else {
            c = pending.back();
            pending.pop_back();
        }
        qsizetype k = state.back();
        while (k > 0 && c != search[k]) k = border[static_cast<size_t>(k - 1)];
        if (c == search[k]) ++k;
        out.append(c);
        state.push_back(k);
        if (k == m) {
            out.chop(m);
            state.resize(state.size() - static_cast<size_t>(m));
            for (qsizetype i = replacement.size(); i-- > 0;) pending.push_back(replacement[i]);
        }
    }
    return out;
}

QString EscapeAmpersands(const QString& text) {
    QString result;
    result.reserve(text.size() + text.count(QLatin1Char('&')));
    for (const QChar c : text) {
        result.append(c);
        if (c == QLatin1Char('&')) result.append(c);
    }
    return result;
}

}  // namespace quillet
