#include "ui/core/MainMenuRules.h"

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
    if (testMode == 2) return false;
    for (const SectionInfo& section : sections) {
        if (section.AskedCount > 0) return true;
    }
    return false;
}

}  // namespace quillet
