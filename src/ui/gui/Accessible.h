// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QAccessible>
#include <QLabel>
#include <vector>

class QDialog;
class QPainter;

namespace quillet {

// How the program's own controls (text labels and pictures that act on a
// click) appear to screen readers and other assistive tools: with the role of
// the control they stand for, a name that says what they do and a "press"
// action that takes the keyboard's path.
//
// The role and the hiding below apply to the program's own widget classes
// (AccessibleLabel, PictureButton, the windows): Qt's own classes keep the
// interfaces Qt gives them. Set the role as soon as the widget exists: Qt
// keeps the first interface it makes for a widget, and setting an accessible
// name may make it (an interface made earlier is replaced).
void SetAccessibleRole(QWidget* widget, QAccessible::Role role);
// Keeps a widget that only repeats what another one says (part of a results
// row, say) out of what assistive tools read.
void HideFromAssistiveTools(QWidget* widget);
// Marks a page tab as the chosen one and tells assistive tools.
void SetAccessibleSelected(QWidget* widget, bool selected);

// Tells assistive tools that the text of `widget` is new, even when it reads
// the same as before (a question asked again, say).
void Announce(QWidget* widget);

// Tells assistive tools that `widget`, which keeps the keyboard focus, now
// stands for something new (the top answer of the next question): its
// accessible object is made anew and focused, because screen readers ignore
// focus given again to the object they are already on.
void AnnounceFocus(QWidget* widget);

// A label whose accessible role, name and visibility the program sets. Once
// given a focus mark colour, it draws a dotted rectangle of that colour round
// itself while it has the keyboard focus.
class AccessibleLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
    void setFocusMark(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor focusMark_;
};

// A text label the window sets and screen readers read as static text: named `name`, at
// `geometry` in `parent`, plain text in `font` and `colour` on a clear background.
AccessibleLabel* NewSpokenText(QWidget* parent, const QString& name, const QRect& geometry,
                               const QFont& font, const QColor& colour);

// Draws the program's focus mark, a dotted rectangle one pixel inside `area`.
void DrawFocusMark(QPainter& painter, const QRect& area, const QColor& colour);

// ---------------------------------------------------------------------------
// Keyboard

// Opens `window` with no control focused, so that no control shows the focused
// look until the keyboard moves to one: the first Tab goes to the first
// control. A click on the window outside the controls takes the focus back.
// Every window with menu items or picture buttons starts so.
void StartWithoutFocus(QWidget* window);

// Runs `dialog` modally, then hands the keyboard back to the window below it,
// as a window manager would; without one the keyboard would reach no window.
void ExecModal(QDialog& dialog);

// Chains the controls in this Tab order (hidden ones are skipped when Tab
// moves).
void SetTabOrder(const std::vector<QWidget*>& controls);

// Whether a key press is the keyboard's click: Enter or Space, not held down,
// with no modifier but the keypad's.
bool IsKeyboardClick(const QEvent* event);

// The controls sorted top to bottom, then left to right, by their place in
// their window.
std::vector<QWidget*> InReadingOrder(std::vector<QWidget*> controls);

// The next (step 1) or previous (step -1) of `controls` from `current` in
// reading order (top to bottom, then left to right), skipping hidden ones and
// wrapping round; from none of them, the first or the last. Null when none is
// shown.
QWidget* NextInReadingOrder(const std::vector<QWidget*>& controls, const QWidget* current,
                            int step);

}  // namespace quillet
