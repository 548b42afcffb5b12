// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "PoolReader.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>
#include <utility>
#include <vector>

#include "FigureImage.h"
#include "PoolModel.h"
#include "ReleaseReader.h"
#include "shell/core/Exams.h"

namespace quillet::qbank {
namespace {

// The options screen lists one element's sections in a fixed grid of 36 places.
constexpr int kMaxSectionsPerElement = 36;

constexpr char kElementLetters[] = "NTGAE";

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

QByteArray ReadText(const QString& path, const QString& shownName) {
    QByteArray bytes = ReadBytes(path, shownName);
    if (bytes.startsWith(kUtf8Bom)) bytes.remove(0, kUtf8Bom.size());
    return bytes;
}

// The lines of a UTF-8 text file without their line ends (LF or CRLF) and
// without trailing blanks. Text that is not UTF-8 is refused with its line.
std::vector<QString> ReadLines(const QString& path, const QString& shownName) {
    const QByteArray bytes = ReadText(path, shownName);
    std::vector<QString> lines;
    const QList<QByteArray> raw = bytes.split('\n');
    for (qsizetype i = 0; i < raw.size(); ++i) {
        QByteArray line = raw[i];
        if (line.endsWith('\r')) line.chop(1);
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = decoder.decode(line);
        if (decoder.hasError()) {
            Refuse(QStringLiteral("%1: the text is not UTF-8").arg(At(shownName, int(i) + 1)));
        }
        while (!text.isEmpty() && text.back().isSpace()) text.chop(1);
        lines.push_back(std::move(text));
    }
    // A final line end leaves one empty piece that is no line of the file.
    if (!lines.empty() && lines.back().isEmpty() && bytes.endsWith('\n')) lines.pop_back();
    return lines;
}

int ElementRank(QChar letter) {
    const int n = ElementNumber(letter);
    return n == 0 ? int(sizeof kElementLetters) : n;
}

// A date of titles.json ("2026-07-01"), refused unless it is a real day.
QString ReadDate(const QJsonObject& titles, const char* key, const QString& shown) {
    const QString text = titles.value(QLatin1String(key)).toString();
    const QDate date = QDate::fromString(text, Qt::ISODate);
    if (!date.isValid() || text.size() != 10) {
        Refuse(QStringLiteral("%1: \"%2\" must be a date such as \"2026-07-01\" when there "
                              "is an \"exam\"")
                   .arg(shown, QLatin1String(key)));
    }
    return text;
}

// The real examination of the pool, from titles.json's "exam" object and the
// pool's dates. A pool without "exam" has none.
void ReadExam(Pool& pool, const QJsonObject& titles, const QString& shown) {
    const QJsonValue value = titles.value(QStringLiteral("exam"));
    if (value.isUndefined() || value.isNull()) return;
    const QJsonObject exam = value.toObject();
    const auto count = [&](const char* key) {
        const QJsonValue n = exam.value(QLatin1String(key));
        const double d = n.toDouble(-1);
        if (!n.isDouble() || d != std::floor(d) || d < 1 || d > 1000) {
            Refuse(QStringLiteral("%1: \"exam\" needs \"%2\" as a whole number from 1 to 1000")
                       .arg(shown, QLatin1String(key)));
        }
        return int(d);
    };
    if (!value.isObject()) Refuse(QStringLiteral("%1: \"exam\" must be an object").arg(shown));
    BankExam row;
    row.test = ElementNumber(pool.letter);
    row.pool = titles.value(QStringLiteral("pool")).toString().simplified();
    if (row.pool.isEmpty()) row.pool = pool.name;
    row.validFrom = ReadDate(titles, "valid_from", shown);
    row.validTo = ReadDate(titles, "valid_to", shown);
    if (row.validTo < row.validFrom) {
        Refuse(QStringLiteral("%1: \"valid_to\" %2 is before \"valid_from\" %3")
                   .arg(shown, row.validTo, row.validFrom));
    }
    row.questions = count("questions");
    row.passMark = count("pass_mark");
    if (row.passMark > row.questions) {
        Refuse(QStringLiteral("%1: the exam's \"pass_mark\" %2 is more than its %3 questions")
                   .arg(shown, QString::number(row.passMark), QString::number(row.questions)));
    }
    pool.exam = row;
}

void ReadTitles(Pool& pool) {
    const QString shown = pool.name + QStringLiteral("/titles.json");
    const QString path = QDir(pool.folder).filePath(QStringLiteral("titles.json"));
    if (!QFileInfo::exists(path)) Refuse(QStringLiteral("%1: the file is missing").arg(shown));
    const QByteArray bytes = ReadText(path, shown);

    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        const int line = int(bytes.left(parseError.offset).count('\n')) + 1;
        Refuse(QStringLiteral("%1: not valid JSON: %2")
                   .arg(At(shown, line), parseError.errorString()));
    }
    if (!doc.isObject()) Refuse(QStringLiteral("%1: expected a JSON object").arg(shown));
    const QJsonValue list = doc.object().value(QStringLiteral("subelements"));
    if (!list.isArray() || list.toArray().isEmpty()) {
        Refuse(QStringLiteral("%1: expected a non-empty \"subelements\" list").arg(shown));
    }

    static const QRegularExpression idPattern(QStringLiteral("^[A-Z][0-9]+$"));
    QSet<QString> seen;
    const QJsonArray entries = list.toArray();
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QString which =
            QStringLiteral("%1: subelement %2").arg(shown, QString::number(i + 1));
        const QJsonObject entry = entries[i].toObject();
        const QString id = entry.value(QStringLiteral("id")).toString();
        const QString title = entry.value(QStringLiteral("title")).toString().simplified();
        if (!idPattern.match(id).hasMatch() || ElementNumber(id[0]) == 0) {
            Refuse(QStringLiteral("%1: expected an \"id\" such as \"T1\" (a letter of N, T, G, "
                                  "A, E and a number)")
                       .arg(which));
        }
        if (title.isEmpty()) Refuse(QStringLiteral("%1 (%2) has no \"title\"").arg(which, id));
        if (i == 0) pool.letter = id[0];
        if (id[0] != pool.letter) {
            Refuse(QStringLiteral("%1 (%2) is not of element %3 like the first one")
                       .arg(which, id, QString(pool.letter)));
        }
        if (seen.contains(id)) Refuse(QStringLiteral("%1: %2 is listed twice").arg(which, id));
        seen.insert(id);
        pool.subelements.push_back({id, title});
    }
    if (pool.subelements.size() > size_t{kMaxSectionsPerElement}) {
        Refuse(QStringLiteral("%1: %2 subelements for element %3; at most %4 fit")
                   .arg(shown, QString::number(pool.subelements.size()), QString(pool.letter),
                        QString::number(kMaxSectionsPerElement)));
    }
    ReadExam(pool, doc.object(), shown);
}

void FindFigures(Pool& pool) {
    static const QRegularExpression namePattern(QStringLiteral("^([a-z][0-9]*-[0-9]+)\\.png$"),
                                                QRegularExpression::CaseInsensitiveOption);
    const QFileInfoList pngs =
        QDir(pool.folder)
            .entryInfoList({QStringLiteral("*.png")}, QDir::Files | QDir::Hidden, QDir::Name);
    for (const QFileInfo& info : pngs) {
        const QString shown = pool.name + QLatin1Char('/') + info.fileName();
        const QRegularExpressionMatch m = namePattern.match(info.fileName());
        if (!m.hasMatch()) {
            Refuse(QStringLiteral("%1: not named like a figure (t-1.png, e6-2.png)").arg(shown));
        }
        const QString label = m.captured(1).toUpper();
        if (pool.figures.count(label)) {
            Refuse(QStringLiteral("%1: figure %2 is also in %3")
                       .arg(shown, label, pool.figures[label].file));
        }
        pool.figures[label] = {label, info.filePath(), shown, FigureKind::Png, {}};
    }
}

void FindTextFile(Pool& pool) {
    const QDir dir(pool.folder);
    QString name = pool.name + QStringLiteral(".txt");
    if (!QFileInfo::exists(dir.filePath(name))) {
        const QStringList texts = dir.entryList({QStringLiteral("*.txt")}, QDir::Files);
        if (texts.size() != 1) {
            Refuse(QStringLiteral("%1: expected the questions in %2 or in a single .txt file")
                       .arg(pool.name, name));
        }
        name = texts.first();
    }
    pool.textFile = dir.filePath(name);
    pool.textName = pool.name + QLatin1Char('/') + name;
}

QString Found(const std::vector<QString>& lines, size_t i) {
    if (i >= lines.size()) return QStringLiteral("the end of the file");
    if (lines[i].isEmpty()) return QStringLiteral("a blank line");
    return Shown(lines[i]);
}

void ReadQuestions(Pool& pool) {
    static const QRegularExpression header(
        QStringLiteral("^(\\S+)\\s+\\(([^)]*)\\)(?:\\s+\\[([^\\]]*)\\])?$"));
    static const QRegularExpression idPattern(QStringLiteral("^([A-Z][0-9]+)[A-Z][0-9]{2}$"));

    QSet<QString> subelements;
    for (const Subelement& s : pool.subelements) subelements.insert(s.id);

    const std::vector<QString> lines = ReadLines(pool.textFile, pool.textName);
    const QString& file = pool.textName;
    const auto lineNo = [](size_t i) { return int(i) + 1; };

    size_t i = 0;
    while (i < lines.size()) {
        if (lines[i].isEmpty()) {
            ++i;
            continue;
        }
        PoolQuestion q;
        q.line = lineNo(i);
        const QRegularExpressionMatch h = header.match(lines[i]);
        if (!h.hasMatch()) {
            Refuse(QStringLiteral("%1: expected a question header such as 'T1A01 (C) [97.1]', "
                                  "found %2")
                       .arg(At(file, q.line), Shown(lines[i])));
        }
        q.id = h.captured(1);
        q.letter = h.captured(2);
        q.reference = h.captured(3).simplified();
        q.where = At(file, q.line);
        const QRegularExpressionMatch id = idPattern.match(q.id);
        if (!id.hasMatch()) {
            Refuse(QStringLiteral("%1: '%2' is not a question id such as T1A01")
                       .arg(At(file, q.line), q.id));
        }
        q.subelement = id.captured(1);
        if (!subelements.contains(q.subelement)) {
            Refuse(QStringLiteral("%1: question %2 is of subelement %3, which %4/titles.json does "
                                  "not list")
                       .arg(At(file, q.line), q.id, q.subelement, pool.name));
        }
        if (q.letter.size() != 1 || q.letter[0] < QLatin1Char('A') ||
            q.letter[0] > QLatin1Char('D')) {
            Refuse(QStringLiteral("%1: the correct answer of %2 is '%3'; it must be A, B, C or D")
                       .arg(At(file, q.line), q.id, q.letter));
        }

        ++i;
        if (i >= lines.size() || lines[i].isEmpty()) {
            Refuse(QStringLiteral("%1: expected the text of question %2, found %3")
                       .arg(At(file, lineNo(i)), q.id, Found(lines, i)));
        }
        q.text = lines[i];

        for (int a = 0; a < 4; ++a) {
            ++i;
            const QString prefix = QStringLiteral("%1. ").arg(QChar(u'A' + a));
            if (i >= lines.size() || !lines[i].startsWith(prefix) ||
                lines[i].size() == prefix.size()) {
                Refuse(QStringLiteral("%1: expected an answer line starting with '%2', found %3")
                           .arg(At(file, lineNo(i)), prefix, Found(lines, i)));
            }
            q.answers[a] = lines[i].mid(prefix.size());
        }

        ++i;
        if (i < lines.size() && !lines[i].isEmpty()) {
            Refuse(QStringLiteral("%1: expected a blank line after answer D of %2, found %3")
                       .arg(At(file, lineNo(i)), q.id, Found(lines, i)));
        }

        q.figure = NamedFigure(q.text, q.where, q.id);
        if (!q.figure.isEmpty()) {
            if (!pool.figures.count(q.figure)) {
                Refuse(QStringLiteral("%1: question %2 names figure %3, but %4 has no %5.png")
                           .arg(At(file, q.line), q.id, q.figure, pool.name, q.figure.toLower()));
            }
        }
        pool.questions.push_back(std::move(q));
    }
    if (pool.questions.empty()) Refuse(QStringLiteral("%1: no questions").arg(file));
}

// A folder without titles.json holds the release as published: its one Word document or
// text file, and the figure files.
Pool ReadReleaseFolder(const QFileInfo& folder) {
    const QDir dir(folder.filePath());
    const QStringList texts = dir.entryList({QStringLiteral("*.docx"), QStringLiteral("*.txt"),
                                             QStringLiteral("*.DOCX"), QStringLiteral("*.TXT")},
                                            QDir::Files, QDir::Name);
    if (texts.size() != 1) {
        Refuse(QStringLiteral("%1: expected titles.json beside the pool text, or a single .docx "
                              "or .txt file of the pool as published")
                   .arg(folder.fileName()));
    }
    ReleaseOptions options;
    options.figuresDir = folder.filePath();
    Pool pool = ReadReleaseFile(dir.filePath(texts.first()),
                                folder.fileName() + QLatin1Char('/') + texts.first(), options);
    pool.folder = folder.filePath();
    pool.name = folder.fileName();
    return pool;
}

std::vector<Pool> ReadAllPools(const QString& poolsDir) {
    const QDir dir(poolsDir);
    if (!dir.exists()) Refuse(QStringLiteral("%1: no such folder").arg(poolsDir));
    const QFileInfoList folders = dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    if (folders.isEmpty()) Refuse(QStringLiteral("%1: holds no pool folders").arg(poolsDir));

    std::vector<Pool> pools;
    for (const QFileInfo& folder : folders) {
        Pool pool;
        if (QFileInfo::exists(QDir(folder.filePath()).filePath(QStringLiteral("titles.json")))) {
            pool.folder = folder.filePath();
            pool.name = folder.fileName();
            ReadTitles(pool);
            FindTextFile(pool);
            FindFigures(pool);
            ReadQuestions(pool);
        } else {
            pool = ReadReleaseFolder(folder);
        }
        for (const Pool& other : pools) {
            if (other.letter == pool.letter) {
                Refuse(QStringLiteral("%1 and %2 are both pools of element %3")
                           .arg(other.name, pool.name, QString(pool.letter)));
            }
        }
        pools.push_back(std::move(pool));
    }
    std::stable_sort(pools.begin(), pools.end(), [](const Pool& a, const Pool& b) {
        return ElementRank(a.letter) < ElementRank(b.letter);
    });

    // The same question id in two places is a fault of the pool files, wherever
    // the two are.
    QHash<QString, QString> firstSeen;
    for (const Pool& pool : pools) {
        for (const PoolQuestion& q : pool.questions) {
            const QString here = At(pool.textName, q.line);
            const auto it = firstSeen.constFind(q.id);
            if (it != firstSeen.constEnd()) {
                Refuse(QStringLiteral("%1: question %2 is already at %3").arg(here, q.id, *it));
            }
            firstSeen.insert(q.id, here);
        }
    }
    return pools;
}

QString Counted(qsizetype n, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
}

}  // namespace

int ElementNumber(QChar idLetter) {
    for (int i = 0; kElementLetters[i]; ++i) {
        if (idLetter == QLatin1Char(kElementLetters[i])) return i + 1;
    }
    return 0;
}

QString ReadableTitle(const QString& title) {
    // Abbreviations that read as letters, kept in capitals.
    static const QSet<QString> abbreviations = {
        QStringLiteral("AC"),  QStringLiteral("AM"),    QStringLiteral("ARES"),
        QStringLiteral("CW"),  QStringLiteral("DC"),    QStringLiteral("DSP"),
        QStringLiteral("DX"),  QStringLiteral("EMI"),   QStringLiteral("FCC"),
        QStringLiteral("FM"),  QStringLiteral("GPS"),   QStringLiteral("HF"),
        QStringLiteral("ID"),  QStringLiteral("ISS"),   QStringLiteral("ITU"),
        QStringLiteral("LED"), QStringLiteral("RACES"), QStringLiteral("RF"),
        QStringLiteral("RFI"), QStringLiteral("SDR"),   QStringLiteral("SSB"),
        QStringLiteral("SWR"), QStringLiteral("UHF"),   QStringLiteral("VHF"),
    };
    // Short words that stay in lower case inside a title.
    static const QSet<QString> smallWords = {
        QStringLiteral("a"),   QStringLiteral("an"),   QStringLiteral("and"),
        QStringLiteral("as"),  QStringLiteral("at"),   QStringLiteral("but"),
        QStringLiteral("by"),  QStringLiteral("for"),  QStringLiteral("from"),
        QStringLiteral("in"),  QStringLiteral("into"), QStringLiteral("nor"),
        QStringLiteral("of"),  QStringLiteral("on"),   QStringLiteral("or"),
        QStringLiteral("per"), QStringLiteral("the"),  QStringLiteral("to"),
        QStringLiteral("via"), QStringLiteral("with"),
    };

    QString text = title.simplified();
    text.replace(QChar(0x2019), QLatin1Char('\''));  // typographic apostrophe

    QString out;
    out.reserve(text.size());
    bool firstWord = true;
    qsizetype i = 0;
    while (i < text.size()) {
        if (!text[i].isLetterOrNumber()) {
            out += text[i++];
            continue;
        }
        qsizetype end = i;
        while (end < text.size() && (text[end].isLetterOrNumber() ||
                                     (text[end] == QLatin1Char('\'') && end + 1 < text.size() &&
                                      text[end + 1].isLetter()))) {
            ++end;
        }
        const QString word = text.mid(i, end - i);
        const QString upper = word.toUpper();
        const QString lower = word.toLower();
        if (abbreviations.contains(upper)) {
            out += upper;
        } else if (!firstWord && smallWords.contains(lower)) {
            out += lower;
        } else {
            out += lower.left(1).toUpper() + lower.mid(1);
        }
        firstWord = false;
        i = end;
    }
    return out;
}

QString ContentSummary(const BankContent& content) {
    struct Counts {
        qsizetype sections = 0, questions = 0, figures = 0;
    };
    std::map<int, Counts> byElement;
    QHash<int, int> elementOfSection;
    for (const BankSection& s : content.sections) {
        elementOfSection.insert(s.id, s.test);
        ++byElement[s.test].sections;
    }
    for (const BankQuestion& q : content.questions) {
        ++byElement[elementOfSection.value(q.sectionId)].questions;
    }
    for (const BankFigure& f : content.figures) {
        // Captions read "Figure T-1": the label's letter is the element's.
        const QString label = f.caption.section(QLatin1Char(' '), 1, 1);
        ++byElement[label.isEmpty() ? 0 : ElementNumber(label[0])].figures;
    }

    QStringList parts;
    for (const auto& [element, n] : byElement) {
        const QString name = element ? ElementName(element) : QStringLiteral("Other");
        parts << QStringLiteral("%1: %2, %3, %4")
                     .arg(name, Counted(n.sections, "section", "sections"),
                          Counted(n.questions, "question", "questions"),
                          Counted(n.figures, "figure", "figures"));
    }
    return parts.join(QStringLiteral("; "));
}

bool ReadPools(const QString& poolsDir, BankContent& content, QString* error) {
    try {
        content = Assemble(ReadAllPools(poolsDir));
        return true;
    } catch (const InputError& e) {
        if (error) *error = e.message;
        return false;
    }
}

}  // namespace quillet::qbank
