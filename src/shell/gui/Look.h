// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPalette>
#include <QPixmap>
#include <QRect>
#include <QString>

class QLabel;
class QWidget;

namespace quillet {

// A font of the layouts: family and point size as the layout tables give them.
QFont LayoutFont(const QString& family, qreal points, bool bold = false, bool italic = false);
inline QFont ArialBold(qreal points) { return LayoutFont(QStringLiteral("Arial"), points, true); }

// Plain white and black, the colours of most texts and surfaces of the windows.
inline constexpr QColor kWhite{255, 255, 255};
inline constexpr QColor kBlack{0, 0, 0};

// Sets one colour of a widget's palette (text, background, ...).
void SetColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour);

// The background of a widget and of the controls on it: the window and the button roles alike,
// so that check boxes, option buttons and scroll bars placed on it are drawn in its colour.
void SetBackground(QWidget* widget, const QColor& colour);
// The text colour of a widget and of the controls on it: the window text and the button text
// roles alike.
void SetTextColour(QWidget* widget, const QColor& colour);

// A plain widget named `name` at `geometry` in `parent`, filled with `colour`
// (see SetBackground).
QWidget* NewSurface(QWidget* parent, const QString& name, const QRect& geometry,
                    const QColor& colour);
// A label named `name` at `geometry` in `parent` that shows `picture`.
QLabel* NewPicture(QWidget* parent, const QString& name, const QRect& geometry,
                   const QPixmap& picture);
// A label named `name` at `geometry` in `parent` that shows `text` as written, never as markup,
// in `font` and `colour`.
QLabel* NewTextLabel(QWidget* parent, const QString& name, const QString& text,
                     const QRect& geometry, const QFont& font, const QColor& colour);

// Decodes one of the program's PNG pictures (":/name.png"). Naming the format
// lets the decoder start at once, without first loading every image format
// plugin on the system to ask whether it knows the file.
QPixmap ReadPng(const QString& resource);

// The same decoding into an image, which unlike a pixmap may be made on any
// thread (the splash's picture is decoded while the first window shows).
QImage ReadPngImage(const QString& resource);

// A picture of the program's resources (":/name.png"), decoded the first time it
// is asked for and kept for the rest of the run: windows opened again and again
// (the test screen) do not decode their pictures each time. GUI thread only.
QPixmap ResourcePicture(const QString& resource);

}  // namespace quillet
