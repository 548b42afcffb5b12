// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QString>

#include "BankWriter.h"

namespace quillet::qbank {

// Reads the student's bank of added pools back: its sections, questions, figures and exams. A bank
// holding anything a bank does not (views, triggers, other tables) is refused without reading it.
// On failure returns false with the reason in `error`.
bool ReadAddedBank(const QString& path, BankContent& content, QString* error = nullptr);

// Adds pools to the student's own bank at `path` (made when missing, folder and all): each pool
// of `added` replaces the bank's pool of the same element, and the bank's other pools stay.
// Sections are numbered from AddedSectionId, so that they never share an id with a section of
// the installed bank. The bank is replaced in one step, so a failure leaves it as it was.
bool AddToBank(const QString& path, const BankContent& added, QString* error = nullptr);

}  // namespace quillet::qbank
