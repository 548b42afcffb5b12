// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

class QString;
class QWidget;

namespace quillet {

class ExamTable;

// Fills the white page `number` of the information window with its labels:
// the yellow heading band, the title, the body text and any links. A link is a
// label named url<i> whose "address" property holds the address it opens; the
// window wires it up. Pages that send the student to the program's home page
// do so only when `homePage` is not empty. The pages that speak of the pools
// name those of `exams`. Returns the bottom of the last label, in pixels.
int BuildInfoPage(int number, QWidget* page, const QString& homePage, const ExamTable& exams);

}  // namespace quillet
