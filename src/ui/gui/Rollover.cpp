// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "ui/gui/Rollover.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "shell/core/SoundCues.h"
#include "ui/gui/Accessible.h"

namespace quillet {
namespace {

bool IsLeftButton(const QEvent* event) {
    return static_cast<const QMouseEvent*>(event)->button() == Qt::LeftButton;
}

bool Inside(const QWidget* widget, const QEvent* event) {
    return widget->rect().contains(static_cast<const QMouseEvent*>(event)->position().toPoint());
}

}  // namespace

// ---------------------------------------------------------------------------

MenuItems::MenuItems(QWidget* window, const QString& baseName, const MenuColours& colours)
    : QObject(window),
      window_(window),
      baseName_(baseName),
      colours_(colours),
      probe_(PointerProbe::forWindow(window)) {
    probe_->addClient(this);
    StartWithoutFocus(window_);
    // The arrow keys enter the menu when no control has the focus.
    window_->installEventFilter(this);
}

MenuItems::~MenuItems() {
    if (probe_) probe_->removeClient(this);
}

QLabel* MenuItems::addItem(QWidget* parent, const QString& caption) {
    const int index = looks_.append();
    auto* label = new AccessibleLabel(caption, parent);
    SetAccessibleRole(label, role_);
    label->setObjectName(baseName_ + QString::number(index));
    label->setAutoFillBackground(false);
    label->setMouseTracking(true);
    label->setFocusPolicy(Qt::TabFocus);
    label->setFocusMark(colours_.focusMark);
    label->installEventFilter(this);
    items_.push_back(label);
    showLooks();
    return label;
}

void MenuItems::setAccessibleRole(QAccessible::Role role) {
    role_ = role;
    for (QLabel* label : items_) SetAccessibleRole(label, role);
}

void MenuItems::clickByKey(int index) {
    looks_.press(index);
    showLooks();
    const QPointer<MenuItems> alive(this);
    emit clicked(index);
    // Back to the focused look once the item has acted: the keyboard goes on
    // from here, and a pressed colour would hide where it is.
    if (alive) resetRollovers();
}

int MenuItems::focusedIndex() const {
    for (int i = 0; i < count(); ++i) {
        if (item(i)->hasFocus()) return i;
    }
    return -1;
}

bool MenuItems::handleKey(QKeyEvent* event, int index) {
    if (index >= 0 && IsKeyboardClick(event)) {
        clickByKey(index);
        return true;
    }
    if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
    int step = 0;
    switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Left:
            step = -1;
            break;
        case Qt::Key_Down:
        case Qt::Key_Right:
            step = 1;
            break;
        case Qt::Key_Home:
        case Qt::Key_End: {
            // The first or last item in reading order.
            const std::vector<QWidget*> controls(items_.begin(), items_.end());
            const int toward = event->key() == Qt::Key_Home ? -1 : 1;
            if (QWidget* end = NextInReadingOrder(controls, nullptr, -toward)) {
                end->setFocus(toward > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            }
            return true;
        }
        default:
            return false;
    }
    const std::vector<QWidget*> controls(items_.begin(), items_.end());
    const QWidget* current = index >= 0 ? item(index) : nullptr;
    if (QWidget* next = NextInReadingOrder(controls, current, step)) {
        next->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    }
    return true;
}

QColor MenuItems::colour(int index) const {
    switch (looks_.shownLook(index, focusedIndex())) {
        case MenuLook::Hover:
            return colours_.hover;
        case MenuLook::Pressed:
            return colours_.pressed;
        case MenuLook::Normal:
            break;
    }
    return colours_.normal;
}

void MenuItems::addBackground(QWidget* surface) {
    surface->setMouseTracking(true);
    surface->installEventFilter(this);
    backgrounds_.push_back(surface);
}

void MenuItems::resetRollovers() {
    looks_.reset();
    showLooks();
}

bool MenuItems::wantsPointer() const {
    for (int i = 0; i < count(); ++i) {
        if (look(i) != MenuLook::Normal) return true;
    }
    return false;
}

void MenuItems::pointerTick() {
    if (!probe_->over(window_)) resetRollovers();
}

void MenuItems::showLooks() {
    for (int i = 0; i < count(); ++i) {
        QLabel* label = item(i);
        const QColor wanted = colour(i);
        if (label->palette().color(QPalette::WindowText) == wanted) continue;
        QPalette pal = label->palette();
        pal.setColor(QPalette::WindowText, wanted);
        label->setPalette(pal);
    }
}

int MenuItems::indexOf(const QObject* object) const {
    const auto it = std::find(items_.begin(), items_.end(), object);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

bool MenuItems::eventFilter(QObject* watched, QEvent* event) {
    const int index = indexOf(watched);
    if (watched == window_ && event->type() == QEvent::KeyPress &&
        QApplication::focusWidget() == window_ && count() > 0) {
        if (handleKey(static_cast<QKeyEvent*>(event), -1)) return true;
    }
    if (index < 0) {
        // A background surface: the move goes on to the surface itself.
        if (event->type() == QEvent::MouseMove &&
            std::find(backgrounds_.begin(), backgrounds_.end(), watched) != backgrounds_.end()) {
            resetRollovers();
        }
        return QObject::eventFilter(watched, event);
    }

    QLabel* label = item(index);
    switch (event->type()) {
        case QEvent::MouseMove:
            // While the button is held the item keeps receiving moves even when
            // the pointer is elsewhere; only a move over the item hovers it.
            if (Inside(label, event)) {
                looks_.hover(index);
                showLooks();
                probe_->wake();
            }
            return true;
        case QEvent::MouseButtonPress:  // not the second press of a double click,
                                        // so a double click acts once
            // Any button gives the pressed look; only the left one clicks.
            if (IsLeftButton(event)) pressedIndex_ = index;
            looks_.press(index);
            showLooks();
            probe_->wake();
            return true;
        case QEvent::MouseButtonRelease: {
            if (!IsLeftButton(event)) return true;
            const bool click = pressedIndex_ == index && Inside(label, event);
            pressedIndex_ = -1;
            // The item keeps the pressed colour; the action may close the window.
            if (click) emit clicked(index);
            return true;
        }
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            showLooks();
            return QObject::eventFilter(watched, event);
        case QEvent::KeyPress:
            if (handleKey(static_cast<QKeyEvent*>(event), index)) return true;
            return QObject::eventFilter(watched, event);
        default:
            return QObject::eventFilter(watched, event);
    }
}

// ---------------------------------------------------------------------------

PictureButton::PictureButton(QWidget* parent, const QPixmap& normal, const QPixmap& rolled,
                             const QPixmap& clicked)
    : QWidget(parent), normal_(normal), rolled_(rolled), clicked_(clicked) {}

const QPixmap& PictureButton::image(PictureImage which) const {
    switch (which) {
        case PictureImage::Rolled:
            return rolled_;
        case PictureImage::Clicked:
            return clicked_;
        case PictureImage::Normal:
            break;
    }
    return normal_;
}

void PictureButton::showImage(PictureImage image) {
    if (shown_ == image) return;
    shown_ = image;
    update();
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, image(shown_));
}

// ---------------------------------------------------------------------------

PictureButtons::PictureButtons(const SoundCues& sounds, QWidget* window, bool clickActsWhenDisabled)
    : QObject(window),
      sounds_(sounds),
      clickActsWhenDisabled_(clickActsWhenDisabled),
      probe_(PointerProbe::forWindow(window)) {
    probe_->addClient(this);
    StartWithoutFocus(window);
}

PictureButtons::~PictureButtons() {
    if (probe_) probe_->removeClient(this);
}

PictureButton* PictureButtons::addButton(QWidget* parent, const QRect& geometry,
                                         const QPixmap& normal, const QPixmap& rolled,
                                         const QPixmap& clicked) {
    auto* button = new PictureButton(parent, normal, rolled, clicked);
    SetAccessibleRole(button, QAccessible::PushButton);
    button->setObjectName(QStringLiteral("RollOverPicture") + QString::number(count()));
    button->setGeometry(geometry);
    button->setFocusPolicy(Qt::TabFocus);
    button->installEventFilter(this);
    buttons_.push_back(button);
    return button;
}

void PictureButtons::loadButtons() { LoadPictureButtons(*this); }

bool PictureButtons::wantsPointer() const {
    // A button whose look would change with the pointer away (a focused button counts as
    // under the pointer) still needs ticks.
    for (int i = 0; i < count(); ++i) {
        const PictureState state = pictureState(i);
        const PictureStep away = PictureTick(state, /*pointerOver=*/button(i)->hasFocus());
        if (away.showImage || away.whoosh || away.state != state) return true;
    }
    return false;
}

void PictureButtons::pointerTick() { RunPictureTimer(*this); }

PictureState PictureButtons::pictureState(int index) const { return button(index)->state(); }

void PictureButtons::setPictureState(int index, PictureState state) {
    button(index)->setState(state);
}

void PictureButtons::showPicture(int index, PictureImage image) { button(index)->showImage(image); }

// The keyboard focus counts as the pointer, so a focused button shows the
// hover look and keeps it until the focus moves on.
bool PictureButtons::pointerOverPicture(int index) const {
    return button(index)->hasFocus() || probe_->over(button(index));
}

void PictureButtons::whoosh() { PlayWhoosh(sounds_); }

// A press and a release over the button, as the mouse gives them.
void PictureButtons::clickByKey(int index) {
    PressPicture(*this, index);
    ReleasePicture(*this, index);
    probe_->wake();
    if (PictureClickActs(pictureState(index), clickActsWhenDisabled_)) emit clicked(index);
}

int PictureButtons::indexOf(const QObject* object) const {
    const auto it = std::find(buttons_.begin(), buttons_.end(), object);
    return it == buttons_.end() ? -1 : static_cast<int>(it - buttons_.begin());
}

bool PictureButtons::eventFilter(QObject* watched, QEvent* event) {
    const int index = indexOf(watched);
    if (index < 0) return QObject::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::MouseButtonPress:  // not the second press of a double click
            // Any button presses and releases the picture; only the left one clicks.
            if (IsLeftButton(event)) pressedIndex_ = index;
            PressPicture(*this, index);
            probe_->wake();
            return true;
        case QEvent::MouseButtonRelease: {
            const bool left = IsLeftButton(event);
            const bool overButton = left && pressedIndex_ == index && Inside(button(index), event);
            if (left) pressedIndex_ = -1;
            ReleasePicture(*this, index);
            probe_->wake();
            if (overButton && PictureClickActs(pictureState(index), clickActsWhenDisabled_)) {
                emit clicked(index);
            }
            return true;
        }
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            // The focus look follows on the next tick.
            probe_->wake();
            return QObject::eventFilter(watched, event);
        case QEvent::KeyPress:
            if (!IsKeyboardClick(event)) return QObject::eventFilter(watched, event);
            clickByKey(index);
            return true;
        default:
            return QObject::eventFilter(watched, event);
    }
}

}  // namespace quillet
