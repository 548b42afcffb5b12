// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "ui/core/InfoPages.h"

#include <QStringList>

#include "shell/core/Rounding.h"

namespace quillet {

int InfoPageHeight(int number) {
    for (const auto& page : info_window::kPages) {
        if (page.number == number) return page.height;
    }
    return 0;
}

QString PoolsInBankText(const ExamTable& exams) {
    const QString older = QStringLiteral(
        "Novice and Advanced are kept for the older five-element layout and hold no questions.");
    if (!exams.available() || exams.rows().empty()) {
        return QStringLiteral(
                   "This question bank does not record which pools it holds or when "
                   "they are in force. ") +
               older;
    }
    QStringList pools;
    for (const ExamInfo& exam : exams.rows()) {
        pools << QStringLiteral("%1 (%2 to %3)")
                     .arg(ElementName(exam.element))
                     .arg(exam.validFrom.year())
                     .arg(exam.validTo.year());
    }
    QString list = pools.join(QStringLiteral(", "));
    if (pools.size() > 1) {
        const qsizetype last = list.lastIndexOf(QStringLiteral(", "));
        list.replace(last, 2, QStringLiteral(" and "));
    }
    return QStringLiteral("This question bank holds the question pools in force for %1. ")
               .arg(list) +
           older;
}

InfoScroll InfoScrollFor(int pageHeight, int viewportHeight) {
    if (pageHeight <= viewportHeight) return {};
    return {true, RoundedQuotient(pageHeight - viewportHeight + info_window::kScrollSlack,
                                  info_window::kScrollUnit)};
}

}  // namespace quillet
