// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QLabel;
class QProgressDialog;
class QPushButton;

namespace quillet {

struct Session;

// What adding a pool asks of the student, through the system's file dialogs and the program's
// message box. Window tests put answers of their own in their place.
struct AddPoolPrompts {
    // The pool's Word document or text export; none to give up.
    std::function<QStringList(QWidget* parent)> chooseFiles;
    // The folder of the figures the files lack; empty to give up.
    std::function<QString(QWidget* parent, const QString& why)> chooseFigures;
    std::function<void(QWidget* parent, const QString& text)> tell;
    // How long reading may take before a window shows how far it has come.
    int progressAfterMs = 400;
};
// The prompts in use: the real dialogs unless a test has put others in their place.
AddPoolPrompts& PoolPrompts();

// The window that shows how far reading `files` has come, from 0 to 1000.
std::unique_ptr<QProgressDialog> NewPoolProgressDialog(const QStringList& files,
                                                       QWidget* parent = nullptr);

// Shows what was read from a pool before anything is written, and asks the student to add
// it ("Add the pool") or not ("Cancel").
class AddPoolDialog : public QDialog {
    Q_OBJECT
public:
    AddPoolDialog(const QString& summary, const QString& bankFile, QWidget* parent = nullptr);

    QPushButton* addButton() const { return add_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    QLabel* text_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

// The whole step behind "Add a question pool...": asks for the files (and, when the figures
// are not beside them, their folder), reads them, shows what they hold, and on the student's
// word adds them to the student's own bank. A refusal says which line and what was expected;
// nothing is written before the student agrees. The added pool is used at once (the session's
// added bank and sections are read afresh); true when the student's bank changed.
bool AddQuestionPool(Session& session, QWidget* parent);

}  // namespace quillet
