// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include <algorithm>
#include <set>

#include "EngineTestSupport.h"
#include "engine/core/ExamSession.h"
#include "engine/core/ReviewList.h"
#include "shell/core/Random.h"

using namespace quillet;
using namespace quillet::testing;

namespace {

// Element 2: sections 1 and 2 chosen, 3 not; element 3: section 4.
// Questions X1..X8 in sections 1 and 2, X9 in section 3, X10 in section 4, X11
// with no right answer.
qbank::BankContent ReviewBank() {
    qbank::BankContent c;
    c.sections = {{1, "T1", "", 2}, {2, "T2", "", 2}, {3, "T3", "", 2}, {4, "G1", "", 3}};
    for (int id = 1; id <= 8; ++id) c.questions.push_back(Question(id, 1 + id % 2));
    c.questions.push_back(Question(9, 3));
    c.questions.push_back(Question(10, 4));
    c.questions.push_back(Question(11, 1, "E"));
    return c;
}

struct ReviewFolder : BankFolder {
    ReviewFolder() : BankFolder(ReviewBank()) {
        session.sections(1).Ask = session.sections(2).Ask = true;
        session.sections(4).Ask = true;
        session.currentElement = 2;
        session.record.open(dir.filePath("quillet-record.db"));
    }
    void answered(const QString& question, bool right, const QString& pool = "Element 2") {
        ASSERT_TRUE(session.record.add({pool, question, QDateTime::currentDateTime(), right}));
    }
    void newRun() {  // the program ends and starts again
        session.record.close();
        session.record.open(dir.filePath("quillet-record.db"));
    }
};

struct NullScreen : ExamScreen {
    void showQuestion(const QuestionOnScreen&) override {}
    void setProgressText(const QString&) override {}
    void setRunText(const QString&) override {}
    void setTestTypeText(const QString&) override {}
    void showMessage(const QString& text) override { messages << text; }
    void resetRollovers() override {}
    void closeScreen() override {}
    QStringList messages;
};

}  // namespace

TEST(ReviewList, MissedMostRecentFirstThenTheNeverAnsweredInRandomOrder) {
    ReviewFolder f;
    f.answered("X1", false);
    f.answered("X2", false);
    f.answered("X3", false);
    f.answered("X4", true);
    f.answered("X2", true);                // answered right since: off the list
    f.answered("X4", false);               // right once, missed since: on it
    f.answered("X9", false);               // section not chosen
    f.answered("X5", false, "Element 3");  // same id, other pool
    f.answered("X11", false);              // not a listable question
    f.newRun();

    std::set<qint64> firstNever;
    for (unsigned seed = 1; seed <= 40; ++seed) {
        MersenneRandom random(seed);
        const ReviewList list = PrepareReviewList(f.session, random);
        ASSERT_EQ(list.questions.size(), 7u);
        EXPECT_EQ((QuestionIdList(list.questions.begin(), list.questions.begin() + 3)),
                  (QuestionIdList{4, 3, 1}));
        EXPECT_EQ((std::set<qint64>(list.questions.begin() + 3, list.questions.end())),
                  (std::set<qint64>{5, 6, 7, 8}));
        EXPECT_EQ(list.chosen, 8);
        EXPECT_EQ(list.rightLastTime, 1);
        EXPECT_EQ(list.missed, 3);
        firstNever.insert(list.questions[3]);
    }
    EXPECT_EQ(firstNever.size(), 4u);  // each never-answered question can come first
}

TEST(ReviewList, TheSummaryNamesWhatWasRightLastTime) {
    ReviewList list;
    list.chosen = 3;
    list.rightLastTime = 3;
    EXPECT_EQ(ReviewSummaryMessage(list),
              "Nothing left to review. 3 of 3 chosen questions were answered right last time.");
    list.chosen = 1;
    list.rightLastTime = 1;
    EXPECT_EQ(ReviewSummaryMessage(list),
              "Nothing left to review. 1 of 1 chosen question was answered right last time.");
    list.chosen = 5;
    list.rightLastTime = 3;
    list.questions = {4, 5};
    EXPECT_EQ(ReviewSummaryMessage(list),
              "Review finished. 3 of 5 chosen questions were answered right last time. 2 are "
              "still to review next time.");
}

// The answers of a test go into the record at their first answer: a question
// missed in one run and answered right in a later one leaves the review list;
// a miss counts even when the student leaves before answering it right, and a
// skip records nothing.
TEST(ReviewList, AnswersOfEarlierRunsDecideTheList) {
    ReviewFolder f;
    f.addFile(kNextQuestionSound);
    MersenneRandom random(3);
    LineMeasurer measurer;
    auto firstAnswerWrong = [&](int mode, int answers) {
        NullScreen screen;
        f.options.testMode = mode;
        ExamSession test(f.session, f.options, f.sounds, f.services.fatal, random, measurer,
                         screen);
        test.load();
        std::vector<qint64> asked;
        for (int i = 0; i < answers; ++i) {
            const QuestionOnScreen& q = *test.currentQuestion();
            asked.push_back(q.questionId);
            test.answer((q.correctLabel + (i == 0 ? 1 : 0)) % 4);
        }
        test.skip();
        test.leave();
        return asked;
    };

    // Mode 2: the first question missed and left on screen when the student leaves.
    const std::vector<qint64> first = firstAnswerWrong(kModeUntilRight, 1);
    f.newRun();
    ReviewList list = PrepareReviewList(f.session, random);
    EXPECT_EQ(list.questions.front(), first[0]);
    EXPECT_EQ(list.missed, 1);
    EXPECT_EQ(list.rightLastTime, 0);
    EXPECT_EQ(f.session.record.answerCount(), 1);  // the skip left nothing

    // A later run in mode 1 answers every question right but the first one.
    f.options.testMode = kModeEachOnce;
    NullScreen screen;
    ExamSession test(f.session, f.options, f.sounds, f.services.fatal, random, measurer, screen);
    test.load();
    qint64 missedNow = 0;
    while (!test.closed()) {
        const QuestionOnScreen& q = *test.currentQuestion();
        const bool miss = missedNow == 0;
        if (miss) missedNow = q.questionId;
        test.answer((q.correctLabel + (miss ? 1 : 0)) % 4);
    }
    f.newRun();
    list = PrepareReviewList(f.session, random);
    EXPECT_EQ(list.questions, QuestionIdList{missedNow});
    EXPECT_EQ(list.rightLastTime, 7);
    EXPECT_TRUE(screen.messages.isEmpty());
}

// The pool line after a real exam counts every section of the element, chosen
// or not, by each question's latest answer in its own pool.
TEST(PoolProgress, CountsTheWholeElementByTheLatestAnswer) {
    ReviewFolder f;
    f.answered("X1", false);
    f.answered("X2", false);
    f.answered("X2", true);  // right at the latest try
    f.answered("X3", true);
    f.answered("X3", false);              // wrong at the latest try
    f.answered("X9", true);               // section not chosen: still the pool's
    f.answered("X5", true, "Element 3");  // another pool's answer
    f.answered("X11", true);              // not a question a test asks
    f.newRun();

    PoolProgress pool = PoolProgressFor(f.session, 2);
    EXPECT_TRUE(pool.readOk);
    EXPECT_EQ(pool.right, 2);
    EXPECT_EQ(pool.questions, 9);
    EXPECT_EQ(PoolProgressLine(pool), "POOL: 2 of 9 right at your latest try");

    pool = PoolProgressFor(f.session, 3);
    EXPECT_EQ(pool.right, 0) << "X5 of Element 3's record is no question of element 3";
    EXPECT_EQ(pool.questions, 1);
}

// Answers given at set times stand for days of study; the review is made as
// it would be on a given day.
TEST(ReviewList, RightAnswersComeBackWhenDueTheLongestOverdueFirst) {
    ReviewFolder f;
    const QDate start(2026, 12, 1);
    const auto answer = [&](const QString& question, bool right, int day) {
        ASSERT_TRUE(f.session.record.add(
            {"Element 2", question, QDateTime(start.addDays(day), QTime(21, 30)), right}));
    };
    answer("X1", true, 0);  // due on day 1
    answer("X2", true, 0);
    answer("X3", true, 0);
    answer("X2", true, 1);   // twice right: due on day 4
    answer("X4", true, 1);   // due on day 2
    answer("X3", false, 2);  // a miss starts it over
    f.newRun();

    MersenneRandom random(5);
    ReviewList list = PrepareReviewList(f.session, random, start.addDays(2));
    ASSERT_EQ(list.questions.size(), 7u);
    EXPECT_EQ(QuestionIdList(list.questions.begin(), list.questions.begin() + 3),
              (QuestionIdList{1, 4, 3}));
    EXPECT_EQ((std::set<qint64>(list.questions.begin() + 3, list.questions.end())),
              (std::set<qint64>{5, 6, 7, 8}));
    EXPECT_EQ(list.due, 2);
    EXPECT_EQ(list.missed, 1);
    EXPECT_EQ(list.never, 4);
    EXPECT_EQ(list.rightLastTime, 3);
    EXPECT_EQ(ReviewCaption(list), "Review: 2 due, 1 missed, 4 new");

    // The day after, X2 falls due tomorrow.
    list = PrepareReviewList(f.session, random, start.addDays(3));
    EXPECT_EQ(list.due, 2);
    EXPECT_EQ(list.dueTomorrow, 1);
    EXPECT_EQ(ReviewCaption(list), "Review: 2 due, 1 missed, 4 new; 1 more due tomorrow");

    // Each right answer in a row waits longer: 1, 3, 7, 14, then 30 days for good.
    EXPECT_EQ(f.session.record.latest("Element 2")["X2"].spacing.due, start.addDays(1 + 3));
    int day = 4;
    const int waits[] = {7, 14, 30, 30};
    answer("X2", true, day);
    for (int wait : waits) {
        const Spacing spacing = f.session.record.latest("Element 2")["X2"].spacing;
        EXPECT_EQ(spacing.due, start.addDays(day + wait)) << "after the answer of day " << day;
        list = PrepareReviewList(f.session, random, start.addDays(day + wait - 1));
        EXPECT_EQ(std::count(list.questions.begin(), list.questions.end(), 2), 0);
        list = PrepareReviewList(f.session, random, start.addDays(day + wait));
        const auto at = std::find(list.questions.begin(), list.questions.end(), 2);
        EXPECT_LT(at - list.questions.begin(), list.due) << "X2 is due the day it falls due";
        day += wait;
        answer("X2", true, day);
    }
    answer("X2", false, day + 1);
    EXPECT_EQ(f.session.record.latest("Element 2")["X2"].spacing.box, 0);
    answer("X2", true, day + 2);
    EXPECT_EQ(f.session.record.latest("Element 2")["X2"].spacing.due, start.addDays(day + 3));
}

// "Study these": a review of some pool groups of the element, whatever
// sections are chosen, asking their missed questions, then their unseen ones.
TEST(ReviewList, AReviewOfChosenGroupsAsksOnlyTheirMissedThenUnseen) {
    qbank::BankContent c;
    c.sections = {{1, "T1", "", 2}, {2, "T2", "", 2}};
    const char* ids[] = {"T1A01", "T1A02", "T1A03", "T1B01", "T2A01", "T2A02"};
    for (int i = 0; i < 6; ++i) {
        qbank::BankQuestion q = Question(i + 1, i < 4 ? 1 : 2);
        q.fccQuestionId = ids[i];
        c.questions.push_back(q);
    }
    BankFolder f(c);
    f.session.sections(1).Ask = true;  // section 2 not chosen
    f.session.currentElement = 2;
    f.session.record.open(f.dir.filePath("quillet-record.db"));
    for (const auto& [id, right] :
         {std::pair{"T1A01", true}, {"T1A02", false}, {"T2A01", false}, {"T1B01", false}}) {
        f.session.record.add({"Element 2", id, QDateTime::currentDateTime().addDays(-5), right});
    }
    MersenneRandom random(9);
    const ReviewList list =
        PrepareReviewList(f.session, random, QDate::currentDate(), {"T1A", "T2A"});
    // T1A01 is right and due, but a group review asks only what raises the chance.
    ASSERT_EQ(list.questions.size(), 4u);
    EXPECT_EQ(QuestionIdList(list.questions.begin(), list.questions.begin() + 2),
              (QuestionIdList{5, 2}));
    EXPECT_EQ((std::set<qint64>(list.questions.begin() + 2, list.questions.end())),
              (std::set<qint64>{3, 6}));
    EXPECT_EQ(list.chosen, 5);
}

// A flagged question comes among the due ones, whether right, missed or new,
// and leaves that place once its flag is cleared.
TEST(ReviewList, FlaggedQuestionsAreAskedAmongTheDueOnes) {
    ReviewFolder f;
    const QDate today = QDate::currentDate();
    ASSERT_TRUE(f.session.record.add({"Element 2", "X1", QDateTime::currentDateTime(), true}));
    ASSERT_TRUE(f.session.record.add({"Element 2", "X2", QDateTime::currentDateTime(), false}));
    for (const char* id : {"X1", "X2", "X3"}) f.session.record.setFlag("Element 2", id, true);
    f.newRun();
    MersenneRandom random(2);
    ReviewList list = PrepareReviewList(f.session, random, today);
    EXPECT_EQ(list.due, 3);
    EXPECT_EQ((std::set<qint64>(list.questions.begin(), list.questions.begin() + 3)),
              (std::set<qint64>{1, 2, 3}));
    EXPECT_EQ(list.missed, 0);
    EXPECT_EQ(list.rightLastTime, 1);
    f.session.record.setFlag("Element 2", "X1", false);
    list = PrepareReviewList(f.session, random, today);
    EXPECT_EQ(std::count(list.questions.begin(), list.questions.end(), 1), 0);
}
