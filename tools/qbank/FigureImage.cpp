// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "FigureImage.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
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

PdfRenderer gPdfRenderer = nullptr;

const QByteArray kPngSignature("\x89PNG\r\n\x1A\n", 8);
const QByteArray kJpegSignature("\xFF\xD8\xFF", 3);

std::optional<QByteArray> EncodePng(const QImage& image) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return std::nullopt;
    return png;
}

// A drawing without a size of its own is drawn on white paper, longer side kVectorFigureSide.
QImage DrawSvg(const QByteArray& svg) {
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) return {};
    QSizeF size = renderer.defaultSize();
    if (size.isEmpty()) size = renderer.viewBoxF().size();
    if (size.isEmpty()) return {};
    size.scale(kVectorFigureSide, kVectorFigureSide, Qt::KeepAspectRatio);
    QImage image(size.toSize().expandedTo(QSize(1, 1)), QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

}  // namespace

void SetPdfRenderer(PdfRenderer renderer) { gPdfRenderer = renderer; }
bool HasPdfRenderer() { return gPdfRenderer != nullptr; }

FigureKind FigureKindOfName(const QString& fileName) {
    const QString suffix = fileName.section(QLatin1Char('.'), -1).toLower();
    if (!fileName.contains(QLatin1Char('.'))) return FigureKind::Unknown;
    if (suffix == QLatin1String("png")) return FigureKind::Png;
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg")) return FigureKind::Jpeg;
    if (suffix == QLatin1String("svg")) return FigureKind::Svg;
    if (suffix == QLatin1String("pdf")) return FigureKind::Pdf;
    return FigureKind::Unknown;
}

FigureKind FigureKindOfBytes(const QByteArray& bytes) {
    if (bytes.startsWith(kPngSignature)) return FigureKind::Png;
    if (bytes.startsWith(kJpegSignature)) return FigureKind::Jpeg;
    return FigureKind::Unknown;
}

QString FigureKindName(FigureKind kind) {
    switch (kind) {
        case FigureKind::Png:
            return QStringLiteral("PNG");
        case FigureKind::Jpeg:
            return QStringLiteral("JPEG");
        case FigureKind::Svg:
            return QStringLiteral("SVG");
        case FigureKind::Pdf:
            return QStringLiteral("PDF");
        case FigureKind::Unknown:
            break;
    }
    return QStringLiteral("picture");
}

std::optional<QByteArray> FigureToPng(const QByteArray& bytes, FigureKind kind, QString* why) {
    const auto fail = [&](const QString& reason) -> std::optional<QByteArray> {
        if (why) *why = reason;
        return std::nullopt;
    };
    const QString notOfKind = QStringLiteral("not a %1 image").arg(FigureKindName(kind));
    QImage image;
    switch (kind) {
        case FigureKind::Png:
            if (!bytes.startsWith(kPngSignature)) return fail(notOfKind);
            if (const auto png = PrepareFigure(bytes)) return png;
            return fail(notOfKind);
        case FigureKind::Jpeg:
            if (!bytes.startsWith(kJpegSignature)) return fail(notOfKind);
            image = QImage::fromData(bytes, "JPEG");
            break;
        case FigureKind::Svg:
            image = DrawSvg(bytes);
            break;
        case FigureKind::Pdf: {
            if (!gPdfRenderer) return fail(QStringLiteral("PDF figures are read by qbank only"));
            QString reason;
            image = gPdfRenderer(bytes, &reason);
            if (image.isNull()) return fail(reason.isEmpty() ? notOfKind : reason);
            break;
        }
        case FigureKind::Unknown:
            return fail(QStringLiteral("not a PNG, JPEG, SVG or PDF figure"));
    }
    if (image.isNull()) return fail(notOfKind);
    const auto png = EncodePng(image);
    if (!png) return fail(notOfKind);
    if (const auto prepared = PrepareFigure(*png)) return prepared;
    return fail(notOfKind);
}

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
