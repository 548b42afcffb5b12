// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QString>

namespace quillet {

// Turning a question's stored text into the captions of the test screen.
//
// Stored markup: stored line feeds and carriage returns are dropped; a
// backslash followed by "n" is a line break (question and table); a backslash
// followed by "t" is five spaces (table only); "<TABLE>" (first occurrence,
// upper case) starts a table shown in a fixed-pitch font under the question;
// "ø", "&#176;", "&#176" and "#176" are degree signs everywhere.

// A line break inside a caption.
inline const QString kLineBreak = QStringLiteral("\n");

struct QuestionCaptions {
    // Both captions double every "&": the labels take a single "&" as the
    // marker of a shortcut key, "&&" as one ampersand.
    QString question;
    QString table;  // empty when the question has no table
};

// Replaces "&#176;", then "&#176", then "#176" with a degree sign.
QString ConvertDegreeCodes(const QString& text);

// The question and table captions from the stored question text (null or
// empty gives two empty captions).
QuestionCaptions ConvertQuestionText(const QString& stored);

// The text of an answer: degree signs only; no line breaks and no doubled
// ampersands.
QString ConvertAnswerText(const QString& stored);

// The label (0..3 for A..D) that holds the right answer for a stored answer
// letter. Upper or lower case and surrounding blanks are accepted; anything
// else (empty, "E", two letters) gives -1: no answer can be marked right.
int CorrectAnswerIndex(const QString& answerLetter);

// The header caption of a question: "FCC Question ID: " + the pool number.
QString QuestionIdCaption(const QString& fccQuestionId);

// The header caption of a section: SECTION + " - " + DESCRIPTION.
QString SectionCaption(const QString& section, const QString& description);

// The section caption when the question's section cannot be found.
inline const QString kNoSectionCaption = QStringLiteral("FCC Test");

}  // namespace quillet
