// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace quillet {

class MenuItems;

// The program's own message box: a small dark panel with the message in white
// bold type above a single "Ok" item. It closes by a click on "Ok", on its "X"
// button or on the message itself, and by Enter, Space or Escape. Each message
// gets a fresh window, made with its text.
class MessageBox : public QDialog {
    Q_OBJECT
public:
    explicit MessageBox(const QString& text, QWidget* parent = nullptr);

    // "Ok" back to its normal colour.
    void resetRollovers();

    MenuItems* menu() const { return menu_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void unload();

    QWidget* panel_ = nullptr;            // Picture1
    QLabel* message_ = nullptr;           // Label1
    QPushButton* closeButton_ = nullptr;  // Command1, "X"
    MenuItems* menu_ = nullptr;
    bool textPressed_ = false;
};

// Shows `text` in a new message box, modally; returns once the user has closed
// it.
void ShowMessage(const QString& text, QWidget* parent = nullptr);

}  // namespace quillet
