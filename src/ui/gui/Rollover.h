// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QAccessible>
#include <QColor>
#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <vector>

#include "ui/core/Rollover.h"
#include "ui/gui/PointerProbe.h"

class QKeyEvent;
class QLabel;

namespace quillet {

class SoundCues;

// The three text colours of a screen's menu items.
struct MenuColours {
    QColor normal;
    QColor hover;
    QColor pressed;
    // The dotted focus mark round the focused item; none when not given.
    QColor focusMark = QColor();
};

// A screen's array of text menu items (transparent labels named baseName + index)
// with their hover and pressed colours; the window's 50 ms pointer tick returns
// them to the normal colour once the pointer has left the window.
//
//   auto* menu = new MenuItems(this, "lblAnswer", {normal, hover, pressed});
//   QLabel* ok = menu->addItem(panel, "Ok");   // then font and geometry
//   menu->addBackground(this);
//   connect(menu, &MenuItems::clicked, this, [this](int index) { ... });
class MenuItems : public QObject, private PointerClient {
    Q_OBJECT
public:
    MenuItems(QWidget* window, const QString& baseName, const MenuColours& colours);
    ~MenuItems() override;

    // Creates the next item of the array in `parent`, in the normal colour.
    // Items take the keyboard focus by Tab only; the focused item shows the
    // hover colour, and Enter or Space clicks it.
    QLabel* addItem(QWidget* parent, const QString& caption);
    // What the items are to assistive tools (menu items unless told).
    void setAccessibleRole(QAccessible::Role role);
    int count() const { return static_cast<int>(items_.size()); }
    QLabel* item(int index) const { return items_.at(static_cast<size_t>(index)); }
    MenuLook look(int index) const { return looks_.look(index); }
    QColor colour(int index) const;
    const MenuColours& colours() const { return colours_; }

    // Pointer moves over `surface` return every item to the normal colour.
    void addBackground(QWidget* surface);

    // Every item back to the normal colour.
    void resetRollovers();

    PointerProbe* probe() const { return probe_; }

    // What a click on item `index` does, for the keyboard: the pressed look,
    // then the item's action.
    void clickByKey(int index);
    // The item with the keyboard focus, or -1.
    int focusedIndex() const;

signals:
    // The mouse button was pressed and released over item `index`.
    void clicked(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int indexOf(const QObject* object) const;
    void showLooks();
    bool handleKey(QKeyEvent* event, int index);

    bool wantsPointer() const override;
    void pointerTick() override;

    QWidget* window_;
    QString baseName_;
    QAccessible::Role role_ = QAccessible::MenuItem;
    MenuColours colours_;
    MenuLooks looks_;
    std::vector<QLabel*> items_;
    std::vector<QWidget*> backgrounds_;
    QPointer<PointerProbe> probe_;
    int pressedIndex_ = -1;
};

// One picture button: shows one of its three images and keeps its state (see
// ui/core/Rollover.h). It takes the keyboard focus by Tab only; while focused it looks as it does
// under the pointer, and Enter or Space clicks it. Give it an accessible name that says what it
// does.
class PictureButton : public QWidget {
    Q_OBJECT
public:
    PictureButton(QWidget* parent, const QPixmap& normal, const QPixmap& rolled,
                  const QPixmap& clicked);

    PictureState state() const { return state_; }
    void setState(PictureState state) { state_ = state; }

    void showImage(PictureImage image);
    PictureImage shownImage() const { return shown_; }
    const QPixmap& image(PictureImage which) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap normal_;
    QPixmap rolled_;
    QPixmap clicked_;
    PictureImage shown_ = PictureImage::Normal;
    PictureState state_ = PictureState::Inert;
};

// A screen's picture buttons RollOverPicture0, 1, ..., following the pointer
// through the window's 50 ms pointer tick.
//
//   auto* pictures = new PictureButtons(state, this, /*clickActsWhenDisabled=*/false);
//   pictures->addButton(panel, geometry, normal, rolled, clicked);   // for each button
//   pictures->loadButtons();                                       // end of the load step
//   connect(pictures, &PictureButtons::clicked, this, [this](int index) { ... });
class PictureButtons : public QObject, private PictureButtonHost, private PointerClient {
    Q_OBJECT
public:
    // `clickActsWhenDisabled`: whether a click on a disabled (or not yet
    // enabled) button still runs the screen's action.
    PictureButtons(const SoundCues& sounds, QWidget* window, bool clickActsWhenDisabled);
    ~PictureButtons() override;

    PictureButton* addButton(QWidget* parent, const QRect& geometry, const QPixmap& normal,
                             const QPixmap& rolled, const QPixmap& clicked);
    int count() const { return static_cast<int>(buttons_.size()); }
    PictureButton* button(int index) const { return buttons_.at(static_cast<size_t>(index)); }

    // Load step: Normal and the normal image for every button not disabled.
    void loadButtons();

    PointerProbe* probe() const { return probe_; }

signals:
    // A click (press and release over button `index`) that the screen acts on.
    void clicked(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int indexOf(const QObject* object) const;

    int pictureCount() const override { return count(); }
    PictureState pictureState(int index) const override;
    void setPictureState(int index, PictureState state) override;
    void showPicture(int index, PictureImage image) override;
    bool pointerOverPicture(int index) const override;
    void whoosh() override;
    void clickByKey(int index);

    bool wantsPointer() const override;
    void pointerTick() override;

    const SoundCues& sounds_;
    bool clickActsWhenDisabled_;
    std::vector<PictureButton*> buttons_;
    QPointer<PointerProbe> probe_;
    int pressedIndex_ = -1;
};

}  // namespace quillet
