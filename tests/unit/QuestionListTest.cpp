// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include <algorithm>

#include "EngineTestSupport.h"
#include "engine/core/QuestionList.h"
#include "shell/core/Random.h"

using namespace quillet;
using namespace quillet::testing;

namespace {

struct Prepared {
    QuestionIdList list{98};  // stale items must go
    int simulated;
    QString message;
    bool nothingFound = false;
};

Prepared Prepare(const BankFolder& bank, int simulated) {
    MersenneRandom random(7);
    Prepared p{.simulated = simulated, .message = {}};
    QuestionIdList scramble{99};
    const PreparedList prepared = PrepareQuestionList(bank.session, bank.options.testMode, random,
                                                      p.list, scramble, p.simulated);
    p.message = prepared.message;
    p.nothingFound = prepared.nothingFound();
    EXPECT_TRUE(scramble.empty());
    std::sort(p.list.begin(), p.list.end());
    return p;
}

}  // namespace

TEST(PrepareQuestionList, ListsChosenSectionsOfTheElementWithAnAnswerLetter) {
    // Section 2 is not chosen and 3 is General; section 5, the fourth row
    // after a gap in the ids, is found by its id; no section has id 0.
    qbank::BankContent c;
    c.sections = {{1, "T1", "", 2}, {2, "T2", "", 2}, {3, "G1", "", 3}, {5, "T5", "", 2}};
    int id = 0;
    for (const char* letter : {"A", "B", "C", "D", "a", "E", ""}) {
        c.questions.push_back(Question(++id, 1, letter));
    }
    for (const int section : {2, 3, 5, 0}) c.questions.push_back(Question(++id, section));
    BankFolder bank(c);
    bank.session.sections(1).Ask = bank.session.sections(3).Ask = bank.session.sections(4).Ask =
        true;
    bank.session.currentElement = 2;
    EXPECT_EQ(Prepare(bank, 30).list, (QuestionIdList{1, 2, 3, 4, 10}));
    EXPECT_FALSE(Prepare(bank, 30).nothingFound);
    bank.session.currentElement = 3;
    EXPECT_EQ(Prepare(bank, 30).list, QuestionIdList{9});
    bank.session.currentElement = 5;
    EXPECT_TRUE(Prepare(bank, 30).list.empty());
    EXPECT_TRUE(Prepare(bank, 30).nothingFound);
}

TEST(PrepareQuestionList, ShortSimulatedExamIsAnnouncedAndShortened) {
    BankFolder bank(25, 5, 1);
    bank.options.testMode = kModeSimulatedExam;
    Prepared p = Prepare(bank, SimulatedQuestionCount(5));
    EXPECT_EQ(p.message,
              "You have chosen to take a test of 40 questions.  However, based on the "
              "categories you chose,  only 25 questions are available, so the test will only "
              "have that many questions.");
    EXPECT_EQ(p.simulated, 25);

    p = Prepare(bank, 20);  // enough: no message, and the list is not cut
    EXPECT_EQ(p.message, "");
    EXPECT_EQ(p.simulated, 20);
    EXPECT_EQ(p.list.size(), 25u);

    bank.options.testMode = kModeContinuous;  // other modes never shorten
    EXPECT_EQ(Prepare(bank, 40).simulated, 40);

    bank.exec("DELETE FROM QUESTIONS WHERE QuestionID > 1");
    bank.options.testMode = kModeSimulatedExam;
    EXPECT_TRUE(Prepare(bank, 40).message.endsWith(
        "chose,  only 1 question is  available, so the test will only have that many "
        "questions."));
}

// The fast shuffles must draw and place exactly as moving one item at a time.
TEST(RandomOrder, MatchesOneAtATimeInsertionAndRemoval) {
    for (const int n : {0, 1, 2, 7, 1000}) {
        QuestionIdList ids, expected, moved{1}, expectedMoved{1};
        for (int i = 0; i < n; ++i) ids.push_back(100 + i);
        MersenneRandom fast(static_cast<unsigned>(n)), slow(static_cast<unsigned>(n));

        QuestionIdList inserted = InsertAtRandomPositions(ids, fast);
        for (const qint64 id : ids) {
            const int at = RandomIndexBelow(slow, static_cast<int>(expected.size()) + 1);
            expected.insert(expected.begin() + at, id);
        }
        ASSERT_EQ(inserted, expected) << n;

        MoveInRandomOrder(inserted, moved, fast);
        while (!expected.empty()) {
            const int at = RandomIndexBelow(slow, static_cast<int>(expected.size()));
            expectedMoved.push_back(expected[static_cast<size_t>(at)]);
            expected.erase(expected.begin() + at);
        }
        EXPECT_TRUE(inserted.empty());
        EXPECT_EQ(moved, expectedMoved) << n;
    }
}

// The bank's index answers the question list query by itself, so that the first
// test of a run reads a few pages rather than every question's text.
TEST(PrepareQuestionList, QueryIsAnsweredFromTheBanksIndex) {
    BankFolder bank(25, 5, 1);
    Query plan(bank.session.database,
               (std::string("EXPLAIN QUERY PLAN ") + kQuestionListQuery).c_str());
    QString steps;
    while (plan.next()) steps += plan.text("detail") + '\n';
    EXPECT_TRUE(steps.contains("COVERING INDEX QUESTIONS_SECTION_ANSWER")) << steps.toStdString();
}
