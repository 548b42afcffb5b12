// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "results/core/AnswerReview.h"

#include <sqlcipher/sqlite3.h>

#include <QHash>
#include <QLocale>
#include <limits>

#include "engine/core/QuestionList.h"
#include "presentation/core/QuestionLoader.h"
#include "shell/core/Exams.h"

namespace quillet {

AnswerReview AnswerReview::Load(const StudyRecord& record, const Database& bank, qint64 test) {
    AnswerReview review;
    review.test_ = record.test(test);
    if (review.test_.id == 0) return review;

    QHash<QString, size_t> rowOf;  // pool id -> index in rows_
    QSet<QString> pools;
    for (const TestAnswer& answer : record.testAnswers(test)) {
        const QString id = answer.question.trimmed();
        if (id.isEmpty() || rowOf.contains(id)) continue;
        rowOf.insert(id, review.rows_.size());
        pools.insert(answer.pool);
        ReviewRow row;
        row.poolId = id;
        row.right = answer.right;
        row.chosen = answer.chosen;
        review.rows_.push_back(row);
    }
    if (review.rows_.empty()) return review;

    QSet<QString> flagged;
    for (const QString& pool : pools) flagged.unite(record.flags(pool));
    for (ReviewRow& row : review.rows_) row.flagged = flagged.contains(row.poolId);

    // One pass over the element's questions finds every row's question, where
    // a look-up per pool id would read the whole table each time.
    if (!bank.handle()) return review;
    Query query(bank,
                "SELECT Q.*, S.TEST FROM QUESTIONS Q JOIN SECTIONS S ON Q.SectionID = S.SectionID"
                " WHERE S.TEST = ?");
    query.bind(1, qint64(review.test_.element));
    size_t found = 0;
    while (found < review.rows_.size() && query.next()) {
        const auto at = rowOf.constFind(query.text("FCCQUESTIONID").trimmed());
        if (at == rowOf.constEnd()) continue;
        ReviewRow& row = review.rows_[*at];
        if (row.questionId != 0) continue;
        ++found;
        row.questionId = query.integer("QuestionID");
        const int correct = CorrectAnswerIndex(query.text("ANSWER"));
        if (correct >= 0) row.correct = QChar(u'A' + correct);
        // Banks made before references were kept have no such column: no rule.
        row.rule = RuleCaption(query.text("REFERENCE"));
        const qint64 figure = query.integer("FIGUREID");
        if (figure > 0 && figure <= std::numeric_limits<int>::max()) {
            row.figureId = static_cast<int>(figure);
        }
    }
    if (found < review.rows_.size() && query.code() != SQLITE_DONE) {
        review.readOk_ = false;
        review.fault_ = bank.lastError();
    }
    return review;
}

std::vector<const ReviewRow*> AnswerReview::rows(ReviewFilter filter) const {
    std::vector<const ReviewRow*> shown;
    shown.reserve(rows_.size());
    for (const ReviewRow& row : rows_) {
        if (filter == ReviewFilter::All || !row.right) shown.push_back(&row);
    }
    return shown;
}

int AnswerReview::rightCount() const {
    int right = 0;
    for (const ReviewRow& row : rows_) right += row.right ? 1 : 0;
    return right;
}

int AnswerReview::flaggedCount() const {
    int flagged = 0;
    for (const ReviewRow& row : rows_) flagged += row.flagged ? 1 : 0;
    return flagged;
}

std::vector<qint64> AnswerReview::missedQuestions() const {
    std::vector<qint64> missed;
    for (const ReviewRow& row : rows_) {
        if (!row.right && row.questionId != 0) missed.push_back(row.questionId);
    }
    return missed;
}

QString AnswerReview::summary() const {
    const QString when =
        test_.started.isValid()
            ? QLocale::c().toString(test_.started, QStringLiteral(" 'of' d MMM yyyy, HH:mm"))
            : QString();
    QString mode = TestModeCaption(test_.mode);
    if (mode.endsWith(u'.')) mode.chop(1);
    QString text = ElementName(test_.element) + QStringLiteral(", ") + mode + when +
                   QStringLiteral(": %1 of %2 right").arg(rightCount()).arg(rows_.size());
    const int flagged = flaggedCount();
    if (flagged > 0) text += QStringLiteral(", %1 flagged").arg(flagged);
    return text + u'.';
}

QString AnswerReview::unavailableText() const {
    if (test_.id == 0)
        return QStringLiteral(
            "This test is not in your study record, so its answers cannot be "
            "reviewed.");
    return QStringLiteral(
        "No answer of this test is in your study record, so there is nothing "
        "to review.");
}

QString SpokenReviewRow(const ReviewRow& row) {
    QString text = row.poolId + (row.right ? QStringLiteral(", right") : QStringLiteral(", wrong"));
    text += row.chosen.isNull() ? QStringLiteral(": your answer is not known")
                                : QStringLiteral(": you answered %1").arg(row.chosen);
    if (!row.correct.isNull() && !row.right) {
        text += QStringLiteral(", the answer is %1").arg(row.correct);
    }
    text += u'.';
    if (!row.rule.isEmpty()) text += u' ' + row.rule + u'.';
    if (row.figureId > 0) text += QStringLiteral(" Has a figure.");
    if (row.flagged) text += QStringLiteral(" Flagged.");
    return text;
}

}  // namespace quillet
