// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include "FigureImage.h"

using namespace quillet::qbank;

namespace {

QByteArray Png(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// A drawing on wide paper: white margins round a black box, with a faint
// off-white speck in the margin as scanned figures have.
QImage Drawing(QImage::Format format, QColor paper) {
    QImage image(400, 300, format);
    image.fill(paper);
    QPainter painter(&image);
    painter.fillRect(QRect(150, 100, 60, 40), Qt::black);
    painter.fillRect(QRect(5, 5, 2, 2), QColor(240, 240, 240, paper.alpha()));
    return image;
}

TEST(QBankFigures, MarginsAreCutToTheDrawingWithALittlePaperLeft) {
    for (const auto& [format, paper] : {std::pair{QImage::Format_RGB32, QColor(Qt::white)},
                                        std::pair{QImage::Format_ARGB32, QColor(0, 0, 0, 0)}}) {
        const auto trimmed = PrepareFigure(Png(Drawing(format, paper)));
        ASSERT_TRUE(trimmed);
        const QImage image = QImage::fromData(*trimmed, "PNG");
        EXPECT_EQ(image.size(), QSize(60 + 2 * kFigurePadding, 40 + 2 * kFigurePadding));
        EXPECT_EQ(QColor(image.pixel(kFigurePadding, kFigurePadding)), QColor(Qt::black));
        EXPECT_EQ(image.pixel(0, 0), Drawing(format, paper).pixel(0, 0)) << "paper round it";
    }
}

TEST(QBankFigures, FiguresWithoutMarginsAndBlankOnesAreKeptAsTheyAre) {
    QImage edgeToEdge = Drawing(QImage::Format_RGB32, Qt::white);
    QPainter(&edgeToEdge).fillRect(QRect(0, 0, 400, 4), Qt::blue);
    QPainter(&edgeToEdge).fillRect(QRect(0, 296, 400, 4), Qt::red);
    const QByteArray framed = Png(edgeToEdge);
    EXPECT_EQ(PrepareFigure(framed), framed);

    QImage blank(50, 50, QImage::Format_RGB32);
    blank.fill(Qt::white);
    EXPECT_EQ(PrepareFigure(Png(blank)), Png(blank));
}

TEST(QBankFigures, LargeDrawingsAreScaledDownToFit) {
    QImage print(2000, 1000, QImage::Format_RGB32);
    print.fill(Qt::white);
    QPainter(&print).fillRect(QRect(0, 0, 2000, 1000).adjusted(100, 100, -100, -100), Qt::black);
    const auto prepared = PrepareFigure(Png(print));
    ASSERT_TRUE(prepared);
    const QImage image = QImage::fromData(*prepared, "PNG");
    const double scale = double(kMaxFigureSide) / (1800 + 2 * kFigurePadding);
    EXPECT_EQ(image.width(), kMaxFigureSide);
    EXPECT_NEAR(image.height(), (800 + 2 * kFigurePadding) * scale, 1.0);
}

TEST(QBankFigures, AnUndecodablePictureIsRefused) {
    EXPECT_FALSE(PrepareFigure(QByteArray("\x89PNG\r\n\x1A\n", 8) + "not really"));
    EXPECT_FALSE(PrepareFigure(QByteArray()));
}

}  // namespace
