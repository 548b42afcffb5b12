// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QString>
#include <functional>

#include "shell/core/StudyRecord.h"

namespace quillet::bench {

// One answer written straight into a record file.
struct FilledAnswer {
    QString question;
    QString when;  // as the record keeps it: UTC, ISO 8601 with milliseconds
    bool right = false;
};

// Creates the record at `path` and writes `count` answers of `pool` into it,
// answer i being answerAt(i), in one transaction (one per answer, as the
// program writes them, would take minutes to set up). False on failure.
inline bool FillRecord(const QString& path, const QString& pool, int count,
                       const std::function<FilledAnswer(int)>& answerAt) {
    {
        StudyRecord record;
        if (record.open(path) != StudyRecord::OpenStatus::Created) return false;
    }
    Database db;
    if (db.open(path, QByteArray()) != 0 || db.exec("BEGIN") != 0) return false;
    Query answer(db,
                 "INSERT INTO ANSWERS (POOL, QUESTION, ANSWERED_AT, CORRECT) VALUES (?, ?, ?, ?)");
    Query latest(db,
                 "INSERT OR REPLACE INTO LATEST (POOL, QUESTION, ANSWER_ID, CORRECT) "
                 "VALUES (?, ?, last_insert_rowid(), ?)");
    for (int i = 0; i < count; ++i) {
        const FilledAnswer a = answerAt(i);
        answer.reset();
        answer.bind(1, pool), answer.bind(2, a.question), answer.bind(3, a.when),
            answer.bind(4, qint64(a.right));
        latest.reset();
        latest.bind(1, pool), latest.bind(2, a.question), latest.bind(3, qint64(a.right));
        if (!answer.run() || !latest.run()) return false;
    }
    return db.exec("COMMIT") == 0;
}

}  // namespace quillet::bench
