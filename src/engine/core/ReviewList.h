// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include "engine/core/QuestionList.h"
#include "shell/core/Services.h"
#include "shell/core/Session.h"

namespace quillet {

// The questions a review asks, from the chosen sections of the current element.
struct ReviewList {
    // First the questions answered right that are due again (see Spacing)
    // and the flagged ones, the most overdue first; then those whose latest answer was wrong, the
    // most recently missed first; then those never answered, in random order.
    QuestionIdList questions;
    int chosen = 0;         // questions of the chosen sections
    int rightLastTime = 0;  // of those, the ones whose latest answer was right
    int missed = 0;         // of those, the ones whose latest answer was wrong
    bool readOk = true;     // false when the bank could not be read; the list is then empty
    QString fault;          // what went wrong then
    int due = 0;            // of the chosen, those answered right and due today or before
    int dueTomorrow = 0;    // those answered right that fall due tomorrow
    int never = 0;          // those never answered
};

// Builds the review list of session.currentElement from the bank and the study
// record, on `today`. The questions are those a test of the element would
// list: answer letter A to D, section in the table and chosen. Limited to
// `groups` (pool groups, "T1A"), the review asks those groups' questions
// whatever sections are chosen, and only the missed and the never answered.
ReviewList PrepareReviewList(Session& session, RandomSource& random,
                             const QDate& today = QDate::currentDate(),
                             const QStringList& groups = {});

// What a review holds, for the test screen's caption: "Review: 3 due, 5
// missed, 120 new; 4 more due tomorrow".
QString ReviewCaption(const ReviewList& list);

// How much of an element's pool the student knows: of all the element's
// questions in the bank (every section, chosen or not), those whose latest
// answer in the study record was right.
struct PoolProgress {
    int right = 0;
    int questions = 0;
    bool readOk = true;  // false when the bank could not be read; the counts are then 0
};
PoolProgress PoolProgressFor(Session& session, int element);
// The results' line for it: "POOL: 312 of 411 right at your latest try".
QString PoolProgressLine(const PoolProgress& progress);

// What the student is told when a review has nothing left to ask, or has
// asked everything on its list.
QString ReviewSummaryMessage(const ReviewList& list);

}  // namespace quillet
