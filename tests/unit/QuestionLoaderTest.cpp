// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include <algorithm>
#include <map>

#include "EngineTestSupport.h"
#include "presentation/core/QuestionLoader.h"
#include "shell/core/Random.h"

using namespace quillet;
using namespace quillet::testing;

namespace {

struct Loader : ::testing::Test {
    BankFolder bank{Content()};
    MersenneRandom random{11};
    LineMeasurer measurer;

    static qbank::BankContent Content() {
        qbank::BankContent c;
        c.sections = {{1, "T1", "Commission's Rules", 2}, {2, "T2", "Operating", 2}};
        qbank::BankQuestion q = Question(1, 1, "b");
        q.question = "Two\\nlines<TABLE>R\\t1\\nS\\t2\\nT\\t3";
        q.answerA = "A & B";
        q.figureId = 7;
        q.fccQuestionId = "T1A01";
        c.questions = {q, Question(2, 1, "C"), Question(3, 2), Question(4, 9), Question(5, 1, "")};
        c.questions[1].figureId = 0;
        return c;
    }
    void SetUp() override {
        bank.session.sections(1).Ask = true;
        bank.exec("UPDATE QUESTIONS SET FCCQUESTIONID=NULL, ANSWERD=NULL WHERE QuestionID=2");
    }
    LoadOutcome load(qint64 id) {
        return LoadQuestion(bank.session, bank.options.shuffleOn, id, random, measurer);
    }
};

}  // namespace

TEST_F(Loader, FillsCaptionsRightAnswerHeaderAndFigure) {
    const LoadOutcome out = load(2);
    ASSERT_TRUE(out.shown());
    EXPECT_EQ(out.question.questionIdCaption, "FCC Question ID: ");  // null pool number
    EXPECT_EQ(out.question.answerTexts[3], "");
    EXPECT_EQ(out.question.correctLabel, 2);
    EXPECT_FALSE(out.question.hasFigure);

    const QuestionOnScreen q = load(1).question;
    EXPECT_EQ(q.captions.question, "Two\nlines");
    EXPECT_EQ(q.captions.table, "R     1\nS     2\nT     3");
    EXPECT_EQ(q.answerTexts[0], "A & B");
    EXPECT_EQ(q.answerCaptions[0], "A && B");
    // A lower-case letter marks its own answer.
    EXPECT_EQ(q.correctLabel, 1);
    EXPECT_EQ(q.questionIdCaption, "FCC Question ID: T1A01");
    EXPECT_EQ(q.sectionCaption, "T1 - Commission's Rules");
    EXPECT_TRUE(q.hasFigure);
    EXPECT_EQ(q.figureId, 7);
}

TEST_F(Loader, QuestionsThatCannotBeAskedAreRefusedWithoutSideEffects) {
    EXPECT_EQ(load(99).status, LoadStatus::NoSuchQuestion);
    EXPECT_EQ(load(3).status, LoadStatus::SectionNotChosen);
    EXPECT_EQ(load(4).status, LoadStatus::SectionNotInTable);
    EXPECT_EQ(load(5).status, LoadStatus::NoRightAnswer);  // empty letter
    bank.exec("UPDATE QUESTIONS SET Question=NULL WHERE QuestionID=2");
    EXPECT_EQ(load(2).status, LoadStatus::NoQuestionText);
    bank.exec("UPDATE QUESTIONS SET SectionID=4294967297 WHERE QuestionID=1");  // 2^32 + 1
    EXPECT_EQ(load(1).status, LoadStatus::SectionNotInTable);
}

TEST_F(Loader, StacksQuestionTableAndAnswersWithTheirGaps) {
    const QuestionOnScreen q = load(1).question;
    const int tableTop = 570 + 2 * 330 + 100;
    EXPECT_EQ(q.canvas.question, QRect(210, 570, 8355, 2 * 330));
    EXPECT_EQ(q.canvas.table, QRect(420, tableTop, 8535, 3 * 270));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(q.canvas.answers[static_cast<size_t>(i)],
                  QRect(1050, tableTop + 3 * 270 + 140 + i * (285 + 140), 6495, 285));
    }
    // Without a table the first answer is 100 + 140 below the question.
    EXPECT_EQ(load(2).question.canvas.answers[0].top(), 570 + 330 + 240);
    // The id label keeps its right edge; the button sits 40 twips to its left.
    const int idWidth = static_cast<int>(q.questionIdCaption.size()) * 90;
    EXPECT_EQ(q.header.questionId, QRect(9150 - idWidth, 90, idWidth, 240));
    EXPECT_EQ(q.header.figureButton, QRect(9150 - idWidth - 40 - 435, 60, 435, 375));
}

TEST_F(Loader, ShuffledAnswersKeepTheirTextsAndRightAnswerAndStackInOrder) {
    bank.options.shuffleOn = true;
    std::map<int, int> onTop;
    for (int i = 0; i < 50; ++i) {
        const QuestionOnScreen q = load(1).question;
        ++onTop[q.order[0]];
        EXPECT_EQ(q.answerTexts[1], "1 b");
        EXPECT_EQ(q.correctLabel, 1);
        int top = q.canvas.answers[static_cast<size_t>(q.order[0])].top();
        for (const int label : q.order) {
            EXPECT_EQ(q.canvas.answers[static_cast<size_t>(label)].top(), top);
            top += 285 + 140;
        }
    }
    EXPECT_EQ(onTop.size(), 4u);
}

TEST(DrawAnswerOrder, EveryOrderComesUpAboutEquallyOften) {
    MersenneRandom random(2024);
    std::map<AnswerOrder, int> counts;
    for (int i = 0; i < 24000; ++i) ++counts[DrawAnswerOrder(random)];
    EXPECT_EQ(counts.size(), 24u);
    for (const auto& [order, count] : counts) EXPECT_TRUE(count > 800 && count < 1200) << count;
}

// What a screen reader says when a question arrives: the question with its
// pool id and table as sentences, the answers below the top one in their
// order on screen, and the progress; "&&" is a shown "&".
TEST(SpokenQuestion, ReadsQuestionTableAnswersInScreenOrderAndProgress) {
    QuestionOnScreen q;
    q.poolQuestionId = "T5A01";
    q.captions.question = "What is  R && X";
    q.captions.table = "R  10\nX  20";
    q.answerTexts = {"ohms", "volts", "watts.", "amperes"};
    q.order = {2, 0, 3, 1};
    EXPECT_EQ(SpokenAnswer(q, 0), "Answer 1: watts.");
    EXPECT_EQ(SpokenQuestionText(q), "Question T5A01: What is R & X. R 10 X 20.");
    EXPECT_EQ(SpokenQuestion(q, "5 Questions to go"),
              "Question T5A01: What is R & X. R 10 X 20. Answer 2: ohms. Answer 3: amperes. "
              "Answer 4: volts. 5 Questions to go.");
    q.poolQuestionId.clear();
    q.captions.table.clear();
    q.captions.question = "Which one?";
    EXPECT_EQ(SpokenQuestion(q, QString()),
              "Question: Which one? Answer 2: ohms. Answer 3: amperes. Answer 4: volts.");
}
