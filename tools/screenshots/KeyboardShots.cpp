// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTest>

#include "Screenshots.h"
#include "options/gui/OptionsWindow.h"
#include "ui/gui/MainMenu.h"
#include "ui/gui/Rollover.h"

namespace quillet {
namespace {

// Shows `window` as the active window with the keyboard focus where `keys`
// (Tab presses and arrows, sent to whatever has the focus) take it.
void FocusByKeys(QWidget& window, std::initializer_list<Qt::Key> keys) {
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window)) return;
    for (const Qt::Key key : keys) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &window;
        QTest::keyClick(target, key);
    }
    // The picture buttons take the focused look on their next timer tick.
    QTest::qWait(120);
}

}  // namespace

// Windows as a keyboard user sees them: the focused control in its hover look
// (or, on a page button, a focus frame).
QUILLET_SCREENSHOTS(keyboard) {
    shots::LoadedProgram loaded(context);
    if (!loaded.loaded) return;
    Program& program = loaded.program;
    Session& session = program.session;
    {
        MainMenu menu(session, program.options, program.services, Screens{});
        FocusByKeys(menu, {Qt::Key_Tab, Qt::Key_Down});
        shots::Save(context, &menu, "keyboard-mainmenu");
        menu.hide();
    }
    {
        session.currentElement = 2;
        OptionsWindow screen(session, program.options, program.sounds);
        FocusByKeys(screen, {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Right});
        shots::Save(context, &screen, "keyboard-options-page-button");
        for (int i = 0; i < 1 + OptionsWindow::kTabs + 1; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        shots::Save(context, &screen, "keyboard-options-section");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
        QTest::qWait(120);
        shots::Save(context, &screen, "keyboard-options-tab");
        // The settings page: a check box, then a size option.
        screen.selectPage(2);
        screen.findChild<QWidget*>(QStringLiteral("chkSound"))->setFocus(Qt::TabFocusReason);
        shots::Save(context, &screen, "keyboard-options-setting");
        screen.findChild<QWidget*>(QStringLiteral("optSize0"))->setFocus(Qt::TabFocusReason);
        shots::Save(context, &screen, "keyboard-options-size");
        screen.hide();
    }
}

}  // namespace quillet
