#include "shell/core/Exams.h"

#include "shell/core/Database.h"

#include <QLocale>

#include <sqlcipher/sqlite3.h>

namespace quillet {

const ExamInfo* ExamTable::find(int element) const {
    for (const ExamInfo& exam : rows_) {
        if (exam.element == element) return &exam;
    }
    return nullptr;
}

ExamTable LoadExams(Database& database) {
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

QString PoolNotInForceMessage(const ExamInfo& exam, const QDate& today) {
    if (exam.inForceOn(today)) return {};
    const QString when = today < exam.validFrom ? QStringLiteral("is not yet in force")
                                                : QStringLiteral("is no longer in force");
    return QStringLiteral("The question pool of this element in the question bank, %1, %2: it "
                          "is valid from %3.  The examination you sit may be drawn from a "
                          "different pool, so check which pool is in force on the day of your "
                          "examination.")
        .arg(exam.pool, when, PoolDates(exam));
}

}  // namespace quillet
