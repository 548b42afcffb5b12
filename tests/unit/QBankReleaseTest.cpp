// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <functional>

#include "AddedBank.h"
#include "PdfFigure.h"
#include "PoolModel.h"
#include "PoolReader.h"
#include "QBankReleaseFiles.h"
#include "QBankTestPools.h"
#include "ReleaseReader.h"

using namespace quillet;
using namespace quillet::qbank;
using namespace quillet::qbank::testing;

namespace {

const QStringList kPoolFolders = {"technician-2026-2030", "general-2023-2027", "extra-2024-2028"};

QStringList Flatten(const BankContent& c) {
    QStringList out;
    for (const auto& s : c.sections) {
        out << QString("S %1 %2 %3 %4").arg(s.id).arg(s.section, s.description).arg(s.test);
    }
    for (const auto& q : c.questions) {
        out << QStringList{QString::number(q.id),
                           QString::number(q.sectionId),
                           q.question,
                           q.answerA,
                           q.answerB,
                           q.answerC,
                           q.answerD,
                           q.answer,
                           q.fccQuestionId,
                           QString::number(q.figureId.value_or(-1)),
                           q.reference}
                   .join('|');
    }
    for (const auto& f : c.figures) {
        out << QString("F %1 %2 %3").arg(f.id).arg(f.caption, QString(f.png.toHex().left(64)));
        out << QString::number(qHash(f.png));
    }
    for (const auto& e : c.exams) {
        out << QString("E %1 %2 %3 %4 %5 %6")
                   .arg(e.test)
                   .arg(e.pool, e.validFrom, e.validTo)
                   .arg(e.questions)
                   .arg(e.passMark);
    }
    return out;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(bytes);
}

// The shipped pools as published, in one layout, figures copied beside them.
QStringList PublishShippedPools(
    const QString& dir, const std::function<void(const QString&, const QStringList&)>& write) {
    QStringList files;
    for (const QString& name : kPoolFolders) {
        const QString pool = QDir(QUILLET_POOLS).filePath(name);
        write(QDir(dir).filePath(name), PublishedLines(pool));
        files << QDir(dir).filePath(name);
        for (const QString& png : QDir(pool).entryList({"*.png"})) {
            QFile::copy(QDir(pool).filePath(png), QDir(dir).filePath(png));
        }
    }
    return files;
}

}  // namespace

// The shipped pools, published as a Word document or as a Windows-1252 CRLF text export, give
// the bank the pool folders give, field for field, and their rule references.
TEST(QBankRealPoolsPublished, GiveTheSameBankAsThePoolFolders) {
    BankContent expected;
    QString error;
    ASSERT_TRUE(ReadPools(QUILLET_POOLS, expected, &error)) << error.toStdString();
    int references = 0;
    for (const BankQuestion& q : expected.questions) references += !q.reference.isEmpty();
    EXPECT_EQ(references, 194);
    EXPECT_EQ(expected.questions.front().reference, "97.1");

    const std::pair<const char*, std::function<void(const QString&, const QStringList&)>>
        layouts[] = {{"docx",
                      [](const QString& path, const QStringList& lines) {
                          ASSERT_TRUE(WriteDocument(path + ".docx", lines));
                      }},
                     {"txt", [](const QString& path, const QStringList& lines) {
                          WriteFile(path + ".txt", Windows1252Crlf(lines));
                      }}};
    for (const auto& [suffix, write] : layouts) {
        SCOPED_TRACE(suffix);
        QTemporaryDir dir;
        QStringList files;
        for (const QString& file : PublishShippedPools(dir.path(), write)) {
            files << file + "." + suffix;
        }
        ReleaseImport import;
        std::vector<int> progress;
        ASSERT_TRUE(ReadReleases(files, {}, import, &error, [&progress](int permille) {
            progress.push_back(permille);
        })) << error.toStdString();
        EXPECT_EQ(Flatten(import.content), Flatten(expected));
        // Progress rises from 0 to 1000: a step for each file, then for each figure.
        ASSERT_EQ(progress.size(), 1 + files.size() + expected.figures.size() + 1);
        EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
        EXPECT_EQ(progress.front(), 0);
        EXPECT_EQ(progress[files.size()], kReadingShare);
        EXPECT_EQ(progress.back(), 1000);
        ASSERT_EQ(import.pools.size(), 3u);
        EXPECT_EQ(import.pools[2].withdrawn, 4);  // as titles.json lists them
        EXPECT_EQ(import.pools[0].withdrawn, 1);
        EXPECT_EQ(ReleaseSummaryText(import.pools[0]),
                  "Technician pool technician-2026-2030, in force 1 July 2026 to 30 June 2030: "
                  "10 sections, 409 questions, 3 figures, 1 withdrawn question left out; the "
                  "exam asks 35, 26 to pass");
    }
}

namespace {

// A small pool as published: two subelements, one figure, a withdrawn question.
QStringList SmallRelease() {
    return {"Element 3 (General) Question Pool 2027-2031",
            "Errata: none",
            "SUBELEMENT G1 \u2013 COMMISSION\u2019S RULES [1 Exam Question \u2013 1 Group]",
            "G1A \u2013 General class control operator frequency privileges",
            "",
            "G1A01 (C) [97.301(d)]",
            "On which band may a General class operator transmit \u201Cphone\u201D?",
            "A. 30 meters",
            "B. 60 meters",
            "C. 20 meters",
            "D. None",
            "~~",
            "G1A02 Question Deleted",
            "~~",
            "SUBELEMENT G7 - PRACTICAL CIRCUITS [34 Exam Questions - 1 Group]",
            "G7A - Power supplies; schematic symbols",
            "G7A01 (B)",
            "What is shown in figure G7-1?",
            "A. A lamp",
            "B. A diode",
            "C. A fuse",
            "D. A switch",
            "~~",
            "~~~end of question pool text~~~"};
}

struct Release {
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }
    QString text(const QStringList& lines, const QString& name = "release.txt") const {
        WriteFile(path(name), lines.join('\n').toUtf8());
        return path(name);
    }
};

QString Refusal(const QStringList& files, const ReleaseOptions& options = {}) {
    ReleaseImport import;
    QString error;
    EXPECT_FALSE(ReadReleases(files, options, import, &error));
    EXPECT_TRUE(import.pools.empty());
    return error;
}

}  // namespace

TEST(QBankRelease, ReadsNamesDatesExamAndWithdrawnQuestionsFromTheText) {
    Release release;
    WriteFile(release.path("G7-1.png"), FakePng("g71"));
    ReleaseImport import;
    QString error;
    ASSERT_TRUE(ReadReleases({release.text(SmallRelease())}, {}, import, &error))
        << error.toStdString();
    ASSERT_EQ(import.pools.size(), 1u);
    const ReleaseSummary& pool = import.pools[0];
    EXPECT_EQ(pool.pool, "general-2027-2031");
    EXPECT_EQ(pool.validFrom, QDate(2027, 7, 1));
    EXPECT_EQ(pool.validTo, QDate(2031, 6, 30));
    EXPECT_EQ(pool.examQuestions, 35);
    EXPECT_EQ(pool.passMark, 26);
    EXPECT_EQ(pool.withdrawn, 1);
    EXPECT_EQ(pool.questions, 2);
    EXPECT_EQ(import.content.sections[0].description, "Commission's Rules");
    EXPECT_EQ(import.content.questions[0].question,
              "On which band may a General class operator transmit \u201Cphone\u201D?");
    EXPECT_EQ(import.content.questions[0].reference, "97.301(d)");
    EXPECT_TRUE(import.content.questions[1].reference.isEmpty());
    EXPECT_EQ(import.content.questions[1].figureId, 1);

    // The command line's word wins over the file's, and the years may come from the file name.
    QStringList untitled = SmallRelease();
    untitled[0] = "General Question Pool";
    const QString named = release.text(untitled, "general-2031-2035.txt");
    ReleaseOptions options;
    options.pool = "general-errata";
    options.validTo = QDate(2035, 12, 31);
    options.questions = 40;
    options.passMark = 30;
    ASSERT_TRUE(ReadReleases({named}, options, import, &error)) << error.toStdString();
    EXPECT_EQ(import.pools[0].pool, "general-errata");
    EXPECT_EQ(import.pools[0].validFrom, QDate(2031, 7, 1));
    EXPECT_EQ(import.pools[0].validTo, QDate(2035, 12, 31));
    EXPECT_EQ(import.pools[0].examQuestions, 40);
    EXPECT_EQ(import.pools[0].passMark, 30);
}

struct BrokenRelease {
    const char* name;
    int line;  // of SmallRelease, 0-based
    const char* replacement;
    const char* expected;
};

class QBankBrokenRelease : public ::testing::TestWithParam<BrokenRelease> {};

TEST_P(QBankBrokenRelease, IsRefusedNamingLineAndWhatWasExpected) {
    Release release;
    WriteFile(release.path("g7-1.png"), FakePng("g71"));
    QStringList lines = SmallRelease();
    if (GetParam().line >= 0) lines[GetParam().line] = GetParam().replacement;
    const QString file = release.text(lines);
    const QString error = Refusal({file});
    EXPECT_TRUE(error.startsWith("release.txt")) << error.toStdString();
    EXPECT_TRUE(error.contains(GetParam().expected)) << error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    QBankRelease, QBankBrokenRelease,
    ::testing::Values(
        BrokenRelease{"AnswerLetter", 5, "G1A01 (E) [97.301(d)]",
                      "release.txt:6: expected a question header such as 'T1A01 (C) [97.1]'"},
        BrokenRelease{"MissingAnswer", 9, "", "release.txt:10: expected answer C of G1A01"},
        BrokenRelease{"NoText", 6, "~~", "release.txt:7: expected the text of question G1A01"},
        BrokenRelease{"FifthAnswer", 11, "E. Five",
                      "release.txt:12: expected '~~' after answer D of G1A01"},
        BrokenRelease{"Stray", 13, "Some note", "release.txt:14: expected a question such as"},
        BrokenRelease{"BrokenHeading", 14, "SUBELEMENT G7 PRACTICAL CIRCUITS",
                      "release.txt:15: expected a heading such as"},
        BrokenRelease{"GroupElsewhere", 15, "G6A - Resistors",
                      "release.txt:16: group G6A is not of subelement G7"},
        BrokenRelease{"QuestionElsewhere", 16, "G2A01 (B)",
                      "release.txt:17: question G2A01 is not of subelement G7"},
        BrokenRelease{"OtherElement", 16, "E7A01 (B)", "release.txt:17: E7 is not of element G"},
        BrokenRelease{"SameIdTwice", 12, "G1A01 Question Deleted",
                      "release.txt:13: question G1A01 is already at release.txt:6"},
        BrokenRelease{"MissingFigure", 17, "What is shown in figure G7-2?",
                      "release.txt:17: question G7A01 names figure G7-2, which the release lacks"},
        BrokenRelease{"NoEndMarker", 23, "", "expected '~~~end of question pool text~~~'"},
        BrokenRelease{"NoYears", 0, "General Question Pool",
                      "the years the pool is in force are neither in its title nor"},
        BrokenRelease{"ExamSizeDiffers", 14,
                      "SUBELEMENT G7 - PRACTICAL CIRCUITS [3 Exam Questions - 1 Group]",
                      "the subelement headings add up to 4 exam questions, but the General exam "
                      "has 35"},
        BrokenRelease{"WithoutHeadings", 2, "Syllabus",
                      "release.txt:6: question G1A01 comes before any heading"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(QBankRelease, DocumentFaultsNameTheParagraph) {
    Release release;
    WriteFile(release.path("g7-1.png"), FakePng("g71"));
    QStringList lines = SmallRelease();
    lines[9] = "C 20 meters";
    ASSERT_TRUE(WriteDocument(release.path("pool.docx"), lines));
    EXPECT_EQ(Refusal({release.path("pool.docx")}),
              "pool.docx: paragraph 10: expected answer C of G1A01 ('C. ...'), found 'C 20 "
              "meters'");

    WriteFile(release.path("broken.docx"), "PK\x03\x04 not really an archive");
    EXPECT_TRUE(Refusal({release.path("broken.docx")}).startsWith("broken.docx: not a Word"));
    WriteFile(release.path("renamed.docx"), SmallRelease().join('\n').toUtf8());
    EXPECT_EQ(Refusal({release.path("renamed.docx")}), "renamed.docx: not a Word document (.docx)");
    WriteFile(release.path("pool.pdf"), "%PDF-1.4\n");
    EXPECT_TRUE(Refusal({release.path("pool.pdf")}).contains("give the Word document"));
}

namespace {

QByteArray Encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage Drawing(QColor ink) {
    QImage image(120, 80, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter(&image).fillRect(QRect(40, 20, 40, 40), ink);
    return image;
}

QByteArray Svg(const char* ink) {
    return QByteArray(
               "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"120\" height=\"80\">"
               "<rect x=\"40\" y=\"20\" width=\"40\" height=\"40\" fill=\"") +
           ink + "\"/></svg>";
}

QByteArray Pdf(int pages) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(72);
    QPainter painter(&writer);
    for (int page = 0; page < pages; ++page) {
        if (page) writer.newPage();
        painter.fillRect(QRect(100, 100, 60, 60), QColor(0, 0, 255));
    }
    painter.end();
    return bytes;
}

// The drawing's colour, at the middle of the stored figure.
QColor Middle(const QByteArray& png) {
    const QImage image = QImage::fromData(png, "PNG");
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

// A Technician pool whose questions name figures T-1 .. T-5.
QStringList FigurePool() {
    QStringList lines{"Technician Pool 2030-2034",
                      "SUBELEMENT T1 - FIGURES [35 Exam Questions - 1 Group]"};
    for (int n = 1; n <= 5; ++n) {
        lines << QString("T1A0%1 (A)").arg(n) << QString("What is in figure T-%1?").arg(n) << "A. a"
              << "B. b"
              << "C. c"
              << "D. d"
              << "~~";
    }
    return lines << "~~~end of question pool text~~~"
                 << "The figures follow.";
}

}  // namespace

TEST(QBankRelease, FiguresComeInEveryAcceptedFormatAndNameStyle) {
    UsePdfFigures();
    Release release;
    const QString figures = release.path("figures");
    WriteFile(figures + "/T1.png", Encoded(Drawing(Qt::red), "PNG"));
    WriteFile(figures + "/t-2.JPG", Encoded(Drawing(Qt::green), "JPEG"));
    WriteFile(figures + "/Figure T-3.svg", Svg("#0000ff"));
    WriteFile(figures + "/figure_t-4.pdf", Pdf(1));
    WriteFile(figures + "/unrelated.png", "not read");
    const QString text = release.text(FigurePool());
    // The document's own picture serves T-5, which has no file.
    const QString document = release.path("pool.docx");
    ASSERT_TRUE(WriteDocument(
        document, FigurePool(),
        {{0, "Figure T-9", Encoded(Drawing(Qt::red), "PNG"), "j.png"},
         {int(FigurePool().size()), "Figure T-5", Encoded(Drawing(Qt::black), "PNG"), "i.png"}}));

    ReleaseOptions options;
    options.figuresDir = figures;
    ReleaseImport import;
    QString error;
    EXPECT_FALSE(ReadReleases({text}, options, import, &error));
    EXPECT_TRUE(error.contains("question T1A05 names figure T-5, which the release lacks"))
        << error.toStdString();
    ASSERT_TRUE(ReadReleases({document}, options, import, &error)) << error.toStdString();
    ASSERT_EQ(import.content.figures.size(), 5u);
    const QColor expected[] = {Qt::red, Qt::green, Qt::blue, Qt::blue, Qt::black};
    for (int i = 0; i < 5; ++i) {
        const BankFigure& figure = import.content.figures[size_t(i)];
        EXPECT_EQ(figure.caption, QString("Figure T-%1").arg(i + 1));
        const QColor middle = Middle(figure.png);
        EXPECT_NEAR(middle.red(), expected[i].red(), 40) << i;
        EXPECT_NEAR(middle.green(), expected[i].green(), 40) << i;
        EXPECT_NEAR(middle.blue(), expected[i].blue(), 40) << i;
        // Margins are cut as for every figure.
        if (i < 2) {
            // (JPEG's blur widens the drawing by a pixel or two.)
            EXPECT_NEAR(QImage::fromData(figure.png).width(), 40 + 2 * kFigurePadding, 6);
        }
    }

    // A damaged figure, a PDF of two pages, and two files for one figure are refused by name.
    WriteFile(figures + "/figure_t-4.pdf", Pdf(2));
    EXPECT_FALSE(ReadReleases({document}, options, import, &error));
    EXPECT_EQ(error, "figure_t-4.pdf: a PDF figure must have one page; this one has 2");
    WriteFile(figures + "/figure_t-4.pdf", Pdf(1));
    WriteFile(figures + "/T1.png", "\x89PNG\r\n\x1A\n broken");
    EXPECT_FALSE(ReadReleases({document}, options, import, &error));
    EXPECT_EQ(error, "T1.png: not a PNG image");
    WriteFile(figures + "/t-1.jpeg", Encoded(Drawing(Qt::red), "JPEG"));
    EXPECT_FALSE(ReadReleases({document}, options, import, &error));
    EXPECT_TRUE(error.contains("figure T-1 is in both T1.png and t-1.jpeg")) << error.toStdString();
}

TEST(QBankAddedBank, AddingReplacesTheSameElementAndKeepsTheOthers) {
    Release release;
    WriteFile(release.path("g7-1.png"), FakePng("g71"));
    const QString bank = release.path("student/quillet-added.dat");
    ReleaseImport general, technician;
    QString error;
    ASSERT_TRUE(ReadReleases({release.text(SmallRelease())}, {}, general, &error));
    // A Technician pool without figures.
    QStringList plain = FigurePool();
    for (QString& line : plain) line.replace("figure", "drawing");
    ASSERT_TRUE(ReadReleases({release.text(plain, "t.txt")}, {}, technician, &error))
        << error.toStdString();

    ASSERT_TRUE(AddToBank(bank, general.content, &error)) << error.toStdString();
    ASSERT_TRUE(AddToBank(bank, technician.content, &error)) << error.toStdString();
    BankContent read;
    ASSERT_TRUE(ReadAddedBank(bank, read, &error)) << error.toStdString();
    ASSERT_EQ(read.sections.size(), 3u);
    EXPECT_EQ(read.sections[0].id, AddedSectionId(2, 1));
    EXPECT_EQ(read.sections[1].id, AddedSectionId(3, 1));
    EXPECT_EQ(read.sections[2].id, AddedSectionId(3, 2));
    EXPECT_EQ(read.questions.size(), 7u);
    EXPECT_EQ(read.questions[1].figureId, 1);
    EXPECT_EQ(read.questions[0].reference, "97.301(d)");
    ASSERT_EQ(read.exams.size(), 2u);

    // A newer General pool takes the old one's place; Technician stays.
    QStringList newer = SmallRelease();
    newer[0] = "General 2031-2035";
    newer[6] = "Which band, now?";
    ASSERT_TRUE(ReadReleases({release.text(newer)}, {}, general, &error));
    ASSERT_TRUE(AddToBank(bank, general.content, &error)) << error.toStdString();
    ASSERT_TRUE(ReadAddedBank(bank, read, &error));
    EXPECT_EQ(read.sections.size(), 3u);
    EXPECT_EQ(read.questions.size(), 7u);
    EXPECT_EQ(read.figures.size(), 1u);
    QStringList pools;
    for (const BankExam& e : read.exams) pools << e.pool;
    EXPECT_EQ(pools, QStringList({"technician-2030-2034", "general-2031-2035"}));
    int asked = 0;
    for (const BankQuestion& q : read.questions) asked += q.question == "Which band, now?";
    EXPECT_EQ(asked, 1);

    // A bank that is no bank is refused and left as it is.
    WriteFile(bank, "not a bank");
    EXPECT_FALSE(AddToBank(bank, general.content, &error));
    QFile file(bank);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "not a bank");
}
