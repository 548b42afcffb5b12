// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "shell/gui/Look.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QImageReader>
#include <QLabel>
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

void SetBackground(QWidget* widget, const QColor& colour) {
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Window, colour);
    pal.setColor(QPalette::Button, colour);
    widget->setPalette(pal);
}

void SetTextColour(QWidget* widget, const QColor& colour) {
    QPalette pal = widget->palette();
    pal.setColor(QPalette::WindowText, colour);
    pal.setColor(QPalette::ButtonText, colour);
    widget->setPalette(pal);
}

QWidget* NewSurface(QWidget* parent, const QString& name, const QRect& geometry,
                    const QColor& colour) {
    auto* surface = new QWidget(parent);
    surface->setObjectName(name);
    surface->setGeometry(geometry);
    surface->setAutoFillBackground(true);
    SetBackground(surface, colour);
    return surface;
}

QLabel* NewPicture(QWidget* parent, const QString& name, const QRect& geometry,
                   const QPixmap& picture) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setPixmap(picture);
    return label;
}

QLabel* NewTextLabel(QWidget* parent, const QString& name, const QString& text,
                     const QRect& geometry, const QFont& font, const QColor& colour) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(geometry);
    label->setFont(font);
    SetTextColour(label, colour);
    return label;
}

namespace {

QImage DecodePng(const QString& file) {
    QImageReader reader(file, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

}  // namespace

QImage ReadPngImage(const QString& resource) {
    // On a screen scaled above 1, the picture drawn at twice the size
    // (":/name@2x.png") where there is one, so that it stays sharp.
    if (qGuiApp && qGuiApp->devicePixelRatio() > 1.0 && resource.endsWith(QLatin1String(".png"))) {
        const QString sharp = resource.chopped(4) + QStringLiteral("@2x.png");
        if (QFile::exists(sharp)) {
            QImage image = DecodePng(sharp);
            if (!image.isNull()) {
                image.setDevicePixelRatio(2.0);
                return image;
            }
        }
    }
    return DecodePng(resource);
}

QPixmap ReadPng(const QString& resource) { return QPixmap::fromImage(ReadPngImage(resource)); }

QPixmap ResourcePicture(const QString& resource) {
    static QHash<QString, QPixmap> decoded;
    if (decoded.isEmpty() && QCoreApplication::instance()) {
        // Pictures are let go with the application, not after it.
        QObject::connect(QCoreApplication::instance(), &QObject::destroyed,
                         [] { decoded.clear(); });
    }
    auto it = decoded.find(resource);
    if (it == decoded.end()) it = decoded.insert(resource, ReadPng(resource));
    return *it;
}

}  // namespace quillet
