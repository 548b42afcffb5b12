// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "shell/core/Exams.h"

#include <sqlcipher/sqlite3.h>

#include <QLocale>
#include <QStringList>

#include "shell/core/Database.h"
#include "shell/core/ExamMode.h"

namespace quillet {

const ExamInfo* ExamTable::find(int element) const {
    for (const ExamInfo& exam : rows_) {
        if (exam.element == element) return &exam;
    }
    return nullptr;
}

ExamTable LoadExams(const Database& database) {
    Query query(database,
                "SELECT TEST, POOL, VALID_FROM, VALID_TO, QUESTIONS, PASS_MARK FROM EXAMS "
                "ORDER BY TEST");
    if (!query.prepared()) return {};
    std::vector<ExamInfo> rows;
    while (query.next()) {
        ExamInfo exam;
        exam.element = static_cast<int>(query.integer("TEST"));
        exam.pool = query.text("POOL");
        exam.validFrom = QDate::fromString(query.text("VALID_FROM"), Qt::ISODate);
        exam.validTo = QDate::fromString(query.text("VALID_TO"), Qt::ISODate);
        const qint64 questions = query.integer("QUESTIONS");
        const qint64 passMark = query.integer("PASS_MARK");
        if (!exam.validFrom.isValid() || !exam.validTo.isValid() || questions < 1 ||
            questions > 1000 || passMark < 1 || passMark > questions) {
            continue;
        }
        exam.questions = static_cast<int>(questions);
        exam.passMark = static_cast<int>(passMark);
        rows.push_back(exam);
    }
    if (query.code() != SQLITE_DONE) return {};
    return ExamTable(std::move(rows));
}

QString PoolDates(const ExamInfo& exam) {
    const QString format = QStringLiteral("d MMMM yyyy");
    return QLocale(QLocale::English).toString(exam.validFrom, format) + QStringLiteral(" to ") +
           QLocale(QLocale::English).toString(exam.validTo, format);
}

QString ElementName(int element) {
    switch (element) {
        case 1:
            return QStringLiteral("Novice");
        case 2:
            return QStringLiteral("Technician");
        case 3:
            return QStringLiteral("General");
        case 4:
            return QStringLiteral("Advanced");
        case 5:
            return QStringLiteral("Extra");
        default:
            return QStringLiteral("element %1").arg(element);
    }
}

namespace {
// "a, b and c", where the first item names what is counted: "35 questions for Technician,
// 35 for General and 50 for Extra".
QString CountsListed(QStringList items) {
    if (items.isEmpty()) return {};
    items.first().replace(QStringLiteral(" for "), QStringLiteral(" questions for "));
    if (items.size() == 1) return items.first();
    return items.mid(0, items.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" and ") +
           items.last();
}
}  // namespace

QString ExamSizesText(const ExamTable& exams) {
    QStringList parts;
    for (const ExamInfo& exam : exams.rows()) {
        parts << QStringLiteral("%1 for %2 (%3 to pass)")
                     .arg(exam.questions)
                     .arg(ElementName(exam.element))
                     .arg(exam.passMark);
    }
    return CountsListed(parts);
}

QString SimulatedModeNote(const ExamTable& exams) {
    // The elements examined today, in the bank's order; the three of the current layout
    // for a bank that does not say.
    std::vector<int> elements;
    for (const ExamInfo& exam : exams.rows()) elements.push_back(exam.element);
    if (elements.empty()) elements = {2, 3, 5};
    QStringList simulated;
    for (int element : elements) {
        simulated << QStringLiteral("%1 for %2")
                         .arg(SimulatedQuestionCount(element))
                         .arg(ElementName(element));
    }
    QString note = QStringLiteral("Note:  'Simulated test mode' asks ") + CountsListed(simulated) +
                   QStringLiteral(", drawn from the sections you choose.  ");
    const QString real = ExamSizesText(exams);
    if (real.isEmpty()) {
        return note + QStringLiteral(
                          "This question bank does not record the size of the "
                          "actual examinations.");
    }
    return note + QStringLiteral("The real exam mode asks what the actual examinations ask: ") +
           real + QLatin1Char('.');
}

QString PoolNotInForceMessage(const ExamInfo& exam, const QDate& today) {
    if (exam.inForceOn(today)) return {};
    const QString when = today < exam.validFrom ? QStringLiteral("is not yet in force")
                                                : QStringLiteral("is no longer in force");
    return QStringLiteral(
               "The question pool of this element in the question bank, %1, %2: it "
               "is valid from %3.  The examination you sit may be drawn from a "
               "different pool, so check which pool is in force on the day of your "
               "examination.")
        .arg(exam.pool, when, PoolDates(exam));
}

}  // namespace quillet
