// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include <QtCore/qnamespace.h>

#include <set>

#include "ExamRun.h"
#include "results/core/AnswerReview.h"

using namespace quillet;
using namespace quillet::testing;

namespace {

const QString kLetters = "ABCD";

// Twelve Technician questions whose right answer is "ABCD"[id % 4]; question
// 3 has a figure and question 5 a rule. The record is open.
struct KnownBank : BankFolder {
    KnownBank() : BankFolder(Content()) {
        for (SectionInfo& section : session.sections) section.Ask = true;
        session.currentElement = 2;
        session.record.open(dir.filePath("quillet-record.db"));
    }
    static qbank::BankContent Content() {
        qbank::BankContent c = BankFolder::Content(12, 2, 2);
        for (auto& q : c.questions) q.answer = kLetters[q.id % 4];
        c.questions[2].figureId = 7;
        c.questions[4].reference = "97.119(b)(2)";
        return c;
    }
    AnswerReview review(qint64 test) const {
        return AnswerReview::Load(session.record, session.bankFor(2), test);
    }
};

}  // namespace

// A test with shuffled answers, answered at known places: each row gives back
// the pool letter answered, the bank's right letter, the rule, the figure and
// the flag, in the order the questions were asked.
TEST(AnswerReview, RowsOfAShuffledTestGiveThePoolLettersAndWhatTheBankSays) {
    KnownBank bank;
    bank.session.record.setFlag(PoolNameFor(bank.session, 2), "X2", true);
    bank.options.shuffleOn = true;
    Running s(bank, kModeEachOnce);
    QHash<QString, QChar> chosen;
    for (int i = 0; !s.test.closed(); ++i) {
        chosen.insert(s.q().poolQuestionId, QChar(u'A' + s.q().order[size_t(i % 4)]));
        ASSERT_TRUE(s.test.answerKey(Qt::Key_1 + i % 4));
    }

    const AnswerReview review = bank.review(s.test.result().recordTest);
    ASSERT_TRUE(review.available());
    ASSERT_EQ(review.rows().size(), 12u);
    std::vector<qint64> missed;
    for (size_t i = 0; i < review.rows().size(); ++i) {
        const ReviewRow& row = review.rows()[i];
        const int id = row.poolId.mid(1).toInt();
        SCOPED_TRACE(row.poolId.toStdString());
        EXPECT_EQ(row.questionId, s.screen.shown[i]);  // in the order asked
        EXPECT_EQ(row.questionId, id);
        EXPECT_EQ(row.chosen, chosen.value(row.poolId));
        EXPECT_EQ(row.correct, kLetters[id % 4]);
        EXPECT_EQ(row.right, row.chosen == row.correct);
        EXPECT_EQ(row.figureId, id == 3 ? 7 : 0);
        EXPECT_EQ(row.rule, id == 5 ? "Rule: 47 CFR 97.119(b)(2)" : "");
        EXPECT_EQ(row.flagged, id == 2);
        if (!row.right) missed.push_back(id);
    }
    EXPECT_EQ(review.rightCount(), s.correct());
    ASSERT_FALSE(missed.empty());
    EXPECT_EQ(review.missedQuestions(), missed);
    const auto wrong = review.rows(ReviewFilter::WrongOnly);
    ASSERT_EQ(wrong.size(), missed.size());
    EXPECT_EQ(wrong.front()->questionId, missed.front());
    EXPECT_TRUE(SpokenReviewRow(*wrong.front())
                    .contains(QStringLiteral("wrong: you answered %1, the answer is %2")
                                  .arg(wrong.front()->chosen, wrong.front()->correct)));
    EXPECT_TRUE(review.summary().startsWith("Technician, Asking each question exactly once of "));
    EXPECT_TRUE(review.summary().endsWith(
        QStringLiteral(": %1 of 12 right, 1 flagged.").arg(review.rightCount())));
}

// A miss that comes back until answered right is one row, scored by its first answer.
TEST(AnswerReview, AQuestionAskedAgainIsListedOnceWithItsFirstAnswer) {
    KnownBank bank;
    Running s(bank, kModeUntilRight);
    const QString first = s.q().poolQuestionId;
    s.wrong();
    s.right();
    while (!s.test.closed()) s.right();
    const AnswerReview review = bank.review(s.test.result().recordTest);
    ASSERT_EQ(review.rows().size(), 12u);
    EXPECT_EQ(review.rows().front().poolId, first);
    EXPECT_FALSE(review.rows().front().right);
    EXPECT_EQ(review.rightCount(), 11);
}

TEST(AnswerReview, ATestWithoutAnswersHasNothingToReview) {
    KnownBank bank;
    EXPECT_FALSE(bank.review(0).available());
    EXPECT_TRUE(bank.review(0).unavailableText().contains("not in your study record"));
    const qint64 empty =
        bank.session.record.beginTest(kModeEachOnce, 2, QDateTime::currentDateTime());
    ASSERT_NE(empty, 0);
    EXPECT_FALSE(bank.review(empty).available());
    EXPECT_TRUE(bank.review(empty).unavailableText().contains("nothing to review"));
}

// "Retry missed": a test of exactly the missed questions, each until answered
// right, even when their sections are no longer chosen.
TEST(AnswerReview, RetryMissedAsksExactlyTheMissedQuestions) {
    KnownBank bank;
    std::vector<qint64> missed;
    {
        Running s(bank, kModeEachOnce);
        for (int i = 0; !s.test.closed(); ++i) i % 3 == 0 ? s.wrong() : s.right();
        missed = bank.review(s.test.result().recordTest).missedQuestions();
    }
    ASSERT_EQ(missed.size(), 4u);
    for (SectionInfo& section : bank.session.sections) section.Ask = false;
    bank.session.retryQuestions = missed;
    Running retry(bank, kModeUntilRight);
    EXPECT_EQ(retry.screen.testType, "Retrying missed questions until answered correctly");
    retry.wrong();  // comes back at the end
    while (!retry.test.closed()) retry.right();
    const std::set<qint64> asked(retry.screen.shown.begin(), retry.screen.shown.end());
    EXPECT_EQ(asked, std::set<qint64>(missed.begin(), missed.end()));
    EXPECT_EQ(retry.screen.shown.size(), missed.size() + 1);
    EXPECT_EQ(bank.session.record.test(retry.test.result().recordTest).mode, kModeUntilRight);
}
