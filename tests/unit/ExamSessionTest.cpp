// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include <QtCore/qnamespace.h>

#include "ExamRun.h"
#include "shell/core/Random.h"

using namespace quillet;
using namespace quillet::testing;

TEST(ExamSession, EachOnceCountsDownAndClosesWhenTheListIsUsedUp) {
    BankFolder bank(3, 2);
    bank.session.sections(1).AskedCount = 9;  // left over from an earlier test
    Running s(bank, kModeEachOnce);
    EXPECT_EQ(s.screen.testType, "Asking each question exactly once.");
    EXPECT_EQ(s.asked(), 0);
    s.right();
    s.wrong();
    s.right();
    EXPECT_EQ(s.screen.progress,
              (QStringList{"3 Questions to go", "2 Questions to go", "This is the last question",
                           "All done!  Why are you still here?"}));
    EXPECT_EQ(s.screen.closed, 1);
    EXPECT_TRUE(s.screen.messages.isEmpty());
    EXPECT_EQ(s.asked(), 3);
    EXPECT_EQ(s.correct(), 2);
    EXPECT_EQ(bank.sound.played.size(), 3);
    s.right();  // a closed screen takes no answers
    EXPECT_EQ(s.asked(), 3);
}

TEST(ExamSession, UntilRightQueuesAMissedQuestionOnceAndScoresItAsMissed) {
    BankFolder bank(3, 2);
    Running s(bank, kModeUntilRight);
    const qint64 first = s.q().questionId;
    s.wrong();
    EXPECT_EQ(s.screen.messages.back(), "Incorrrect");
    EXPECT_EQ(s.screen.run, "Current Run: 0");
    EXPECT_EQ(s.screen.progress.back(), "3 Questions to go");
    s.wrong();
    EXPECT_EQ(s.test.questionList().size(), 3u);  // queued once only
    EXPECT_EQ(s.q().questionId, first);           // and still on screen

    const QString text = s.q().answerTexts[static_cast<size_t>(s.q().correctLabel)];
    s.right();
    EXPECT_EQ(s.screen.messages.back(), "Correct!\n\n" + text);
    EXPECT_EQ(s.asked(), 1);
    EXPECT_EQ(s.correct(), 0);
    EXPECT_EQ(s.screen.run, "Current Run: 0");

    s.right();
    s.right();
    EXPECT_EQ(s.screen.run, "Current Run: 2");

    EXPECT_EQ(s.q().questionId, first);  // back at the end of the list
    s.right();
    EXPECT_EQ(s.screen.closed, 1);
    EXPECT_EQ(s.asked(), 4);
    EXPECT_EQ(s.correct(), 3);
}

TEST(ExamSession, ContinuousDrawsWithRepetitionUntilTheStudentLeaves) {
    BankFolder bank(3, 2);
    Running s(bank, kModeContinuous);
    EXPECT_EQ(s.screen.progress.back(), "0 of 0 Questions Correct");
    s.right();
    s.wrong();
    s.right();
    EXPECT_EQ(s.screen.progress.back(), "1 of 2 Questions Correct");
    EXPECT_EQ(s.asked(), 2);
    EXPECT_EQ(s.correct(), 1);
    for (int i = 0; i < 30; ++i) s.right();
    EXPECT_EQ(s.test.questionList().size(), 3u);
    EXPECT_EQ(s.test.questionsShown(), 33);
    EXPECT_EQ(s.screen.closed, 0);
    s.test.leave();
    EXPECT_EQ(s.screen.closed, 1);
}

TEST(ExamSession, SimulatedExamStopsAtItsSizeAndCannotSkip) {
    BankFolder bank(40, 1);
    Running s(bank, kModeSimulatedExam);
    s.test.skip();
    for (int i = 1; i <= 35; ++i) {
        EXPECT_EQ(s.screen.progress.back(), QString::number(i) + " of 35");
        s.wrong();
    }
    EXPECT_EQ(s.screen.closed, 1);
    EXPECT_EQ(s.asked(), 35);
}

TEST(ExamSession, SkippedQuestionCountsForNothingAndDoesNotReturn) {
    BankFolder bank(3, 2);
    Running s(bank, kModeEachOnce);
    const qint64 skipped = s.q().questionId;
    s.test.skip();
    EXPECT_EQ(s.test.questionsShown(), 1);
    s.right();
    s.right();
    EXPECT_EQ(s.screen.closed, 1);
    EXPECT_EQ(s.asked(), 2);
    EXPECT_EQ(std::count(s.screen.shown.begin(), s.screen.shown.end(), skipped), 1);
}

TEST(ExamSession, RunCarriesOverToTheNextTest) {
    BankFolder bank(3, 2);
    {
        Running s(bank, kModeUntilRight);
        for (int i = 0; i < 3; ++i) s.right();
    }
    Running next(bank, kModeContinuous);
    EXPECT_EQ(next.screen.run, "");
    next.right();
    EXPECT_EQ(next.screen.run, "Current Run: 4");
}

TEST(ExamSession, QuestionsThatCannotBeShownAreNeverScored) {
    BankFolder bank(3, 2);
    Running s(bank, kModeEachOnce);
    bank.exec(QString("DELETE FROM QUESTIONS WHERE QuestionID=%1").arg(s.test.questionList()[0]));
    s.right();
    s.right();  // the vanished question is passed over, not the last one scored again
    EXPECT_EQ(s.screen.closed, 1);
    EXPECT_EQ(s.asked(), 2);

    bank.exec("DELETE FROM QUESTIONS");
    Running empty(bank, kModeContinuous);
    EXPECT_TRUE(empty.test.result().questionsNotFound);
    EXPECT_EQ(empty.screen.closed, 1);
}

TEST(ExamSession, ABankThatFailsEndsTheProgramInsteadOfPassingForNoQuestions) {
    // A table gone when the test starts.
    BankFolder gone(3, 2);
    gone.exec("DROP TABLE QUESTIONS");
    Running start(gone, kModeEachOnce);
    EXPECT_FALSE(start.test.result().questionsNotFound) << "not a matter of settings";
    EXPECT_EQ(start.screen.closed, 1);
    ASSERT_EQ(gone.fatal.calls.size(), 1u);
    EXPECT_EQ(gone.fatal.calls[0].first, "Critical Error");
    EXPECT_TRUE(gone.fatal.calls[0].second.contains(gone.session.databasePath));
    EXPECT_TRUE(gone.fatal.calls[0].second.contains("no such table"))
        << gone.fatal.calls[0].second.toStdString();

    // The file spoilt while a test runs: the next question cannot be read.
    for (const int mode : {kModeEachOnce, kModeContinuous}) {
        BankFolder bank(3, 2);
        Running s(bank, mode);
        ASSERT_EQ(s.screen.shown.size(), 1u);
        QFile file(bank.session.databasePath);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.write(QByteArray(file.size(), 'x'));
        file.close();
        s.right();
        EXPECT_EQ(s.screen.shown.size(), 1u) << "nothing is shown from a failing bank";
        EXPECT_EQ(s.screen.closed, 1);
        EXPECT_FALSE(s.test.result().questionsNotFound);
        ASSERT_EQ(bank.fatal.calls.size(), 1u) << mode;
        EXPECT_TRUE(bank.fatal.calls[0].second.contains(bank.session.databasePath));
    }
}

TEST(ExamSession, KeysOneToFourAndAToDAnswerByPlaceFromTheTop) {
    BankFolder bank(3, 2);
    bank.options.shuffleOn = true;
    Running s(bank, kModeEachOnce);
    EXPECT_FALSE(s.test.answerKey(Qt::Key_E));
    EXPECT_FALSE(s.test.answerKey(Qt::Key_5));
    for (const int firstKey : {Qt::Key_1, Qt::Key_A}) {
        const auto& order = s.q().order;
        const auto place =
            std::find(order.begin(), order.end(), s.q().correctLabel) - order.begin();
        EXPECT_TRUE(s.test.answerKey(firstKey + static_cast<int>(place)));
    }
    EXPECT_EQ(s.correct(), 2);
}

TEST(ExamSession, MarkingNamesTheRuleTheQuestionRestsOn) {
    BankFolder bank(1, 2, 1);
    bank.exec("UPDATE QUESTIONS SET REFERENCE='97.119(b)(2)'");
    Running s(bank, kModeUntilRight);
    s.wrong();
    EXPECT_EQ(s.screen.messages.back(), "Incorrrect\n\nRule: 47 CFR 97.119(b)(2)");
    const QString text = s.q().answerTexts[static_cast<size_t>(s.q().correctLabel)];
    s.right();
    EXPECT_EQ(s.screen.messages.back(), "Correct!\n\n" + text + "\n\nRule: 47 CFR 97.119(b)(2)");
}

// With shuffled answers the record keeps the pool's letter of the answer
// chosen, not its place on screen: letters that map back to the bank's right
// answers exactly when the answer was right.
TEST(ExamSession, TheRecordKeepsTheChosenLetterInPoolOrderUnderShuffle) {
    qbank::BankContent c = BankFolder::Content(12, 2, 2);
    const QString letters = "ABCD";
    for (auto& q : c.questions) q.answer = letters[q.id % 4];
    BankFolder bank(c);
    for (SectionInfo& section : bank.session.sections) section.Ask = true;
    bank.session.currentElement = 2;
    bank.session.record.open(bank.dir.filePath("quillet-record.db"));
    bank.options.shuffleOn = true;
    Running s(bank, kModeEachOnce);
    QHash<QString, QChar> shownAt;  // pool id -> the pool letter at the place answered
    bool shuffled = false;
    for (int i = 0; !s.test.closed(); ++i) {
        const QuestionOnScreen& q = s.q();
        shuffled = shuffled || q.order != kNaturalOrder;
        shownAt.insert(q.poolQuestionId, QChar(u'A' + q.order[size_t(i % 4)]));
        ASSERT_TRUE(s.test.answerKey(Qt::Key_1 + i % 4));
    }
    ASSERT_TRUE(shuffled);
    const std::vector<TestAnswer> answers =
        bank.session.record.testAnswers(s.test.result().recordTest);
    ASSERT_EQ(answers.size(), 12u);
    int right = 0;
    for (const TestAnswer& a : answers) {
        const QChar bankLetter = letters[a.question.mid(1).toInt() % 4];
        EXPECT_EQ(a.chosen, shownAt.value(a.question)) << a.question.toStdString();
        EXPECT_EQ(a.right, a.chosen == bankLetter) << a.question.toStdString();
        EXPECT_GE(a.seconds, 0);
        right += a.right ? 1 : 0;
    }
    EXPECT_EQ(right, s.correct());
    const RecordedTest kept = bank.session.record.test(s.test.result().recordTest);
    EXPECT_EQ(kept.mode, kModeEachOnce);
    EXPECT_TRUE(kept.ended.isValid());
}

// M on the test screen flags the question on screen; the flag outlives the run.
TEST(ExamSession, AFlagSetDuringATestSurvivesARestart) {
    BankFolder bank(3, 2);
    const QString path = bank.dir.filePath("quillet-record.db");
    bank.session.record.open(path);
    QString flagged;
    {
        Running s(bank, kModeEachOnce);
        flagged = s.q().poolQuestionId;
        EXPECT_TRUE(s.test.toggleFlag());
        EXPECT_TRUE(s.screen.messages.last().startsWith(flagged + " is flagged"));
        s.right();
        EXPECT_TRUE(s.test.toggleFlag());  // the next question, flagged and cleared again
        EXPECT_TRUE(s.test.toggleFlag());
        EXPECT_TRUE(s.screen.messages.last().endsWith("is no longer flagged."));
    }
    bank.session.record.close();
    bank.session.record.open(path);
    EXPECT_EQ(bank.session.record.flags("Element 2"), QSet<QString>{flagged});
}
