// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "shell/core/ExamMode.h"
#include "shell/core/Services.h"
#include "shell/core/Session.h"

namespace quillet {

// The caption of the test screen for a mode ("Continuous questions", ...).
QString TestModeCaption(int mode);

// The test screen's hidden question lists: question identifiers in order.
using QuestionIdList = std::vector<qint64>;

// The query that lists every question with a valid answer letter, with its
// section and element.
extern const char kQuestionListQuery[];

// The message shown when a simulated exam of `simulatedCount` questions can
// only have `available` questions.
QString ShortExamMessage(int simulatedCount, int available);

// Returns `ids` in the order given by inserting each one, in turn, at
// a random index below (current length + 1) of an initially empty list. The
// random numbers are drawn in the same order as inserting one at a time would
// draw them, but the whole takes O(n log n) instead of O(n^2).
QuestionIdList InsertAtRandomPositions(const QuestionIdList& ids, RandomSource& random);

// Moves every item of `from` to the end of `to`: while `from` is not empty,
// the item at a random index below its length is appended to `to` and removed
// from `from`. Same draws and result as doing exactly that, in O(n log n).
void MoveInRandomOrder(QuestionIdList& from, QuestionIdList& to, RandomSource& random);

// Whether a question of `element` in section `sectionId` belongs in a test of
// session.currentElement: its section is in the table and chosen.
bool ListsQuestion(const Session& session, qint64 element, qint64 sectionId);

// One question a test can ask (answer letter A to D), as the bank holds it.
struct AskableQuestion {
    qint64 id = 0;
    qint64 sectionId = 0;
    qint64 element = 0;  // its section's TEST
    QString poolId;      // FCCQUESTIONID as stored ("T1A01")
};

// Calls `visit` for every question a test can ask in the bank that holds `element`'s pool
// (the installed bank or the student's added one), with its pool id. False when the bank
// failed part-way (session.bankFor(element).lastError() says why).
bool ForEachAskableQuestion(const Session& session, int element,
                            const std::function<void(const AskableQuestion&)>& visit);

struct PreparedList {
    // Questions found (before any shortening of the exam).
    int count = 0;
    // The bank was read and no question qualifies: the test has nothing to ask.
    bool nothingFound() const { return count < 1 && readOk; }
    // For a simulated exam with fewer questions than its size: the message to
    // show; empty otherwise.
    QString message;
    // False when the bank could not be read; the list is then empty and
    // `fault` says what went wrong.
    bool readOk = true;
    QString fault;
};

// Builds the question list of a test in `mode`: every question of
// session.currentElement whose section is in the section table and chosen
// (Ask), with an answer letter A to D, in random order (random insertion, then
// two passes through `scramble`). In a simulated exam (mode 4) with fewer
// questions than `simulatedCount`, lowers `simulatedCount` to that number and
// returns the message to show.
PreparedList PrepareQuestionList(const Session& session, int mode, RandomSource& random,
                                 QuestionIdList& questionList, QuestionIdList& scramble,
                                 int& simulatedCount);

// One question as the real exam sees it: its section and its pool group.
struct GroupedQuestion {
    qint64 id = 0;
    int sectionId = 0;
    QString group;  // "T1A"
};

// The pool group of a question: its pool id without the last two digits
// ("T1A01" gives "T1A"). An id that does not end in two digits is a group of
// its own.
QString QuestionGroup(const QString& fccQuestionId);

// The real exam's draw: one question chosen at random from each group, the
// groups in pool order (by section, then by group id).
QuestionIdList DrawOnePerGroup(const std::vector<GroupedQuestion>& questions, RandomSource& random);

// The message shown when the bank has fewer groups with questions than the real
// exam has questions.
QString ShortRealExamMessage(int examQuestions, int groups);

// Builds the list of a real exam of session.currentElement: one question from each
// group of the whole element (whatever sections are chosen), every question
// with an answer letter A to D and a section in the table. `examCount` comes in
// as the exam's number of questions and leaves as the number the test asks:
// when the bank has fewer groups, it is lowered to that and the message to show
// is returned.
PreparedList PrepareRealExamList(const Session& session, RandomSource& random,
                                 QuestionIdList& questionList, int& examCount);

}  // namespace quillet
