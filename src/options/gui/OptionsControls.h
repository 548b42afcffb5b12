// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QCheckBox>
#include <QRadioButton>

#include "ui/gui/Accessible.h"

namespace quillet {

// A check box whose caption wraps onto as many lines as its height allows,
// with the box itself in the middle of its left edge. A click anywhere on it
// toggles it. The caption is shown as given: an "&" is a plain character here,
// not the mark of a keyboard shortcut.
class WrappingCheckBox : public QCheckBox {
public:
    explicit WrappingCheckBox(QWidget* parent) : QCheckBox(parent) {}

    void setCaption(const QString& caption);
    // The caption wraps at this width (pixels); 0 lets it use all of the box.
    void setWrapWidth(int width) { wrapWidth_ = width; }
    // The height in pixels of the caption wrapped at the wrap width set: the
    // height the box needs to show all of it.
    int captionHeight() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }

private:
    QRect textRect(const QRect& indicator) const;

    int wrapWidth_ = 0;
};

// A page button of the options screen: its picture, and the focus frame while
// it has the keyboard focus (the pointer gives it no look of its own to borrow).
class PageButton : public AccessibleLabel {
public:
    using AccessibleLabel::AccessibleLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

// An option button that shows the keyboard focus with the program's dotted
// mark round its caption, in place of the style's faint one.
class MarkedRadioButton : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace quillet
