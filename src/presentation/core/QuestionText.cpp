// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "presentation/core/QuestionText.h"

#include "shell/core/SharedRoutines.h"

namespace quillet {

namespace {

const QString kDegree = QStringLiteral("\u00B0");
const QString kSlashedO = QStringLiteral("\u00F8");
const QString kTableMarker = QStringLiteral("<TABLE>");
const QString kBackslashN = QStringLiteral("\\n");
const QString kBackslashT = QStringLiteral("\\t");
const QString kFiveSpaces = QStringLiteral("     ");

QString WithDegrees(const QString& text) {
    return ConvertDegreeCodes(ReplaceAll(text, kSlashedO, kDegree));
}

}  // namespace

QString ConvertDegreeCodes(const QString& text) {
    QString result = ReplaceAll(text, QStringLiteral("&#176;"), kDegree);
    result = ReplaceAll(result, QStringLiteral("&#176"), kDegree);
    return ReplaceAll(result, QStringLiteral("#176"), kDegree);
}

QuestionCaptions ConvertQuestionText(const QString& stored) {
    QString text = stored;
    text.remove(QLatin1Char('\n'));
    text.remove(QLatin1Char('\r'));
    text = ReplaceAll(text, kSlashedO, kDegree);

    QString question = text;
    QString table;
    const qsizetype marker = text.indexOf(kTableMarker);
    if (marker >= 0) {
        question = text.left(marker);
        table = text.mid(marker + kTableMarker.size());
    }
    question = WithDegrees(question);
    table = WithDegrees(table);

    QuestionCaptions captions;
    captions.question = EscapeAmpersands(ReplaceAll(question, kBackslashN, kLineBreak));
    table = ReplaceAll(table, kBackslashN, kLineBreak);
    captions.table = EscapeAmpersands(ReplaceAll(table, kBackslashT, kFiveSpaces));
    return captions;
}

QString ConvertAnswerText(const QString& stored) { return WithDegrees(stored); }

int CorrectAnswerIndex(const QString& answerLetter) {
    const QString letter = answerLetter.trimmed().toUpper();
    if (letter.size() != 1) return -1;
    const char16_t c = letter.at(0).unicode();
    return c >= u'A' && c <= u'D' ? static_cast<int>(c - u'A') : -1;
}

QString QuestionIdCaption(const QString& fccQuestionId) {
    return QStringLiteral("FCC Question ID: ") + fccQuestionId;
}

QString SectionCaption(const QString& section, const QString& description) {
    return section + QStringLiteral(" - ") + description;
}

}  // namespace quillet
