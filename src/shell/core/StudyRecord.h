// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <vector>

#include "shell/core/Database.h"

namespace quillet {

// One answer the student gave: the pool the question belongs to, its id in
// that pool ("T1A01", stable when the bank is rebuilt), when, and whether it
// was right at the first try.
struct RecordedAnswer {
    QString pool;
    QString question;
    QDateTime time;
    bool right = false;
    // The answer chosen, by its letter in the pool ("A" to "D", whatever order
    // the screen showed), the test it was given in (see beginTest) and the
    // whole seconds the question was on screen before it; unknown when null,
    // 0 and -1.
    QChar chosen = QChar();
    qint64 test = 0;
    int seconds = -1;
};

// One test as the record keeps it.
struct RecordedTest {
    qint64 id = 0;
    int mode = 0;
    int element = 0;
    QDateTime started;
    QDateTime ended;  // invalid while it runs, or when the program was stopped
};

// One answer of a test, for reviewing it.
struct TestAnswer {
    QString pool;
    QString question;
    bool right = false;
    QChar chosen;  // null when not known
    int seconds = -1;
};

// Spaced review: a question answered right comes back after 1, 3, 7, 14 and
// then every 30 days, one step further for each right answer in a row; a
// wrong answer starts it over. `box` counts the right answers in a row (0
// after a miss or before any answer); `due` is the day the question is to be
// asked again (the day of the miss for box 0).
inline constexpr int kSpacingDays[] = {1, 3, 7, 14, 30};
struct Spacing {
    int box = 0;
    QDate due;
};
// Where a question stands after an answer given on `day`, from `box`.
Spacing NextSpacing(int box, bool right, const QDate& day);

// The latest answer to one question. `order` grows with every answer written,
// so it sorts answers by when they were given even if the clock was set back.
struct LatestAnswer {
    qint64 order = 0;
    bool right = false;
    Spacing spacing;
};

// One answer of the history, as the progress over time replays it.
struct HistoryAnswer {
    int question = 0;            // its index in AnswerHistory::questions
    qint64 msecsSinceEpoch = 0;  // UTC
    bool right = false;
};
// The answers to one pool's questions in the order they were given, each
// question's id kept once.
struct AnswerHistory {
    QStringList questions;  // pool ids ("T1A01")
    std::vector<HistoryAnswer> answers;
};

// The student's record of answers across runs: a small unprotected database
// of its own, never the question bank.
//
// Every answer is one transaction, so a program killed at any moment leaves
// the file with every answer committed before. Beside the full history the
// record keeps each question's latest answer, written in the same
// transaction, so that building a review list reads one row per question
// however long the history grows.
//
// When the file cannot be used the record runs in memory: the rest of the
// program works the same and only persistence is lost. A file that is
// damaged or is not a record is kept under a dated name and a fresh record is
// started in its place; so is a database holding anything beyond the record's
// own tables, since its views and triggers would run inside the program's
// statements. Either way notice() tells the student once per run.
class StudyRecord {
public:
    enum class OpenStatus {
        Opened,    // the file was there and is in use
        Created,   // a new, empty record file
        Replaced,  // a damaged file was renamed and a new record started
        InMemory,  // the file cannot be used: nothing is kept after this run
    };

    StudyRecord() = default;
    StudyRecord(const StudyRecord&) = delete;
    StudyRecord& operator=(const StudyRecord&) = delete;

    // Opens (or creates) the record at `path`. `today` dates the name a
    // damaged file is kept under.
    OpenStatus open(const QString& path, const QDate& today = QDate::currentDate());
    void close();

    // How long open() and add() wait for another copy of the program to let
    // go of the file before giving up on it.
    void setBusyWait(int milliseconds) { busyWaitMs_ = milliseconds; }

    bool isOpen() const { return db_.handle() != nullptr; }
    // Whether answers are kept in the file (not only in memory).
    bool persistent() const { return isOpen() && !inMemory_; }
    QString path() const { return path_; }
    // The name a damaged file was kept under when open() gave Replaced.
    QString keptAs() const { return keptAs_; }

    // Appends one answer. An answer without a pool question id records
    // nothing. False when the write failed; the record then stays in use
    // (a later write may succeed) and notice() says so once.
    bool add(const RecordedAnswer& answer);

    // A test begins: its id, for the answers given in it and for endTest();
    // 0 when it could not be written.
    qint64 beginTest(int mode, int element, const QDateTime& started);
    void endTest(qint64 test, const QDateTime& ended);
    RecordedTest test(qint64 id) const;
    // The answers given in test `test`, in the order they were given.
    std::vector<TestAnswer> testAnswers(qint64 test) const;

    // The questions of `pool` the student has flagged to come back to.
    bool setFlag(const QString& pool, const QString& question, bool flagged);
    QSet<QString> flags(const QString& pool) const;

    // The latest answer of every question of `pool` that has one, by question id.
    QHash<QString, LatestAnswer> latest(const QString& pool) const;
    // Every answer to the questions of `pool`, in the order they were given.
    AnswerHistory history(const QString& pool) const;
    // Every answer written, of all pools.
    qint64 answerCount() const;

    // What the student should be told about the record, once per run: the
    // text the first time there is something to tell, empty after that.
    QString takeNotice();

private:
    enum class Check { Ok, Damaged, Foreign, Busy, Unusable };
    Check openFile(const QString& path, QString& reason);
    int upgrade(int fromVersion);
    bool keepDamagedFile(const QDate& today);
    void openInMemory(const QString& reason);
    void openInMemoryTelling(const QString& notice);
    void tell(const QString& text);

    Database db_;
    QString path_;
    QString keptAs_;
    bool inMemory_ = false;
    int busyWaitMs_ = 8000;  // as long as a person would wait for the other copy
    QString notice_;
    bool noticeGiven_ = false;
};

// The name of the record file for the program `programName` ("quillet-record.db").
QString StudyRecordFileName(const QString& programName);

// Moves the record file `from`, with its journal and the damaged copies kept beside it, to
// `to` in another folder. A journal moves first and comes back when the record cannot follow,
// so that an unfinished answer is never parted from its record. Gives whether the record is now
// at `to`; when it is not, nothing has moved.
bool MoveStudyRecord(const QString& from, const QString& to);

}  // namespace quillet
