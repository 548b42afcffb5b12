// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include <gtest/gtest.h>

#include <QDateTime>

#include "AddedBank.h"
#include "EngineTestSupport.h"
#include "presentation/core/ReadThrough.h"
#include "shell/core/FileLocations.h"
#include "shell/core/QuestionBank.h"

using namespace quillet;
using namespace quillet::testing;

namespace {

qbank::BankQuestion Asked(int id, int section, const QString& poolId, const QString& question,
                          const QStringList& answers, const QString& letter = "A") {
    return {id,
            section,
            question,
            answers.value(0),
            answers.value(1),
            answers.value(2),
            answers.value(3),
            letter,
            {},
            poolId,
            {}};
}

// Two Technician sections, three groups, with symbols, accents and mixed case to search for;
// the ids are stored out of pool order.
qbank::BankContent Pool() {
    qbank::BankContent c;
    c.sections = {{1, "T1", "Commission's Rules", 2},
                  {2, "T5", "Electrical Principles", 2},
                  {3, "G1", "Rules", 3}};
    c.questions = {
        Asked(1, 2, "T5B02", "What is the unit of capacitance?",
              {"The ohm", "The Farad", "The henry", "The watt"}, "B"),
        Asked(2, 2, "T5B01", "A resistor of 4.7 kΩ is how many ohms?",
              {"47", "470", "4,700", "47,000"}, "C"),
        Asked(3, 2, "T5A01", "Which is 22 µF?",
              {"22 microfarads", "22 picofarads", "both", "none"}),
        Asked(4, 1, "T1A02", "A phase shift of 90&#176; is what?",
              {"A quarter cycle", "Half", "Whole", "None"}, "A"),
        Asked(5, 1, "T1A01", "Who writes the RÉSUMÉ of the “Rules”?",
              {"The FCC", "The ITU", "Nobody", "Everyone"}, "A"),
        Asked(6, 3, "G1A01", "A General question about 10 Ω?", {"a", "b", "c", "d"}),
        Asked(7, 1, "T1A03", "No right answer", {"a", "b", "c", "d"}, "E"),
    };
    c.questions[4].reference = "97.301(d)";
    c.questions[2].figureId = 4;
    return c;
}

QStringList Ids(const ReadThrough& pool, const ReadSelection& selection) {
    QStringList ids;
    for (int i : pool.select(selection)) ids << pool.question(i).poolId;
    return ids;
}

QStringList Search(const ReadThrough& pool, const QString& text) {
    ReadSelection selection;
    selection.search = text;
    return Ids(pool, selection);
}

struct ReadThroughPool : ::testing::Test {
    BankFolder folder{Pool()};
    ReadThrough pool;
    void SetUp() override { ASSERT_TRUE(pool.load(folder.session, 2)); }
};

}  // namespace

TEST_F(ReadThroughPool, ReadsTheElementsAskableQuestionsInPoolOrder) {
    EXPECT_EQ(Search(pool, ""), QStringList({"T1A01", "T1A02", "T5A01", "T5B01", "T5B02"}));
    const PoolQuestion& first = pool.question(0);
    EXPECT_EQ(first.sectionCaption, "T1 - Commission's Rules");
    EXPECT_EQ(first.group, "T1A");
    EXPECT_EQ(first.correct, 0);
    EXPECT_EQ(first.ruleCaption, "Rule: 47 CFR 97.301(d)");
    EXPECT_EQ(pool.question(1).captions.question, "A phase shift of 90° is what?");
    EXPECT_EQ(pool.question(2).figureId, 4);
    EXPECT_EQ(pool.question(4).correct, 1);
    EXPECT_EQ(pool.groups(0), QStringList({"T1A", "T5A", "T5B"}));
    EXPECT_EQ(pool.groups(2), QStringList({"T5A", "T5B"}));
    ASSERT_EQ(pool.sections().size(), 2u);
    EXPECT_EQ(pool.sections()[1].second, "T5 - Electrical Principles");
}

TEST_F(ReadThroughPool, SearchIgnoresCaseAndAccentsAndNeedsEveryWord) {
    EXPECT_EQ(Search(pool, "FARAD"), QStringList({"T5A01", "T5B02"}));
    EXPECT_EQ(Search(pool, "résumé"), QStringList({"T1A01"}));
    EXPECT_EQ(Search(pool, "resume"), QStringList({"T1A01"}));
    EXPECT_EQ(Search(pool, "Resume \"rules\""), QStringList({"T1A01"}));
    EXPECT_EQ(Search(pool, "  unit   CAPACITANCE "), QStringList({"T5B02"}));
    EXPECT_EQ(Search(pool, "capacitance ohm"), QStringList({"T5B02"}));  // answers count too
    EXPECT_EQ(Search(pool, "t5b01"), QStringList({"T5B01"}));
    EXPECT_TRUE(Search(pool, "farad resistor").isEmpty());
}

TEST_F(ReadThroughPool, SymbolsMatchThemselvesAndNoWord) {
    EXPECT_EQ(Search(pool, "°"), QStringList({"T1A02"}));  // stored as "&#176;"
    EXPECT_EQ(Search(pool, "90°"), QStringList({"T1A02"}));
    EXPECT_EQ(Search(pool, "Ω"), QStringList({"T5B01"}));
    EXPECT_EQ(Search(pool, "kω"), QStringList({"T5B01"}));
    // The ohm sign and the Greek capital omega are one letter; so are micro and mu.
    EXPECT_EQ(Search(pool, QString(QChar(0x2126))), QStringList({"T5B01"}));
    EXPECT_EQ(Search(pool, QString(QChar(0x03BC)) + "F"), QStringList({"T5A01"}));
    EXPECT_EQ(Search(pool, QString(QChar(0x00B5))), QStringList({"T5A01"}));
    // "ohm" finds the word, never the sign; the sign finds no "ohms".
    EXPECT_EQ(Search(pool, "ohm"), QStringList({"T5B01", "T5B02"}));
    EXPECT_EQ(FoldForSearch("4.7 kΩ"), FoldForSearch("4.7 K" + QString(QChar(0x2126))));
    EXPECT_NE(FoldForSearch("Ω"), FoldForSearch("ohm"));
    EXPECT_EQ(FoldForSearch("22\u00a0µF\n"), "22 " + QString(QChar(0x03BC)) + "f");
}

TEST_F(ReadThroughPool, FiltersFollowTheRecordAndCombineWithTheSearch) {
    QHash<QString, LatestAnswer> latest;
    latest.insert("T1A01", {1, true, {}});
    latest.insert("T5B01", {2, false, {}});
    latest.insert("T5B02", {3, false, {}});
    pool.setStanding(latest, {"T1A02", "T5B02", "X9Z99"});

    ReadSelection selection;
    selection.filter = ReadFilter::Missed;
    EXPECT_EQ(Ids(pool, selection), QStringList({"T5B01", "T5B02"}));
    selection.filter = ReadFilter::Flagged;
    EXPECT_EQ(Ids(pool, selection), QStringList({"T1A02", "T5B02"}));
    selection.filter = ReadFilter::NeverAnswered;
    EXPECT_EQ(Ids(pool, selection), QStringList({"T1A02", "T5A01"}));
    selection.sectionId = 2;
    EXPECT_EQ(Ids(pool, selection), QStringList({"T5A01"}));
    selection.filter = ReadFilter::All;
    selection.group = "T5B";
    EXPECT_EQ(Ids(pool, selection), QStringList({"T5B01", "T5B02"}));
    selection.search = "ohms";
    EXPECT_EQ(Ids(pool, selection), QStringList({"T5B01"}));

    pool.setFlagged(0, true);
    selection = {};
    selection.filter = ReadFilter::Flagged;
    EXPECT_EQ(Ids(pool, selection), QStringList({"T1A01", "T1A02", "T5B02"}));
    EXPECT_EQ(pool.question(3).latest, LatestState::Missed);
    EXPECT_NE(SpokenPoolQuestion(pool.question(3), 4, 5).indexOf("C: 4,700, correct."), -1);
}

TEST(ReadThrough, ReadsAnAddedPoolFromTheStudentsBank) {
    QTemporaryDir dir;
    Program program;
    Session& session = program.session;
    session.programDir = dir.path();
    session.programName = "quillet";
    session.settingsPath = dir.filePath("quillet.ini");
    ASSERT_TRUE(qbank::WriteBank(dir.filePath("quillet.dat"), Pool()));
    qbank::BankContent added;
    added.sections.push_back({1, "T1", "New Rules", 2});
    added.questions.push_back(Asked(1, 1, "T1A01", "Added question", {"a", "b", "c", "d"}, "D"));
    added.exams.push_back({2, "technician-2030-2034", "2030-07-01", "2034-06-30", 35, 26});
    ASSERT_TRUE(qbank::AddToBank(AddedBankFile(dir.path(), "quillet"), added));
    ASSERT_TRUE(OpenQuestionBank(session).ok());
    ASSERT_TRUE(session.addedElements.count(2));

    ReadThrough pool;
    ASSERT_TRUE(pool.load(session, 2));
    ASSERT_EQ(pool.questions().size(), 1u);
    EXPECT_EQ(pool.question(0).captions.question, "Added question");
    EXPECT_EQ(pool.question(0).correct, 3);
    EXPECT_EQ(pool.question(0).sectionCaption, "T1 - New Rules");
    ASSERT_TRUE(pool.load(session, 3));
    EXPECT_EQ(Search(pool, ""), QStringList({"G1A01"}));
}
