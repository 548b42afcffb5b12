// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "presentation/core/ReadThrough.h"

#include <sqlcipher/sqlite3.h>

#include <algorithm>
#include <limits>
#include <tuple>

#include "engine/core/QuestionList.h"
#include "presentation/core/QuestionLoader.h"
#include "shell/core/Database.h"

namespace quillet {

namespace {

// Appends the folded form of one character that is not ASCII.
void FoldWide(QString& out, const QString& wide) {
    const QString decomposed = wide.normalized(QString::NormalizationForm_KD);
    for (const QChar c : decomposed) {
        if (c.category() == QChar::Mark_NonSpacing) continue;  // an accent taken off its letter
        switch (c.unicode()) {
            case 0x2018:  // ‘ ’ ‚ ′
            case 0x2019:
            case 0x201A:
            case 0x2032:
                out += u'\'';
                continue;
            case 0x201C:  // “ ” „ ″
            case 0x201D:
            case 0x201E:
            case 0x2033:
                out += u'"';
                continue;
            case 0x2010:  // hyphens, dashes and the minus sign
            case 0x2011:
            case 0x2012:
            case 0x2013:
            case 0x2014:
            case 0x2212:
                out += u'-';
                continue;
            default:
                break;
        }
        if (c.isSpace()) {
            out += u' ';
        } else {
            out += QString(c).toCaseFolded();
        }
    }
}

// The text's words: the folded search split at its spaces.
QStringList SearchWords(const QString& search) {
    return FoldForSearch(search).split(u' ', Qt::SkipEmptyParts);
}

QString Sentence(const QString& text) {
    const QString trimmed = text.simplified();
    if (trimmed.isEmpty()) return trimmed;
    const QChar last = trimmed.back();
    return last == u'.' || last == u'?' || last == u'!' || last == u':' ? trimmed : trimmed + u'.';
}

QString Plain(const QString& caption) {
    return QString(caption).replace(QStringLiteral("&&"), QStringLiteral("&"));
}

}  // namespace

QString FoldForSearch(const QString& text) {
    QString out;
    out.reserve(text.size());
    QString wide;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const char16_t u = c.unicode();
        if (u < 0x80) {
            if (u == u' ' || u == u'\t' || u == u'\n' || u == u'\r' || u == 0x0B || u == 0x0C) {
                out += u' ';
            } else {
                out += u >= u'A' && u <= u'Z' ? QChar(char16_t(u + 32)) : c;
            }
            continue;
        }
        // A character beyond U+FFFF is two halves that fold together.
        wide = c;
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            wide += text[++i];
        if (wide.size() == 1 && c.isSpace()) {
            out += u' ';
            continue;
        }
        FoldWide(out, wide);
    }
    // Runs of blanks become one, and none stays at either end.
    return out.simplified();
}

QStringList SearchableTexts(const PoolQuestion& question) {
    QStringList texts{Plain(question.captions.question)};
    if (!question.captions.table.isEmpty()) texts << Plain(question.captions.table);
    for (const QString& answer : question.answers) texts << answer;
    texts << question.poolId;
    return texts;
}

bool ReadThrough::load(const Session& session, int element) {
    element_ = element;
    fault_.clear();
    questions_.clear();
    sections_.clear();
    const Database& bank = session.bankFor(element);
    Query query(bank,
                "SELECT QUESTIONS.*, SECTIONS.TEST AS ELEMENT FROM QUESTIONS INNER JOIN SECTIONS "
                "ON QUESTIONS.SectionID = SECTIONS.SectionID WHERE SECTIONS.TEST = ?");
    query.bind(1, qint64(element));
    while (query.next()) {
        const int correct = CorrectAnswerIndex(query.text("ANSWER"));
        const SectionInfo* section = query.isNull("SectionID")
                                         ? nullptr
                                         : session.sections.withId(query.integer("SectionID"));
        // What a test could not ask is not read either: no right answer, no text, no section.
        if (correct < 0 || query.isNull("Question") || !section) continue;
        PoolQuestion q;
        q.questionId = query.integer("QuestionID");
        q.sectionId = section->Id;
        q.poolId = query.text("FCCQUESTIONID").trimmed();
        q.group = QuestionGroup(q.poolId);
        q.section = section->Section;
        q.sectionCaption = SectionCaption(section->Section, section->Description);
        q.captions = ConvertQuestionText(query.text("Question"));
        const char* const answerColumns[] = {"AnswerA", "AnswerB", "AnswerC", "ANSWERD"};
        for (size_t i = 0; i < 4; ++i)
            q.answers[i] = ConvertAnswerText(query.text(answerColumns[i]));
        q.correct = correct;
        q.ruleCaption = RuleCaption(query.text("REFERENCE"));
        const qint64 figure = query.integer("FIGUREID");
        if (figure > 0 && figure <= std::numeric_limits<int>::max()) q.figureId = int(figure);
        add(std::move(q));
    }
    if (query.code() != SQLITE_DONE) {
        fault_ = bank.lastError();
        questions_.clear();
        sections_.clear();
        return false;
    }
    std::stable_sort(questions_.begin(), questions_.end(),
                     [](const PoolQuestion& a, const PoolQuestion& b) {
                         return std::tie(a.sectionId, a.poolId, a.questionId) <
                                std::tie(b.sectionId, b.poolId, b.questionId);
                     });
    std::sort(sections_.begin(), sections_.end());
    return true;
}

void ReadThrough::add(PoolQuestion question) {
    // Each part is folded on its own and they are joined by a line feed, which no folded search
    // holds: a search never matches across the end of one answer into the next.
    QStringList parts = SearchableTexts(question);
    for (QString& part : parts) part = FoldForSearch(part);
    question.folded = parts.join(u'\n');
    const bool known = std::any_of(sections_.begin(), sections_.end(),
                                   [&](const auto& s) { return s.first == question.sectionId; });
    if (!known) sections_.emplace_back(question.sectionId, question.sectionCaption);
    questions_.push_back(std::move(question));
}

void ReadThrough::setStanding(const QHash<QString, LatestAnswer>& latest,
                              const QSet<QString>& flags) {
    for (PoolQuestion& q : questions_) {
        q.flagged = flags.contains(q.poolId);
        const auto found = latest.find(q.poolId);
        q.latest = found == latest.end() ? LatestState::NeverAnswered
                   : found->right        ? LatestState::Right
                                         : LatestState::Missed;
    }
}

void ReadThrough::setFlagged(int index, bool flagged) {
    if (index >= 0 && index < int(questions_.size())) questions_[size_t(index)].flagged = flagged;
}

QStringList ReadThrough::groups(qint64 sectionId) const {
    QStringList groups;
    for (const PoolQuestion& q : questions_) {
        if ((sectionId == 0 || q.sectionId == sectionId) && !groups.contains(q.group))
            groups << q.group;
    }
    return groups;
}

std::vector<int> ReadThrough::select(const ReadSelection& selection) const {
    const QStringList words = SearchWords(selection.search);
    std::vector<int> found;
    for (int i = 0; i < int(questions_.size()); ++i) {
        const PoolQuestion& q = questions_[size_t(i)];
        if (selection.sectionId != 0 && q.sectionId != selection.sectionId) continue;
        if (!selection.group.isEmpty() && q.group != selection.group) continue;
        switch (selection.filter) {
            case ReadFilter::All:
                break;
            case ReadFilter::Flagged:
                if (!q.flagged) continue;
                break;
            case ReadFilter::Missed:
                if (q.latest != LatestState::Missed) continue;
                break;
            case ReadFilter::NeverAnswered:
                if (q.latest != LatestState::NeverAnswered) continue;
                break;
        }
        const bool matches = std::all_of(words.begin(), words.end(), [&](const QString& word) {
            return q.folded.contains(word);
        });
        if (matches) found.push_back(i);
    }
    return found;
}

QString LatestStateText(LatestState state) {
    switch (state) {
        case LatestState::Right:
            return QStringLiteral("Right at your latest try");
        case LatestState::Missed:
            return QStringLiteral("Missed at your latest try");
        case LatestState::NeverAnswered:
            break;
    }
    return QStringLiteral("Never answered");
}

QString PositionText(int position, int count) {
    if (count <= 0) return QStringLiteral("No question matches");
    return QStringLiteral("Question %1 of %2").arg(position).arg(count);
}

QString SpokenPoolQuestion(const PoolQuestion& question, int position, int count) {
    QString spoken = question.poolId.isEmpty() ? QStringLiteral("Question") : question.poolId;
    spoken += QStringLiteral(", %1 of %2. ").arg(position).arg(count);
    spoken += Sentence(Plain(question.captions.question));
    if (!question.captions.table.isEmpty())
        spoken += u' ' + Sentence(Plain(question.captions.table));
    for (int i = 0; i < 4; ++i) {
        QString answer = QStringLiteral("%1: %2")
                             .arg(QChar(u'A' + i))
                             .arg(question.answers[size_t(i)].simplified());
        if (i == question.correct) answer += QStringLiteral(", correct");
        spoken += u' ' + Sentence(answer);
    }
    if (!question.ruleCaption.isEmpty()) spoken += u' ' + Sentence(question.ruleCaption);
    if (question.figureId > 0) spoken += QStringLiteral(" Has a figure.");
    if (question.flagged) spoken += QStringLiteral(" Flagged.");
    spoken += u' ' + Sentence(LatestStateText(question.latest));
    return spoken;
}

}  // namespace quillet
