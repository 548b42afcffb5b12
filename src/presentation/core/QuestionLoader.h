// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QString>
#include <array>

#include "presentation/core/QuestionLayout.h"
#include "presentation/core/QuestionText.h"
#include "shell/core/Services.h"
#include "shell/core/Session.h"

namespace quillet {

// Everything the test screen shows for one question.
struct QuestionOnScreen {
    qint64 questionId = 0;
    qint64 sectionId = 0;  // the SECTIONID of its section

    QuestionCaptions captions;  // lblQuestion, lblTable
    // Per answer label (0..3 for A..D): the answer text as written and the
    // label caption (the text with "&" doubled, like the other captions).
    std::array<QString, 4> answerTexts;
    std::array<QString, 4> answerCaptions;
    int correctLabel = 0;               // the label that holds the right answer
    AnswerOrder order = kNaturalOrder;  // labels from the top

    CanvasLayout canvas;  // the canvas itself goes back to its origin

    QString poolQuestionId;     // "T1A01"; empty when the bank has none
    QString ruleCaption;        // "Rule: 47 CFR 97.301(d)"; empty when the bank names none
    QString questionIdCaption;  // "FCC Question ID: T1A01"
    HeaderLayout header;
    QString sectionCaption;  // "T1 - Commission's Rules", or "FCC Test"

    bool hasFigure = false;  // the "fig" button is shown
    int figureId = 0;
};

enum class LoadStatus {
    Shown,
    NoSuchQuestion,     // no question has that identifier
    SectionNotInTable,  // its section is not in the section table
    SectionNotChosen,   // its section is not chosen for testing
    NoRightAnswer,      // its answer letter is not A to D
    NoQuestionText,     // its question text is missing (NULL)
    ReadError,          // the bank could not be read
};

struct LoadOutcome {
    LoadStatus status = LoadStatus::NoSuchQuestion;
    QuestionOnScreen question;  // filled when shown
    QString fault;              // what went wrong, for a ReadError
    bool shown() const { return status == LoadStatus::Shown; }
};

// What the student reads of the rule a question rests on: "Rule: 47 CFR 97.301(d)" for a
// section of the amateur rules (47 CFR 97), "Rule: " and the reference as the pool
// gives it otherwise; empty for none.
QString RuleCaption(const QString& reference);

// Reads question `questionId` from the bank and prepares it for the screen:
// captions, right answer, answer order (random with `shuffle`), positions and
// header; a question with a figure (FIGUREID > 0) names it in `figureId`.
// With `anySection` (the real exam, which covers the whole element) a question
// of a section that is not chosen is shown too.
LoadOutcome LoadQuestion(const Session& session, bool shuffle, qint64 questionId,
                         RandomSource& random, const TextMeasurer& measurer,
                         bool anySection = false);

// What a screen reader says of a question on arrival, as the description of
// the answer at the top: "Question T1A01: <question> <table> Answer 2: <text>.
// Answer 3: <text>. Answer 4: <text>. <progress>." The top answer's own name
// ("Answer 1: <text>") is read just before it. `progress` is the status line's
// text ("12 Questions to go"); empty leaves it out.
QString SpokenQuestion(const QuestionOnScreen& question, const QString& progress);
// What the other answers carry as their description: "Question T1A01: <question>".
QString SpokenQuestionText(const QuestionOnScreen& question);
// The name an answer is read by: "Answer <place>: <text>", place counted
// from 1 at the top.
QString SpokenAnswer(const QuestionOnScreen& question, int place);

}  // namespace quillet
