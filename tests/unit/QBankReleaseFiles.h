// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

// Pools laid out as they are published (front matter, syllabus, headings, "~~" after each
// question, withdrawn placeholders, the end marker), made from a pool folder of the shared
// pools or from a few lines, and written as a Word document or as its text export.

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QStringList>
#include <utility>
#include <vector>

namespace quillet::qbank::testing {

// The published layout of a pool folder (titles.json and <pool>.txt): a title with the years,
// an errata note, the syllabus, then each subelement's heading, each group's heading and its
// questions, with a placeholder for each withdrawn question (one made up where the pool lists
// none), and the end marker.
inline QStringList PublishedLines(const QString& poolFolder) {
    QFile titlesFile(QDir(poolFolder).filePath("titles.json"));
    titlesFile.open(QIODevice::ReadOnly);
    const QJsonObject titles = QJsonDocument::fromJson(titlesFile.readAll()).object();
    QFile textFile(QDir(poolFolder).filePath(QDir(poolFolder).dirName() + ".txt"));
    textFile.open(QIODevice::ReadOnly);
    const QStringList blocks =
        QString::fromUtf8(textFile.readAll()).split("\n\n", Qt::SkipEmptyParts);

    QMap<QString, QStringList> questionsOfGroup;  // group: its questions' lines, "~~" after each
    for (const QString& block : blocks) {
        const QStringList lines = block.trimmed().split('\n');
        questionsOfGroup[lines.first().left(3)] << lines << "~~";
    }
    QStringList withdrawn;
    for (const QJsonValue id : titles.value("withdrawn_question_ids").toArray()) {
        withdrawn << id.toString();
    }
    if (withdrawn.isEmpty()) {
        withdrawn << titles.value("groups").toArray().first().toObject().value("id").toString() +
                         "99";
    }
    for (const QString& id : withdrawn) {
        questionsOfGroup[id.left(3)] << id + " Question Deleted"
                                     << "~~";
    }

    const QString years = titles.value("valid_from").toString().left(4) + "-" +
                          titles.value("valid_to").toString().left(4);
    QStringList out{years + " " + titles.value("element").toString() +
                        " Question Pool and Syllabus Public Release",
                    "", "Errata: T1A05 was reworded on 2 March; the answers are unchanged.",
                    "SYLLABUS"};
    const QJsonArray subelements = titles.value("subelements").toArray();
    const QJsonArray groups = titles.value("groups").toArray();
    const auto heading = [](const QJsonObject& s) {
        return s.value("heading").toString().replace(" - ", " \u2013 ");
    };
    for (const QJsonValue s : subelements) {
        out << heading(s.toObject());
        for (const QJsonValue g : groups) {
            if (g.toObject().value("subelement") == s.toObject().value("id")) {
                out << g.toObject().value("id").toString() + " \u2013 " +
                           g.toObject().value("title").toString();
            }
        }
    }
    out << ""
        << "Question Pool"
        << "";
    for (const QJsonValue s : subelements) {
        out << heading(s.toObject()) << "";
        for (const QJsonValue g : groups) {
            const QJsonObject group = g.toObject();
            if (group.value("subelement") != s.toObject().value("id")) continue;
            out << group.value("id").toString() + " - " + group.value("title").toString();
            out << questionsOfGroup.value(group.value("id").toString());
            out << "";
        }
    }
    out << "~~~end of question pool text~~~";
    return out;
}

// The text as a word processor's "plain text" export in Windows-1252 with CRLF line ends.
inline QByteArray Windows1252Crlf(const QStringList& lines) {
    const QMap<QChar, char> high{{u'\u2018', '\x91'}, {u'\u2019', '\x92'}, {u'\u201C', '\x93'},
                                 {u'\u201D', '\x94'}, {u'\u2013', '\x96'}, {u'\u2014', '\x97'}};
    QByteArray bytes;
    for (const QString& line : lines) {
        for (const QChar c : line) {
            if (high.contains(c)) {
                bytes += high.value(c);
            } else {
                // As an export does, a character the code page lacks becomes "?" (and the
                // comparison with the pool's own text then fails).
                bytes += c.unicode() < 256 ? char(c.unicode()) : '?';
            }
        }
        bytes += "\r\n";
    }
    return bytes;
}

inline QString XmlEscaped(QString text) {
    return text.replace('&', "&amp;").replace('<', "&lt;").replace('>', "&gt;");
}

// A picture placed in a paragraph of its own, followed by a caption paragraph.
struct DocumentPicture {
    int beforeLine = 0;  // placed before this line of the text
    QString caption;     // "Figure T-1"
    QByteArray bytes;
    QString name;  // "image1.png"
};

// A minimal Word document, one paragraph per line (an answer's text broken into two runs, as
// word processors do), written with the zip library the reader uses.
inline bool WriteDocument(const QString& path, const QStringList& lines,
                          const std::vector<DocumentPicture>& pictures = {}) {
    QString body;
    QString relationships;
    for (int i = 0; i <= lines.size(); ++i) {
        for (size_t p = 0; p < pictures.size(); ++p) {
            if (pictures[p].beforeLine != i) continue;
            const QString id = QString("rIdPic%1").arg(p);
            body +=
                "<w:p><w:r><w:drawing><wp:inline><a:graphic><a:graphicData><pic:pic>"
                "<pic:blipFill><a:blip r:embed=\"" +
                id +
                "\"/></pic:blipFill></pic:pic></a:graphicData></a:graphic></wp:inline>"
                "</w:drawing></w:r></w:p>";
            body += "<w:p><w:r><w:t>" + pictures[p].caption + "</w:t></w:r></w:p>";
            relationships += "<Relationship Id=\"" + id +
                             "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                             "relationships/image\" Target=\"media/" +
                             pictures[p].name + "\"/>";
        }
        if (i == lines.size()) break;
        const QString& line = lines[i];
        const qsizetype cut = line.size() > 6 ? 3 : line.size();
        body += "<w:p><w:pPr><w:spacing w:after=\"0\"/></w:pPr><w:r><w:t xml:space=\"preserve\">" +
                XmlEscaped(line.left(cut)) + "</w:t></w:r><w:r><w:rPr><w:b/></w:rPr>" +
                "<w:t xml:space=\"preserve\">" + XmlEscaped(line.mid(cut)) + "</w:t></w:r></w:p>";
    }
    const QString document =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<w:document "
        "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
        "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\" "
        "xmlns:wp=\"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing\" "
        "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
        "xmlns:pic=\"http://schemas.openxmlformats.org/drawingml/2006/picture\">"
        "<w:body>" +
        body + "</w:body></w:document>";
    const std::vector<std::pair<QString, QByteArray>> parts{
        {"[Content_Types].xml",
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Types "
         "xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
         "<Default Extension=\"xml\" ContentType=\"application/xml\"/></Types>"},
        {"word/document.xml", document.toUtf8()},
        {"word/_rels/document.xml.rels",
         ("<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships "
          "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">" +
          relationships + "</Relationships>")
             .toUtf8()},
    };
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdCreate)) return false;
    const auto add = [&zip](const QString& name, const QByteArray& bytes) {
        QuaZipFile file(&zip);
        if (!file.open(QIODevice::WriteOnly, QuaZipNewInfo(name))) return false;
        return file.write(bytes) == bytes.size();
    };
    for (const auto& [name, bytes] : parts) {
        if (!add(name, bytes)) return false;
    }
    for (const DocumentPicture& picture : pictures) {
        if (!add("word/media/" + picture.name, picture.bytes)) return false;
    }
    zip.close();
    return zip.getZipError() == 0;
}

}  // namespace quillet::qbank::testing
