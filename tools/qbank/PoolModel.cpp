// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "PoolModel.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <algorithm>
#include <tuple>

#include "PoolReader.h"

namespace quillet::qbank {
namespace {

// Figure labels in reading order: T-1 before T-2 before T-10, E5-1 before E6-1.
bool FigureBefore(const QString& a, const QString& b) {
    const auto key = [](const QString& label) {
        const qsizetype dash = label.indexOf(QLatin1Char('-'));
        const QString middle = label.mid(1, dash - 1);
        return std::tuple(label[0].unicode(), middle.isEmpty() ? -1 : middle.toInt(),
                          label.mid(dash + 1).toInt());
    };
    return key(a) < key(b);
}

QByteArray FigureBytes(const PoolFigure& figure) {
    return figure.path.isEmpty() ? figure.bytes : ReadBytes(figure.path, figure.file);
}

}  // namespace

void Refuse(const QString& message) { throw InputError{message}; }

QString At(const QString& file, int line) {
    return QStringLiteral("%1:%2").arg(file, QString::number(line));
}

QString Shown(const QString& line) {
    constexpr int kLongest = 60;
    const QString cut = line.size() > kLongest ? line.left(kLongest) + QStringLiteral("...") : line;
    return QLatin1Char('\'') + cut + QLatin1Char('\'');
}

QByteArray ReadBytes(const QString& path, const QString& shownName) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Refuse(QStringLiteral("%1: cannot read the file: %2").arg(shownName, file.errorString()));
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        Refuse(QStringLiteral("%1: cannot read the file: %2").arg(shownName, file.errorString()));
    }
    return bytes;
}

QString NamedFigure(const QString& text, const QString& where, const QString& id) {
    static const QRegularExpression figureName(
        QStringLiteral("\\bfigure\\s+([a-z][0-9]*-[0-9]+)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    QSet<QString> named;
    for (auto it = figureName.globalMatch(text); it.hasNext();) {
        named.insert(it.next().captured(1).toUpper());
    }
    if (named.size() > 1) {
        QStringList labels(named.begin(), named.end());
        labels.sort();
        Refuse(QStringLiteral("%1: question %2 names more than one figure (%3)")
                   .arg(where, id, labels.join(QStringLiteral(", "))));
    }
    return named.isEmpty() ? QString() : *named.begin();
}

BankContent Assemble(const std::vector<Pool>& pools, const std::function<void()>& figureDone) {
    BankContent content;
    for (const Pool& pool : pools) {
        if (pool.exam) content.exams.push_back(*pool.exam);
        QHash<QString, int> sectionIds;
        for (const Subelement& s : pool.subelements) {
            const int id = int(content.sections.size()) + 1;
            sectionIds.insert(s.id, id);
            content.sections.push_back(
                {id, s.id, ReadableTitle(s.title), ElementNumber(pool.letter)});
        }

        std::vector<QString> labels;
        for (const auto& entry : pool.figures) labels.push_back(entry.first);
        std::sort(labels.begin(), labels.end(), FigureBefore);
        QHash<QString, int> figureIds;
        for (const QString& label : labels) {
            const PoolFigure& figure = pool.figures.at(label);
            QString why;
            const std::optional<QByteArray> png =
                FigureToPng(FigureBytes(figure), figure.kind, &why);
            if (!png) Refuse(QStringLiteral("%1: %2").arg(figure.file, why));
            const int id = int(content.figures.size()) + 1;
            figureIds.insert(label, id);
            content.figures.push_back({id, *png, QStringLiteral("Figure ") + label});
            if (figureDone) figureDone();
        }

        for (const PoolQuestion& q : pool.questions) {
            BankQuestion row;
            row.id = int(content.questions.size()) + 1;
            row.sectionId = sectionIds.value(q.subelement);
            row.question = q.text;
            row.answerA = q.answers[0];
            row.answerB = q.answers[1];
            row.answerC = q.answers[2];
            row.answerD = q.answers[3];
            row.answer = q.letter;
            if (!q.figure.isEmpty()) row.figureId = figureIds.value(q.figure);
            row.fccQuestionId = q.id;
            row.reference = q.reference;
            content.questions.push_back(std::move(row));
        }
    }
    return content;
}

}  // namespace quillet::qbank
