// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "FigureImage.h"

#include <QBuffer>
#include <QImage>
#include <algorithm>
#include <cstdlib>

namespace quillet::qbank {
namespace {

// Close enough to the background to count as paper: scanned and anti-aliased
// drawings have slightly off-white margins.
bool IsBackground(QRgb pixel, QRgb background) {
    if (qAlpha(pixel) < 16 && qAlpha(background) < 16) return true;
    constexpr int kTolerance = 24;
    return std::abs(qRed(pixel) - qRed(background)) <= kTolerance &&
           std::abs(qGreen(pixel) - qGreen(background)) <= kTolerance &&
           std::abs(qBlue(pixel) - qBlue(background)) <= kTolerance &&
           std::abs(qAlpha(pixel) - qAlpha(background)) <= kTolerance;
}

}  // namespace

std::optional<QByteArray> PrepareFigure(const QByteArray& png) {
    QImage image = QImage::fromData(png, "PNG");
    if (image.isNull()) return std::nullopt;
    image = image.convertToFormat(QImage::Format_ARGB32);

    const QRgb background = image.pixel(0, 0);
    int left = image.width(), right = -1, top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (IsBackground(line[x], background)) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right < 0) return png;  // a blank picture: nothing to find or scale

    const QRect drawing =
        QRect(QPoint(left, top), QPoint(right, bottom))
            .adjusted(-kFigurePadding, -kFigurePadding, kFigurePadding, kFigurePadding)
            .intersected(image.rect());
    const bool tooLarge = std::max(drawing.width(), drawing.height()) > kMaxFigureSide;
    if (drawing == image.rect() && !tooLarge) return png;

    QImage figure = image.copy(drawing);
    if (tooLarge) {
        figure = figure.scaled(kMaxFigureSide, kMaxFigureSide, Qt::KeepAspectRatio,
                               Qt::SmoothTransformation);
    }
    QByteArray prepared;
    QBuffer buffer(&prepared);
    buffer.open(QIODevice::WriteOnly);
    if (!figure.save(&buffer, "PNG")) return std::nullopt;
    return prepared;
}

}  // namespace quillet::qbank
