// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <optional>

namespace quillet::qbank {

// Pixels of background kept round a figure's drawing when its margins are cut.
inline constexpr int kFigurePadding = 16;
// The longest side a stored figure may have, in pixels: the pool's scans are
// drawn for print and are two or three times larger than a screen needs.
inline constexpr int kMaxFigureSide = 800;

// Makes a pool figure fit for the viewer, which opens a picture at its
// top-left corner in a small frame: cuts the plain margins off (the
// background is the colour of the top-left pixel), then scales a larger
// drawing down to kMaxFigureSide. Returns the PNG unchanged when there is
// nothing to do, nothing when it cannot be decoded.
std::optional<QByteArray> PrepareFigure(const QByteArray& png);

// The kinds of picture a figure may come as.
enum class FigureKind { Unknown, Png, Jpeg, Svg, Pdf };

// The kind a figure file's name says, in any case: .png, .jpg or .jpeg, .svg, .pdf.
FigureKind FigureKindOfName(const QString& fileName);
// The kind a picture's own bytes show: PNG or JPEG (the kinds a document embeds), else Unknown.
FigureKind FigureKindOfBytes(const QByteArray& bytes);
// "PNG", "JPEG", "SVG", "PDF": for messages.
QString FigureKindName(FigureKind kind);

// Vector figures are drawn so that their longer side has this many pixels, and PDF pages at
// this resolution: the same figure gives the same picture on every machine.
inline constexpr int kVectorFigureSide = kMaxFigureSide;
inline constexpr int kPdfFigureDpi = 150;

// Draws the one page of a PDF figure; a null image, with the reason in `why`, when the file
// cannot be read or has more than one page. Set by the programs that carry a PDF renderer.
using PdfRenderer = QImage (*)(const QByteArray& pdf, QString* why);
void SetPdfRenderer(PdfRenderer renderer);
bool HasPdfRenderer();

// Any accepted figure turned into the PNG the bank stores (see PrepareFigure). Nothing, with
// the reason in `why`, when the bytes are not a picture of that kind.
std::optional<QByteArray> FigureToPng(const QByteArray& bytes, FigureKind kind, QString* why);

}  // namespace quillet::qbank
