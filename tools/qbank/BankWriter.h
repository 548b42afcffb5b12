// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

#include "shell/core/QuestionBank.h"

namespace quillet::qbank {

struct BankSection {
    int id = 0;           // SECTIONID, 1..N
    QString section;      // "T1"
    QString description;  // "Commission's Rules"
    int test = 0;         // element number: 2 Technician, 3 General, 5 Extra
};

struct BankQuestion {
    int id = 0;  // QuestionID, 1..M
    int sectionId = 0;
    QString question;
    QString answerA, answerB, answerC, answerD;
    QString answer;               // "A".."D"
    std::optional<int> figureId;  // null when the question has no figure
    QString fccQuestionId;        // "T1A01"
    QString reference;            // the rule the question rests on, "97.301(d)"; may be empty
};

struct BankFigure {
    int id = 0;
    QByteArray png;
    QString caption;  // "Figure T-1"
};

// The real examination of one pool: the program's element number (as in
// SECTIONS.TEST), the pool, the dates it is in force and the exam's size.
struct BankExam {
    int test = 0;
    QString pool;       // "technician-2026-2030"
    QString validFrom;  // "2026-07-01"
    QString validTo;    // "2030-06-30"
    int questions = 0;
    int passMark = 0;
};

struct BankContent {
    std::vector<BankSection> sections;
    std::vector<BankQuestion> questions;
    std::vector<BankFigure> figures;
    // Written to an EXAMS table; a content without exams gives a bank without
    // that table, as banks were before it.
    std::vector<BankExam> exams;
};

// Writes a complete password-protected bank to `path`. The bank is written to a
// temporary file beside it and renamed into place only when complete, so a
// failure never leaves a half-written bank. On failure returns false and puts
// the reason in `error`.
// `key` is the password, or a raw key "x'<hex>'" (see AddedBankKey).
bool WriteBank(const QString& path, const BankContent& content, QString* error = nullptr,
               const QByteArray& key = QByteArray(kQuestionBankKey));

}  // namespace quillet::qbank
