// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "presentation/gui/FigureWindow.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSizeGrip>
#include <QWindow>

#include "presentation/core/FigureViewer.h"
#include "shell/core/Database.h"
#include "shell/gui/Twips.h"

namespace quillet {
namespace {

namespace fv = figure_viewer;

const QColor kBackground(64, 64, 64);
// Bar steps of Page Up and Page Down.
constexpr int kPageSteps = 3;
const QColor kFrameColour(255, 255, 255);
const QColor kCaptionColour(255, 255, 255);

// A twip rectangle in pixels, converting its edges rather than its size, so
// that neighbours that meet in twips also meet on screen.
QRect EdgesToPixels(const QRect& twips) {
    const int left = Px(twips.left());
    const int top = Px(twips.top());
    return QRect(left, top, Px(twips.left() + twips.width()) - left,
                 Px(twips.top() + twips.height()) - top);
}

QSize ToTwips(QSize pixels) { return QSize(Twips(pixels.width()), Twips(pixels.height())); }

// Twips to whole pixels, rounding up so that nothing laid out in twips is cut.
QSize ToPixelsUp(QSize twips) {
    const auto up = [](int t) { return (t + kTwipsPerPixel - 1) / kTwipsPerPixel; };
    return QSize(up(twips.width()), up(twips.height()));
}

void Fill(QWidget* widget, const QColor& colour) {
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Window, colour);
    widget->setPalette(pal);
    widget->setAutoFillBackground(true);
}

QScrollBar* Bar(Qt::Orientation orientation, const char* name, QWidget* parent) {
    auto* bar = new QScrollBar(orientation, parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setRange(0, 1);
    bar->setSingleStep(1);
    bar->setPageStep(1);
    bar->setFocusPolicy(Qt::NoFocus);
    return bar;
}

void StartSystemMove(QWindow* window) {
    if (window) window->startSystemMove();
}

}  // namespace

FigureWindow::FigureWindow(const Database& bank, int figureId, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), mover_(StartSystemMove) {
    setObjectName(QStringLiteral("frmFigure"));
    setModal(true);
    Fill(this, kBackground);
    setMinimumSize(ToPixelsUp(fv::kMinimumClient));
    resize(designedSize());

    caption_ = new QLabel(QStringLiteral("Figure"), this);
    caption_->setObjectName(QStringLiteral("lblSection"));
    QFont captionFont(QStringLiteral("Arial"));
    captionFont.setPointSizeF(9.75);
    captionFont.setBold(true);
    caption_->setFont(captionFont);
    caption_->setTextFormat(Qt::PlainText);
    QPalette captionPalette = caption_->palette();
    captionPalette.setColor(QPalette::WindowText, kCaptionColour);
    caption_->setPalette(captionPalette);
    caption_->move(Px(fv::kCaption.x()), Px(fv::kCaption.y()));

    closeButton_ = new QPushButton(QStringLiteral("X"), this);
    closeButton_->setObjectName(QStringLiteral("Command1"));
    closeButton_->setFocusPolicy(Qt::NoFocus);
    closeButton_->setAutoDefault(false);
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::accept);

    verticalBar_ = Bar(Qt::Vertical, "VScroll1", this);
    horizontalBar_ = Bar(Qt::Horizontal, "HScroll1", this);
    connect(horizontalBar_, &QScrollBar::valueChanged, this, &FigureWindow::scrollAcross);
    connect(verticalBar_, &QScrollBar::valueChanged, this, &FigureWindow::scrollDown);

    frame_ = new QWidget(this);
    frame_->setObjectName(QStringLiteral("picouter"));
    Fill(frame_, kFrameColour);

    picture_ = new QLabel(frame_);
    picture_->setObjectName(QStringLiteral("picinner"));
    picture_->setToolTip(QStringLiteral("Double-click or press F to see the whole figure"));

    sizeGrip_ = new QSizeGrip(this);
    sizeGrip_->setObjectName(QStringLiteral("SizeGrip"));

    // Presses the close button and the bars do not take (another mouse button)
    // must not reach the background and start a move.
    for (QWidget* control :
         {static_cast<QWidget*>(closeButton_), static_cast<QWidget*>(verticalBar_),
          static_cast<QWidget*>(horizontalBar_)}) {
        control->setAttribute(Qt::WA_NoMousePropagation);
    }
    for (QWidget* surface :
         {static_cast<QWidget*>(caption_), frame_, static_cast<QWidget*>(picture_)}) {
        surface->installEventFilter(this);
    }

    // Load step. A figure that is missing, or whose data is not a picture,
    // leaves the frame empty; the caption then says so (or is the stored one).
    const FigureRecord figure = ReadFigure(bank, figureId);
    QPixmap picture;
    if (figure.found) picture.loadFromData(figure.picture);
    pictureSize_ = picture.size();
    picture_->setPixmap(picture);
    picture_->resize(pictureSize_);
    picture_->setVisible(!picture.isNull());
    caption_->setText(figure.caption);
    caption_->adjustSize();
    setWindowTitle(figure.caption);
    // Screen readers name the window and the picture by the caption.
    const QString name = figure.caption.isEmpty() ? QStringLiteral("Figure") : figure.caption;
    setAccessibleName(name);
    picture_->setAccessibleName(name);

    layOutControls();
    picture_->move(0, 0);
    // The layout the window has when it is shown at its size: the picture
    // centred along each axis in which it fits.
    layOutControls();
}

void FigureWindow::layOutControls() {
    const FigureLayout layout = LayoutFigureViewer(ToTwips(size()), ToTwips(pictureSize_));
    verticalBar_->setGeometry(EdgesToPixels(layout.vScroll));
    horizontalBar_->setGeometry(EdgesToPixels(layout.hScroll));
    closeButton_->setGeometry(EdgesToPixels(layout.closeButton));
    sizeGrip_->setGeometry(EdgesToPixels(layout.sizeGrip));
    frame_->setGeometry(EdgesToPixels(layout.frame));

    hMaximum_ = layout.hMaximum;
    vMaximum_ = layout.vMaximum;
    horizontalBar_->setMaximum(FigureBarLength(hMaximum_));
    verticalBar_->setMaximum(FigureBarLength(vMaximum_));
    // Along an axis in which the picture does not fit it stands where its bar
    // says, so that after a resize the bar still reaches both of its edges.
    picture_->move(Px(layout.pictureLeft ? *layout.pictureLeft
                                         : FigurePictureOffset(hMaximum_, horizontalBar_->value())),
                   Px(layout.pictureTop ? *layout.pictureTop
                                        : FigurePictureOffset(vMaximum_, verticalBar_->value())));
}

QSize FigureWindow::designedSize() { return ToPixelsUp(fv::kClient); }

QSize FigureWindow::wholeFigureSize(QSize available) const {
    return ToPixelsUp(FigureWholeClient(ToTwips(pictureSize_))).boundedTo(available);
}

void FigureWindow::toggleWholeFigure() {
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    const QSize whole = wholeFigureSize(area.size());
    resize(size() == whole ? designedSize() : whole);
    move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
}

void FigureWindow::scrollAcross(int position) {
    picture_->move(Px(FigurePictureOffset(hMaximum_, position)), picture_->y());
}

void FigureWindow::scrollDown(int position) {
    picture_->move(picture_->x(), Px(FigurePictureOffset(vMaximum_, position)));
}

void FigureWindow::startWindowMove() {
    if (mover_) mover_(windowHandle());
}

void FigureWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    layOutControls();
}

void FigureWindow::mousePressEvent(QMouseEvent* event) {
    // A press on the window's background; the close button and the scroll
    // bars take their own presses and never get here.
    event->accept();
    startWindowMove();
}

void FigureWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F && !event->isAutoRepeat() &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        event->accept();
        toggleWholeFigure();
        return;
    }
    // The arrows move the picture a step of its bars, Page Up and Page Down
    // a few steps, Home and End to its top left and bottom right.
    if ((event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        const auto move = [](QScrollBar* bar, int steps) { bar->setValue(bar->value() + steps); };
        switch (event->key()) {
            case Qt::Key_Left:
                return move(horizontalBar_, -1);
            case Qt::Key_Right:
                return move(horizontalBar_, 1);
            case Qt::Key_Up:
                return move(verticalBar_, -1);
            case Qt::Key_Down:
                return move(verticalBar_, 1);
            case Qt::Key_PageUp:
                return move(verticalBar_, -kPageSteps);
            case Qt::Key_PageDown:
                return move(verticalBar_, kPageSteps);
            case Qt::Key_Home:
                horizontalBar_->setValue(horizontalBar_->minimum());
                verticalBar_->setValue(verticalBar_->minimum());
                return;
            case Qt::Key_End:
                horizontalBar_->setValue(horizontalBar_->maximum());
                verticalBar_->setValue(verticalBar_->maximum());
                return;
            default:
                break;
        }
    }
    QDialog::keyPressEvent(event);
}

bool FigureWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick &&
        (watched == frame_ || watched == picture_)) {
        toggleWholeFigure();
        return true;
    }
    if (event->type() == QEvent::MouseButtonPress &&
        (watched == caption_ || watched == frame_ || watched == picture_)) {
        startWindowMove();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace quillet
