// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "presentation/core/FigureViewer.h"

#include <algorithm>

#include "shell/core/Database.h"
#include "shell/core/Rounding.h"

namespace quillet {

namespace fv = figure_viewer;

FigureLayout LayoutFigureViewer(QSize client, QSize picture) {
    FigureLayout layout;
    const int width = client.width();
    const int height = client.height();

    const int vLeft = width - fv::kBarWidth;
    const int hTop = height - fv::kBarHeight;
    // The vertical bar stops at the horizontal one: the corner square below
    // it holds the grip that resizes the window.
    layout.vScroll = QRect(vLeft, fv::kVBarTop, fv::kBarWidth, hTop - fv::kVBarTop);
    layout.hScroll = QRect(0, hTop, vLeft, fv::kBarHeight);
    layout.closeButton = QRect(vLeft, fv::kCloseTop, fv::kBarWidth, fv::kCloseHeight);
    layout.sizeGrip = QRect(vLeft, hTop, fv::kBarWidth, fv::kBarHeight);

    // The frame stops just above the horizontal bar, so its whole height shows
    // and the ranges below are those of the part the student can see.
    const int frameBottom = layout.hScroll.top() - fv::kFrameMargin;
    layout.frame = QRect(fv::kFrameMargin, fv::kFrameTop, vLeft - 2 * fv::kFrameMargin,
                         frameBottom - fv::kFrameTop);

    const int frameWidth = layout.frame.width();
    const int frameHeight = layout.frame.height();
    if (picture.width() > frameWidth) {
        layout.hMaximum = RoundedQuotient(frameWidth - picture.width(), fv::kScrollUnit);
    } else {
        layout.pictureLeft = (frameWidth - picture.width()) / 2;
        layout.hMaximum = 1;
    }
    if (picture.height() >= frameHeight) {
        layout.vMaximum = RoundedQuotient(frameHeight - picture.height(), fv::kScrollUnit);
    } else {
        layout.pictureTop = (frameHeight - picture.height()) / 2;
        layout.vMaximum = 1;
    }
    return layout;
}

QSize FigureWholeClient(QSize picture) {
    // The inverse of the frame's place in LayoutFigureViewer. Down, the frame
    // must be taller than the picture for it to count as fitting.
    const int width = picture.width() + 2 * fv::kFrameMargin + fv::kBarWidth;
    const int height = fv::kFrameTop + picture.height() + 1 + fv::kFrameMargin + fv::kBarHeight;
    return QSize(std::max(width, fv::kClient.width()), std::max(height, fv::kClient.height()));
}

int FigurePictureOffset(int maximum, int position) {
    const int value = maximum < 0 ? -position : position;
    return fv::kScrollUnit * value;
}

FigureRecord ReadFigure(const Database& database, int figureId) {
    FigureRecord record;
    record.caption = QString::fromLatin1(kFigureNotFound);
    if (!database.handle()) return record;
    Query query(database, "SELECT * FROM FIGURES WHERE FIGUREID = ?");
    if (!query.prepared()) return record;
    query.bind(1, static_cast<qint64>(figureId));
    if (!query.next()) return record;
    record.found = true;
    record.picture = query.blob("FIGURE");
    record.caption = query.text("CAPTION");
    return record;
}

}  // namespace quillet
