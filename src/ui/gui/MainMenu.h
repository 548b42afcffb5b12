// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QDialog>
#include <functional>

#include "engine/core/ExamSession.h"

class QLabel;
class QWidget;

namespace quillet {

class MenuItems;

// How the main menu opens the other screens, modally; each call returns when
// the screen has closed. The program passes the real windows (app/Screens.h);
// tests may replace one. The test is one of session.currentElement and hands
// its outcome back; the results show such an outcome.
struct Screens {
    std::function<FinishedTest(QWidget*)> test;
    std::function<void(const FinishedTest&, QWidget*)> results;
    std::function<void(QWidget*)> options;
    std::function<void(QWidget*)> info;
    // Where the student stands for the real exam; from there a review of
    // chosen groups may run, with its results.
    std::function<void(QWidget*)> progress;
    // Reads an element's pool with the answers shown.
    std::function<void(int element, QWidget*)> readThrough;
};

// The hub of the program. Creating it runs the program's initialisation:
// settings, question bank, section table and program options.
class MainMenu : public QDialog {
    Q_OBJECT
public:
    MainMenu(Session& session, StudentOptions& options, const Services& services, Screens screens,
             QWidget* parent = nullptr);

    // False when start-up failed (the fatal error has been reported).
    bool loaded() const { return loaded_; }

    // Every menu item back to its normal colour.
    void resetRollovers();
    MenuItems* menu() const { return menu_; }

    // The action of menu item `index`.
    void choose(int index);

    // Unloads every window and ends the program.
    void exitProgram();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void startTest(int element);
    void checkQuestionBank();

    Session& session_;
    StudentOptions& options_;
    const Services& services_;
    Screens screens_;
    bool loaded_ = false;
    bool exiting_ = false;
    QLabel* background_ = nullptr;  // Picture1: the menu's picture, holding the items
    QWidget* preparing_ = nullptr;
    MenuItems* menu_ = nullptr;
};

}  // namespace quillet
