// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include "AddedBank.h"
#include "BankWriter.h"
#include "PoolReader.h"
#include "QBankTestPools.h"

using namespace quillet;
using namespace quillet::qbank;
using namespace quillet::qbank::testing;

namespace {

struct Outcome {
    int exitCode = -1;
    QString out, err;
};

Outcome RunQbank(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(QBANK_PATH), args);
    Outcome run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) return run;
    run.exitCode = process.exitCode();
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

TEST(QBankTool, WritesTheBankAndSaysWhatItHolds) {
    TinyPools pools;
    pools.writeStandard();
    pools.write("../bank.dat", "an older bank, replaced");
    const Outcome run = RunQbank({"--out", pools.bankPath(), pools.root()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(
        run.out.contains("Technician: 2 sections, 2 questions, 2 figures; "
                         "Extra: 1 section, 1 question, 1 figure"))
        << run.out.toStdString();
    EXPECT_EQ(run.out.count('\n'), 1);

    Database db;
    OpenBank(db, pools.bankPath());
    EXPECT_EQ(Count(db, "SELECT count(*) AS n FROM QUESTIONS"), 3);
    EXPECT_FALSE(QFile::exists(pools.bankPath() + ".part"));
}

TEST(QBankTool, RefusesBrokenPoolsWithoutTouchingTheBank) {
    TinyPools pools;
    pools.writeStandard();
    pools.write("z-tech/z-tech.txt", QByteArray(kTechText).replace("(A)", "(Q)"));

    Outcome run = RunQbank({"--out", pools.bankPath(), pools.root()});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.startsWith("qbank: z-tech/z-tech.txt:8: ")) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_FALSE(QFile::exists(pools.bankPath()));
    EXPECT_FALSE(QFile::exists(pools.bankPath() + ".part"));

    // An older bank at the same place stays as it was.
    {
        QFile old(pools.bankPath());
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("an older bank");
    }
    run = RunQbank({"--out", pools.bankPath(), pools.root()});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_EQ(FileBytes(pools.bankPath()), "an older bank");
    EXPECT_FALSE(QFile::exists(pools.bankPath() + ".part"));
}

TEST(QBankTool, CommandLineFaultsAreRefused) {
    TinyPools pools;
    pools.writeStandard();
    const QStringList bad[] = {
        {},
        {pools.root()},
        {"--out"},
        {"--out", pools.bankPath(), pools.root(), pools.root()},
        {"--out", pools.bankPath(), "--verbose", pools.root()},
        {"--out", pools.folder() + "/missing/bank.dat", pools.root()},
        {"--out", pools.bankPath(), pools.folder() + "/no-such-pools"},
    };
    for (const QStringList& args : bad) {
        const Outcome run = RunQbank(args);
        EXPECT_GT(run.exitCode, 0) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.startsWith("qbank: ")) << run.err.toStdString();
    }
    EXPECT_EQ(QDir(pools.folder()).entryList(QDir::Files), QStringList());

    const Outcome help = RunQbank({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains("qbank --out FILE POOLSDIR"));
}

TEST(QBankRealPools, BuildTheWholeBank) {
    const QString poolsDir = QStringLiteral(QUILLET_POOLS);
    if (!QFileInfo(poolsDir).isDir()) {
        GTEST_SKIP() << "no question pools at " << poolsDir.toStdString();
    }
    QTemporaryDir dir;
    const QString path = dir.filePath("quillet.dat");
    BankContent content;
    QString error;
    ASSERT_TRUE(ReadPools(poolsDir, content, &error)) << error.toStdString();
    ASSERT_TRUE(WriteBank(path, content, &error)) << error.toStdString();

    Database db;
    OpenBank(db, path);
    EXPECT_EQ(Count(db, "SELECT count(*) AS n FROM SECTIONS"), 30);
    EXPECT_EQ(Count(db, "SELECT min(SECTIONID) = 1 AND max(SECTIONID) = 30 AS n FROM SECTIONS"), 1);
    for (const int element : {2, 3, 5}) {
        Query sections(db, "SELECT count(*) AS n FROM SECTIONS WHERE TEST = ?");
        sections.bind(1, qint64{element});
        ASSERT_TRUE(sections.next());
        EXPECT_EQ(sections.integer("n"), 10) << "element " << element;
    }
    Query perElement(db,
                     "SELECT TEST, count(*) AS n FROM QUESTIONS JOIN SECTIONS "
                     "ON QUESTIONS.SectionID = SECTIONS.SECTIONID GROUP BY TEST ORDER BY TEST");
    QStringList counts;
    while (perElement.next())
        counts
            << QStringLiteral("%1:%2").arg(perElement.integer("TEST")).arg(perElement.integer("n"));
    EXPECT_EQ(counts, QStringList({"2:409", "3:423", "5:599"}));
    EXPECT_EQ(Count(db, "SELECT count(*) AS n FROM QUESTIONS"), 1431);
    EXPECT_EQ(
        Count(db, "SELECT count(*) AS n FROM QUESTIONS WHERE ANSWER NOT IN ('A','B','C','D')"), 0);

    EXPECT_EQ(Count(db, "SELECT count(*) AS n FROM FIGURES"), 14);
    EXPECT_EQ(Count(db,
                    "SELECT count(*) AS n FROM FIGURES WHERE FIGUREID NOT IN "
                    "(SELECT FIGUREID FROM QUESTIONS WHERE FIGUREID IS NOT NULL)"),
              0);
    EXPECT_EQ(Count(db,
                    "SELECT count(*) AS n FROM QUESTIONS WHERE FIGUREID IS NOT NULL AND "
                    "FIGUREID NOT IN (SELECT FIGUREID FROM FIGURES)"),
              0);
    // One row per pool, as its titles.json gives it.
    Query exams(db, "SELECT * FROM EXAMS ORDER BY TEST");
    QStringList examRows;
    while (exams.next()) {
        examRows << QStringLiteral("%1 %2 %3 %4 %5 %6")
                        .arg(exams.integer("TEST"))
                        .arg(exams.text("POOL"), exams.text("VALID_FROM"), exams.text("VALID_TO"))
                        .arg(exams.integer("QUESTIONS"))
                        .arg(exams.integer("PASS_MARK"));
    }
    QStringList fromTitles;
    for (const QString& pool : QDir(poolsDir).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QJsonObject titles =
            QJsonDocument::fromJson(FileBytes(poolsDir + "/" + pool + "/titles.json")).object();
        const QJsonObject exam = titles["exam"].toObject();
        const int element = ElementNumber(titles["subelements"][0]["id"].toString()[0]);
        fromTitles << QStringLiteral("%1 %2 %3 %4 %5 %6")
                          .arg(element)
                          .arg(titles["pool"].toString(), titles["valid_from"].toString(),
                               titles["valid_to"].toString())
                          .arg(exam["questions"].toInt())
                          .arg(exam["pass_mark"].toInt());
    }
    fromTitles.sort();
    EXPECT_EQ(examRows, fromTitles);
    EXPECT_EQ(examRows.size(), 3);

    // A question's figure is the one its text names.
    EXPECT_EQ(Count(db,
                    "SELECT count(*) AS n FROM QUESTIONS JOIN FIGURES USING (FIGUREID) "
                    "WHERE instr(lower(Question), lower(CAPTION)) = 0"),
              0);
}

TEST(QBankTool, AddsAPublishedPoolToTheNamedBankAndChecksWithoutWriting) {
    TinyPools pools;
    pools.write("release/general-2027-2031.txt",
                "SUBELEMENT G1 - RULES [35 Exam Questions - 1 Group]\r\n"
                "G1A01 (A) [97.1]\r\nWhat?\r\nA. a\r\nB. b\r\nC. c\r\nD. d\r\n~~\r\n"
                "G1A02 (Question Deleted)\r\n~~\r\n~~~end of question pool text~~~\r\n");
    const QString file = pools.root() + "/release/general-2027-2031.txt";
    const QString bank = pools.folder() + "/student/quillet-added.dat";

    Outcome run = RunQbank({"--add", file, "--check", "--into", bank});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out,
              "qbank: General pool general-2027-2031, in force 1 July 2027 to 30 June 2031: 1 "
              "section, 1 question, 0 figures, 1 withdrawn question left out; the exam asks 35, "
              "26 to pass\n");
    EXPECT_FALSE(QFile::exists(bank));

    run = RunQbank({"--add", file, "--into=" + bank, "--pass-mark", "30"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.endsWith("qbank: added to " + bank + "\n")) << run.out.toStdString();
    BankContent read;
    ASSERT_TRUE(ReadAddedBank(bank, read));
    ASSERT_EQ(read.exams.size(), 1u);
    EXPECT_EQ(read.exams[0].passMark, 30);

    for (const QStringList& args : {QStringList{"--add"},
                                    {"--add", file, "--out", bank},
                                    {"--add", file, "--questions", "many"},
                                    {"--add", file, "--valid-from", "2027-13-01"}}) {
        run = RunQbank(args);
        EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
    }
}
