// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "BankWriter.h"

#include <sqlcipher/sqlite3.h>

#include <QFile>
#include <QFileInfo>
#include <filesystem>
#include <system_error>

#include "shell/core/Database.h"
#include "shell/core/QuestionBank.h"

namespace quillet::qbank {
namespace {

const char* const kSchema[] = {
    "CREATE TABLE SECTIONS (SECTIONID INTEGER PRIMARY KEY, SECTION TEXT, DESCRIPTION TEXT, "
    "TEST INTEGER)",
    "CREATE TABLE QUESTIONS (QuestionID INTEGER PRIMARY KEY, SectionID INTEGER, Question TEXT, "
    "AnswerA TEXT, AnswerB TEXT, AnswerC TEXT, ANSWERD TEXT, ANSWER TEXT, FIGUREID INTEGER, "
    "FCCQUESTIONID TEXT, REFERENCE TEXT)",
    "CREATE TABLE FIGURES (FIGUREID INTEGER PRIMARY KEY, FIGURE BLOB, CAPTION TEXT)",
    // The program opens only a bank whose index reads exactly so.
    kBankIndex,
};

const char kExamsSchema[] =
    "CREATE TABLE EXAMS (TEST INTEGER PRIMARY KEY, POOL TEXT, VALID_FROM TEXT, VALID_TO TEXT, "
    "QUESTIONS INTEGER, PASS_MARK INTEGER)";

bool Fail(QString* error, const QString& what) {
    if (error) *error = what;
    return false;
}

bool Insert(Query& query, QString* error, const Database& db) {
    if (query.run()) {
        query.reset();
        return true;
    }
    return Fail(error, QStringLiteral("cannot write the bank: %1").arg(db.lastError()));
}

bool WriteContent(Database& db, const BankContent& content, QString* error) {
    if (db.exec("BEGIN") != SQLITE_OK) {
        return Fail(error, QStringLiteral("cannot write the bank: %1").arg(db.lastError()));
    }
    for (const char* sql : kSchema) {
        if (db.exec(sql) != SQLITE_OK) {
            return Fail(error, QStringLiteral("cannot write the bank: %1").arg(db.lastError()));
        }
    }

    Query section(db, "INSERT INTO SECTIONS VALUES (?, ?, ?, ?)");
    for (const BankSection& s : content.sections) {
        section.bind(1, qint64{s.id});
        section.bind(2, s.section);
        section.bind(3, s.description);
        section.bind(4, qint64{s.test});
        if (!Insert(section, error, db)) return false;
    }

    Query question(db, "INSERT INTO QUESTIONS VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    for (const BankQuestion& q : content.questions) {
        question.bind(1, qint64{q.id});
        question.bind(2, qint64{q.sectionId});
        question.bind(3, q.question);
        question.bind(4, q.answerA);
        question.bind(5, q.answerB);
        question.bind(6, q.answerC);
        question.bind(7, q.answerD);
        question.bind(8, q.answer);
        if (q.figureId) {
            question.bind(9, qint64{*q.figureId});
        } else {
            question.bindNull(9);
        }
        question.bind(10, q.fccQuestionId);
        if (q.reference.isEmpty()) {
            question.bindNull(11);
        } else {
            question.bind(11, q.reference);
        }
        if (!Insert(question, error, db)) return false;
    }

    Query figure(db, "INSERT INTO FIGURES VALUES (?, ?, ?)");
    for (const BankFigure& f : content.figures) {
        figure.bind(1, qint64{f.id});
        figure.bind(2, f.png);
        figure.bind(3, f.caption);
        if (!Insert(figure, error, db)) return false;
    }

    if (!content.exams.empty()) {
        if (db.exec(kExamsSchema) != SQLITE_OK) {
            return Fail(error, QStringLiteral("cannot write the bank: %1").arg(db.lastError()));
        }
        Query exam(db, "INSERT INTO EXAMS VALUES (?, ?, ?, ?, ?, ?)");
        for (const BankExam& e : content.exams) {
            exam.bind(1, qint64{e.test});
            exam.bind(2, e.pool);
            exam.bind(3, e.validFrom);
            exam.bind(4, e.validTo);
            exam.bind(5, qint64{e.questions});
            exam.bind(6, qint64{e.passMark});
            if (!Insert(exam, error, db)) return false;
        }
    }

    if (db.exec("COMMIT") != SQLITE_OK) {
        return Fail(error, QStringLiteral("cannot write the bank: %1").arg(db.lastError()));
    }
    return true;
}

}  // namespace

bool WriteBank(const QString& path, const BankContent& content, QString* error,
               const QByteArray& key) {
    const QString temporary = path + QStringLiteral(".part");
    QFile::remove(temporary);
    bool written = false;
    {
        Database db;
        if (db.create(temporary, key) != SQLITE_OK) {
            Fail(error, QStringLiteral("cannot create %1: %2").arg(temporary, db.lastError()));
        } else {
            written = WriteContent(db, content, error);
        }
    }
    if (!written) {
        QFile::remove(temporary);
        return false;
    }
    // Replace the old bank in one step: a failed rename leaves it as it was.
    std::error_code failure;
    std::filesystem::rename(QFile::encodeName(temporary).toStdString(),
                            QFile::encodeName(path).toStdString(), failure);
    if (failure) {
        QFile::remove(temporary);
        return Fail(error, QStringLiteral("cannot move the bank into place at %1: %2")
                               .arg(path, QString::fromLocal8Bit(failure.message())));
    }
    return true;
}

}  // namespace quillet::qbank
