// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include <gtest/gtest.h>

#include "AddedBank.h"
#include "EngineTestSupport.h"
#include "engine/core/QuestionList.h"
#include "engine/core/Readiness.h"
#include "engine/core/ReviewList.h"
#include "presentation/core/QuestionLoader.h"
#include "shell/core/FileLocations.h"
#include "shell/core/QuestionBank.h"
#include "shell/core/Random.h"

using namespace quillet;
using namespace quillet::testing;

namespace {

// One element's pool: one section, one question with a rule reference, and its exam.
qbank::BankContent Pool(int element, const QString& years, const QString& question) {
    qbank::BankContent c;
    c.sections.push_back({1, "X1", "Rules", element});
    qbank::BankQuestion q = Question(1, 1, "B");
    q.question = question;
    q.fccQuestionId = "X1A01";
    q.reference = "97.301(d)";
    c.questions.push_back(q);
    const QString from = years.left(4), to = years.right(4);
    c.exams.push_back({element, ElementName(element).toLower() + "-" + years, from + "-07-01",
                       to + "-06-30", 35, 26});
    return c;
}

// The installed bank: Technician 2026-2030 and General 2023-2027.
qbank::BankContent Installed() {
    qbank::BankContent c = Pool(2, "2026-2030", "Installed Technician?");
    const qbank::BankContent general = Pool(3, "2023-2027", "Installed General?");
    c.sections.push_back({2, "G1", "Rules", 3});
    qbank::BankQuestion q = general.questions.front();
    q.id = 2;
    q.sectionId = 2;
    c.questions.push_back(q);
    c.exams.push_back(general.exams.front());
    return c;
}

// A portable program folder: the added bank lies beside the program.
struct Folder {
    QTemporaryDir dir;
    Program program;
    Session& session = program.session;
    Folder() {
        session.programDir = dir.path();
        session.programName = "quillet";
        session.settingsPath = dir.filePath("quillet.ini");
    }
    bool writeBank(const qbank::BankContent& content) {
        return qbank::WriteBank(dir.filePath("quillet.dat"), content);
    }
};

struct AddedBankProgram : ::testing::Test {
    Folder folder;
    QString added() const { return AddedBankFile(folder.session.programDir, "quillet"); }
    void SetUp() override { ASSERT_TRUE(folder.writeBank(Installed())); }
    BankResult open() {
        folder.session.database.close();
        const BankResult result = OpenQuestionBank(folder.session);
        if (result.ok()) folder.session.exams = LoadBankExams(folder.session);
        return result;
    }
    QStringList sections() const {
        QStringList out;
        for (const SectionInfo& s : folder.session.sections) {
            out << QString("%1 %2 %3").arg(s.Id).arg(s.Section).arg(s.Test);
        }
        return out;
    }
    QString question(int element) {
        folder.session.currentElement = element;
        for (SectionInfo& s : folder.session.sections) s.Ask = true;
        QuestionIdList ids, scramble;
        int simulated = 0;
        MersenneRandom random(3);
        PrepareQuestionList(folder.session, 1, random, ids, scramble, simulated);
        if (ids.size() != 1) return QString("%1 questions").arg(ids.size());
        LineMeasurer measurer;
        const LoadOutcome out = LoadQuestion(folder.session, false, ids.front(), random, measurer);
        return out.question.captions.question + " | " + out.question.ruleCaption;
    }
};

}  // namespace

TEST_F(AddedBankProgram, ANewerAddedPoolTakesThePlaceOfTheInstalledOne) {
    ASSERT_TRUE(qbank::AddToBank(added(), Pool(3, "2027-2031", "Added General?")));
    ASSERT_TRUE(open().ok());
    EXPECT_EQ(folder.session.addedBankPath, added());
    EXPECT_EQ(sections(), QStringList({"1 X1 2", "1301 X1 3"}));
    EXPECT_EQ(PoolNameFor(folder.session, 3), "general-2027-2031");
    EXPECT_EQ(PoolNameFor(folder.session, 2), "technician-2026-2030");
    EXPECT_EQ(question(3), "Added General? | Rule: 47 CFR 97.301(d)");
    EXPECT_EQ(question(2), "Installed Technician? | Rule: 47 CFR 97.301(d)");
    // The pool-in-force warning reads the added pool's dates.
    EXPECT_FALSE(
        PoolNotInForceMessage(*folder.session.exams.find(3), QDate(2027, 1, 10)).isEmpty());

    // Removing the added bank brings the installed pool back.
    ASSERT_TRUE(QFile::remove(added()));
    ASSERT_TRUE(open().ok());
    EXPECT_EQ(sections(), QStringList({"1 X1 2", "2 G1 3"}));
    EXPECT_EQ(question(3), "Installed General? | Rule: 47 CFR 97.301(d)");
}

TEST_F(AddedBankProgram, ANewerInstalledPoolIsNotHiddenByAnOlderAddedOne) {
    ASSERT_TRUE(qbank::AddToBank(added(), Pool(2, "2022-2026", "Old Technician?")));
    ASSERT_TRUE(qbank::AddToBank(added(), Pool(5, "2024-2028", "Added Extra?")));
    ASSERT_TRUE(open().ok());
    EXPECT_EQ(sections(), QStringList({"1 X1 2", "2 G1 3", "1501 X1 5"}));
    EXPECT_EQ(question(2), "Installed Technician? | Rule: 47 CFR 97.301(d)");
    EXPECT_EQ(question(5), "Added Extra? | Rule: 47 CFR 97.301(d)");
    EXPECT_EQ(folder.session.exams.rows().size(), 3u);
}

TEST_F(AddedBankProgram, TheStandingOfAnAddedPoolIsReadFromItsOwnBank) {
    // The added General pool has two groups in two sections, where the installed one has one.
    qbank::BankContent general = Pool(3, "2027-2031", "Added General?");
    general.sections.push_back({2, "X2", "Practice", 3});
    for (int id : {2, 3}) {
        qbank::BankQuestion q = Question(id, 2, "A");
        q.fccQuestionId = QString("X2B0%1").arg(id - 1);
        general.questions.push_back(q);
    }
    ASSERT_TRUE(qbank::AddToBank(added(), general));
    ASSERT_TRUE(open().ok());
    Session& session = folder.session;
    session.record.open(folder.dir.filePath("record.db"));
    ASSERT_TRUE(
        session.record.add({"general-2027-2031", "X2B01", QDateTime::currentDateTime(), true}));
    ASSERT_TRUE(
        session.record.add({"general-2027-2031", "X1A01", QDateTime::currentDateTime(), false}));

    // Read while a Technician test is the current one, as the progress screen does.
    session.currentElement = 2;
    const PoolGroups pool = ReadPoolGroups(session, 3);
    ASSERT_TRUE(pool.readOk);
    QStringList groups;
    for (const GroupStanding& group : pool.groups)
        groups << group.group + ":" + group.questions.join(",");
    EXPECT_EQ(groups, QStringList({"X1A:X1A01", "X2B:X2B01,X2B02"}));
    ASSERT_EQ(pool.sections.size(), 2u);
    EXPECT_EQ(pool.sections[1].name, "X2 - Practice");
    const Readiness readiness = ReadinessFrom(pool, session.record.latest(pool.pool));
    EXPECT_TRUE(readiness.available);
    EXPECT_EQ(readiness.groups[1].right, 1);
    EXPECT_EQ(readiness.groups[0].missed, 1);
    const PoolProgress progress = PoolProgressFor(session, 3);
    EXPECT_EQ(progress.questions, 3);
    EXPECT_EQ(progress.right, 1);

    // A review of the added pool asks its questions: the missed one first.
    session.currentElement = 3;
    for (SectionInfo& s : session.sections) s.Ask = true;
    MersenneRandom random(5);
    const ReviewList review = PrepareReviewList(session, random);
    EXPECT_EQ(review.chosen, 3);
    EXPECT_EQ(review.missed, 1);
    EXPECT_EQ(review.never, 1);
    ASSERT_EQ(review.questions.size(), 2u);
    EXPECT_EQ(review.questions.front(), 1);
}

TEST_F(AddedBankProgram, AnAddedBankThatIsNoBankIsRefusedByName) {
    ASSERT_TRUE(qbank::AddToBank(added(), Pool(3, "2027-2031", "Added General?")));
    {
        Database db;
        ASSERT_EQ(db.open(added(), AddedBankKey()), 0);
        ASSERT_EQ(db.exec("CREATE VIEW V AS SELECT 1"), 0);
    }
    BankResult result = open();
    EXPECT_EQ(result.status, BankStatus::Foreign);
    EXPECT_TRUE(result.text.contains(QDir::toNativeSeparators(added())))
        << result.text.toStdString();

    QFile file(added());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QByteArray(4096, 'x'));
    file.close();
    result = open();
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.text.contains("quillet-added.dat")) << result.text.toStdString();
}

TEST(RuleReferences, BanksWithoutTheColumnStillLoadTheirQuestions) {
    EXPECT_EQ(RuleCaption(" 97.305, 97.307(b) "), "Rule: 47 CFR 97.305, 97.307(b)");
    EXPECT_EQ(RuleCaption("47 CFR 2.1"), "Rule: 47 CFR 2.1");
    EXPECT_EQ(RuleCaption(""), "");

    // A bank as the previous qbank made it: no REFERENCE column.
    QTemporaryDir dir;
    const QString path = dir.filePath("quillet.dat");
    {
        Database db;
        ASSERT_EQ(db.create(path, kQuestionBankKey), 0);
        for (const char* sql :
             {"CREATE TABLE SECTIONS (SECTIONID INTEGER PRIMARY KEY, SECTION TEXT, DESCRIPTION "
              "TEXT, TEST INTEGER)",
              "CREATE TABLE QUESTIONS (QuestionID INTEGER PRIMARY KEY, SectionID INTEGER, "
              "Question TEXT, AnswerA TEXT, AnswerB TEXT, AnswerC TEXT, ANSWERD TEXT, ANSWER "
              "TEXT, FIGUREID INTEGER, FCCQUESTIONID TEXT)",
              "CREATE TABLE FIGURES (FIGUREID INTEGER PRIMARY KEY, FIGURE BLOB, CAPTION TEXT)",
              kBankIndex, "INSERT INTO SECTIONS VALUES (1, 'T1', 'Rules', 2)",
              "INSERT INTO QUESTIONS VALUES (1, 1, 'Old?', 'a', 'b', 'c', 'd', 'A', NULL, "
              "'T1A01')"}) {
            ASSERT_EQ(db.exec(sql), 0) << sql;
        }
    }
    Program program;
    program.session.programDir = dir.path();
    program.session.programName = "quillet";
    program.session.settingsPath = dir.filePath("quillet.ini");
    ASSERT_TRUE(OpenQuestionBank(program.session).ok());
    program.session.currentElement = 2;
    program.session.sections(1).Ask = true;
    MersenneRandom random(1);
    LineMeasurer measurer;
    const LoadOutcome out = LoadQuestion(program.session, false, 1, random, measurer);
    ASSERT_TRUE(out.shown());
    EXPECT_EQ(out.question.captions.question, "Old?");
    EXPECT_TRUE(out.question.ruleCaption.isEmpty());
}
