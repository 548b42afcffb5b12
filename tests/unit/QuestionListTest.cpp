#include "EngineTestSupport.h"
#include "engine/core/QuestionList.h"
#include "engine/core/Random.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace quillet;
using namespace quillet::testing;

namespace {

// Technician sections 1 (chosen) and 2 (not chosen), a General section 3
// (chosen), and a Technician section numbered 5 that lands at index 4, so a
// question naming section 5 points past the section table.
qbank::BankContent MixedBank() {
    qbank::BankContent c;
    c.sections = {{1, "T1", "One", 2}, {2, "T2", "Two", 2}, {3, "G1", "Three", 3},
                  {5, "T5", "Five", 2}};
    int id = 0;
    for (const char* letter : {"A", "B", "C", "D", "a", "E", ""}) {
        c.questions.push_back(Question(++id, 1, letter));  // ids 1..7
    }
    c.questions.push_back(Question(8, 2));   // section not chosen
    c.questions.push_back(Question(9, 3));   // other element
    c.questions.push_back(Question(10, 5));  // section past the table
    c.questions.push_back(Question(11, 0));  // no such section
    return c;
}

qbank::BankContent ExtraBank(int questions) {
    qbank::BankContent c;
    c.sections = {{1, "E1", "Rules", 5}};
    for (int id = 1; id <= questions; ++id) c.questions.push_back(Question(id, 1));
    return c;
}

struct Prepared {
    QuestionIdList list;
    PreparedList result;
    int simulated = 0;
};

Prepared Prepare(AppState& state, int simulated, unsigned seed = 7) {
    MersenneRandom random(seed);
    Prepared p;
    QuestionIdList scramble{99};
    p.list = {98};
    p.simulated = simulated;
    p.result = PrepareQuestionList(state, random, p.list, scramble, p.simulated);
    EXPECT_TRUE(scramble.empty());
    return p;
}

}  // namespace

TEST(PrepareQuestionList, ListsChosenSectionsOfTheElementWithAnAnswerLetter) {
    BankFolder bank(MixedBank());
    bank.choose({1, 3, 4});
    bank.state.currentElement = 2;
    Prepared p = Prepare(bank.state, 30);
    std::sort(p.list.begin(), p.list.end());
    EXPECT_EQ(p.list, (QuestionIdList{1, 2, 3, 4}));
    EXPECT_FALSE(bank.state.questionsNotFound);

    bank.state.currentElement = 3;
    EXPECT_EQ(Prepare(bank.state, 30).list, QuestionIdList{9});
}

TEST(PrepareQuestionList, NothingChosenForTheElementSetsQuestionsNotFound) {
    BankFolder bank(MixedBank());
    bank.choose({3});
    bank.state.currentElement = 2;
    bank.state.testMode = kModeEachOnce;
    const Prepared p = Prepare(bank.state, 30);
    EXPECT_TRUE(p.list.empty());
    EXPECT_TRUE(bank.state.questionsNotFound);
    EXPECT_TRUE(p.result.message.isEmpty());
}

TEST(PrepareQuestionList, ShortSimulatedExamIsAnnouncedAndShortened) {
    BankFolder bank(ExtraBank(25));
    bank.choose({1});
    bank.state.currentElement = 5;
    bank.state.testMode = kModeSimulatedExam;
    Prepared p = Prepare(bank.state, SimulatedQuestionCount(5));
    EXPECT_EQ(p.result.message,
              "You have chosen to take a test of 40 questions.  However, based on the "
              "categories you chose,  only 25 questions are available, so the test will only "
              "have that many questions.");
    EXPECT_EQ(p.simulated, 25);
    EXPECT_EQ(p.list.size(), 25u);

    // Enough questions: no message, the count stays and the list is not cut.
    p = Prepare(bank.state, 20);
    EXPECT_TRUE(p.result.message.isEmpty());
    EXPECT_EQ(p.simulated, 20);
    EXPECT_EQ(p.list.size(), 25u);

    // Other modes never shorten.
    bank.state.testMode = kModeContinuous;
    p = Prepare(bank.state, 40);
    EXPECT_TRUE(p.result.message.isEmpty());
    EXPECT_EQ(p.simulated, 40);
}

TEST(PrepareQuestionList, SingleQuestionUsesTheSingularWording) {
    BankFolder bank(ExtraBank(1));
    bank.choose({1});
    bank.state.currentElement = 5;
    bank.state.testMode = kModeSimulatedExam;
    const Prepared p = Prepare(bank.state, 40);
    EXPECT_TRUE(p.result.message.endsWith(
        "chose,  only 1 question is  available, so the test will only have that many "
        "questions."));
    EXPECT_EQ(p.simulated, 1);
}

TEST(PrepareQuestionList, ReadFailureGivesAnEmptyList) {
    BankFolder bank(ExtraBank(3));
    bank.choose({1});
    bank.state.currentElement = 5;
    bank.exec("DROP TABLE SECTIONS");
    const Prepared p = Prepare(bank.state, 40);
    EXPECT_FALSE(p.result.readOk);
    EXPECT_TRUE(p.list.empty());
    EXPECT_TRUE(bank.state.questionsNotFound);
}

// The fast shuffles must draw and place exactly as moving items one at a time does.
TEST(RandomOrder, MatchesOneAtATimeInsertionAndRemoval) {
    for (const int n : {0, 1, 2, 7, 1000}) {
        QuestionIdList ids(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i) ids[static_cast<size_t>(i)] = 100 + i;

        MersenneRandom fast(static_cast<unsigned>(n) + 1);
        MersenneRandom slow(static_cast<unsigned>(n) + 1);

        QuestionIdList inserted = InsertAtRandomPositions(ids, fast);
        QuestionIdList expected;
        for (const qint64 id : ids) {
            const int at = RandomIndexBelow(slow, static_cast<int>(expected.size()) + 1);
            expected.insert(expected.begin() + at, id);
        }
        ASSERT_EQ(inserted, expected) << n;

        QuestionIdList moved{1};
        MoveInRandomOrder(inserted, moved, fast);
        QuestionIdList expectedMoved{1};
        while (!expected.empty()) {
            const int at = RandomIndexBelow(slow, static_cast<int>(expected.size()));
            expectedMoved.push_back(expected[static_cast<size_t>(at)]);
            expected.erase(expected.begin() + at);
        }
        EXPECT_TRUE(inserted.empty());
        EXPECT_EQ(moved, expectedMoved) << n;
    }
}

namespace {
class FixedRandom : public RandomSource {
public:
    explicit FixedRandom(float value) : value_(value) {}
    void seed(unsigned int) override {}
    float next() override { return value_; }

private:
    float value_;
};
}  // namespace

TEST(RandomIndexBelow, StaysBelowTheBoundForAnyDraw) {
    for (const float draw : {0.0f, 0.5f, 0.99999994f, 1.0f, 7.0f, -0.5f}) {
        FixedRandom random(draw);
        for (const int n : {1, 3, 4, 20000, 16777217}) {
            const int index = RandomIndexBelow(random, n);
            EXPECT_GE(index, 0) << draw << " " << n;
            EXPECT_LT(index, n) << draw << " " << n;
        }
    }
    MersenneRandom random(3);
    for (int i = 0; i < 100000; ++i) {
        const float f = random.next();
        ASSERT_TRUE(f >= 0.0f && f < 1.0f);
    }
}
