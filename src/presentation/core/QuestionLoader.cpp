// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "presentation/core/QuestionLoader.h"

#include <sqlcipher/sqlite3.h>

#include <limits>

#include "shell/core/Database.h"
#include "shell/core/SharedRoutines.h"

namespace quillet {

namespace {

QString SectionCaptionFor(const Session& session, qint64 sectionId) {
    Query query(session.bankFor(session.currentElement),
                "SELECT * FROM Sections WHERE SectionID =?");
    query.bind(1, sectionId);
    if (!query.next()) return kNoSectionCaption;
    return SectionCaption(query.text("SECTION"), query.text("DESCRIPTION"));
}

}  // namespace

QString RuleCaption(const QString& reference) {
    const QString text = reference.simplified();
    if (text.isEmpty()) return {};
    if (text.startsWith(QLatin1String("97."))) return QStringLiteral("Rule: 47 CFR ") + text;
    return QStringLiteral("Rule: ") + text;
}

LoadOutcome LoadQuestion(const Session& session, bool shuffle, qint64 questionId,
                         RandomSource& random, const TextMeasurer& measurer, bool anySection) {
    LoadOutcome outcome;
    Query row(session.bankFor(session.currentElement),
              "SELECT * from QUESTIONS WHERE QuestionID=?");
    row.bind(1, questionId);
    if (!row.next()) {
        if (row.code() == SQLITE_DONE) {
            outcome.status = LoadStatus::NoSuchQuestion;
        } else {
            outcome.status = LoadStatus::ReadError;
            outcome.fault = session.bankFor(session.currentElement).lastError();
        }
        return outcome;
    }

    // Everything that can keep the question off the screen is checked before
    // anything is drawn or the shared figure changes.
    const qint64 sectionId = row.integer("SectionID");
    const SectionInfo* section =
        row.isNull("SectionID") ? nullptr : session.sections.withId(sectionId);
    if (!section) {
        outcome.status = LoadStatus::SectionNotInTable;
        return outcome;
    }
    if (!anySection && !section->Ask) {
        outcome.status = LoadStatus::SectionNotChosen;
        return outcome;
    }
    const int correct = CorrectAnswerIndex(row.text("ANSWER"));
    if (correct < 0) {
        outcome.status = LoadStatus::NoRightAnswer;
        return outcome;
    }
    // Nothing to ask: it would show as a blank question above its answers.
    if (row.isNull("Question")) {
        outcome.status = LoadStatus::NoQuestionText;
        return outcome;
    }

    QuestionOnScreen& q = outcome.question;
    q.questionId = questionId;
    q.sectionId = sectionId;

    const qint64 figure = row.integer("FIGUREID");
    if (!row.isNull("FIGUREID") && figure > 0 && figure <= std::numeric_limits<int>::max()) {
        q.hasFigure = true;
        q.figureId = static_cast<int>(figure);
    }

    q.captions = ConvertQuestionText(row.text("Question"));
    const char* const answerColumns[] = {"AnswerA", "AnswerB", "AnswerC", "ANSWERD"};
    for (size_t i = 0; i < 4; ++i) {
        q.answerTexts[i] = ConvertAnswerText(row.text(answerColumns[i]));
        q.answerCaptions[i] = EscapeAmpersands(q.answerTexts[i]);
    }
    q.correctLabel = correct;
    q.poolQuestionId = row.text("FCCQUESTIONID").trimmed();
    // Banks made before references were kept have no such column: no caption.
    q.ruleCaption = RuleCaption(row.text("REFERENCE"));
    q.questionIdCaption = QuestionIdCaption(row.text("FCCQUESTIONID"));

    q.order = shuffle ? DrawAnswerOrder(random) : kNaturalOrder;
    q.canvas = LayoutCanvas(q.captions, q.answerCaptions, q.order, measurer);
    q.header = LayoutHeader(q.questionIdCaption, measurer);
    q.sectionCaption = SectionCaptionFor(session, q.sectionId);

    outcome.status = LoadStatus::Shown;
    return outcome;
}

namespace {

// A sentence ends with one full stop, whatever the bank wrote at its end.
QString Sentence(const QString& text) {
    const QString trimmed = text.simplified();
    if (trimmed.isEmpty()) return trimmed;
    const QChar last = trimmed.back();
    return last == u'.' || last == u'?' || last == u'!' || last == u':' ? trimmed : trimmed + u'.';
}

}  // namespace

QString SpokenQuestionText(const QuestionOnScreen& question) {
    QString spoken = question.poolQuestionId.isEmpty()
                         ? QStringLiteral("Question: ")
                         : QStringLiteral("Question %1: ").arg(question.poolQuestionId);
    spoken +=
        Sentence(question.captions.question).replace(QStringLiteral("&&"), QStringLiteral("&"));
    const QString table = question.captions.table.simplified();
    if (!table.isEmpty())
        spoken += u' ' + Sentence(table).replace(QStringLiteral("&&"), QStringLiteral("&"));
    return spoken;
}

QString SpokenAnswer(const QuestionOnScreen& question, int place) {
    const auto label = static_cast<size_t>(question.order.at(static_cast<size_t>(place)));
    return QStringLiteral("Answer %1: %2").arg(place + 1).arg(question.answerTexts.at(label));
}

QString SpokenQuestion(const QuestionOnScreen& question, const QString& progress) {
    QString spoken = SpokenQuestionText(question);
    for (size_t place = 1; place < question.order.size(); ++place) {
        spoken += u' ' + Sentence(SpokenAnswer(question, static_cast<int>(place)));
    }
    if (!progress.isEmpty()) spoken += u' ' + Sentence(progress);
    return spoken;
}

}  // namespace quillet
