// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QString>
#include <vector>

#include "shell/core/Database.h"
#include "shell/core/StudyRecord.h"

namespace quillet {

// One question of a finished test, as the answer review lists it.
struct ReviewRow {
    QString poolId;         // "T1A01"
    qint64 questionId = 0;  // in the bank; 0 when the bank no longer holds it
    bool right = false;     // right at the first try
    QChar chosen;           // the student's answer, by its letter in the pool; null when unknown
    QChar correct;          // the right answer's letter; null when the bank has none
    QString rule;           // "Rule: 47 CFR 97.301(d)"; empty when the bank names none
    int figureId = 0;       // 0 for a question without a figure
    bool flagged = false;
};

enum class ReviewFilter { All, WrongOnly };

// The answers of one recorded test, one row per question in the order they
// were first asked, with what the bank says of each question. A question asked
// again in the same test (a miss coming back) is listed once, with its first
// answer: the one its score rests on.
class AnswerReview {
public:
    // Reads test `test` from the record and its questions from `bank`, the
    // bank that holds the test's element.
    static AnswerReview Load(const StudyRecord& record, const Database& bank, qint64 test);

    const RecordedTest& test() const { return test_; }
    // The test is known to the record and has answers to review.
    bool available() const { return !rows_.empty(); }
    // False when the bank could not be read; the rows then lack what the bank says.
    bool readOk() const { return readOk_; }
    const QString& fault() const { return fault_; }

    const std::vector<ReviewRow>& rows() const { return rows_; }
    std::vector<const ReviewRow*> rows(ReviewFilter filter) const;
    int rightCount() const;
    int flaggedCount() const;
    // The bank ids of the missed questions the bank still holds, in the order asked.
    std::vector<qint64> missedQuestions() const;

    // What the student reads first: "Technician, Simulated Written Exam of
    // 9 Dec 2026, 19:30: 24 of 30 right, 2 flagged."
    QString summary() const;
    // Why there is nothing to review, for a test without answers.
    QString unavailableText() const;

private:
    RecordedTest test_;
    std::vector<ReviewRow> rows_;
    bool readOk_ = true;
    QString fault_;
};

// A row as a screen reader reads it: "T1A01, wrong: you answered B, the answer
// is C. Rule: 47 CFR 97.1. Has a figure. Flagged."
QString SpokenReviewRow(const ReviewRow& row);

}  // namespace quillet
