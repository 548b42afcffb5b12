// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "PdfFigure.h"

#include <poppler-qt6.h>

#include <QPainter>
#include <memory>

#include "FigureImage.h"

namespace quillet::qbank {

QImage RenderPdfFigure(const QByteArray& pdf, QString* why) {
    const auto fail = [why](const QString& reason) {
        if (why) *why = reason;
        return QImage();
    };
    const std::unique_ptr<Poppler::Document> document = Poppler::Document::loadFromData(pdf);
    if (!document) return fail(QStringLiteral("not a PDF file"));
    if (document->isLocked()) return fail(QStringLiteral("the PDF file is locked"));
    if (document->numPages() != 1) {
        return fail(QStringLiteral("a PDF figure must have one page; this one has %1")
                        .arg(document->numPages()));
    }
    document->setRenderHint(Poppler::Document::Antialiasing);
    document->setRenderHint(Poppler::Document::TextAntialiasing);
    const std::unique_ptr<Poppler::Page> page = document->page(0);
    if (!page) return fail(QStringLiteral("the PDF page cannot be read"));
    const QImage drawn = page->renderToImage(kPdfFigureDpi, kPdfFigureDpi);
    if (drawn.isNull()) return fail(QStringLiteral("the PDF page cannot be drawn"));
    // Pages without a background of their own come out transparent: put them on paper.
    QImage image(drawn.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter(&image).drawImage(0, 0, drawn);
    return image;
}

void UsePdfFigures() { SetPdfRenderer(&RenderPdfFigure); }

}  // namespace quillet::qbank
