// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QDialog>
#include <QSize>
#include <functional>

class QLabel;
class QPushButton;
class QScrollBar;
class QWindow;

namespace quillet {

class Database;

// The figure viewer: figure `figureId` of the bank in a white
// frame with two scroll bars, its caption top left and a close button "X" top
// right. The window has no title bar; dragging its background, the caption,
// the frame or the picture moves it, and the grip in the bottom-right corner
// resizes it. A double-click on the picture or the key F switches between the
// designed size and one that shows the whole figure. "X" and Escape close it.
//
//   FigureWindow viewer(session.database, question.figureId, this);
//   viewer.exec();
class FigureWindow : public QDialog {
    Q_OBJECT
public:
    FigureWindow(const Database& bank, int figureId, QWidget* parent = nullptr);

    // Lays the bars, the close button and the frame out for the window's size
    // and sets the scroll ranges; centres the picture along each axis in
    // which it fits.
    void layOutControls();

    // Hands the window to the window system's own move loop, which moves it
    // with the pointer until the mouse button is released.
    void startWindowMove();

    // What starts the window-system move; tests put a recorder here.
    using WindowMover = std::function<void(QWindow*)>;
    void setWindowMover(WindowMover mover) { mover_ = std::move(mover); }

    // Switches between the designed size and the size that shows the whole
    // picture (as far as the screen allows), centred on the screen.
    void toggleWholeFigure();

    // The window's size that shows the whole picture, within `available`.
    QSize wholeFigureSize(QSize available) const;
    static QSize designedSize();

    // The picture's size in pixels; empty when the figure is missing or its
    // data is not a picture.
    QSize pictureSize() const { return pictureSize_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void scrollAcross(int position);
    void scrollDown(int position);

    QLabel* caption_ = nullptr;            // lblSection
    QPushButton* closeButton_ = nullptr;   // Command1, "X"
    QScrollBar* verticalBar_ = nullptr;    // VScroll1
    QScrollBar* horizontalBar_ = nullptr;  // HScroll1
    QWidget* frame_ = nullptr;             // picouter: the white frame
    QLabel* picture_ = nullptr;            // picinner: the figure, inside the frame
    QWidget* sizeGrip_ = nullptr;
    QSize pictureSize_;
    int hMaximum_ = 1;
    int vMaximum_ = 1;
    WindowMover mover_;
};

}  // namespace quillet
