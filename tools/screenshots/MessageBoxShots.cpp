// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "Screenshots.h"
#include "engine/core/ReviewList.h"
#include "ui/gui/MessageBox.h"

namespace quillet {

QUILLET_SCREENSHOTS(message_box) {
    const std::pair<const char*, QString> messages[] = {
        {"message-box-one-line", QStringLiteral("Please select at least one section.")},
        {"message-box-wrapped",
         QStringLiteral("Sorry, that is not the right answer. The correct answer is marked in "
                        "the question window. Read it again before you go on to the next "
                        "question, and remember that questions you miss come back later.")},
        {"message-box-empty", QString()},
        // The end of a review.
        {"message-box-review-done", ReviewSummaryMessage(ReviewList{{}, 35, 35, 0, true, {}})},
    };
    for (const auto& [file, text] : messages) {
        MessageBox box(text);
        shots::Save(context, &box, QString::fromLatin1(file));
    }
}

}  // namespace quillet
