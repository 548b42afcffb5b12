// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include <QFileInfo>
#include <QSet>
#include <map>
#include <set>

#include "EngineTestSupport.h"
#include "PoolReader.h"
#include "engine/core/ExamSession.h"
#include "engine/core/QuestionList.h"
#include "results/core/Results.h"
#include "shell/core/Exams.h"
#include "shell/core/Random.h"
#include "ui/core/MainMenuRules.h"

using namespace quillet;
using namespace quillet::testing;

namespace {

// Sections 1 (T1), 2 (T2) and 3 (T0) of Technician and 4 (G1) of General, in
// the pool's order, where T0 comes last. Technician has groups T1A (3
// questions), T1B (1), T2A (2), T2B, whose only question has no answer letter,
// and T0A (1); General has one group.
qbank::BankContent GroupedBank() {
    qbank::BankContent c;
    c.sections = {{1, "T1", "", 2}, {2, "T2", "", 2}, {3, "T0", "", 2}, {4, "G1", "", 3}};
    const struct {
        int section;
        const char* fccId;
        const char* answer;
    } rows[] = {{2, "T2A01", "B"}, {1, "T1B01", "C"}, {1, "T1A01", "A"},
                {2, "T2B01", "E"}, {1, "T1A02", "D"}, {2, "T2A02", "A"},
                {1, "T1A03", "B"}, {4, "G1A01", "A"}, {3, "T0A01", "C"}};
    int id = 0;
    for (const auto& row : rows) {
        qbank::BankQuestion q = Question(++id, row.section, row.answer);
        q.fccQuestionId = row.fccId;
        c.questions.push_back(q);
    }
    c.exams = {{2, "technician-2026-2030", "2026-07-01", "2030-06-30", 35, 26}};
    return c;
}

QString GroupOf(const Session& session, qint64 id) {
    Query query(session.database, "SELECT FCCQUESTIONID FROM QUESTIONS WHERE QUESTIONID = ?");
    query.bind(1, id);
    return query.next() ? QuestionGroup(query.text("FCCQUESTIONID")) : QString();
}

// Technician sections with these (asked, correct) scores.
SectionTable Scores(std::initializer_list<std::pair<int, int>> scores) {
    SectionTable table;
    table.reset(static_cast<int>(scores.size()));
    int i = 1;
    for (const auto& [asked, correct] : scores) table(i++) = {"", "T", true, asked, correct, 2};
    return table;
}

struct FixedClock : Clock {
    QDate day;
    QDate today() const override { return day; }
};

}  // namespace

TEST(RealExam, GroupIsThePoolIdWithoutItsNumber) {
    EXPECT_EQ(QuestionGroup("T1A01"), "T1A");
    EXPECT_EQ(QuestionGroup("E9H11"), "E9H");
    EXPECT_EQ(QuestionGroup("X7"), "X7");  // no number to cut: a group of its own
    EXPECT_EQ(QuestionGroup("T1AB"), "T1AB");
}

TEST(RealExam, DrawsOneQuestionOfEveryGroupInGroupOrderWhateverIsChosen) {
    BankFolder bank(GroupedBank());
    bank.session.currentElement = 2;
    // No section chosen: the real exam covers the whole element all the same.
    for (SectionInfo& section : bank.session.sections) section.Ask = false;

    std::map<QString, std::set<qint64>> seen;
    for (unsigned seed = 1; seed <= 200; ++seed) {
        MersenneRandom random(seed);
        QuestionIdList list{99};
        int count = 35;
        const PreparedList prepared = PrepareRealExamList(bank.session, random, list, count);
        ASSERT_EQ(list.size(), 4u);
        QStringList groups;
        for (const qint64 id : list) {
            groups << GroupOf(bank.session, id);
            seen[groups.back()].insert(id);
        }
        // T2B has no question that can be asked, and General is another element; T0 is
        // the pool's last subelement, not its first.
        ASSERT_EQ(groups, QStringList({"T1A", "T1B", "T2A", "T0A"})) << "seed " << seed;
        EXPECT_EQ(count, 4);
        EXPECT_EQ(prepared.message,
                  "The real examination has 35 questions, one from each group of the question "
                  "pool.  This question bank has questions in only 4 groups, so the test will "
                  "have 4 questions.");
    }
    // Over many draws every question of a group comes up.
    EXPECT_EQ(seen["T1A"], (std::set<qint64>{3, 5, 7}));
    EXPECT_EQ(seen["T2A"], (std::set<qint64>{1, 6}));
}

TEST(RealExam, DrawIsFairWithinAGroup) {
    // 4 groups of 5 questions each: every question should be drawn about a
    // fifth of the time.
    std::vector<GroupedQuestion> questions;
    for (int i = 0; i < 20; ++i) {
        questions.push_back({i, 1 + i / 10, QStringLiteral("T%1A").arg(i % 4)});
    }
    std::map<qint64, int> drawn;
    MersenneRandom random(11);
    constexpr int kRuns = 5000;
    for (int run = 0; run < kRuns; ++run) {
        const QuestionIdList list = DrawOnePerGroup(questions, random);
        ASSERT_EQ(list.size(), 4u);
        for (const qint64 id : list) ++drawn[id];
    }
    ASSERT_EQ(drawn.size(), 20u);
    for (const auto& [id, n] : drawn) {
        EXPECT_NEAR(n, kRuns / 5, kRuns / 5 / 5) << "question " << id;
    }
}

TEST(RealExam, TestAsksEveryGroupOnceMarkedAtTheEnd) {
    BankFolder bank(GroupedBank());
    bank.session.currentElement = 2;
    bank.options.testMode = kModeRealExam;
    bank.session.exams = LoadExams(bank.session.database);
    MersenneRandom random(3);
    LineMeasurer measurer;
    struct Screen : ExamScreen {
        QStringList progress, messages;
        QString caption;
        bool closed = false;
        void showQuestion(const QuestionOnScreen&) override {}
        void setProgressText(const QString& t) override { progress << t; }
        void setRunText(const QString&) override {}
        void setTestTypeText(const QString& t) override { caption = t; }
        void showMessage(const QString& t) override { messages << t; }
        void resetRollovers() override {}
        void closeScreen() override { closed = true; }
    } screen;
    ExamSession test(bank.session, bank.options, bank.sounds, bank.services.fatal, random, measurer,
                     screen);
    test.load();
    EXPECT_EQ(screen.caption, "Real exam: one question per group");
    // The short-bank notice, once, with the exam's size and the bank's groups.
    const QStringList notice = {
        "The real examination has 35 questions, one from each group of the question pool.  This "
        "question bank has questions in only 4 groups, so the test will have 4 questions."};
    EXPECT_EQ(screen.messages, notice);
    EXPECT_FALSE(test.skipAvailable());
    for (const auto key : {Qt::Key_A, Qt::Key_B, Qt::Key_C, Qt::Key_D}) {
        test.answerKey(key);  // right or wrong, no verdict is shown
    }
    EXPECT_TRUE(screen.closed);
    EXPECT_EQ(screen.messages, notice);
    EXPECT_EQ(screen.progress, QStringList({"1 of 4", "2 of 4", "3 of 4", "4 of 4"}));
    EXPECT_EQ(test.questionsShown(), 4);
    int asked = 0;
    for (const SectionInfo& section : test.result().scores) asked += section.AskedCount;
    EXPECT_EQ(asked, 4) << "every group asked once";
}

TEST(RealExam, ResultsPassAtExactlyThePassMark) {
    const struct {
        int questions, passMark, correct;
        const char* line;
        Cheer cheer;
    } cases[] = {
        {35, 26, 26, "PASSED: 26 of 35 (26 needed)", Cheer::Clap},
        {35, 26, 25, "NOT YET: 25 of 35 (26 needed)", Cheer::None},
        {50, 37, 37, "PASSED: 37 of 50 (37 needed)", Cheer::Clap},
        {50, 37, 36, "NOT YET: 36 of 50 (37 needed)", Cheer::None},
        {35, 26, 32, "PASSED: 32 of 35 (26 needed)", Cheer::Applause},
        // Applause above 90 % of the exam: 45 of 50 is exactly 90 %.
        {50, 37, 46, "PASSED: 46 of 50 (37 needed)", Cheer::Applause},
        {50, 37, 45, "PASSED: 45 of 50 (37 needed)", Cheer::Clap},
    };
    for (const auto& c : cases) {
        // The answers spread over two sections.
        SectionTable sections = Scores({{c.questions - 10, c.correct - 5}, {10, 5}});
        const ExamInfo exam{2, "p", {}, {}, c.questions, c.passMark};
        const ScoreReport report(sections, 2, &exam);
        EXPECT_EQ(report.passLine(), c.line);
        EXPECT_EQ(report.cheer(), c.cheer) << c.line;
        // A section's bar is blue at the real pass mark: 5 of 10 is below 26/35.
        EXPECT_FALSE(report.reachesPassMark(report.rows()[1]));
        EXPECT_TRUE(report.reachesPassMark({c.passMark, c.questions, ""}));
    }
    // Leaving a real exam early does not pass it, however good the answers.
    SectionTable early = Scores({{20, 20}});
    const ExamInfo exam{2, "p", {}, {}, 35, 26};
    EXPECT_EQ(ScoreReport(early, 2, &exam).passLine(), "NOT YET: 20 of 35 (26 needed)");
    // Other modes keep their pass mark and have no pass line.
    EXPECT_EQ(ScoreReport(early, 2).passLine(), "");
    EXPECT_EQ(ScoreReport(early, 2).passMark().needed, 22);
}

TEST(RealExam, BankWithoutExamsRunsTheOtherModesAndRefusesTheRealExam) {
    qbank::BankContent content = GroupedBank();
    content.exams.clear();
    BankFolder bank(content);
    bank.session.exams = LoadExams(bank.session.database);
    EXPECT_FALSE(bank.session.exams.available());
    bank.options.testMode = kModeRealExam;
    EXPECT_TRUE(
        RealExamRefusal(bank.session, bank.options.testMode, 2).contains("no examination data"));
    bank.options.testMode = kModeSimulatedExam;
    EXPECT_EQ(RealExamRefusal(bank.session, bank.options.testMode, 2), "");
    EXPECT_EQ(PoolWarningBeforeTest(bank.session, Today(bank.services), 2), "");
    EXPECT_EQ(ExamSizesText(bank.session.exams), "") << "no figure is made up";
    EXPECT_TRUE(SimulatedModeNote(bank.session.exams)
                    .endsWith("does not record the size of the "
                              "actual examinations."));

    // With exams, the elements kept for the older layout have none.
    BankFolder withExams(GroupedBank());
    withExams.session.exams = LoadExams(withExams.session.database);
    withExams.options.testMode = kModeRealExam;
    EXPECT_EQ(RealExamRefusal(withExams.session, withExams.options.testMode, 2), "");
    for (const int element : {1, 4}) {
        EXPECT_TRUE(RealExamRefusal(withExams.session, withExams.options.testMode, element)
                        .contains("no real exam"));
    }
}

TEST(RealExam, DamagedExamRowsAreLeftOut) {
    BankFolder bank(GroupedBank());
    bank.exec("INSERT INTO EXAMS VALUES (3, 'g', '2023-07-01', 'soon', 35, 26)");
    bank.exec("INSERT INTO EXAMS VALUES (5, 'e', '2024-07-01', '2028-06-30', 50, 51)");
    bank.exec("INSERT INTO EXAMS VALUES (1, 'n', '2024-07-01', '2028-06-30', 0, 0)");
    const ExamTable exams = LoadExams(bank.session.database);
    ASSERT_EQ(exams.rows().size(), 1u);
    EXPECT_EQ(exams.rows()[0].element, 2);
    EXPECT_EQ(exams.find(3), nullptr);
}

TEST(PoolInForce, WarnsOnceAnElementBeforeATestWhenTheDayIsOutsideThePool) {
    BankFolder bank(GroupedBank());
    bank.exec(
        "INSERT INTO EXAMS VALUES (3, 'general-2019-2023', '2019-07-01', '2023-06-30', 35, 26)");
    bank.session.exams = LoadExams(bank.session.database);
    FixedClock clock;
    bank.services.clock = &clock;

    clock.day = QDate(2026, 6, 30);  // the day before the Technician pool starts
    const QString early = PoolWarningBeforeTest(bank.session, Today(bank.services), 2);
    EXPECT_TRUE(early.contains("technician-2026-2030, is not yet in force")) << early.toStdString();
    EXPECT_TRUE(early.contains("valid from 1 July 2026 to 30 June 2030")) << early.toStdString();
    EXPECT_EQ(PoolWarningBeforeTest(bank.session, Today(bank.services), 2),
              "");  // once per program run

    const QString expired = PoolWarningBeforeTest(bank.session, Today(bank.services), 3);
    EXPECT_TRUE(expired.contains("general-2019-2023, is no longer in force"));
    EXPECT_EQ(PoolWarningBeforeTest(bank.session, Today(bank.services), 1),
              "");  // no exam, nothing to say

    // Both end days are inside the pool's time.
    Session fresh;
    fresh.exams = bank.session.exams;
    for (const QDate day : {QDate(2026, 7, 1), QDate(2030, 6, 30)}) {
        EXPECT_EQ(PoolWarningBeforeTest(fresh, day, 2), "") << day.toString().toStdString();
    }
    EXPECT_NE(PoolWarningBeforeTest(fresh, QDate(2030, 7, 1), 2), "");
}

TEST(RealExam, RealBankHasOneExamQuestionPerGroup) {
    const QString poolsDir = QStringLiteral(QUILLET_POOLS);
    if (!QFileInfo(poolsDir).isDir())
        GTEST_SKIP() << "no question pools at " << poolsDir.toStdString();
    qbank::BankContent content;
    QString error;
    ASSERT_TRUE(qbank::ReadPools(poolsDir, content, &error)) << error.toStdString();
    BankFolder bank(content);
    bank.session.exams = LoadExams(bank.session.database);
    bank.options.testMode = kModeRealExam;
    MersenneRandom random(5);
    for (const auto& [element, groups] : {std::pair{2, 35}, std::pair{3, 35}, std::pair{5, 50}}) {
        const ExamInfo* exam = bank.session.exams.find(element);
        ASSERT_NE(exam, nullptr) << element;
        EXPECT_EQ(exam->questions, groups);
        bank.session.currentElement = element;
        QuestionIdList list;
        int count = exam->questions;
        EXPECT_EQ(PrepareRealExamList(bank.session, random, list, count).message, "");
        EXPECT_EQ(count, groups) << element;
        QSet<QString> distinct;
        for (const qint64 id : list) distinct.insert(GroupOf(bank.session, id));
        EXPECT_EQ(distinct.size(), groups) << element;
    }
}
