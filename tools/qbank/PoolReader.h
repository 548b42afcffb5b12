// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QString>

#include "BankWriter.h"

namespace quillet::qbank {

// Reads a folder of question pool folders into the content of a question bank.
// Each pool folder holds the questions (<pool>.txt), the subelement titles
// (titles.json) and the figures (t-1.png, e6-2.png, ...). Pools are taken in
// element order (N, T, G, A, E); sections, questions and figures are numbered
// from 1 in that order.
//
// On malformed input returns false and puts a message naming the file (and the
// line, where there is one) in `error`; `content` is then left unchanged.
bool ReadPools(const QString& poolsDir, BankContent& content, QString* error = nullptr);

// The program's element number for the first letter of a pool id: N 1, T 2,
// G 3, A 4, E 5; 0 for any other letter.
int ElementNumber(QChar idLetter);

// A subelement title as printed in capitals turned into readable title case:
// "COMMISSION’S RULES" becomes "Commission's Rules", "ELECTRICAL AND RF SAFETY"
// becomes "Electrical and RF Safety".
QString ReadableTitle(const QString& title);

// One line telling what the content holds, element by element, e.g.
// "Technician: 10 sections, 409 questions, 3 figures; General: ...".
QString ContentSummary(const BankContent& content);

}  // namespace quillet::qbank
