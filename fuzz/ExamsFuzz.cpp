// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
// Loads EXAMS rows of any types and values and builds every text shown from
// them; aborts when a loaded exam breaks what the rest of the program relies
// on: valid dates and 1 <= pass mark <= questions <= 1000.
#include <cstdio>
#include <cstdlib>

#include "shell/core/Exams.h"
#include "support/RowFields.h"

using namespace quillet;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    Database db;
    if (db.create(QStringLiteral(":memory:"), QByteArray()) != 0) return 0;
    // Columns without types, so that each value keeps the type it was given.
    db.exec("CREATE TABLE EXAMS (TEST, POOL, VALID_FROM, VALID_TO, QUESTIONS, PASS_MARK)");
    Query insert(db, "INSERT INTO EXAMS VALUES (?, ?, ?, ?, ?, ?)");
    for (const QByteArrayList& row : fuzzing::Rows(bytes, size)) fuzzing::InsertRow(insert, row, 6);

    const ExamTable exams = LoadExams(db);
    for (const ExamInfo& exam : exams.rows()) {
        if (!exam.validFrom.isValid() || !exam.validTo.isValid() || exam.questions < 1 ||
            exam.questions > 1000 || exam.passMark < 1 || exam.passMark > exam.questions) {
            std::fprintf(stderr, "an exam row passed that should not have\n");
            std::abort();
        }
        PoolDates(exam);
        PoolNotInForceMessage(exam, QDate(2026, 12, 9));
        ElementName(exam.element);
    }
    ExamSizesText(exams);
    SimulatedModeNote(exams);
    return 0;
}
