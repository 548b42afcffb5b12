// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPalette>
#include <QPixmap>
#include <QString>

class QWidget;

namespace quillet {

// A font of the layouts: family and point size as the layout tables give them.
QFont LayoutFont(const QString& family, qreal points, bool bold = false, bool italic = false);
inline QFont ArialBold(qreal points) { return LayoutFont(QStringLiteral("Arial"), points, true); }

// Sets one colour of a widget's palette (text, background, ...).
void SetColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour);

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
