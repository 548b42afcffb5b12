// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "ui/core/MainMenuRules.h"

#include "shell/core/ExamMode.h"

namespace quillet {

QString NoQuestionsMessage() {
    return QStringLiteral(
               "Given the criteria you selected, there are no questions to ask you.  Please "
               "select different ") +
           QStringLiteral(" test settings from the program settings screen.");
}

bool AnySectionChosen(const SectionTable& sections, int element) {
    bool found = false;
    for (const SectionInfo& section : sections) {
        if (section.Ask && section.Test == element) found = true;
    }
    return found;
}

bool ResultsFollow(const SectionTable& sections, int testMode) {
    // The modes that mark each question as it is answered have no report.
    if (testMode == kModeUntilRight || testMode == kModeReview) return false;
    for (const SectionInfo& section : sections) {
        if (section.AskedCount > 0) return true;
    }
    return false;
}

QString RealExamRefusal(const Session& session, int testMode, int element) {
    if (NormalizedTestMode(testMode) != kModeRealExam) return {};
    if (!session.exams.available()) {
        return QStringLiteral(
            "This question bank has no examination data, so the real exam cannot be taken "
            "with it.  Please choose another test mode, or install a newer question bank.");
    }
    if (!session.exams.find(element)) {
        return QStringLiteral(
            "There is no real exam for this element: it is kept for the older five-element "
            "layout and holds no questions.  Please choose Technician, General or Extra.");
    }
    return {};
}

QString PoolWarningBeforeTest(Session& session, const QDate& today, int element) {
    const ExamInfo* exam = session.exams.find(element);
    if (!exam || session.poolWarningsGiven.count(element)) return {};
    QString warning = PoolNotInForceMessage(*exam, today);
    if (!warning.isEmpty()) session.poolWarningsGiven.insert(element);
    return warning;
}

}  // namespace quillet
