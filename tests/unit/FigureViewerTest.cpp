// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "EngineTestSupport.h"
#include "presentation/core/FigureViewer.h"
#include "shell/core/Rounding.h"

using namespace quillet;
using namespace quillet::testing;

namespace {

namespace fv = figure_viewer;

// The frame the design window gives, measured with an empty picture.
QRect DesignFrame() { return LayoutFigureViewer(fv::kClient, {}).frame; }

FigureLayout ForPicture(int extraWidth, int extraHeight) {
    const QRect frame = DesignFrame();
    return LayoutFigureViewer(fv::kClient,
                              QSize(frame.width() + extraWidth, frame.height() + extraHeight));
}

}  // namespace

TEST(Rounding, QuotientsRoundToTheNearestWithHalvesToEven) {
    const struct {
        int numerator, denominator, expected;
    } cases[] = {
        {-1200, 500, -2}, {-1250, 500, -2}, {-1750, 500, -4}, {-1000, 500, -2}, {-1, 500, 0},
        {-249, 500, 0},   {-251, 500, -1},  {6630, 1000, 7},  {6500, 1000, 6},  {7500, 1000, 8},
        {1, 3, 0},        {2, 3, 1},        {0, 7, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RoundedQuotient(c.numerator, c.denominator), c.expected)
            << c.numerator << " / " << c.denominator;
    }
}

TEST(FigureViewerLayout, BarsHugTheRightAndBottomEdgesAndTheFrameStaysClearOfThem) {
    for (QSize client : {fv::kClient, QSize(9000, 7000)}) {
        SCOPED_TRACE(client.width());
        const FigureLayout l = LayoutFigureViewer(client, {});
        EXPECT_EQ(l.vScroll.right() + 1, client.width());
        EXPECT_EQ(l.hScroll.bottom() + 1, client.height());
        // The resize grip fills the corner between the bars.
        EXPECT_EQ(l.sizeGrip.topLeft(), QPoint(l.vScroll.left(), l.hScroll.top()));
        EXPECT_EQ(l.sizeGrip.bottomRight(), QPoint(client.width() - 1, client.height() - 1));
        EXPECT_EQ(l.vScroll.bottom() + 1, l.sizeGrip.top());
        EXPECT_EQ(l.hScroll.left(), 0);
        EXPECT_EQ(l.hScroll.width(), l.vScroll.left());
        EXPECT_EQ(l.closeButton.left(), l.vScroll.left());
        EXPECT_EQ(l.closeButton.width(), l.vScroll.width());
        EXPECT_LT(l.closeButton.bottom(), l.vScroll.top());

        // Equal margins left and right, and the frame ends above the bar.
        EXPECT_EQ(l.frame.left(), fv::kFrameMargin);
        EXPECT_EQ(l.vScroll.left() - (l.frame.right() + 1), fv::kFrameMargin);
        EXPECT_EQ(l.frame.top(), fv::kFrameTop);
        EXPECT_EQ(l.hScroll.top() - (l.frame.bottom() + 1), fv::kFrameMargin);
        EXPECT_FALSE(l.frame.intersects(l.hScroll));
        EXPECT_FALSE(l.frame.intersects(l.vScroll));
    }
}

TEST(FigureViewerLayout, APictureThatFitsIsCentredAndItsBarsRunFromZeroToOne) {
    const FigureLayout l = ForPicture(-1001, -600);
    ASSERT_TRUE(l.pictureLeft && l.pictureTop);
    EXPECT_EQ(*l.pictureLeft, 500);  // 1001 / 2, rounded down
    EXPECT_EQ(*l.pictureTop, 300);
    EXPECT_EQ(l.hMaximum, 1);
    EXPECT_EQ(l.vMaximum, 1);
    // The bar's far end puts the picture's edge 500 twips in.
    EXPECT_EQ(FigureBarLength(l.hMaximum), 1);
    EXPECT_EQ(FigurePictureOffset(l.hMaximum, 1), 500);
    EXPECT_EQ(FigurePictureOffset(l.vMaximum, 0), 0);
}

TEST(FigureViewerLayout, ExactlyAsTallStaysAtTheTopButExactlyAsWideIsCentred) {
    const FigureLayout tall = ForPicture(-100, 0);
    EXPECT_FALSE(tall.pictureTop);
    EXPECT_EQ(tall.vMaximum, 0);
    EXPECT_EQ(FigureBarLength(tall.vMaximum), 0);

    const FigureLayout wide = ForPicture(0, -100);
    ASSERT_TRUE(wide.pictureLeft);
    EXPECT_EQ(*wide.pictureLeft, 0);
    EXPECT_EQ(wide.hMaximum, 1);
}

TEST(FigureViewerLayout, WiderOrTallerPicturesScrollByHalfThousandsRoundedHalfToEven) {
    const struct {
        int extra, maximum;
    } cases[] = {{1, 0}, {1200, -2}, {1250, -2}, {1750, -4}, {2251, -5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.extra);
        const FigureLayout wider = ForPicture(c.extra, -100);
        EXPECT_FALSE(wider.pictureLeft);
        EXPECT_EQ(wider.hMaximum, c.maximum);
        const FigureLayout taller = ForPicture(-100, c.extra);
        EXPECT_FALSE(taller.pictureTop);
        EXPECT_EQ(taller.vMaximum, c.maximum);
    }
    // The far end of a bar with maximum -2 moves the picture 1000 twips left.
    const int far = FigureBarLength(-2);
    EXPECT_EQ(far, 2);
    EXPECT_EQ(FigurePictureOffset(-2, far), -1000);
    EXPECT_EQ(FigurePictureOffset(-2, 1), -500);
    EXPECT_EQ(FigurePictureOffset(-2, 0), 0);
}

TEST(FigureViewerLayout, AWiderWindowTurnsAnOverhangIntoACentredPicture) {
    const QSize picture(7000, 2000);
    EXPECT_FALSE(LayoutFigureViewer(fv::kClient, picture).pictureLeft);
    const FigureLayout roomy = LayoutFigureViewer(QSize(8000, 5565), picture);
    ASSERT_TRUE(roomy.pictureLeft);
    EXPECT_EQ(*roomy.pictureLeft, (roomy.frame.width() - 7000) / 2);
}

// The whole-figure size is the smallest that shows the picture without
// scrolling: one twip less in either direction and that axis scrolls again.
TEST(FigureViewerLayout, TheWholeFigureSizeIsTheSmallestThatFitsAndNeverBelowTheDesign) {
    for (const QSize picture : {QSize(12000, 9000), QSize(4500, 12000), QSize(12000, 300)}) {
        SCOPED_TRACE(picture.width() * 100000 + picture.height());
        const QSize whole = FigureWholeClient(picture);
        const FigureLayout fits = LayoutFigureViewer(whole, picture);
        EXPECT_TRUE(fits.pictureLeft && fits.pictureTop);
        if (whole.width() > fv::kClient.width()) {
            EXPECT_FALSE(LayoutFigureViewer(whole - QSize(1, 0), picture).pictureLeft);
        }
        if (whole.height() > fv::kClient.height()) {
            EXPECT_FALSE(LayoutFigureViewer(whole - QSize(0, 1), picture).pictureTop);
        }
        EXPECT_GE(whole.width(), fv::kClient.width());
        EXPECT_GE(whole.height(), fv::kClient.height());
    }
    EXPECT_EQ(FigureWholeClient(QSize(1800, 1200)), fv::kClient);
    EXPECT_EQ(FigureWholeClient(QSize()), fv::kClient);
}

TEST(FigureRecords, ReadOverTheOpenBankWithAFallbackCaption) {
    qbank::BankContent content;
    content.sections = {{1, "T1", "Rules", 2}};
    content.figures = {{3, QByteArray("picture bytes\0with a zero", 25), "Figure T-1"},
                       {4, QByteArray(), ""}};
    BankFolder bank(content);

    const FigureRecord found = ReadFigure(bank.session.database, 3);
    EXPECT_TRUE(found.found);
    EXPECT_EQ(found.picture, QByteArray("picture bytes\0with a zero", 25));
    EXPECT_EQ(found.caption, "Figure T-1");

    const FigureRecord blank = ReadFigure(bank.session.database, 4);
    EXPECT_TRUE(blank.found);
    EXPECT_TRUE(blank.picture.isEmpty());
    EXPECT_EQ(blank.caption, "");

    for (int missing : {0, 5, -3}) {
        const FigureRecord none = ReadFigure(bank.session.database, missing);
        EXPECT_FALSE(none.found) << missing;
        EXPECT_EQ(none.caption, "Figure not found");
    }

    Database closed;
    EXPECT_FALSE(ReadFigure(closed, 3).found);
}
