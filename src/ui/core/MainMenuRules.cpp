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

QString RealExamRefusal(const AppState& state, int element) {
    if (NormalizedTestMode(state.testMode) != kModeRealExam) return {};
    if (!state.exams.available()) {
        return QStringLiteral(
            "This question bank has no examination data, so the real exam cannot be taken "
            "with it.  Please choose another test mode, or install a newer question bank.");
    }
    if (!state.exams.find(element)) {
        return QStringLiteral(
            "There is no real exam for this element: it is kept for the older five-element "
            "layout and holds no questions.  Please choose Technician, General or Extra.");
    }
    return {};
}

QString PoolWarningBeforeTest(AppState& state, int element) {
    const ExamInfo* exam = state.exams.find(element);
    if (!exam || state.poolWarningsGiven.count(element)) return {};
    QString warning = PoolNotInForceMessage(*exam, Today(state));
    if (!warning.isEmpty()) state.poolWarningsGiven.insert(element);
    return warning;
}

}  // namespace quillet
