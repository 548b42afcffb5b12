// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QDate>
#include <QString>
#include <utility>
#include <vector>

namespace quillet {

class Database;

// The real examination of one element, as the bank's EXAMS table gives it:
// the pool the element's questions come from, the dates that pool is in force,
// and the exam's number of questions and the number correct needed to pass.
struct ExamInfo {
    int element = 0;  // as in SECTIONS.TEST: 2 Technician, 3 General, 5 Extra
    QString pool;     // "technician-2026-2030"
    QDate validFrom;
    QDate validTo;
    int questions = 0;
    int passMark = 0;

    bool inForceOn(const QDate& day) const { return day >= validFrom && day <= validTo; }
};

// The bank's examinations. A bank made before the EXAMS table existed has
// none: available() is false and the real-exam mode cannot be offered.
class ExamTable {
public:
    ExamTable() = default;
    explicit ExamTable(std::vector<ExamInfo> rows) : available_(true), rows_(std::move(rows)) {}

    bool available() const { return available_; }
    // The exam of `element`, or nullptr when the element has none.
    const ExamInfo* find(int element) const;
    const std::vector<ExamInfo>& rows() const { return rows_; }

private:
    bool available_ = false;
    std::vector<ExamInfo> rows_;
};

// Reads the EXAMS table of an open bank. A bank without the table gives an
// empty, unavailable table. A row whose dates or numbers make no sense (an
// unreadable date, no questions, a pass mark above the questions) is left out,
// so that a damaged row can never give a test that cannot be passed. A read
// that fails part-way gives no table at all rather than part of one.
ExamTable LoadExams(const Database& database);

// The pool's dates as the student reads them: "1 July 2026 to 30 June 2030".
QString PoolDates(const ExamInfo& exam);

// The element's name as students know it today: "Technician" for 2, "General" for 3, "Extra"
// for 5; "Novice" and "Advanced" for the two that are no longer examined.
QString ElementName(int element);

// The sizes of today's examinations, for the texts that tell them: "35 questions for
// Technician (26 to pass), 35 for General (26 to pass) and 50 for Extra (37 to pass)". Empty
// for a bank that does not record its examinations.
QString ExamSizesText(const ExamTable& exams);

// The note under the test modes of the options screen: what the simulated test asks, and what
// the real exam mode and the actual examinations ask, from the bank's examinations.
QString SimulatedModeNote(const ExamTable& exams);

// The warning shown before a test of an element whose pool is not in force on
// `today`; empty when it is.
QString PoolNotInForceMessage(const ExamInfo& exam, const QDate& today);

}  // namespace quillet
