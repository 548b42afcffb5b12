// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace quillet::qbank {

// Draws the only page of a PDF figure at kPdfFigureDpi on white paper. A file that is not a
// PDF, is locked, or has more or fewer than one page gives a null image and the reason.
QImage RenderPdfFigure(const QByteArray& pdf, QString* why);

// Lets FigureToPng read PDF figures through RenderPdfFigure.
void UsePdfFigures();

}  // namespace quillet::qbank
