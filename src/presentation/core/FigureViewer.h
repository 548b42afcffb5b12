// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QByteArray>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

namespace quillet {

class Database;

// Design values of the figure viewer window, in twips.
namespace figure_viewer {
inline constexpr QSize kClient{6285, 5565};
inline constexpr QPoint kCaption{120, 60};
inline constexpr int kCloseTop = 60;
inline constexpr int kCloseHeight = 285;
inline constexpr int kBarWidth = 285;   // VScroll1, and Command1 above it
inline constexpr int kBarHeight = 255;  // HScroll1
inline constexpr int kVBarTop = 450;
inline constexpr int kFrameTop = 420;
// Free space left and right of the frame, and between its bottom edge and the
// horizontal bar.
inline constexpr int kFrameMargin = 10;
// The picture moves this far for one unit of a scroll bar.
inline constexpr int kScrollUnit = 500;
// The smallest client area the student can shrink the window to: room for
// the caption row, the bars and a little of the frame.
inline constexpr QSize kMinimumClient{3000, 2400};
}  // namespace figure_viewer

// Where the figure viewer puts its controls for a client area, and the scroll
// ranges for a picture. All in twips.
struct FigureLayout {
    QRect vScroll;      // VScroll1, on the right edge from below the close button down to HScroll1
    QRect hScroll;      // HScroll1, along the bottom up to the vertical bar
    QRect closeButton;  // Command1, above the vertical bar and as wide
    QRect sizeGrip;     // the bottom-right corner between the two bars
    QRect frame;        // picouter, between the caption row and the horizontal bar

    // The bars' maximums (their minimum is 0). A picture larger than the frame
    // gives (frame - picture) / 500 rounded, zero or negative; a picture that
    // fits gives 1.
    int hMaximum = 0;
    int vMaximum = 0;

    // Set along each axis in which the picture fits: the position that centres
    // it in the frame. Unset where it does not fit; the picture then keeps the
    // position it has.
    std::optional<int> pictureLeft;
    std::optional<int> pictureTop;
};

// The viewer's layout for a client area and a picture of the given sizes.
// Across, a picture fits when it is not wider than the frame; down, only when
// it is less tall, so a picture exactly as tall as the frame stays at the top
// with a range of 0 to 0.
FigureLayout LayoutFigureViewer(QSize client, QSize picture);

// The client area at which the whole of a picture of this size shows in the
// frame without scrolling; never smaller than the designed client area.
QSize FigureWholeClient(QSize picture);

// A scroll bar of the window runs from 0 to |maximum| in steps of one. Its
// far end stands for the maximum itself, so with a negative maximum the
// position counts the other way. Gives where the picture's edge goes, in
// twips within the frame: 500 times the bar's value.
int FigurePictureOffset(int maximum, int position);

// The number of positions of a bar with this maximum, less one: the largest
// position a bar with 0 at its start can take.
constexpr int FigureBarLength(int maximum) { return maximum < 0 ? -maximum : maximum; }

// One row of the FIGURES table.
struct FigureRecord {
    bool found = false;  // false: no row has the identifier (or the bank cannot be read)
    QByteArray picture;  // the stored image data, as stored
    QString caption;     // the stored caption; "Figure not found" when there is no row
};

inline constexpr char kFigureNotFound[] = "Figure not found";

// Reads figure `figureId` over the open bank connection.
FigureRecord ReadFigure(const Database& database, int figureId);

}  // namespace quillet
