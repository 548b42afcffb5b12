// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

#include "presentation/core/QuestionText.h"
#include "shell/core/Session.h"
#include "shell/core/StudyRecord.h"

namespace quillet {

// Folds a text for searching: case folded, accents taken off letters ("é" gives "e"),
// compatibility forms made one (the ohm sign and the Greek capital omega, the micro sign and
// the Greek mu), curly quotes and dashes made plain, and every run of blanks one space. Symbols
// such as "°", "µ" and "Ω" stay themselves, so that a search for them finds them and nothing
// else; no symbol becomes a word ("Ω" never matches "ohm").
QString FoldForSearch(const QString& text);

// What the study record says of one question at the latest try.
enum class LatestState { NeverAnswered, Right, Missed };

// One question of the pool as the read-through shows it.
struct PoolQuestion {
    qint64 questionId = 0;
    qint64 sectionId = 0;
    QString poolId;                  // "T1A01"
    QString group;                   // "T1A"
    QString section;                 // "T1"
    QString sectionCaption;          // "T1 - Commission's Rules"
    QuestionCaptions captions;       // as the test screen shows them ("&" doubled)
    std::array<QString, 4> answers;  // A to D in pool order, as written
    int correct = 0;                 // 0..3 for A..D
    QString ruleCaption;             // "Rule: 47 CFR 97.301(d)"; empty when none
    int figureId = 0;                // 0 when the question has no figure
    bool flagged = false;
    LatestState latest = LatestState::NeverAnswered;
    QString folded;  // FoldForSearch of the question, its table, answers and pool id
};

// Which questions the read-through lists.
enum class ReadFilter { All, Flagged, Missed, NeverAnswered };

struct ReadSelection {
    qint64 sectionId = 0;  // 0: every section
    QString group;         // "": every group
    ReadFilter filter = ReadFilter::All;
    QString search;  // as typed; every word must occur
};

// An element's pool read from the bank that holds it, in pool order (by section, then by pool
// id), with the student's flags and latest answers, to be read through and searched.
class ReadThrough {
public:
    // Reads `element`'s questions from session.bankFor(element): those a test could ask (an
    // answer letter A to D, question text, a section in the table). False when the bank failed
    // part-way (fault() says why); the pool is then empty.
    bool load(const Session& session, int element);
    // Puts the student's flags and latest answers on the questions (by pool id).
    void setStanding(const QHash<QString, LatestAnswer>& latest, const QSet<QString>& flags);
    void setFlagged(int index, bool flagged);

    int element() const { return element_; }
    const QString& fault() const { return fault_; }
    const std::vector<PoolQuestion>& questions() const { return questions_; }
    const PoolQuestion& question(int index) const { return questions_.at(size_t(index)); }

    // The element's sections that hold questions, in pool order: ids and captions.
    const std::vector<std::pair<qint64, QString>>& sections() const { return sections_; }
    // The groups of section `sectionId` (every group for 0), in pool order.
    QStringList groups(qint64 sectionId) const;

    // The indexes into questions() of those `selection` lets through, in pool order.
    std::vector<int> select(const ReadSelection& selection) const;

    // Adds questions as they are, for building a pool without a bank (tests, benchmarks).
    void add(PoolQuestion question);

private:
    int element_ = 0;
    QString fault_;
    std::vector<PoolQuestion> questions_;
    std::vector<std::pair<qint64, QString>> sections_;
};

// The texts a question of the read-through is searched in, before folding: question, table,
// answers and pool id.
QStringList SearchableTexts(const PoolQuestion& question);

// "Missed at your latest try", "Right at your latest try", "Never answered".
QString LatestStateText(LatestState state);
// What a screen reader says of a question as the read-through moves to it: "T1A01, 3 of 411.
// <question> A: <text>. B: <text>, correct. ... Rule: 47 CFR 97.301(d). Flagged. Missed at your
// latest try." `position` and `count` place it in the list.
QString SpokenPoolQuestion(const PoolQuestion& question, int position, int count);
// "Question 3 of 411"; "No question matches" when the list is empty.
QString PositionText(int position, int count);

}  // namespace quillet
