// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "AddedBank.h"

#include <sqlcipher/sqlite3.h>

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <map>
#include <set>

#include "shell/core/Database.h"
#include "shell/core/QuestionBank.h"

namespace quillet::qbank {
namespace {

bool Fail(QString* error, const QString& what) {
    if (error) *error = what;
    return false;
}

}  // namespace

bool ReadAddedBank(const QString& path, BankContent& content, QString* error) {
    const QString shown = QDir::toNativeSeparators(path);
    Database db;
    if (db.openReadOnly(path, AddedBankKey()) != SQLITE_OK) {
        return Fail(error,
                    QStringLiteral("%1: cannot open the bank: %2").arg(shown, db.lastError()));
    }
    std::vector<SchemaEntry> entries;
    if (db.schema(entries) != SQLITE_OK) {
        return Fail(
            error,
            QStringLiteral("%1: not a question bank, or damaged: %2").arg(shown, db.lastError()));
    }
    if (const QString foreign = ForeignBankSchema(entries); !foreign.isEmpty()) {
        return Fail(error, QStringLiteral("%1: %2").arg(shown, foreign));
    }
    db.restrict(BankReadPermissions());

    BankContent read;
    const auto failed = [&](const Query& query) {
        return query.code() != SQLITE_DONE
                   ? Fail(error,
                          QStringLiteral("%1: cannot read the bank: %2").arg(shown, db.lastError()))
                   : true;
    };
    Query sections(db, "SELECT * FROM SECTIONS ORDER BY SECTIONID");
    while (sections.next()) {
        read.sections.push_back({int(sections.integer("SECTIONID")), sections.text("SECTION"),
                                 sections.text("DESCRIPTION"), int(sections.integer("TEST"))});
    }
    if (!failed(sections)) return false;
    Query questions(db, "SELECT * FROM QUESTIONS ORDER BY QuestionID");
    while (questions.next()) {
        BankQuestion q;
        q.id = int(questions.integer("QuestionID"));
        q.sectionId = int(questions.integer("SectionID"));
        q.question = questions.text("Question");
        q.answerA = questions.text("AnswerA");
        q.answerB = questions.text("AnswerB");
        q.answerC = questions.text("AnswerC");
        q.answerD = questions.text("ANSWERD");
        q.answer = questions.text("ANSWER");
        if (!questions.isNull("FIGUREID")) q.figureId = int(questions.integer("FIGUREID"));
        q.fccQuestionId = questions.text("FCCQUESTIONID");
        q.reference = questions.text("REFERENCE");
        read.questions.push_back(std::move(q));
    }
    if (!failed(questions)) return false;
    Query figures(db, "SELECT * FROM FIGURES ORDER BY FIGUREID");
    while (figures.next()) {
        read.figures.push_back(
            {int(figures.integer("FIGUREID")), figures.blob("FIGURE"), figures.text("CAPTION")});
    }
    if (!failed(figures)) return false;
    bool hasExams = false;
    for (const SchemaEntry& entry : entries) {
        hasExams |= entry.type == QLatin1String("table") &&
                    entry.name.compare(QLatin1String("EXAMS"), Qt::CaseInsensitive) == 0;
    }
    if (hasExams) {
        Query exams(db, "SELECT * FROM EXAMS ORDER BY TEST");
        while (exams.next()) {
            read.exams.push_back({int(exams.integer("TEST")), exams.text("POOL"),
                                  exams.text("VALID_FROM"), exams.text("VALID_TO"),
                                  int(exams.integer("QUESTIONS")),
                                  int(exams.integer("PASS_MARK"))});
        }
        if (!failed(exams)) return false;
    }
    content = std::move(read);
    return true;
}

bool AddToBank(const QString& path, const BankContent& added, QString* error) {
    BankContent old;
    if (QFileInfo::exists(path) && !ReadAddedBank(path, old, error)) return false;

    std::set<int> replaced;
    for (const BankSection& s : added.sections) replaced.insert(s.test);

    // The pools kept from the old bank come first, then the new ones, each element's sections
    // numbered from its own block of ids.
    BankContent merged;
    std::map<int, int> sectionsOfElement;
    const auto take = [&](const BankContent& from, bool keepOld) {
        QHash<int, int> sectionIds, figureIds;
        QHash<int, int> elementOfSection;
        for (const BankSection& s : from.sections) {
            if (keepOld == bool(replaced.count(s.test))) continue;
            BankSection row = s;
            row.id = AddedSectionId(s.test, ++sectionsOfElement[s.test]);
            sectionIds.insert(s.id, row.id);
            merged.sections.push_back(row);
        }
        QHash<int, const BankFigure*> figures;
        for (const BankFigure& f : from.figures) figures.insert(f.id, &f);
        for (const BankQuestion& q : from.questions) {
            if (!sectionIds.contains(q.sectionId)) continue;
            BankQuestion row = q;
            row.id = int(merged.questions.size()) + 1;
            row.sectionId = sectionIds.value(q.sectionId);
            if (q.figureId) {
                const BankFigure* figure = figures.value(*q.figureId);
                if (!figure) {
                    row.figureId.reset();
                } else if (figureIds.contains(figure->id)) {
                    row.figureId = figureIds.value(figure->id);
                } else {
                    const int id = int(merged.figures.size()) + 1;
                    figureIds.insert(figure->id, id);
                    merged.figures.push_back({id, figure->png, figure->caption});
                    row.figureId = id;
                }
            }
            merged.questions.push_back(std::move(row));
        }
        for (const BankExam& e : from.exams) {
            if (keepOld != bool(replaced.count(e.test))) merged.exams.push_back(e);
        }
    };
    take(old, true);
    take(added, false);

    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        return Fail(
            error,
            QStringLiteral("cannot make the folder %1").arg(QDir::toNativeSeparators(folder)));
    }
    return WriteBank(path, merged, error, AddedBankKey());
}

}  // namespace quillet::qbank
