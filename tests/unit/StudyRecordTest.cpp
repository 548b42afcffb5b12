// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <random>

#include "TestBank.h"
#include "shell/core/Database.h"
#include "shell/core/StudyRecord.h"
#include "support/Unprivileged.h"

using namespace quillet;

namespace {

const QDate kToday(2026, 12, 8);

RecordedAnswer Answer(const QString& question, bool right, const QString& pool = "Element 2") {
    return {pool, question, QDateTime::currentDateTime(), right};
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The first column of every row of `sql` on the record file, read directly.
QStringList Rows(const QString& path, const char* sql) {
    Database db;
    QStringList rows;
    if (db.open(path, QByteArray()) != 0) return {"cannot open"};
    Query query(db, sql);
    while (query.next()) rows << query.value("V").toString();
    return rows;
}

struct RecordFolder {
    QTemporaryDir dir;
    QString path = dir.filePath("quillet-record.db");
};

}  // namespace

TEST(StudyRecord, KeepsTheLatestAnswerOfEachQuestionPerPoolAcrossRuns) {
    RecordFolder folder;
    {
        StudyRecord record;
        EXPECT_EQ(record.open(folder.path, kToday), StudyRecord::OpenStatus::Created);
        EXPECT_TRUE(record.persistent());
        EXPECT_TRUE(record.add(Answer("T1A01", false)));
        EXPECT_TRUE(record.add(Answer("T1A02", true)));
        EXPECT_TRUE(record.add(Answer("T1A01", true)));
        EXPECT_TRUE(record.add(Answer("T1A02", false)));
        // The same id in another pool is another question.
        EXPECT_TRUE(record.add(Answer("T1A01", false, "Element 3")));
        EXPECT_FALSE(record.add(Answer("", true)));  // no pool id: nothing to key it by
        EXPECT_TRUE(record.takeNotice().isEmpty());
    }
    StudyRecord record;
    EXPECT_EQ(record.open(folder.path, kToday), StudyRecord::OpenStatus::Opened);
    EXPECT_EQ(record.answerCount(), 5);
    const auto latest = record.latest("Element 2");
    ASSERT_EQ(latest.size(), 2);
    EXPECT_TRUE(latest["T1A01"].right);
    EXPECT_FALSE(latest["T1A02"].right);
    EXPECT_GT(latest["T1A02"].order, latest["T1A01"].order);
    EXPECT_FALSE(record.latest("Element 3")["T1A01"].right);
    EXPECT_TRUE(record.latest("Element 5").isEmpty());
    // The history keeps every answer, with its time in UTC.
    EXPECT_EQ(Rows(folder.path, "SELECT QUESTION || ':' || CORRECT AS V FROM ANSWERS ORDER BY ID"),
              (QStringList{"T1A01:0", "T1A02:1", "T1A01:1", "T1A02:0", "T1A01:0"}));
    EXPECT_TRUE(Rows(folder.path, "SELECT ANSWERED_AT AS V FROM ANSWERS").first().endsWith("Z"));
}

// Files that are damaged, not a database, or some other program's database are
// kept under a dated name, byte for byte; a fresh record starts in their place
// and the student is told once.
TEST(StudyRecord, KeepsADamagedFileUnderADatedNameAndStartsAFreshRecord) {
    RecordFolder folder;

    // A real record, grown in one transaction, whose pages are then overwritten.
    {
        StudyRecord record;
        record.open(folder.path, kToday);
        record.add(Answer("T1A01", true));
    }
    {
        Database db;
        ASSERT_EQ(db.open(folder.path, QByteArray()), 0);
        ASSERT_EQ(
            db.exec("BEGIN; WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I + 1 FROM N "
                    "WHERE I < 5000) INSERT INTO ANSWERS (POOL, QUESTION, ANSWERED_AT, CORRECT) "
                    "SELECT 'Element 2', 'T' || I, '2026-12-01T10:00:00.000Z', I % 2 FROM N; "
                    "COMMIT"),
            0);
    }
    QByteArray damaged = ReadAll(folder.path);
    ASSERT_GT(damaged.size(), 16 * 4096);
    for (qsizetype i = 4096; i < damaged.size(); i += 7) damaged[i] = char(0xA5);
    WriteAll(folder.path, damaged);

    StudyRecord record;
    EXPECT_EQ(record.open(folder.path, kToday), StudyRecord::OpenStatus::Replaced);
    const QString kept = folder.dir.filePath("quillet-record.damaged-2026-12-08.db");
    EXPECT_EQ(record.keptAs(), kept);
    EXPECT_EQ(ReadAll(kept), damaged);
    EXPECT_TRUE(record.persistent());
    EXPECT_EQ(record.answerCount(), 0);
    EXPECT_TRUE(record.add(Answer("T1A01", false)));
    const QString notice = record.takeNotice();
    EXPECT_TRUE(notice.contains("was damaged")) << notice.toStdString();
    EXPECT_TRUE(notice.contains("quillet-record.damaged-2026-12-08.db"));
    EXPECT_TRUE(record.takeNotice().isEmpty());
    record.close();

    // The same day again, with files that are no record at all: new names.
    const QByteArray notes = QByteArray("These are my notes, not a database.\n").repeated(40);
    WriteAll(folder.path, notes);
    EXPECT_EQ(record.open(folder.path, kToday), StudyRecord::OpenStatus::Replaced);
    EXPECT_EQ(QFileInfo(record.keptAs()).fileName(), "quillet-record.damaged-2026-12-08-2.db");
    EXPECT_EQ(ReadAll(record.keptAs()), notes);
    record.close();
    ASSERT_TRUE(QFile::remove(folder.path));
    {
        Database other;
        ASSERT_EQ(other.create(folder.path, QByteArray()), 0);
        ASSERT_EQ(other.exec("CREATE TABLE ANSWERS (WHO TEXT); INSERT INTO ANSWERS VALUES ('me')"),
                  0);
    }
    EXPECT_EQ(record.open(folder.path, kToday), StudyRecord::OpenStatus::Replaced);
    EXPECT_EQ(QFileInfo(record.keptAs()).fileName(), "quillet-record.damaged-2026-12-08-3.db");
    EXPECT_EQ(Rows(record.keptAs(), "SELECT WHO AS V FROM ANSWERS"), QStringList{"me"});
    EXPECT_EQ(QDir(folder.dir.path()).entryList(QDir::Files).size(), 4);
}

// A record needs no password, so anyone can give it views, triggers or constraints, which
// would run inside the program's statements (and could call the engine's unsafe built-in
// functions), or tables of their own. Such a file is kept aside, untouched, before any
// of it runs, and a fresh record starts. Each case runs in a child process with an
// alarm, so that a trigger nothing stops fails the test instead of hanging it.
TEST(StudyRecord, KeepsAsideAFileWithViewsTriggersOrTablesOfItsOwn) {
    const char* const crafted[] = {
        "DROP TABLE LATEST; CREATE VIEW LATEST AS SELECT POOL, QUESTION, ID AS ANSWER_ID, "
        "CORRECT FROM ANSWERS",
        "CREATE TRIGGER T AFTER INSERT ON ANSWERS BEGIN SELECT 1; END",
        "CREATE TRIGGER T AFTER INSERT ON ANSWERS BEGIN SELECT count(*) FROM (WITH RECURSIVE "
        "N(I) AS (SELECT 1 UNION ALL SELECT I + 1 FROM N) SELECT I FROM N); END",
        "CREATE TABLE NOTES (X)",
        "CREATE INDEX BY_POOL ON ANSWERS (lower(POOL))",
        // The record's columns, with a constraint that runs at every answer.
        "DROP TABLE LATEST; CREATE TABLE LATEST (POOL TEXT NOT NULL, QUESTION TEXT NOT NULL, "
        "ANSWER_ID INTEGER NOT NULL, CORRECT INTEGER NOT NULL CHECK (abs(CORRECT) >= 0), "
        "PRIMARY KEY (POOL, QUESTION)) WITHOUT ROWID",
        // The review boxes, with a default that would run at every answer.
        "DROP TABLE SPACING; CREATE TABLE SPACING (POOL TEXT NOT NULL, QUESTION TEXT NOT NULL, "
        "BOX INTEGER NOT NULL, DUE TEXT NOT NULL DEFAULT (date('now')), "
        "PRIMARY KEY (POOL, QUESTION)) WITHOUT ROWID",
    };
    for (const char* sql : crafted) {
        SCOPED_TRACE(sql);
        RecordFolder folder;
        {
            StudyRecord record;
            record.open(folder.path, kToday);
            record.add(Answer("T1A01", true));
            Database db;
            ASSERT_EQ(db.open(folder.path, QByteArray()), 0);
            ASSERT_EQ(db.exec(sql), 0) << db.lastError().toStdString();
        }
        const QByteArray crafted = ReadAll(folder.path);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            alarm(60);
            StudyRecord record;
            if (record.open(folder.path, kToday) != StudyRecord::OpenStatus::Replaced) _exit(2);
            if (!record.takeNotice().contains("is not a study record")) _exit(3);
            _exit(record.add(Answer("T1A02", false)) && record.answerCount() == 1 ? 0 : 4);
        }
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status)) << "killed by signal " << WTERMSIG(status);
        EXPECT_EQ(WEXITSTATUS(status), 0);
        EXPECT_EQ(ReadAll(folder.dir.filePath("quillet-record.damaged-2026-12-08.db")), crafted);
        EXPECT_EQ(Rows(folder.path, "SELECT QUESTION AS V FROM ANSWERS"), QStringList{"T1A02"});
    }
}

// Another copy writes an answer in milliseconds; one that keeps the record locked longer
// than anyone would wait leaves this copy on a record in memory, told why.
TEST(StudyRecord, ARecordHeldByAnotherCopyRunsInMemoryAndSaysSo) {
    RecordFolder folder;
    {
        StudyRecord record;
        record.open(folder.path, kToday);
        record.add(Answer("T1A01", true));
    }
    Database other;
    ASSERT_EQ(other.open(folder.path, QByteArray()), 0);
    ASSERT_EQ(other.exec("PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE"), 0);

    StudyRecord record;
    record.setBusyWait(100);
    EXPECT_EQ(record.open(folder.path, kToday), StudyRecord::OpenStatus::InMemory);
    const QString notice = record.takeNotice();
    EXPECT_TRUE(notice.contains("in use by another copy")) << notice.toStdString();
    EXPECT_TRUE(record.add(Answer("T1A02", false)));
    ASSERT_EQ(other.exec("COMMIT"), 0);
    other.close();
    EXPECT_EQ(Rows(folder.path, "SELECT QUESTION AS V FROM ANSWERS"), QStringList{"T1A01"});
}

// A record that cannot be used leaves the program running on one in memory,
// and says so; nothing on the disk is touched.
TEST(StudyRecord, RunsInMemoryWhenTheFileCannotBeUsed) {
    RecordFolder folder;
    ASSERT_EQ(mkfifo(folder.path.toLocal8Bit().constData(), 0600), 0);
    WriteAll(folder.dir.filePath("plain"), "x");
    const QString underAFile = folder.dir.filePath("plain/quillet-record.db");
    const QString aFolder = folder.dir.filePath("folder");
    ASSERT_TRUE(QDir().mkpath(aFolder));

    for (const QString& path : {folder.path, underAFile, aFolder}) {
        SCOPED_TRACE(path.toStdString());
        StudyRecord record;
        EXPECT_EQ(record.open(path, kToday), StudyRecord::OpenStatus::InMemory);
        EXPECT_TRUE(record.isOpen());
        EXPECT_FALSE(record.persistent());
        EXPECT_TRUE(record.add(Answer("T1A01", false)));
        EXPECT_EQ(record.latest("Element 2").size(), 1);
        const QString notice = record.takeNotice();
        EXPECT_TRUE(notice.contains("cannot be used")) << notice.toStdString();
        EXPECT_TRUE(notice.contains("will not be kept"));
    }
    EXPECT_TRUE(QFileInfo(folder.path).exists() && !QFileInfo(folder.path).isFile());
    EXPECT_TRUE(QFileInfo(aFolder).isDir());
    EXPECT_EQ(ReadAll(folder.dir.filePath("plain")), "x");
}

TEST(StudyRecord, AFolderThatCannotBeWrittenGivesARecordInMemory) {
    QUILLET_RUN_UNPRIVILEGED();
    RecordFolder folder;
    {
        StudyRecord record;
        record.open(folder.path, kToday);
        record.add(Answer("T1A01", false));
    }
    // The file itself is writable, but its journal cannot be made beside it.
    ASSERT_EQ(chmod(folder.dir.path().toLocal8Bit().constData(), 0500), 0);
    StudyRecord record;
    EXPECT_EQ(record.open(folder.path, kToday), StudyRecord::OpenStatus::InMemory);
    EXPECT_TRUE(record.takeNotice().contains("cannot be written"));
    chmod(folder.dir.path().toLocal8Bit().constData(), 0700);
    EXPECT_EQ(Rows(folder.path, "SELECT COUNT(*) AS V FROM ANSWERS"), QStringList{"1"});
}

// A writer killed at any moment leaves a record that opens as it is, with every
// answer it had committed: at least the ones it reported, at most one more.
TEST(StudyRecord, EveryCommittedAnswerSurvivesKillsDuringWrites) {
    // A killed process loses nothing the system has accepted, so the disk's own
    // syncing plays no part: memory-backed files make the 200 rounds quick.
    const QString base = QDir("/dev/shm").exists() ? "/dev/shm" : QDir::tempPath();
    QTemporaryDir dir(base + "/quillet-kill-XXXXXX");
    ASSERT_TRUE(dir.isValid());
    const struct { QString path; } folder{dir.filePath("quillet-record.db")};
    std::mt19937 random(20261208);
    qint64 reported = 0;
    for (int round = 0; round < 200; ++round) {
        int pipeFds[2];
        ASSERT_EQ(pipe(pipeFds), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(pipeFds[0]);
            StudyRecord record;
            if (record.open(folder.path, kToday) == StudyRecord::OpenStatus::InMemory) _exit(2);
            for (qint64 n = record.answerCount() + 1;; ++n) {
                if (!record.add(Answer(QString::number(n), n % 2 == 0))) _exit(3);
                if (write(pipeFds[1], &n, sizeof n) != sizeof n) _exit(4);
            }
        }
        close(pipeFds[1]);
        // Let it commit a few answers, then kill it at a random moment.
        const int commits = 1 + static_cast<int>(random() % 4);
        qint64 n = 0;
        for (int i = 0; i < commits && read(pipeFds[0], &n, sizeof n) == sizeof n; ++i)
            reported = n;
        usleep(static_cast<useconds_t>(random() % 3000));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status))
            << "the writer ended by itself, code " << WEXITSTATUS(status);
        while (read(pipeFds[0], &n, sizeof n) == sizeof n) reported = n;
        close(pipeFds[0]);

        StudyRecord record;
        ASSERT_EQ(record.open(folder.path, kToday), StudyRecord::OpenStatus::Opened)
            << "round " << round;
        const qint64 count = record.answerCount();
        ASSERT_GE(count, reported) << "round " << round;
        ASSERT_LE(count, reported + 1) << "round " << round;
        reported = count;
    }
    // Rows 1..n in order, each answer's latest entry in step with the history.
    const QStringList check = Rows(
        folder.path,
        "SELECT (SELECT COUNT(*) FROM ANSWERS WHERE QUESTION <> CAST(ID AS TEXT)) || ',' ||"
        " (SELECT MAX(ID) FROM ANSWERS) || ',' || (SELECT COUNT(*) FROM LATEST L JOIN ANSWERS A"
        " ON A.ID = L.ANSWER_ID AND A.QUESTION = L.QUESTION AND A.CORRECT = L.CORRECT) AS V");
    EXPECT_EQ(check, QStringList{QString("0,%1,%1").arg(reported)});
    EXPECT_GE(reported, 200);
}

// A record written before the review boxes existed opens as it is: every
// answer kept, and each question's box worked out from its answers so far. A
// record of a later layout than this program knows is left alone.
TEST(StudyRecord, AnOlderRecordGainsTheReviewBoxesAndKeepsEveryAnswer) {
    RecordFolder folder;
    {
        Database db;
        ASSERT_EQ(db.create(folder.path, QByteArray()), 0);
        ASSERT_EQ(
            db.exec("CREATE TABLE ANSWERS ( ID INTEGER PRIMARY KEY, POOL TEXT NOT NULL,"
                    " QUESTION TEXT NOT NULL, ANSWERED_AT TEXT NOT NULL, CORRECT INTEGER NOT NULL);"
                    "CREATE TABLE LATEST ( POOL TEXT NOT NULL, QUESTION TEXT NOT NULL,"
                    " ANSWER_ID INTEGER NOT NULL, CORRECT INTEGER NOT NULL,"
                    " PRIMARY KEY (POOL, QUESTION)) WITHOUT ROWID;"
                    "INSERT INTO ANSWERS VALUES (1, 'Element 2', 'T1A01', "
                    "'2026-11-30T12:00:00.000Z', 1),"
                    " (2, 'Element 2', 'T1A01', '2026-12-01T12:00:00.000Z', 1),"
                    " (3, 'Element 2', 'T1A02', '2026-12-01T12:00:00.000Z', 1),"
                    " (4, 'Element 2', 'T1A02', '2026-12-02T12:00:00.000Z', 0),"
                    " (5, 'Element 3', 'T1A01', '2026-12-02T12:00:00.000Z', 1);"
                    "INSERT INTO LATEST VALUES ('Element 2', 'T1A01', 2, 1),"
                    " ('Element 2', 'T1A02', 4, 0), ('Element 3', 'T1A01', 5, 1);"
                    "PRAGMA user_version = 1"),
            0)
            << db.lastError().toStdString();
    }
    const QString before =
        "SELECT group_concat(ID || POOL || QUESTION || ANSWERED_AT || CORRECT, ';')"
        " AS V FROM ANSWERS";
    const QStringList answers = Rows(folder.path, before.toUtf8().constData());
    {
        StudyRecord record;
        ASSERT_EQ(record.open(folder.path, kToday), StudyRecord::OpenStatus::Opened);
        EXPECT_TRUE(record.takeNotice().isEmpty());
        const auto latest = record.latest("Element 2");
        ASSERT_EQ(latest.size(), 2);
        // Right twice in a row, the second time on 1 December: due 3 days later.
        EXPECT_EQ(latest["T1A01"].spacing.box, 2);
        EXPECT_EQ(
            latest["T1A01"].spacing.due,
            QDateTime(QDate(2026, 12, 1), QTime(12, 0), Qt::UTC).toLocalTime().date().addDays(3));
        EXPECT_EQ(latest["T1A02"].spacing.box, 0);
        EXPECT_EQ(record.latest("Element 3")["T1A01"].spacing.box, 1);
        EXPECT_TRUE(record.add(Answer("T1A03", true)));
    }
    {
        Database db;
        ASSERT_EQ(db.open(folder.path, QByteArray()), 0);
        Query version(db, "PRAGMA user_version");
        ASSERT_TRUE(version.next());
        EXPECT_EQ(version.value("user_version").toInt(), 3);
    }
    EXPECT_EQ(Rows(folder.path, "SELECT COUNT(*) AS V FROM ANSWERS"), QStringList{"6"});
    EXPECT_EQ(Rows(folder.path, (before + " WHERE ID <= 5").toUtf8().constData()), answers);
    EXPECT_EQ(Rows(folder.path, "SELECT COUNT(*) AS V FROM SPACING"), QStringList{"4"});
    // The older answers have no choice, test or time to tell; the tables for them are there.
    EXPECT_EQ(Rows(folder.path,
                   "SELECT (SELECT COUNT(*) FROM TESTS) || (SELECT COUNT(*) FROM ANSWER_DETAILS)"
                   " || (SELECT COUNT(*) FROM FLAGS) AS V"),
              QStringList{"000"});

    // Opened again, nothing is worked out twice.
    StudyRecord again;
    ASSERT_EQ(again.open(folder.path, kToday), StudyRecord::OpenStatus::Opened);
    EXPECT_EQ(again.answerCount(), 6);
    again.close();

    {
        Database db;
        ASSERT_EQ(db.open(folder.path, QByteArray()), 0);
        ASSERT_EQ(db.exec("PRAGMA user_version = 99"), 0);
    }
    StudyRecord newer;
    EXPECT_EQ(newer.open(folder.path, kToday), StudyRecord::OpenStatus::InMemory);
    EXPECT_TRUE(newer.takeNotice().contains("newer version"));
    EXPECT_EQ(Rows(folder.path, "SELECT COUNT(*) AS V FROM ANSWERS"), QStringList{"6"});
}

// A test's answers keep the letter chosen, the test and the seconds taken;
// flags stay set across runs until cleared.
TEST(StudyRecord, KeepsEachTestsAnswersAndTheFlagsAcrossRuns) {
    RecordFolder folder;
    const QDateTime start(QDate(2026, 12, 8), QTime(18, 0));
    qint64 test = 0;
    {
        StudyRecord record;
        record.open(folder.path, kToday);
        test = record.beginTest(4, 2, start);
        ASSERT_GT(test, 0);
        EXPECT_TRUE(record.add({"Element 2", "T1A01", start.addSecs(20), true, u'C', test, 20}));
        EXPECT_TRUE(record.add(Answer("T1A05", true)));  // another test's, or none
        EXPECT_TRUE(record.add({"Element 2", "T1B02", start.addSecs(65), false, u'A', test, 45}));
        record.endTest(test, start.addSecs(70));
        EXPECT_TRUE(record.setFlag("Element 2", "T1B02", true));
        EXPECT_TRUE(record.setFlag("Element 2", "T1A01", true));
        EXPECT_TRUE(record.setFlag("Element 2", "T1A01", false));
        EXPECT_TRUE(record.setFlag("Element 3", "T1A01", true));
    }
    StudyRecord record;
    ASSERT_EQ(record.open(folder.path, kToday), StudyRecord::OpenStatus::Opened);
    const RecordedTest kept = record.test(test);
    EXPECT_EQ(kept.mode, 4);
    EXPECT_EQ(kept.element, 2);
    EXPECT_EQ(kept.started, start);
    EXPECT_EQ(kept.ended, start.addSecs(70));
    const std::vector<TestAnswer> answers = record.testAnswers(test);
    ASSERT_EQ(answers.size(), 2u);
    EXPECT_EQ(answers[0].question, "T1A01");
    EXPECT_EQ(answers[0].chosen, u'C');
    EXPECT_TRUE(answers[0].right);
    EXPECT_EQ(answers[1].question, "T1B02");
    EXPECT_EQ(answers[1].chosen, u'A');
    EXPECT_EQ(answers[1].seconds, 45);
    EXPECT_EQ(record.flags("Element 2"), QSet<QString>{"T1B02"});
    EXPECT_EQ(record.flags("Element 3"), QSet<QString>{"T1A01"});
}
