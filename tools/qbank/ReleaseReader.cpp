// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "ReleaseReader.h"

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <QXmlStreamReader>
#include <map>
#include <utility>

#include "PoolModel.h"
#include "PoolReader.h"
#include "shell/core/Exams.h"

namespace quillet::qbank {
namespace {

// A document part larger than this is no question pool (the largest pool's document is a
// few megabytes): refused rather than unpacked, so a crafted archive cannot fill the memory.
constexpr qint64 kMaxPartBytes = 64 * 1024 * 1024;
constexpr int kMaxSectionsPerElement = 36;

const QString kWordNamespace =
    QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main");

// One line of the release: a line of the text export, or a paragraph (or a part of one
// broken by a line break) of the document.
struct Line {
    QString text;
    int number = 0;
};

struct Source {
    QString name;  // shown in messages
    bool document = false;
    std::vector<Line> lines;
    // Pictures of the document tied to a caption, by figure label.
    std::map<QString, QByteArray> pictures;

    QString where(int number) const {
        return document ? QStringLiteral("%1: paragraph %2").arg(name).arg(number)
                        : At(name, number);
    }
};

// The characters Windows-1252 puts at 0x80..0x9F; the rest of its upper half is Latin-1.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,
};

QString DecodeWindows1252(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        text += (b >= 0x80 && b < 0xA0) ? QChar(kWindows1252High[b - 0x80]) : QChar(char16_t(b));
    }
    return text;
}

// The text export as Word writes it: UTF-16 with its byte-order mark, UTF-8 (with or without
// one), or, when the bytes are no UTF-8, Windows-1252.
QString DecodeText(const QByteArray& bytes) {
    if (bytes.startsWith("\xFF\xFE")) {
        return QStringDecoder(QStringDecoder::Utf16LE).decode(bytes.mid(2));
    }
    if (bytes.startsWith("\xFE\xFF")) {
        return QStringDecoder(QStringDecoder::Utf16BE).decode(bytes.mid(2));
    }
    const QByteArray body = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(body);
    if (!utf8.hasError()) return text;
    return DecodeWindows1252(body);
}

// Spaces of every kind as plain ones, and no blanks at the ends.
QString Clean(QString text) {
    text.replace(QChar(0x00A0), QLatin1Char(' '));
    text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    return text.trimmed();
}

void ReadTextFile(Source& source, const QString& path) {
    const QString text = DecodeText(ReadBytes(path, source.name));
    int number = 0;
    for (QStringView raw : QStringView(text).split(QLatin1Char('\n'))) {
        ++number;
        if (raw.endsWith(QLatin1Char('\r'))) raw.chop(1);
        source.lines.push_back({Clean(raw.toString()), number});
    }
}

// One part of the document archive, refused when it is missing or unreasonably large.
QByteArray ReadPart(QuaZip& zip, const QString& part, const QString& shown, bool required) {
    if (!zip.setCurrentFile(part)) {
        if (required) Refuse(QStringLiteral("%1: the document has no %2").arg(shown, part));
        return {};
    }
    QuaZipFile file(&zip);
    if (!file.open(QIODevice::ReadOnly)) {
        Refuse(QStringLiteral("%1: cannot unpack %2 of the document").arg(shown, part));
    }
    QByteArray bytes;
    char buffer[65536];
    for (;;) {
        const qint64 n = file.read(buffer, sizeof buffer);
        if (n < 0) Refuse(QStringLiteral("%1: cannot unpack %2 of the document").arg(shown, part));
        if (n == 0) break;
        bytes.append(buffer, n);
        if (bytes.size() > kMaxPartBytes) {
            Refuse(QStringLiteral("%1: %2 of the document is too large for a question pool")
                       .arg(shown, part));
        }
    }
    if (file.getZipError() != UNZ_OK) {
        Refuse(QStringLiteral("%1: %2 of the document is damaged").arg(shown, part));
    }
    return bytes;
}

// The document's relationships: picture id ("rId5") to its part ("word/media/image1.png").
QHash<QString, QString> ReadRelationships(const QByteArray& xml) {
    QHash<QString, QString> targets;
    QXmlStreamReader reader(xml);
    while (reader.readNextStartElement() || !reader.atEnd()) {
        if (reader.isStartElement() && reader.name() == QLatin1String("Relationship")) {
            const QString target = reader.attributes().value(QLatin1String("Target")).toString();
            const QString id = reader.attributes().value(QLatin1String("Id")).toString();
            // Targets are relative to word/; an absolute one starts at the archive's root.
            targets.insert(id, target.startsWith(QLatin1Char('/'))
                                   ? target.mid(1)
                                   : QDir::cleanPath(QStringLiteral("word/") + target));
        }
        if (reader.hasError()) break;
    }
    return targets;
}

void ReadDocument(Source& source, const QString& path) {
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdUnzip)) {
        Refuse(
            QStringLiteral("%1: not a Word document (.docx) that can be opened").arg(source.name));
    }
    const QByteArray xml = ReadPart(zip, QStringLiteral("word/document.xml"), source.name, true);
    const QHash<QString, QString> targets = ReadRelationships(
        ReadPart(zip, QStringLiteral("word/_rels/document.xml.rels"), source.name, false));

    // Each paragraph's text, and the pictures it holds.
    struct Paragraph {
        QString text;
        QStringList pictures;
    };
    std::vector<Paragraph> paragraphs;
    QXmlStreamReader reader(xml);
    int depth = 0;     // paragraphs nest inside text boxes: they add to the outer one
    int fallback = 0;  // content repeated for older readers is read once only
    bool deleted = false;
    while (!reader.atEnd()) {
        reader.readNext();
        const bool word = reader.namespaceUri() == kWordNamespace;
        const QStringView name = reader.name();
        if (reader.isStartElement()) {
            if (name == QLatin1String("Fallback")) ++fallback;
            if (fallback) continue;
            if (word && name == QLatin1String("p")) {
                if (depth++ == 0) paragraphs.emplace_back();
            } else if (depth == 0) {
                continue;
            } else if (word && name == QLatin1String("t")) {
                paragraphs.back().text += reader.readElementText();
            } else if (word && name == QLatin1String("tab")) {
                paragraphs.back().text += QLatin1Char(' ');
            } else if (word && (name == QLatin1String("br") || name == QLatin1String("cr"))) {
                paragraphs.back().text += QLatin1Char('\n');
            } else if (word && name == QLatin1String("noBreakHyphen")) {
                paragraphs.back().text += QLatin1Char('-');
            } else if (word && name == QLatin1String("del")) {
                deleted = true;
            } else if (name == QLatin1String("blip") && !deleted) {
                const QString id = reader.attributes()
                                       .value(QStringLiteral("http://schemas.openxmlformats.org/"
                                                             "officeDocument/2006/relationships"),
                                              QLatin1String("embed"))
                                       .toString();
                if (targets.contains(id)) paragraphs.back().pictures << targets.value(id);
            }
        } else if (reader.isEndElement()) {
            if (name == QLatin1String("Fallback")) --fallback;
            if (fallback) continue;
            if (word && name == QLatin1String("p")) --depth;
            if (word && name == QLatin1String("del")) deleted = false;
        }
    }
    if (reader.hasError()) {
        Refuse(QStringLiteral("%1: the document's text is damaged (line %2 of word/document.xml: "
                              "%3)")
                   .arg(source.name)
                   .arg(reader.lineNumber())
                   .arg(reader.errorString()));
    }

    static const QRegularExpression caption(QStringLiteral("^figure\\s+([a-z][0-9]*-[0-9]+)\\b"),
                                            QRegularExpression::CaseInsensitiveOption);
    for (size_t i = 0; i < paragraphs.size(); ++i) {
        const int number = int(i) + 1;
        for (const QString& part : paragraphs[i].text.split(QLatin1Char('\n'))) {
            source.lines.push_back({Clean(part), number});
        }
        // A caption ties the one picture of its own paragraph, or of the paragraph above it.
        const QRegularExpressionMatch m = caption.match(Clean(paragraphs[i].text));
        if (!m.hasMatch()) continue;
        const QStringList* pictures = &paragraphs[i].pictures;
        if (pictures->isEmpty() && i > 0) pictures = &paragraphs[i - 1].pictures;
        if (pictures->size() != 1) continue;
        const QByteArray bytes = ReadPart(zip, pictures->first(), source.name, false);
        const FigureKind kind = FigureKindOfBytes(bytes);
        if (kind == FigureKind::Png || kind == FigureKind::Jpeg) {
            source.pictures.emplace(m.captured(1).toUpper(), bytes);
        }
    }
}

// The pool's years, "2026-2030", from the front matter's title or the file's name.
std::optional<std::pair<int, int>> PoolYears(const QString& text) {
    static const QRegularExpression years(
        QStringLiteral("(?<![0-9])(20[0-9]{2})\\s*[-\\x{2013}\\x{2014}]\\s*(20[0-9]{2})(?![0-9])"));
    for (auto it = years.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const int from = m.captured(1).toInt(), to = m.captured(2).toInt();
        if (to > from && to - from <= 8) return std::pair{from, to};
    }
    return std::nullopt;
}

struct ExamSize {
    int questions = 0;
    int passMark = 0;
};

// The exams of today: 35 questions and 26 to pass for Technician and General, 50 and 37 for
// Extra. The elements no longer examined have none.
ExamSize UsualExam(QChar letter) {
    if (letter == QLatin1Char('T') || letter == QLatin1Char('G')) return {35, 26};
    if (letter == QLatin1Char('E')) return {50, 37};
    return {};
}

// A figure file's name as a key: "T-1.png", "t1.jpg" and "Figure T-1.svg" all give "T1";
// empty for a name that is no figure's.
QString FigureKey(const QString& text) {
    static const QRegularExpression pattern(
        QStringLiteral("^(?:fig(?:ure)?)?[\\s_.-]*([a-z])([0-9]*)[\\s_-]*([0-9]+)$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = pattern.match(text.trimmed());
    if (!m.hasMatch()) return {};
    return m.captured(1).toUpper() + m.captured(2) + m.captured(3);
}

struct FigureFile {
    QString path;
    QString shown;
    FigureKind kind;
};

QHash<QString, QList<FigureFile>> FigureFiles(const QString& folder) {
    QHash<QString, QList<FigureFile>> files;
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo& info : entries) {
        const FigureKind kind = FigureKindOfName(info.fileName());
        if (kind == FigureKind::Unknown) continue;
        const QString key = FigureKey(info.completeBaseName());
        if (!key.isEmpty()) files[key].append({info.filePath(), info.fileName(), kind});
    }
    return files;
}

class ReleaseParser {
public:
    ReleaseParser(const Source& source, Pool& pool) : source_(source), pool_(pool) {}

    void parse() {
        const std::vector<Line>& lines = source_.lines;
        size_t i = 0;
        // Everything before the first question is the front matter: errata, notes and the
        // syllabus, which lists the subelement headings once already.
        for (; i < lines.size() && !started(lines[i].text); ++i) {
            if (EndMarker(lines[i].text)) break;
            if (!heading(lines[i], false)) front_ << lines[i].text;
        }
        bool ended = false;
        while (i < lines.size()) {
            const Line& line = lines[i];
            const QString& text = line.text;
            if (text.isEmpty() || text == QLatin1String("~~")) {
                ++i;
            } else if (EndMarker(text)) {
                ended = true;
                break;
            } else if (withdrawnLine(line)) {
                ++i;
            } else if (heading(line, true) || groupHeading(line)) {
                ++i;
            } else if (questionStart(text)) {
                i = question(i);
            } else {
                Refuse(QStringLiteral("%1: expected a question such as 'T1A01 (C) [97.1]', a "
                                      "heading, '~~' or the end of the pool text, found %2")
                           .arg(source_.where(line.number), Shown(text)));
            }
        }
        if (!ended) {
            Refuse(QStringLiteral("%1: expected '~~~end of question pool text~~~', found the end "
                                  "of the file: is the file complete?")
                       .arg(source_.name));
        }
        if (pool_.questions.empty()) Refuse(QStringLiteral("%1: no questions").arg(source_.name));
    }

    const QStringList& frontMatter() const { return front_; }
    // The exam questions the headings promise, summed.
    int headingExamQuestions() const {
        int sum = 0;
        for (const auto& entry : examQuestions_) sum += entry.second;
        return sum;
    }

private:
    static bool EndMarker(const QString& text) {
        static const QRegularExpression marker(
            QStringLiteral("^~+\\s*end\\s+of\\s+question\\s+pool\\s+text\\s*~+$"),
            QRegularExpression::CaseInsensitiveOption);
        return marker.match(text).hasMatch();
    }

    // A line that opens a question (or names one withdrawn): the pool proper starts there.
    static bool started(const QString& text) {
        static const QRegularExpression opening(
            QStringLiteral("^[A-Z][0-9][A-Z][0-9]{2}\\s*(\\(|question\\s+deleted)"),
            QRegularExpression::CaseInsensitiveOption);
        return opening.match(text).hasMatch();
    }

    static bool questionStart(const QString& text) {
        static const QRegularExpression opening(QStringLiteral("^[A-Z][0-9]+[A-Z][0-9]{2}\\b"));
        return opening.match(text).hasMatch();
    }

    // "SUBELEMENT T1 – COMMISSION’S RULES [6 Exam Questions – 6 Groups]". In the front matter
    // a line that only resembles one is no heading; in the pool it is refused.
    bool heading(const Line& line, bool strict) {
        static const QRegularExpression start(QStringLiteral("^SUBELEMENT\\b"),
                                              QRegularExpression::CaseInsensitiveOption);
        static const QRegularExpression pattern(
            QStringLiteral("^SUBELEMENT\\s+([A-Z][0-9]+)\\s*[-\\x{2013}\\x{2014}:]?\\s*(.*?)\\s*"
                           "[-\\x{2013}\\x{2014}]?\\s*\\[\\s*([0-9]+)\\s+exam\\s+questions?\\s*"
                           "[-\\x{2013}\\x{2014},;]?\\s*([0-9]+)\\s+groups?\\s*\\]\\.?$"),
            QRegularExpression::CaseInsensitiveOption);
        if (!start.match(line.text).hasMatch()) return false;
        const QRegularExpressionMatch m = pattern.match(line.text);
        if (!m.hasMatch() || m.captured(2).isEmpty()) {
            if (!strict) return false;
            Refuse(QStringLiteral("%1: expected a heading such as 'SUBELEMENT T1 - COMMISSION'S "
                                  "RULES [6 Exam Questions - 6 Groups]', found %2")
                       .arg(source_.where(line.number), Shown(line.text)));
        }
        const QString id = m.captured(1).toUpper();
        if (strict && questionsOf_.count(id)) {
            Refuse(QStringLiteral("%1: subelement %2 again; its questions began at %3")
                       .arg(source_.where(line.number), id, questionsOf_[id]));
        }
        checkLetter(id, line);
        const QString title = m.captured(2);
        auto known = std::find_if(pool_.subelements.begin(), pool_.subelements.end(),
                                  [&](const Subelement& s) { return s.id == id; });
        if (known == pool_.subelements.end()) {
            if (pool_.subelements.size() >= size_t{kMaxSectionsPerElement}) {
                Refuse(QStringLiteral("%1: more than %2 subelements; at most %2 fit")
                           .arg(source_.where(line.number))
                           .arg(kMaxSectionsPerElement));
            }
            pool_.subelements.push_back({id, title});
        } else {
            known->title = title;
        }
        examQuestions_[id] = m.captured(3).toInt();
        current_ = id;
        return true;
    }

    // "T1A – Purpose and permissible use ...": a group of the current subelement.
    bool groupHeading(const Line& line) {
        static const QRegularExpression pattern(
            QStringLiteral("^([A-Z][0-9]+)([A-Z])\\s*[-\\x{2013}\\x{2014}:]\\s*\\S"));
        const QRegularExpressionMatch m = pattern.match(line.text);
        if (!m.hasMatch()) return false;
        if (m.captured(1) != current_) {
            Refuse(QStringLiteral("%1: group %2%3 is not of subelement %4, whose heading comes "
                                  "before it")
                       .arg(source_.where(line.number), m.captured(1), m.captured(2),
                            current_.isEmpty() ? QStringLiteral("(none)") : current_));
        }
        return true;
    }

    // "T1A08 Question Deleted", "T1A08 (Question Deleted)", or "Question Deleted" alone.
    bool withdrawnLine(const Line& line) {
        static const QRegularExpression pattern(
            QStringLiteral("^(?:([A-Z][0-9]+[A-Z][0-9]{2})\\b)?[\\s(\\[~:\\x{2013}-]*question\\s+"
                           "(?:deleted|withdrawn)[\\s)\\]~.]*$"),
            QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch m = pattern.match(line.text);
        if (!m.hasMatch()) return false;
        if (!m.captured(1).isEmpty()) noteId(m.captured(1), line);
        ++pool_.withdrawn;
        return true;
    }

    void checkLetter(const QString& id, const Line& line) {
        if (ElementNumber(id[0]) == 0) {
            Refuse(QStringLiteral("%1: %2 is of no element (N, T, G, A or E)")
                       .arg(source_.where(line.number), id));
        }
        if (pool_.letter.isNull()) pool_.letter = id[0];
        if (id[0] != pool_.letter) {
            Refuse(QStringLiteral("%1: %2 is not of element %3 like the rest of the pool")
                       .arg(source_.where(line.number), id, QString(pool_.letter)));
        }
    }

    void noteId(const QString& id, const Line& line) {
        const QString here = source_.where(line.number);
        if (seen_.contains(id)) {
            Refuse(QStringLiteral("%1: question %2 is already at %3").arg(here, id, seen_[id]));
        }
        seen_.insert(id, here);
    }

    QString found(size_t i) const {
        if (i >= source_.lines.size()) return QStringLiteral("the end of the file");
        if (source_.lines[i].text.isEmpty()) return QStringLiteral("a blank line");
        return Shown(source_.lines[i].text);
    }
    QString whereAt(size_t i) const {
        return i < source_.lines.size() ? source_.where(source_.lines[i].number)
                                        : source_.where(source_.lines.back().number);
    }

    // Reads the question whose header is at `i`; gives the index after it.
    size_t question(size_t i) {
        static const QRegularExpression header(QStringLiteral(
            "^([A-Z][0-9]+)([A-Z][0-9]{2})\\s*\\(([A-D])\\)\\s*(?:\\[([^\\]]*)\\])?$"));
        static const QRegularExpression withdrawnText(
            QStringLiteral("^[(\\[~\\s]*question\\s+(?:deleted|withdrawn)[)\\]~.\\s]*$"),
            QRegularExpression::CaseInsensitiveOption);
        const std::vector<Line>& lines = source_.lines;
        const Line& line = lines[i];
        const QRegularExpressionMatch h = header.match(line.text);
        if (!h.hasMatch()) {
            Refuse(QStringLiteral("%1: expected a question header such as 'T1A01 (C) [97.1]' "
                                  "(id, the right answer A to D, the rule), found %2")
                       .arg(source_.where(line.number), Shown(line.text)));
        }
        PoolQuestion q;
        q.line = line.number;
        q.where = source_.where(line.number);
        q.subelement = h.captured(1);
        q.id = q.subelement + h.captured(2);
        q.letter = h.captured(3);
        q.reference = h.captured(4).simplified();
        checkLetter(q.subelement, line);
        if (current_.isEmpty()) {
            Refuse(QStringLiteral("%1: question %2 comes before any heading such as 'SUBELEMENT "
                                  "%3 - TITLE [6 Exam Questions - 6 Groups]'; a pool text without "
                                  "its headings needs titles.json beside it")
                       .arg(q.where, q.id, q.subelement));
        }
        if (q.subelement != current_) {
            Refuse(QStringLiteral("%1: question %2 is not of subelement %3, whose heading comes "
                                  "before it")
                       .arg(q.where, q.id, current_));
        }
        noteId(q.id, line);
        questionsOf_.emplace(q.subelement, q.where);

        ++i;
        // A header kept above a withdrawn question's placeholder.
        if (i < lines.size() && withdrawnText.match(lines[i].text).hasMatch()) {
            ++pool_.withdrawn;
            while (i < lines.size() && !lines[i].text.isEmpty() && lines[i].text != "~~") ++i;
            return i;
        }
        if (i >= lines.size() || lines[i].text.isEmpty() || lines[i].text == "~~") {
            Refuse(QStringLiteral("%1: expected the text of question %2, found %3")
                       .arg(whereAt(i), q.id, found(i)));
        }
        q.text = lines[i].text;
        for (int a = 0; a < 4; ++a) {
            ++i;
            static const QRegularExpression answer(QStringLiteral("^([A-D])[.)]\\s+(\\S.*)$"));
            const QRegularExpressionMatch m =
                i < lines.size() ? answer.match(lines[i].text) : QRegularExpressionMatch();
            if (!m.hasMatch() || m.captured(1) != QChar(u'A' + a)) {
                Refuse(QStringLiteral("%1: expected answer %2 of %3 ('%2. ...'), found %4")
                           .arg(whereAt(i), QChar(u'A' + a), q.id, found(i)));
            }
            q.answers[a] = m.captured(2);
        }
        ++i;
        if (i < lines.size() && !lines[i].text.isEmpty() && lines[i].text != "~~" &&
            !EndMarker(lines[i].text)) {
            Refuse(QStringLiteral("%1: expected '~~' after answer D of %2, found %3")
                       .arg(whereAt(i), q.id, found(i)));
        }
        q.figure = NamedFigure(q.text, q.where, q.id);
        pool_.questions.push_back(std::move(q));
        return i;
    }

    const Source& source_;
    Pool& pool_;
    QStringList front_;
    QString current_;                         // the subelement of the last heading
    std::map<QString, QString> questionsOf_;  // subelement: where its first question is
    std::map<QString, int> examQuestions_;    // subelement: its heading's exam questions
    QHash<QString, QString> seen_;            // question id: where
};

void FindReleaseFigures(Pool& pool, const Source& source, const QString& folder) {
    const QHash<QString, QList<FigureFile>> files = FigureFiles(folder);
    for (const PoolQuestion& q : pool.questions) {
        if (q.figure.isEmpty() || pool.figures.count(q.figure)) continue;
        const QString key = QString(q.figure).remove(QLatin1Char('-'));
        const QList<FigureFile> candidates = files.value(key);
        PoolFigure figure;
        figure.label = q.figure;
        if (candidates.size() > 1) {
            Refuse(QStringLiteral("%1: figure %2 is in both %3 and %4; keep one")
                       .arg(QDir::toNativeSeparators(folder), q.figure, candidates[0].shown,
                            candidates[1].shown));
        }
        if (candidates.size() == 1) {
            figure.path = candidates[0].path;
            figure.file = candidates[0].shown;
            figure.kind = candidates[0].kind;
        } else if (const auto picture = source.pictures.find(q.figure);
                   picture != source.pictures.end()) {
            figure.bytes = picture->second;
            figure.file = QStringLiteral("%1: figure %2").arg(source.name, q.figure);
            figure.kind = FigureKindOfBytes(picture->second);
        } else {
            Refuse(QStringLiteral("%1: question %2 names figure %3, %4: no figure file such as "
                                  "%5.png in %6%7")
                       .arg(q.where, q.id, q.figure, QLatin1String(kFigureLacking),
                            q.figure.toLower(), QDir::toNativeSeparators(folder),
                            source.document ? QStringLiteral(" and no picture captioned \"Figure "
                                                             "%1\" in the document")
                                                  .arg(q.figure)
                                            : QString()));
        }
        pool.figures.emplace(q.figure, figure);
    }
}

BankExam ExamOf(const Pool& pool, const ReleaseParser& parser, const QString& path,
                const QString& shown, const ReleaseOptions& options) {
    BankExam exam;
    exam.test = ElementNumber(pool.letter);
    const QString elementName = ElementName(exam.test).toLower();
    auto years = PoolYears(parser.frontMatter().join(QLatin1Char('\n')));
    if (!years) years = PoolYears(QFileInfo(path).completeBaseName());
    QDate from = options.validFrom, to = options.validTo;
    if (years) {
        if (!from.isValid()) from = QDate(years->first, 7, 1);
        if (!to.isValid()) to = QDate(years->second, 6, 30);
    }
    if (!from.isValid() || !to.isValid()) {
        Refuse(QStringLiteral("%1: the years the pool is in force are neither in its title nor "
                              "in the file's name (such as \"%2-2027-2031\"); give them with "
                              "--valid-from and --valid-to")
                   .arg(shown, elementName));
    }
    if (to < from) {
        Refuse(QStringLiteral("%1: the pool would end (%2) before it begins (%3)")
                   .arg(shown, to.toString(Qt::ISODate), from.toString(Qt::ISODate)));
    }
    exam.validFrom = from.toString(Qt::ISODate);
    exam.validTo = to.toString(Qt::ISODate);
    exam.pool = !options.pool.isEmpty()
                    ? options.pool
                    : QStringLiteral("%1-%2-%3").arg(elementName).arg(from.year()).arg(to.year());

    const ExamSize usual = UsualExam(pool.letter);
    exam.questions = options.questions ? options.questions : usual.questions;
    exam.passMark = options.passMark ? options.passMark : usual.passMark;
    if (exam.questions == 0 || exam.passMark == 0) {
        Refuse(QStringLiteral("%1: element %2 has no exam of today's; give its size with "
                              "--questions and --pass-mark")
                   .arg(shown, QString(pool.letter)));
    }
    if (exam.passMark > exam.questions) {
        Refuse(QStringLiteral("%1: the pass mark %2 is more than the exam's %3 questions")
                   .arg(shown)
                   .arg(exam.passMark)
                   .arg(exam.questions));
    }
    if (!options.questions && parser.headingExamQuestions() != exam.questions) {
        Refuse(QStringLiteral("%1: the subelement headings add up to %2 exam questions, but the "
                              "%3 exam has %4; give the exam's size with --questions")
                   .arg(shown)
                   .arg(parser.headingExamQuestions())
                   .arg(ElementName(exam.test))
                   .arg(exam.questions));
    }
    return exam;
}

}  // namespace

Pool ReadReleaseFile(const QString& path, const QString& shownName, const ReleaseOptions& options) {
    Source source;
    source.name = shownName;
    const QFileInfo info(path);
    if (!info.isFile()) Refuse(QStringLiteral("%1: no such file").arg(shownName));
    QByteArray head;
    {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) head = file.read(4);
    }
    source.document = head.startsWith("PK\x03\x04");
    if (source.document) {
        ReadDocument(source, path);
    } else if (info.suffix().compare(QLatin1String("docx"), Qt::CaseInsensitive) == 0) {
        Refuse(QStringLiteral("%1: not a Word document (.docx)").arg(shownName));
    } else if (head.startsWith("%PDF")) {
        Refuse(QStringLiteral("%1: a PDF file; give the Word document (.docx) of the release or "
                              "its text export instead")
                   .arg(shownName));
    } else {
        ReadTextFile(source, path);
    }

    Pool pool;
    pool.folder = info.absolutePath();
    pool.name = shownName;
    pool.textFile = path;
    pool.textName = shownName;
    ReleaseParser parser(source, pool);
    parser.parse();
    FindReleaseFigures(pool, source,
                       options.figuresDir.isEmpty() ? info.absolutePath() : options.figuresDir);
    pool.exam = ExamOf(pool, parser, path, shownName, options);
    return pool;
}

bool ReadReleases(const QStringList& files, const ReleaseOptions& options, ReleaseImport& import,
                  QString* error, const ReleaseProgress& progress) {
    const auto tell = [&progress](int permille) {
        if (progress) progress(permille);
    };
    try {
        if (files.isEmpty()) Refuse(QStringLiteral("no pool file given"));
        if (!options.figuresDir.isEmpty() && !QFileInfo(options.figuresDir).isDir()) {
            Refuse(QStringLiteral("%1: no such folder of figures").arg(options.figuresDir));
        }
        std::vector<Pool> pools;
        tell(0);
        for (const QString& file : files) {
            Pool pool = ReadReleaseFile(file, QFileInfo(file).fileName(), options);
            for (const Pool& other : pools) {
                if (other.letter == pool.letter) {
                    Refuse(QStringLiteral("%1 and %2 are both pools of element %3")
                               .arg(other.name, pool.name, QString(pool.letter)));
                }
            }
            pools.push_back(std::move(pool));
            tell(kReadingShare * int(pools.size()) / int(files.size()));
        }
        int figures = 0, converted = 0;
        for (const Pool& pool : pools) figures += int(pool.figures.size());
        ReleaseImport read;
        read.content = Assemble(pools, [&] {
            ++converted;
            tell(kReadingShare + (1000 - kReadingShare) * converted / figures);
        });
        tell(1000);
        for (const Pool& pool : pools) {
            ReleaseSummary summary;
            summary.file = pool.name;
            summary.element = pool.exam->test;
            summary.pool = pool.exam->pool;
            summary.validFrom = QDate::fromString(pool.exam->validFrom, Qt::ISODate);
            summary.validTo = QDate::fromString(pool.exam->validTo, Qt::ISODate);
            summary.sections = int(pool.subelements.size());
            summary.questions = int(pool.questions.size());
            summary.figures = int(pool.figures.size());
            summary.withdrawn = pool.withdrawn;
            summary.examQuestions = pool.exam->questions;
            summary.passMark = pool.exam->passMark;
            read.pools.push_back(summary);
        }
        import = std::move(read);
        return true;
    } catch (const InputError& e) {
        if (error) *error = e.message;
        return false;
    }
}

QString ReleaseSummaryText(const ReleaseSummary& s) {
    const auto counted = [](int n, const char* one, const char* many) {
        return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
    };
    ExamInfo dates;
    dates.validFrom = s.validFrom;
    dates.validTo = s.validTo;
    return QStringLiteral(
               "%1 pool %2, in force %3: %4, %5, %6, %7 left out; the exam asks %8, "
               "%9 to pass")
        .arg(ElementName(s.element), s.pool, PoolDates(dates),
             counted(s.sections, "section", "sections"),
             counted(s.questions, "question", "questions"), counted(s.figures, "figure", "figures"),
             counted(s.withdrawn, "withdrawn question", "withdrawn questions"))
        .arg(s.examQuestions)
        .arg(s.passMark);
}

}  // namespace quillet::qbank
