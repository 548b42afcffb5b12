// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include <gtest/gtest.h>
#include <sqlcipher/sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QFile>

#include "TestBank.h"
#include "shell/core/QuestionBank.h"
#include "shell/core/Settings.h"
#include "support/Unprivileged.h"

using namespace quillet;
using quillet::testing::ProgramFolder;
using quillet::testing::Sections;

namespace {

TEST(QuestionBankNames, ProgramNameFirstDatBeforeMdbThenTheFixedNames) {
    EXPECT_EQ(QuestionBankCandidates("/p/", "exam").mid(0, 4),
              QStringList({"/p/exam.dat", "/p/exam.mdb", "/p/quillet.mdb", "/p/quillet.dat"}));

    ProgramFolder folder;
    folder.session.programName = "exam";
    const QStringList names = {"quillet.dat", "quillet.mdb", "exam.mdb", "exam.dat"};
    // Add the names from the last choice to the first; each time the newest wins.
    for (const QString& name : names) {
        ASSERT_TRUE(folder.writeBank(Sections(1), name));
        Session& session = folder.session;
        ASSERT_TRUE(OpenQuestionBank(session).ok()) << name.toStdString();
        EXPECT_EQ(session.databasePath, folder.file(name));
        session.database.close();
    }
}

TEST(QuestionBankOpen, MissingBankGivesTheCriticalMessage) {
    ProgramFolder folder;
    const BankResult result = OpenQuestionBank(folder.session);
    EXPECT_EQ(result.status, BankStatus::NotFound);
    EXPECT_EQ(result.title, "Critical Error");
    EXPECT_EQ(result.text, "Critical Error:  The database was not found.  Exiting.");
}

TEST(QuestionBankOpen, EmptySectionTableGivesTheNoSectionsMessage) {
    ProgramFolder folder;
    ASSERT_TRUE(folder.writeBank({}));
    const BankResult result = OpenQuestionBank(folder.session);
    EXPECT_EQ(result.status, BankStatus::NoSections);
    EXPECT_EQ(result.title, "Error");
    EXPECT_EQ(result.text, "A critical error has occurred -- no sections can be found.");
}

TEST(QuestionBankOpen, LoadsSectionsInIdOrderWithTheirChoices) {
    ProgramFolder folder;
    auto content = Sections(12);
    std::reverse(content.sections.begin(), content.sections.end());
    content.sections[0].test = 5;  // section 12
    ASSERT_TRUE(folder.writeBank(content));
    WriteSetting(folder.session.settingsPath, "Sections", "Ask5", "Yes");
    WriteSetting(folder.session.settingsPath, "Sections", "Ask6", "YES");

    ASSERT_TRUE(OpenQuestionBank(folder.session).ok());
    const SectionTable& table = folder.session.sections;
    ASSERT_EQ(table.count(), 12);
    EXPECT_EQ(table(12).Description, "Section 12");
    EXPECT_EQ(table(12).Test, 5);
    EXPECT_EQ(table(1).Section, "T1");
    for (int i = 1; i <= 12; ++i) {
        EXPECT_EQ(table(i).Ask, i == 5) << i;
        EXPECT_EQ(table(i).AskedCount, 0);
        EXPECT_EQ(table(i).CorrectCount, 0);
    }
    EXPECT_EQ(table.find(0), nullptr);
    EXPECT_EQ(table.find(13), nullptr);
}

TEST(QuestionBankOpen, NullTextsReadAsEmptyAndOddIdsNeverReachPastTheTable) {
    ProgramFolder folder;
    auto content = Sections(3);
    content.sections[1].id = 7;  // ids 1, 7, 3: not 1..N
    ASSERT_TRUE(folder.writeBank(content));
    {
        Database db;
        ASSERT_EQ(db.open(folder.file("quillet.dat"), kQuestionBankKey), 0);
        ASSERT_EQ(
            db.exec("UPDATE SECTIONS SET DESCRIPTION = NULL, SECTION = NULL WHERE SECTIONID = 3"),
            0);
    }
    WriteSetting(folder.session.settingsPath, "Sections", "Ask7", "Yes");
    ASSERT_TRUE(OpenQuestionBank(folder.session).ok());
    const SectionTable& table = folder.session.sections;
    ASSERT_EQ(table.count(), 3);
    EXPECT_EQ(table(2).Description, "");
    EXPECT_EQ(table(2).Section, "");
    EXPECT_EQ(table(3).Description, "Section 2");
    EXPECT_TRUE(table(3).Ask) << "the choice is read under the row's own id";
    EXPECT_EQ(table.find(7), nullptr);
    SelectSection(folder.session, 7);  // outside the table: ignored
    EXPECT_EQ(ReadSetting(folder.session.settingsPath, "Sections", "Ask7", "-"), "Yes");
}

TEST(QuestionBankSections, SelectAndDeselectChangeMemoryAndFile) {
    ProgramFolder folder;
    ASSERT_TRUE(folder.writeBank(Sections(6)));
    ASSERT_TRUE(OpenQuestionBank(folder.session).ok());
    Session& session = folder.session;

    SelectSection(session, 5);
    EXPECT_TRUE(session.sections(5).Ask);
    EXPECT_EQ(ReadSetting(session.settingsPath, "Sections", "Ask5", "-"), "Yes");
    DeselectSection(session, 5);
    EXPECT_FALSE(session.sections(5).Ask);
    EXPECT_EQ(ReadSetting(session.settingsPath, "Sections", "Ask5", "-"), "No");

    SelectSection(session, 0);
    SelectSection(session, -3);
    DeselectSection(session, 99);
    EXPECT_EQ(ReadSetting(session.settingsPath, "Sections", "Ask0", "-"), "-");
    EXPECT_EQ(ReadSetting(session.settingsPath, "Sections", "Ask99", "-"), "-");
}

TEST(QuestionBankSections, ChoicesAreKeptUnderTheSectionIdWithGapsAndDuplicates) {
    ProgramFolder folder;
    {
        // A bank from elsewhere whose ids are not a key: 9, 4, 4, 1.
        Database db;
        ASSERT_EQ(db.create(folder.file("quillet.dat"), kQuestionBankKey), 0);
        ASSERT_EQ(db.exec("CREATE TABLE SECTIONS (SECTIONID INTEGER, SECTION TEXT, "
                          "DESCRIPTION TEXT, TEST INTEGER);"
                          "INSERT INTO SECTIONS VALUES (9, 'T9', 'nine', 2), (4, 'T4', 'four', 2),"
                          " (4, 'T4', 'four again', 2), (1, 'T1', 'one', 2)"),
                  0);
    }
    WriteSetting(folder.session.settingsPath, "Sections", "Ask9", "Yes");
    ASSERT_TRUE(OpenQuestionBank(folder.session).ok());
    const SectionTable& table = folder.session.sections;
    ASSERT_EQ(table.count(), 3) << "one row per id";
    EXPECT_EQ(table(2).Id, 4);
    EXPECT_TRUE(table(3).Ask);
    EXPECT_FALSE(table(1).Ask);

    SelectSection(folder.session, 2);
    DeselectSection(folder.session, 3);
    EXPECT_EQ(ReadSetting(folder.session.settingsPath, "Sections", "Ask4", "-"), "Yes");
    EXPECT_EQ(ReadSetting(folder.session.settingsPath, "Sections", "Ask9", "-"), "No");
    EXPECT_EQ(ReadSetting(folder.session.settingsPath, "Sections", "Ask2", "-"), "-");

    // The next run reads back what this one wrote.
    folder.session.database.close();
    ASSERT_TRUE(OpenQuestionBank(folder.session).ok());
    EXPECT_TRUE(table(2).Ask);
    EXPECT_FALSE(table(3).Ask);
    EXPECT_EQ(folder.session.sections.withId(4), &table(2));
}

QByteArray Checksum(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

TEST(QuestionBankOpen, TheProgramNeverWritesItsBank) {
    ProgramFolder folder;
    auto content = Sections(3);
    for (int i = 1; i <= 50; ++i) {
        content.questions.push_back({i, 1 + i % 3, "q", "a", "b", "c", "d", "A", {}, "T1A01", {}});
    }
    ASSERT_TRUE(folder.writeBank(content));
    const QByteArray before = Checksum(folder.file("quillet.dat"));
    ASSERT_TRUE(OpenQuestionBank(folder.session).ok());
    SelectSection(folder.session, 1);
    Query questions(folder.session.database, "SELECT * FROM QUESTIONS");
    while (questions.next()) {
    }
    EXPECT_EQ(questions.code(), SQLITE_DONE);
    EXPECT_NE(folder.session.database.exec("DELETE FROM QUESTIONS"), 0) << "writes are refused";
    folder.session.database.close();
    EXPECT_EQ(Checksum(folder.file("quillet.dat")), before);
}

// A bank the user may only read (as in an installed copy) is opened read-only,
// by as many running copies as like.
TEST(QuestionBankOpen, WriteProtectedBankIsReadAndShared) {
    QUILLET_RUN_UNPRIVILEGED();
    ProgramFolder folder;
    ASSERT_TRUE(folder.writeBank(Sections(3)));
    const QString bank = folder.file("quillet.dat");
    const QByteArray before = Checksum(bank);
    ASSERT_TRUE(
        QFile::setPermissions(bank, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    // The folder too: no journal or lock file could be made beside the bank.
    ASSERT_TRUE(QFile::setPermissions(folder.dir.path(), QFile::ReadOwner | QFile::ExeOwner |
                                                             QFile::ReadGroup | QFile::ExeGroup));
    folder.session.settingsPath.clear();

    const BankResult first = OpenQuestionBank(folder.session);
    ProgramFolder second;
    second.session.programDir = folder.session.programDir;
    const BankResult other = OpenQuestionBank(second.session);
    EXPECT_TRUE(first.ok()) << first.text.toStdString();
    EXPECT_TRUE(other.ok()) << other.text.toStdString();
    EXPECT_TRUE(folder.session.database.readOnly());
    EXPECT_EQ(second.session.sections.count(), 3);
    folder.session.database.close();
    second.session.database.close();
    QFile::setPermissions(folder.dir.path(),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(Checksum(bank), before);
}

// Each way a bank can fail to open ends in its own plain message, never a hang.
class BrokenBank : public ::testing::Test {
protected:
    BankResult open() { return OpenQuestionBank(folder.session); }
    void writeFile(const QByteArray& bytes) {
        QFile f(folder.file("quillet.dat"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    ProgramFolder folder;
};

TEST_F(BrokenBank, WrongPassword) {
    {
        Database db;
        ASSERT_EQ(db.create(folder.file("quillet.dat"), "another password"), 0);
        ASSERT_EQ(db.exec("CREATE TABLE SECTIONS (SECTIONID INTEGER)"), 0);
    }
    const BankResult result = open();
    EXPECT_EQ(result.status, BankStatus::WrongPassword);
    EXPECT_EQ(result.title, "Critical Error");
    EXPECT_TRUE(result.text.contains("password is wrong")) << result.text.toStdString();
}

TEST_F(BrokenBank, PlainDatabaseWithoutPassword) {
    {
        Database db;
        ASSERT_EQ(db.create(folder.file("quillet.dat"), ""), 0);
        ASSERT_EQ(db.exec("CREATE TABLE SECTIONS (SECTIONID INTEGER)"), 0);
    }
    const BankResult result = open();
    EXPECT_EQ(result.status, BankStatus::Unprotected);
    EXPECT_TRUE(result.text.contains("unprotected database")) << result.text.toStdString();
}

TEST_F(BrokenBank, NotADatabase) {
    writeFile("This is a text file, not a question bank.\n");
    const BankResult result = open();
    EXPECT_EQ(result.status, BankStatus::NotADatabase);
    EXPECT_TRUE(result.text.contains("not a question bank")) << result.text.toStdString();
}

TEST_F(BrokenBank, EmptyFileIsNotABank) {
    writeFile("");
    const BankResult result = open();
    EXPECT_EQ(result.status, BankStatus::NotADatabase);
    EXPECT_TRUE(result.text.contains("not a question bank")) << result.text.toStdString();
    EXPECT_EQ(QFileInfo(folder.file("quillet.dat")).size(), 0) << "opening never writes";
}

TEST_F(BrokenBank, BankWithoutSectionsTable) {
    {
        Database db;
        ASSERT_EQ(db.create(folder.file("quillet.dat"), kQuestionBankKey), 0);
        ASSERT_EQ(db.exec("CREATE TABLE QUESTIONS (QuestionID INTEGER)"), 0);
    }
    const BankResult result = open();
    EXPECT_EQ(result.status, BankStatus::Damaged);
    EXPECT_TRUE(result.text.contains("no SECTIONS table"));
}

TEST_F(BrokenBank, DamagedPages) {
    auto content = Sections(30);
    for (int i = 1; i <= 400; ++i) {
        content.questions.push_back(
            {i, 1 + i % 30, QString(300, 'q'), "a", "b", "c", "d", "A", {}, "T1A01", {}});
    }
    ASSERT_TRUE(folder.writeBank(content));
    QFile f(folder.file("quillet.dat"));
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    const qint64 size = f.size();
    ASSERT_GT(size, 8 * 1024);
    // Spoil every page but the first.
    for (qint64 at = 1024 + 100; at < size; at += 1024) {
        f.seek(at);
        f.write(QByteArray(64, '\x5a'));
    }
    f.close();
    const BankResult result = open();
    EXPECT_EQ(result.status, BankStatus::Damaged);
    EXPECT_TRUE(result.text.contains("damaged")) << result.text.toStdString();
}

// A bank nobody may read says so, rather than calling a sound file damaged.
TEST_F(BrokenBank, UnreadableFileSaysItCannotBeRead) {
    QUILLET_RUN_UNPRIVILEGED();
    ASSERT_TRUE(folder.writeBank(Sections(2)));
    ASSERT_TRUE(QFile::setPermissions(folder.file("quillet.dat"), {}));
    const BankResult result = open();
    QFile::setPermissions(folder.file("quillet.dat"), QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.text.contains("cannot be read")) << result.text.toStdString();
    EXPECT_FALSE(result.text.contains("damaged")) << result.text.toStdString();
}

TEST_F(BrokenBank, HeldByAnotherRunningCopy) {
    ASSERT_TRUE(folder.writeBank(Sections(2)));
    ASSERT_TRUE(open().ok());

    ProgramFolder second;
    second.session.programDir = folder.session.programDir;
    const BankResult result = OpenQuestionBank(second.session);
    EXPECT_EQ(result.status, BankStatus::Locked);
    EXPECT_TRUE(result.text.contains("another running copy"));
}

// Views, triggers and index expressions run inside the program's own reads, and the
// engine's built-in functions they may call are not all safe on crafted arguments; a
// bank's password is no secret. So a bank holding anything the bank writer does not
// make is refused before its first read, naming what it holds. (Harmless bodies stand
// in for the calls that would crash.)
TEST_F(BrokenBank, ViewsTriggersAndForeignTablesOrIndexesAreRefused) {
    const struct {
        const char* sql;
        const char* named;
    } crafted[] = {
        {"DROP TABLE SECTIONS; CREATE VIEW SECTIONS AS SELECT 1 AS SECTIONID, 'T1' AS SECTION, "
         "'x' AS DESCRIPTION, 2 AS TEST",
         "view"},
        {"CREATE TRIGGER GROW AFTER UPDATE ON QUESTIONS BEGIN SELECT 1; END", "trigger"},
        {"CREATE INDEX QUESTIONS_TEXT ON QUESTIONS (upper(Question))", "index"},
        {"CREATE TABLE NOTES (X)", "table"},
    };
    for (const auto& bank : crafted) {
        SCOPED_TRACE(bank.sql);
        folder.session.database.close();
        QFile::remove(folder.file("quillet.dat"));
        ASSERT_TRUE(folder.writeBank(Sections(2)));
        {
            Database db;
            ASSERT_EQ(db.open(folder.file("quillet.dat"), kQuestionBankKey), 0);
            ASSERT_EQ(db.exec(bank.sql), 0) << db.lastError().toStdString();
        }
        const BankResult result = open();
        EXPECT_EQ(result.status, BankStatus::Foreign);
        EXPECT_TRUE(result.text.startsWith("Critical Error:  The question bank"));
        EXPECT_TRUE(
            result.text.contains(QString("cannot be opened: it holds a %1").arg(bank.named)))
            << result.text.toStdString();
    }
}

// Behind the schema check, the engine itself refuses what the program never asks of a
// file, and stops any statement that runs far longer than the program's own.
TEST(GuardedDatabase, RefusesUnlistedFunctionsAndTablesEvenThroughAView) {
    Database db;
    ASSERT_EQ(db.create(":memory:", QByteArray()), 0);
    ASSERT_EQ(db.exec("CREATE TABLE T (X); CREATE TABLE U (X); INSERT INTO T VALUES ('a');"
                      "CREATE VIEW V AS SELECT upper(X) AS X FROM T"),
              0);
    Permissions permissions;
    permissions.tables = {"t"};
    permissions.functions = {"count"};
    db.restrict(permissions);
    EXPECT_TRUE(Query(db, "SELECT count(*) FROM T").prepared());
    EXPECT_FALSE(Query(db, "SELECT upper(X) FROM T").prepared());
    EXPECT_FALSE(Query(db, "SELECT * FROM V").prepared());
    EXPECT_FALSE(Query(db, "SELECT * FROM U").prepared());
    EXPECT_NE(db.exec("INSERT INTO T VALUES ('b')"), 0) << "not writable";
    EXPECT_NE(db.exec("CREATE TRIGGER G AFTER INSERT ON T BEGIN SELECT 1; END"), 0);
}

TEST(GuardedDatabase, StopsAnEndlessStatementAndRunsTheNextOne) {
    // In a child process with an alarm, so that a statement nothing stops fails the test
    // instead of hanging it.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        alarm(60);
        Database db;
        if (db.create(":memory:", QByteArray()) != 0) _exit(2);
        db.setStepLimit(100);
        const int rc = db.exec(
            "WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I + 1 FROM N) "
            "SELECT count(*) FROM N");
        if (rc != SQLITE_INTERRUPT || !db.interrupted()) _exit(3);
        if (!db.lastError().contains("too long")) _exit(4);
        _exit(db.exec("SELECT 1") == SQLITE_OK && !db.interrupted() ? 0 : 5);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status)) << "killed by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(LoadProgram, ReadsTheProgramOptionsAfterOpeningTheBank) {
    ProgramFolder folder;
    ASSERT_TRUE(folder.writeBank(Sections(2)));
    WriteSetting(folder.session.settingsPath, "Sound", "OnOrOff", "off");
    WriteSetting(folder.session.settingsPath, "Figures", "AskWithFigures", "no");
    WriteSetting(folder.session.settingsPath, "TestMode", "TestMode", "3");
    WriteSetting(folder.session.settingsPath, "Shuffle", "OnOrOff", "on");
    folder.session.currentElement = 4;
    folder.session.settingsPath.clear();

    ASSERT_TRUE(LoadProgram(folder.session, folder.options, folder.services.fatal));
    EXPECT_EQ(folder.session.settingsPath, folder.file("quillet.ini"));
    EXPECT_EQ(folder.session.currentElement, 1);
    EXPECT_FALSE(folder.options.soundOn);
    EXPECT_FALSE(folder.options.figuresOn);
    EXPECT_TRUE(folder.options.shuffleOn);
    EXPECT_EQ(folder.options.testMode, 3);
    EXPECT_TRUE(folder.fatal.calls.empty());
}

TEST(LoadProgram, FatalFailuresGoToTheHandler) {
    ProgramFolder folder;
    EXPECT_FALSE(LoadProgram(folder.session, folder.options, folder.services.fatal));
    ASSERT_EQ(folder.fatal.calls.size(), 1u);
    EXPECT_EQ(folder.fatal.calls[0].first, "Critical Error");

    ASSERT_TRUE(folder.writeBank({}));
    EXPECT_FALSE(LoadProgram(folder.session, folder.options, folder.services.fatal));
    ASSERT_EQ(folder.fatal.calls.size(), 2u);
    EXPECT_EQ(folder.fatal.calls[1].first, "Error");
}

}  // namespace
