// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QDate>
#include <QString>

#include "shell/core/Session.h"

namespace quillet {

inline const QString kNoSectionsChosenMessage = QStringLiteral(
    "You have not selected any SECTIONS to be tested on.  Please go into the test options "
    "screen and select some.");

// "...select different " and " test settings..." joined: two blanks between.
QString NoQuestionsMessage();

// Whether at least one section of `element` is chosen for testing. Every row
// is visited.
bool AnySectionChosen(const SectionTable& sections, int element);

// Whether the results screen follows a test: never in modes 2 and 6, which mark
// each answer at once, otherwise when any section (of any element) had a
// question asked.
bool ResultsFollow(const SectionTable& sections, int testMode);

// In the real-exam mode (`testMode`): why a test of `element` cannot be taken
// (the bank has no examination data, or the element has no exam), or empty
// when it can. Empty in every other mode.
QString RealExamRefusal(const Session& session, int testMode, int element);

// The warning to show before a test of `element` when its pool is not in force
// on `today`, once per element in a program run: the first call that warns
// records it, so later calls for the same element give an empty text.
QString PoolWarningBeforeTest(Session& session, const QDate& today, int element);

}  // namespace quillet
