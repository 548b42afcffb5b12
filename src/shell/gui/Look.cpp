// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "shell/gui/Look.h"

#include <QCoreApplication>
#include <QHash>
#include <QImageReader>
#include <QWidget>

namespace quillet {

QFont LayoutFont(const QString& family, qreal points, bool bold, bool italic) {
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

void SetColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette pal = widget->palette();
    pal.setColor(role, colour);
    widget->setPalette(pal);
}

QImage ReadPngImage(const QString& resource) {
    QImageReader reader(resource, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QPixmap ReadPng(const QString& resource) { return QPixmap::fromImage(ReadPngImage(resource)); }

QPixmap ResourcePicture(const QString& resource) {
    static QHash<QString, QPixmap> decoded;
    if (decoded.isEmpty() && QCoreApplication::instance()) {
        // Pictures are let go with the application, not after it.
        QObject::connect(QCoreApplication::instance(), &QObject::destroyed, [] { decoded.clear(); });
    }
    auto it = decoded.find(resource);
    if (it == decoded.end()) it = decoded.insert(resource, ReadPng(resource));
    return *it;
}

}  // namespace quillet
