#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>

class QWidget;

namespace quillet {

// A font of the layouts: family and point size as the layout tables give them.
QFont LayoutFont(const QString& family, qreal points, bool bold = false, bool italic = false);
inline QFont ArialBold(qreal points) { return LayoutFont(QStringLiteral("Arial"), points, true); }

// Sets one colour of a widget's palette (text, background, ...).
void SetColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour);

}  // namespace quillet
