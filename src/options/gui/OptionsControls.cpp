// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "options/gui/OptionsControls.h"

#include <QFontMetrics>
#include <QKeySequence>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace quillet {
namespace {

constexpr int kCaptionFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;
// The focus mark: black on the section list's mid grey, white on the dark
// panels of the settings page.
QColor FocusMarkOn(const QColor& background) {
    return background.lightness() < 96 ? QColor(255, 255, 255) : QColor(0, 0, 0);
}

}  // namespace

void WrappingCheckBox::setCaption(const QString& caption) {
    setText(caption);
    setShortcut(QKeySequence());
    update();
}

int WrappingCheckBox::captionHeight() const {
    // Measured in a box taller than any caption, as a word-wrapping label
    // measures its text.
    return fontMetrics()
        .boundingRect(QRect(0, 0, wrapWidth_, 2000), Qt::AlignLeft | Qt::TextWordWrap, text())
        .height();
}

void WrappingCheckBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    QStyleOptionButton indicator = option;
    indicator.rect = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
    indicator.rect.moveTop((height() - indicator.rect.height()) / 2);
    painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, indicator);

    const QRect text = textRect(indicator.rect);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(text, kCaptionFlags, this->text());
    if (hasFocus()) {
        DrawFocusMark(painter,
                      painter.boundingRect(text, kCaptionFlags, this->text()).adjusted(-1, 0, 1, 1),
                      FocusMarkOn(palette().color(QPalette::Window)));
    }
}

QRect WrappingCheckBox::textRect(const QRect& indicator) const {
    const int left = indicator.right() + 1 + style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
    const int width = wrapWidth_ > 0 ? wrapWidth_ : this->width() - left;
    return QRect(left, 0, width, height());
}

// ---------------------------------------------------------------------------

void MarkedRadioButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.state &= ~QStyle::State_HasFocus;
    painter.drawControl(QStyle::CE_RadioButton, option);
    if (!hasFocus()) return;
    const QRect caption = style()->subElementRect(QStyle::SE_RadioButtonContents, &option, this);
    DrawFocusMark(painter,
                  painter.boundingRect(caption, Qt::AlignLeft | Qt::AlignVCenter, text())
                      .adjusted(-2, -1, 2, 1),
                  FocusMarkOn(palette().color(QPalette::Window)));
}

// ---------------------------------------------------------------------------

void PageButton::paintEvent(QPaintEvent* event) {
    AccessibleLabel::paintEvent(event);
    if (!hasFocus()) return;
    QPainter painter(this);
    DrawFocusMark(painter, rect().adjusted(2, 2, -2, -2), QColor(0, 0, 0));
}

void PageButton::focusInEvent(QFocusEvent* event) {
    AccessibleLabel::focusInEvent(event);
    update();
}

void PageButton::focusOutEvent(QFocusEvent* event) {
    AccessibleLabel::focusOutEvent(event);
    update();
}

}  // namespace quillet
