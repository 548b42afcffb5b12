// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "ui/gui/Accessible.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <algorithm>

namespace quillet {
namespace {

const char kRoleProperty[] = "quilletAccessibleRole";
const char kHiddenProperty[] = "quilletAccessibleHidden";
const char kSelectedProperty[] = "quilletAccessibleSelected";

bool Pressable(QAccessible::Role role) {
    switch (role) {
        case QAccessible::PushButton:
        case QAccessible::MenuItem:
        case QAccessible::PageTab:
        case QAccessible::Link:
            return true;
        default:
            return false;
    }
}

// The interface of a widget whose role the program has set.
class ControlInterface : public QAccessibleWidget {
public:
    explicit ControlInterface(QWidget* widget) : QAccessibleWidget(widget) {}

    QAccessible::Role role() const override {
        return static_cast<QAccessible::Role>(widget()->property(kRoleProperty).toInt());
    }

    QString text(QAccessible::Text kind) const override {
        // Some screen readers read a window's labels by their place on screen,
        // whatever their state: a hidden one says nothing.
        if (widget()->property(kHiddenProperty).toBool()) return {};
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            if (const auto* label = qobject_cast<const QLabel*>(widget())) return label->text();
        }
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        if (widget()->property(kHiddenProperty).toBool()) state.invisible = true;
        const QVariant selected = widget()->property(kSelectedProperty);
        if (selected.isValid()) {
            state.selectable = true;
            state.selected = selected.toBool();
        }
        return state;
    }

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (Pressable(role()) && widget()->isEnabled()) names.prepend(pressAction());
        return names;
    }

    void doAction(const QString& name) override {
        if (name != pressAction() || !Pressable(role())) {
            QAccessibleWidget::doAction(name);
            return;
        }
        // Pressing from an assistive tool takes the keyboard's path.
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        QCoreApplication::sendEvent(widget(), &press);
    }
};

QAccessibleInterface* ControlFactory(const QString&, QObject* object) {
    if (!object || !object->isWidgetType()) return nullptr;
    if (!object->property(kRoleProperty).isValid()) return nullptr;
    return new ControlInterface(static_cast<QWidget*>(object));
}

void InstallFactory() {
    static const bool installed = [] {
        QAccessible::installFactory(ControlFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace

AccessibleLabel* NewSpokenText(QWidget* parent, const QString& name, const QRect& geometry,
                               const QFont& font, const QColor& colour) {
    auto* label = new AccessibleLabel(parent);
    SetAccessibleRole(label, QAccessible::StaticText);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    label->setGeometry(geometry);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->setAttribute(Qt::WA_TranslucentBackground);
    return label;
}

void SetAccessibleRole(QWidget* widget, QAccessible::Role role) {
    InstallFactory();
    widget->setProperty(kRoleProperty, static_cast<int>(role));
    // Qt may have made the widget's interface already (for an event while it
    // was set up, even with no assistive tool listening): make it anew.
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(widget)) {
        if (made->role() != role || !dynamic_cast<ControlInterface*>(made))
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    }
}

void HideFromAssistiveTools(QWidget* widget) {
    if (!widget->property(kRoleProperty).isValid()) {
        SetAccessibleRole(widget, QAccessible::StaticText);
    }
    widget->setProperty(kHiddenProperty, true);
}

void SetAccessibleSelected(QWidget* widget, bool selected) {
    const QVariant before = widget->property(kSelectedProperty);
    widget->setProperty(kSelectedProperty, selected);
    if (before.isValid() && before.toBool() == selected) return;
    QAccessible::State changed;
    changed.selected = true;
    QAccessibleStateChangeEvent event(widget, changed);
    QAccessible::updateAccessibility(&event);
}

void Announce(QWidget* widget) {
    QAccessibleEvent event(widget, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

void AnnounceFocus(QWidget* widget) {
    if (QAccessibleInterface* old = QAccessible::queryAccessibleInterface(widget)) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(old));
    }
    QAccessibleEvent event(widget, QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
}

void AccessibleLabel::setFocusMark(const QColor& colour) {
    focusMark_ = colour;
    update();
}

void AccessibleLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!focusMark_.isValid() || !hasFocus()) return;
    QPainter painter(this);
    DrawFocusMark(painter, rect(), focusMark_);
}

void DrawFocusMark(QPainter& painter, const QRect& area, const QColor& colour) {
    QPen pen(colour, 1, Qt::DotLine);
    painter.save();
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    painter.restore();
}

// ---------------------------------------------------------------------------

void StartWithoutFocus(QWidget* window) {
    window->setFocusPolicy(Qt::ClickFocus);
    window->setFocus(Qt::OtherFocusReason);
}

void ExecModal(QDialog& dialog) {
    QPointer<QWidget> below = dialog.parentWidget() ? dialog.parentWidget()->window() : nullptr;
    dialog.exec();
    if (below && below->isVisible()) below->activateWindow();
}

void SetTabOrder(const std::vector<QWidget*>& controls) {
    for (size_t i = 1; i < controls.size(); ++i) {
        QWidget::setTabOrder(controls[i - 1], controls[i]);
    }
}

bool IsKeyboardClick(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    if (key->isAutoRepeat()) return false;
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
           key->key() == Qt::Key_Space;
}

std::vector<QWidget*> InReadingOrder(std::vector<QWidget*> controls) {
    const auto place = [](const QWidget* w) { return w->mapTo(w->window(), QPoint(0, 0)); };
    std::stable_sort(controls.begin(), controls.end(), [&](const QWidget* a, const QWidget* b) {
        const QPoint pa = place(a);
        const QPoint pb = place(b);
        return pa.y() != pb.y() ? pa.y() < pb.y() : pa.x() < pb.x();
    });
    return controls;
}

QWidget* NextInReadingOrder(const std::vector<QWidget*>& controls, const QWidget* current,
                            int step) {
    std::vector<QWidget*> shown;
    for (QWidget* control : controls) {
        if (control->isVisibleTo(control->window())) shown.push_back(control);
    }
    if (shown.empty()) return nullptr;
    shown = InReadingOrder(std::move(shown));
    const auto it = std::find(shown.begin(), shown.end(), current);
    const int count = static_cast<int>(shown.size());
    if (it == shown.end()) return step > 0 ? shown.front() : shown.back();
    const int index = static_cast<int>(it - shown.begin());
    return shown[static_cast<size_t>(((index + step) % count + count) % count)];
}

}  // namespace quillet
