// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include <functional>
#include <ostream>

#include "BankWriter.h"
#include "PoolReader.h"
#include "QBankTestPools.h"

using namespace quillet;
using namespace quillet::qbank;
using namespace quillet::qbank::testing;

namespace {

QStringList Flatten(const BankContent& c) {
    QStringList out;
    for (const auto& s : c.sections) out << QString::number(s.id) << s.section << s.description;
    for (const auto& q : c.questions) {
        out << QString::number(q.id) << QString::number(q.sectionId) << q.question << q.answerA
            << q.answerB << q.answerC << q.answerD << q.answer << q.fccQuestionId
            << QString::number(q.figureId.value_or(-1));
    }
    for (const auto& f : c.figures) out << QString::number(f.id) << f.caption << f.png.toHex();
    return out;
}

}  // namespace

TEST(QBankPoolReader, BankHoldsSectionsQuestionsAndFiguresInElementOrder) {
    TinyPools pools;
    pools.writeStandard();
    BankContent content;
    QString error;
    ASSERT_TRUE(ReadPools(pools.root(), content, &error)) << error.toStdString();
    ASSERT_TRUE(WriteBank(pools.bankPath(), content, &error)) << error.toStdString();

    Database db;
    OpenBank(db, pools.bankPath());
    Query sections(db, "SELECT * FROM SECTIONS ORDER BY SECTIONID");
    QStringList rows;
    while (sections.next()) {
        rows << QStringLiteral("%1 %2 %3 %4")
                    .arg(sections.integer("SECTIONID"))
                    .arg(sections.text("SECTION"), sections.text("DESCRIPTION"))
                    .arg(sections.integer("TEST"));
    }
    EXPECT_EQ(rows, QStringList({"1 T1 Commission's Rules 2", "2 T0 Electrical and RF Safety 2",
                                 "3 E1 Commission Rules 5"}));

    Query questions(db, "SELECT * FROM QUESTIONS ORDER BY QuestionID");
    ASSERT_TRUE(questions.next());
    EXPECT_EQ(questions.integer("QuestionID"), 1);
    EXPECT_EQ(questions.integer("SectionID"), 1);
    EXPECT_EQ(questions.text("FCCQUESTIONID"), "T1A01");
    EXPECT_EQ(questions.text("Question"), QString::fromUtf8("Which sign is “µ” or Ω at 5 °C?"));
    EXPECT_EQ(questions.text("AnswerA") + questions.text("ANSWERD"), "OneFour");
    EXPECT_EQ(questions.text("ANSWER"), "C");
    EXPECT_TRUE(questions.isNull("FIGUREID"));
    ASSERT_TRUE(questions.next());
    EXPECT_EQ(questions.integer("SectionID"), 2);
    EXPECT_EQ(questions.text("FCCQUESTIONID"), "T0A01");
    EXPECT_EQ(questions.integer("FIGUREID"), 1);
    ASSERT_TRUE(questions.next());
    EXPECT_EQ(questions.integer("QuestionID"), 3);
    EXPECT_EQ(questions.integer("SectionID"), 3);
    EXPECT_EQ(questions.integer("FIGUREID"), 3);
    EXPECT_FALSE(questions.next());

    // Every PNG of a folder is kept, named or not.
    Query figures(db, "SELECT * FROM FIGURES ORDER BY FIGUREID");
    const std::pair<const char*, QByteArray> expected[] = {{"Figure T-1", FakePng("t1")},
                                                           {"Figure T-2", FakePng("t2")},
                                                           {"Figure E6-2", FakePng("e62")}};
    for (const auto& [caption, png] : expected) {
        ASSERT_TRUE(figures.next());
        EXPECT_EQ(figures.text("CAPTION"), caption);
        EXPECT_EQ(figures.blob("FIGURE"), png);
    }
    EXPECT_FALSE(figures.next());
    EXPECT_EQ(ContentSummary(content),
              "Technician: 2 sections, 2 questions, 2 figures; "
              "Extra: 1 section, 1 question, 1 figure");

    // Only the pool whose titles give an exam has a row.
    Query exams(db, "SELECT * FROM EXAMS");
    ASSERT_TRUE(exams.next());
    EXPECT_EQ(QStringLiteral("%1 %2 %3 %4 %5 %6")
                  .arg(exams.integer("TEST"))
                  .arg(exams.text("POOL"), exams.text("VALID_FROM"), exams.text("VALID_TO"))
                  .arg(exams.integer("QUESTIONS"))
                  .arg(exams.integer("PASS_MARK")),
              "2 technician-2026-2030 2026-07-01 2030-06-30 35 26");
    EXPECT_FALSE(exams.next());
}

TEST(QBankPoolReader, PoolsWithoutAnExamGiveABankWithoutTheExamsTable) {
    TinyPools pools;
    pools.writeStandard();
    pools.write("z-tech/titles.json", R"({"subelements": [{"id": "T1", "title": "A"},
        {"id": "T0", "title": "B"}]})");
    BankContent content;
    QString error;
    ASSERT_TRUE(ReadPools(pools.root(), content, &error)) << error.toStdString();
    ASSERT_TRUE(WriteBank(pools.bankPath(), content, &error)) << error.toStdString();
    Database db;
    OpenBank(db, pools.bankPath());
    EXPECT_EQ(Count(db, "SELECT count(*) AS n FROM sqlite_master WHERE name = 'EXAMS'"), 0);
    EXPECT_EQ(Count(db, "SELECT count(*) AS n FROM QUESTIONS"), 3);
}

TEST(QBankPoolReader, CrlfBomAndTrailingBlankLinesReadLikePlainText) {
    TinyPools plain, windows;
    plain.writeStandard();
    windows.writeStandard();
    QByteArray text = kTechText;
    text.replace("\n", "\r\n");
    windows.write(QStringLiteral("z-tech/z-tech.txt"), "\xEF\xBB\xBF" + text + "\r\n \r\n\r\n");
    windows.write(QStringLiteral("z-tech/titles.json"), "\xEF\xBB\xBF" + kTechTitles);

    BankContent a, b;
    QString error;
    ASSERT_TRUE(ReadPools(plain.root(), a, &error)) << error.toStdString();
    ASSERT_TRUE(ReadPools(windows.root(), b, &error)) << error.toStdString();
    EXPECT_EQ(Flatten(a), Flatten(b));
}

TEST(QBankPoolReader, TitlesReadInTitleCase) {
    EXPECT_EQ(ReadableTitle(QString::fromUtf8("COMMISSION’S RULES")), "Commission's Rules");
    EXPECT_EQ(ReadableTitle("ANTENNAS AND FEED LINES"), "Antennas and Feed Lines");
    EXPECT_EQ(ReadableTitle("ELECTRICAL AND RF SAFETY"), "Electrical and RF Safety");
    EXPECT_EQ(ReadableTitle("THE  USE OF AC/DC IN FCC-TYPE (HF) WORK"),
              "The Use of AC/DC in FCC-Type (HF) Work");
}

struct BrokenPool {
    const char* name;
    std::function<void(const TinyPools&)> breakIt;
    const char* message;
};

void PrintTo(const BrokenPool& pool, std::ostream* os) { *os << pool.name; }

class QBankBrokenPools : public ::testing::TestWithParam<BrokenPool> {};

TEST_P(QBankBrokenPools, AreRefusedNamingFileAndLine) {
    TinyPools pools;
    pools.writeStandard();
    GetParam().breakIt(pools);
    BankContent content;
    content.sections.push_back({7, "X1", "kept", 2});
    QString error;
    EXPECT_FALSE(ReadPools(pools.root(), content, &error));
    EXPECT_TRUE(error.contains(QString::fromUtf8(GetParam().message))) << error.toStdString();
    EXPECT_EQ(content.sections.size(), 1u);  // left as it was
}

namespace {

// The standard Technician text with one line replaced (1-based) or cut after it.
std::function<void(const TinyPools&)> TechLine(int line, const QByteArray& replacement) {
    return [=](const TinyPools& p) {
        QList<QByteArray> lines = kTechText.split('\n');
        lines[line - 1] = replacement;
        p.write("z-tech/z-tech.txt", lines.join('\n'));
    };
}

std::function<void(const TinyPools&)> Write(const char* file, const QByteArray& bytes) {
    return [=](const TinyPools& p) { p.write(file, bytes); };
}

// The standard Technician titles with another "exam" value.
std::function<void(const TinyPools&)> ExamTitles(const QByteArray& exam) {
    return Write("z-tech/titles.json",
                 QByteArray(kTechTitles).replace(R"({"questions": 35, "pass_mark": 26})", exam));
}

QByteArray ManySubelements(int n) {
    QByteArray json = R"({"subelements": [)";
    for (int i = 1; i <= n; ++i)
        json += QByteArray(i > 1 ? "," : "") + R"({"id": "T)" + QByteArray::number(i) +
                R"(", "title": "X"})";
    return json + "]}";
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(
    QBankPools, QBankBrokenPools,
    ::testing::Values(
        BrokenPool{"BadHeader", TechLine(8, "T0A01 A"),
                   "z-tech/z-tech.txt:8: expected a question header"},
        BrokenPool{"MissingAnswer", TechLine(5, ""),
                   "z-tech.txt:5: expected an answer line starting with 'C. ', found a blank line"},
        BrokenPool{"EndsEarly",
                   Write("z-tech/z-tech.txt", kTechText.left(kTechText.indexOf("B. A switch"))),
                   "z-tech.txt:11: expected an answer line starting with 'B. ', found the end"},
        BrokenPool{"FifthAnswer", TechLine(7, "E. Five"),
                   "z-tech.txt:7: expected a blank line after answer D of T1A01"},
        BrokenPool{"AnswerLetter", TechLine(1, "T1A01 (E) [97.1]"),
                   "z-tech.txt:1: the correct answer of T1A01 is 'E'"},
        BrokenPool{"UnlistedSubelement", TechLine(8, "T5A01 (A)"),
                   "z-tech.txt:8: question T5A01 is of subelement T5"},
        BrokenPool{"DuplicateId", TechLine(8, "T1A01 (A)"),
                   "z-tech.txt:8: question T1A01 is already at z-tech/z-tech.txt:1"},
        BrokenPool{"NotUtf8", TechLine(2, "Caf\xE9?"), "z-tech.txt:2: the text is not UTF-8"},
        BrokenPool{"MissingFigure", TechLine(9, "See figure T-3."),
                   "z-tech.txt:8: question T0A01 names figure T-3, but z-tech has no t-3.png"},
        BrokenPool{"BadJson", Write("z-tech/titles.json", "{\"subelements\": [\n{\"id\": \"T1\"\n"),
                   "z-tech/titles.json:3: not valid JSON"},
        BrokenPool{"NoSubelements", Write("z-tech/titles.json", "{\"pool\": \"x\"}"),
                   "z-tech/titles.json: expected a non-empty \"subelements\" list"},
        BrokenPool{"MissingTitles",
                   [](const TinyPools& p) { QFile::remove(p.root() + "/z-tech/titles.json"); },
                   "z-tech/z-tech.txt:1: question T1A01 comes before any heading"},
        BrokenPool{"UnreadableText",
                   [](const TinyPools& p) {
                       QFile::remove(p.root() + "/z-tech/z-tech.txt");
                       QDir().mkpath(p.root() + "/z-tech/z-tech.txt");
                   },
                   "z-tech/z-tech.txt: cannot read"},
        BrokenPool{"TooManySections", Write("z-tech/titles.json", ManySubelements(37)),
                   "37 subelements for element T; at most 36"},
        BrokenPool{"SameElementTwice",
                   [](const TinyPools& p) {
                       p.write("m-extra/titles.json",
                               R"({"subelements": [{"id": "E2", "title": "X"}]})");
                       p.write("m-extra/m-extra.txt", "E2A01 (A)\nQ?\nA. a\nB. b\nC. c\nD. d\n");
                   },
                   "a-extra and m-extra are both pools of element E"},
        BrokenPool{"NotAPng", Write("a-extra/e6-2.png", "GIF89a"), "a-extra/e6-2.png: not a PNG"},
        BrokenPool{"ExamPassMarkAboveQuestions",
                   ExamTitles(R"({"questions": 35, "pass_mark": 36})"),
                   "z-tech/titles.json: the exam's \"pass_mark\" 36 is more than its 35 questions"},
        BrokenPool{"ExamCountNotWhole", ExamTitles(R"({"questions": 35.5, "pass_mark": 26})"),
                   "\"exam\" needs \"questions\" as a whole number"},
        BrokenPool{"ExamNotAnObject", ExamTitles("35"), "\"exam\" must be an object"},
        BrokenPool{"ExamWithoutDates",
                   Write("z-tech/titles.json", R"({"exam": {"questions": 35, "pass_mark": 26},
                       "valid_from": "2026-02-30", "subelements": [{"id": "T1", "title": "A"},
                       {"id": "T0", "title": "B"}]})"),
                   "\"valid_from\" must be a date such as \"2026-07-01\""},
        BrokenPool{"ExamDatesReversed",
                   Write("z-tech/titles.json",
                         QByteArray(kTechTitles).replace("2030-06-30", "2025-06-30")),
                   "\"valid_to\" 2025-06-30 is before \"valid_from\" 2026-07-01"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(QBankBankWriter, FailedWriteKeepsTheOldBankAndLeavesNothingElse) {
    TinyPools pools;
    pools.writeStandard();
    BankContent content;
    ASSERT_TRUE(ReadPools(pools.root(), content));
    ASSERT_TRUE(WriteBank(pools.bankPath(), content));
    QFile bank(pools.bankPath());
    ASSERT_TRUE(bank.open(QIODevice::ReadOnly));
    const QByteArray before = bank.readAll();
    bank.close();

    content.questions.push_back(content.questions.front());  // a second row with the same key
    QString error;
    EXPECT_FALSE(WriteBank(pools.bankPath(), content, &error));
    EXPECT_TRUE(error.contains("cannot write the bank")) << error.toStdString();
    ASSERT_TRUE(bank.open(QIODevice::ReadOnly));
    EXPECT_EQ(bank.readAll(), before);
    EXPECT_EQ(QDir(pools.folder()).entryList(QDir::Files), QStringList{"bank.dat"});
}
