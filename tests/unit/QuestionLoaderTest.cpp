#include "EngineTestSupport.h"
#include "engine/core/Random.h"
#include "presentation/core/QuestionLoader.h"

#include <QtCore/qnamespace.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

using namespace quillet;
using namespace quillet::testing;

namespace {

namespace qa = question_area;

qbank::BankContent SmallBank() {
    qbank::BankContent c;
    c.sections = {{1, "T1", "Commission's Rules", 2}, {2, "T2", "Operating", 2}};
    qbank::BankQuestion q = Question(1, 1, "b");
    q.question = "Two\\nlines<TABLE>R\\t1\\nS\\t2\\nT\\t3";
    q.answerA = "A & B";
    q.figureId = 7;
    q.fccQuestionId = "T1A01";
    c.questions.push_back(q);
    c.questions.push_back(Question(2, 1, "C"));  // FIGUREID, FCCQUESTIONID set to null below
    c.questions.push_back(Question(3, 2));      // section not chosen
    c.questions.push_back(Question(4, 9));      // section not in the table
    c.questions.push_back(Question(5, 1, ""));  // no right answer
    qbank::BankQuestion zero = Question(6, 1);
    zero.figureId = 0;
    c.questions.push_back(zero);
    return c;
}

struct Loader : ::testing::Test {
    BankFolder bank{SmallBank()};
    MersenneRandom random{11};
    LineMeasurer measurer;
    void SetUp() override {
        bank.choose({1});
        bank.exec("UPDATE QUESTIONS SET FCCQUESTIONID=NULL, ANSWERD=NULL WHERE QuestionID=2");
        bank.state.currentFigureID = 42;
    }
    LoadOutcome load(qint64 id) { return LoadQuestion(bank.state, id, random, measurer); }
};

}  // namespace

TEST_F(Loader, FillsCaptionsTagsHeaderAndFigure) {
    const LoadOutcome out = load(1);
    ASSERT_TRUE(out.shown());
    const QuestionOnScreen& q = out.question;
    EXPECT_EQ(q.captions.question, "Two\nlines");
    EXPECT_EQ(q.captions.table, "R     1\nS     2\nT     3");
    EXPECT_EQ(q.answerTexts[0], "A & B");
    EXPECT_EQ(q.answerCaptions[0], "A && B");
    // A lower-case letter marks its own answer.
    EXPECT_EQ(q.tags, (std::array<QString, 4>{"Incorrrect", "Correct!", "Incorrrect", "Incorrrect"}));
    EXPECT_EQ(q.correctLabel, 1);
    EXPECT_EQ(q.questionIdCaption, "FCC Question ID: T1A01");
    EXPECT_EQ(q.sectionCaption, "T1 - Commission's Rules");
    EXPECT_TRUE(q.hasFigure);
    EXPECT_EQ(bank.state.currentFigureID, 7);
    EXPECT_EQ(q.sectionId, 1);
}

TEST_F(Loader, NullFieldsGiveEmptyTextsAndNoFigureLeavesTheFigureAlone) {
    for (const qint64 id : {2, 6}) {
        const LoadOutcome out = load(id);
        ASSERT_TRUE(out.shown()) << id;
        EXPECT_FALSE(out.question.hasFigure) << id;
    }
    EXPECT_EQ(bank.state.currentFigureID, 42);
    const QuestionOnScreen q = load(2).question;
    EXPECT_EQ(q.questionIdCaption, "FCC Question ID: ");
    EXPECT_EQ(q.answerTexts[3], "");
    EXPECT_EQ(q.tags[2], "Correct!");
}

TEST_F(Loader, QuestionsThatCannotBeAskedAreRefusedWithoutSideEffects) {
    EXPECT_EQ(load(99).status, LoadStatus::NoSuchQuestion);
    EXPECT_EQ(load(3).status, LoadStatus::SectionNotChosen);
    EXPECT_EQ(load(4).status, LoadStatus::SectionNotInTable);
    EXPECT_EQ(load(5).status, LoadStatus::NoRightAnswer);
    bank.exec("UPDATE QUESTIONS SET SectionID=4294967297 WHERE QuestionID=1");  // 2^32 + 1
    EXPECT_EQ(load(1).status, LoadStatus::SectionNotInTable);
    EXPECT_EQ(bank.state.currentFigureID, 42);
}

TEST_F(Loader, StacksQuestionTableAndAnswersWithTheirGaps) {
    const QuestionOnScreen q = load(1).question;
    const int tableTop = qa::kQuestionTop + 2 * LineMeasurer::kQuestionLine + 100;
    EXPECT_EQ(q.canvas.question, QRect(210, 570, 8355, 2 * LineMeasurer::kQuestionLine));
    EXPECT_EQ(q.canvas.table, QRect(420, tableTop, 8535, 3 * LineMeasurer::kTableLine));
    int top = tableTop + 3 * LineMeasurer::kTableLine + 140;
    for (const QRect& answer : q.canvas.answers) {
        EXPECT_EQ(answer, QRect(1050, top, 6495, LineMeasurer::kAnswerLine));
        top += LineMeasurer::kAnswerLine + 140;
    }
    // Without a table the first answer is 100 + 140 below the question.
    const QuestionOnScreen plain = load(2).question;
    EXPECT_EQ(plain.canvas.table.height(), 0);
    EXPECT_EQ(plain.canvas.answers[0].top(), plain.canvas.question.bottom() + 1 + 240);
    // The id label keeps its right edge; the button sits 40 twips to its left.
    const int idWidth = static_cast<int>(q.questionIdCaption.size()) * LineMeasurer::kIdCharWidth;
    EXPECT_EQ(q.header.questionId, QRect(9150 - idWidth, 90, idWidth, LineMeasurer::kIdHeight));
    EXPECT_EQ(q.header.figureButton, QRect(9150 - idWidth - 40 - 435, 60, 435, 375));
}

TEST_F(Loader, ShuffledAnswersKeepTheirTextsAndTags) {
    bank.state.shuffleOn = true;
    std::set<AnswerOrder> orders;
    for (int i = 0; i < 200; ++i) {
        const QuestionOnScreen q = load(1).question;
        orders.insert(q.order);
        AnswerOrder sorted = q.order;
        std::sort(sorted.begin(), sorted.end());
        ASSERT_EQ(sorted, kNaturalOrder);
        // Labels keep their answers; only their places change.
        EXPECT_EQ(q.answerTexts[1], "1 b");
        EXPECT_EQ(q.tags[1], "Correct!");
        int top = q.canvas.answers[static_cast<size_t>(q.order[0])].top();
        for (const int label : q.order) {
            EXPECT_EQ(q.canvas.answers[static_cast<size_t>(label)].top(), top);
            top += LineMeasurer::kAnswerLine + 140;
        }
    }
    EXPECT_GT(orders.size(), 1u);
}

TEST(DrawAnswerOrder, EveryOrderComesUpAboutEquallyOften) {
    MersenneRandom random(2024);
    std::map<AnswerOrder, int> counts;
    constexpr int kDraws = 24000;
    for (int i = 0; i < kDraws; ++i) ++counts[DrawAnswerOrder(random)];
    EXPECT_EQ(counts.size(), 24u);
    for (const auto& [order, count] : counts) {
        EXPECT_GT(count, kDraws / 24 * 8 / 10);
        EXPECT_LT(count, kDraws / 24 * 12 / 10);
    }
}

TEST(DrawAnswerOrder, EndsEvenWhenTheSourceRepeatsItself) {
    class Stuck : public RandomSource {
    public:
        void seed(unsigned int) override {}
        float next() override { return 0.3f; }
    } stuck;
    AnswerOrder order = DrawAnswerOrder(stuck);
    std::sort(order.begin(), order.end());
    EXPECT_EQ(order, kNaturalOrder);
}

TEST(QuestionArea, ScrollBarsAndKeys) {
    EXPECT_EQ(VerticalScrollRange().maximum, 105);  // 10485 / 100, rounded
    EXPECT_EQ(HorizontalScrollRange().maximum, 101);
    EXPECT_EQ(CanvasOffset(3), -300);
    EXPECT_EQ(AnswerPlaceForKey(Qt::Key_1), 0);
    EXPECT_EQ(AnswerPlaceForKey(Qt::Key_4), 3);
    EXPECT_EQ(AnswerPlaceForKey(Qt::Key_B), 1);
    EXPECT_EQ(AnswerPlaceForKey(Qt::Key_D), 3);
    for (const int other : {Qt::Key_0, Qt::Key_5, Qt::Key_E, Qt::Key_Space}) {
        EXPECT_EQ(AnswerPlaceForKey(other), -1);
    }
}
