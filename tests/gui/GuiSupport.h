// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

// Helpers for window tests: a program folder with a bank, and ways to act on
// modal windows while their exec() is running.

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

#include "../unit/TestBank.h"
#include "engine/gui/ExamWindow.h"

namespace quillet::testing {

// Runs `action` on the active modal widget once one whose objectName is `name`
// is up. Polls from timers rather than waiting in a nested loop, so the modal
// window's own exec() can start and run underneath. A `context` ends the
// polling when it is destroyed, so a wait that is never met cannot act on a
// later test.
inline void WhenModal(const QString& name, std::function<void(QWidget*)> action, int waitMs = 10000,
                      QObject* context = nullptr) {
    auto* poll = new QTimer(context);
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    poll->setInterval(10);
    QObject::connect(
        poll, &QTimer::timeout, [poll, clock, name, action = std::move(action), waitMs] {
            QWidget* modal = QApplication::activeModalWidget();
            const bool found = modal && modal->objectName() == name && modal->isVisible();
            if (!found && clock->elapsed() < waitMs) return;
            poll->stop();
            poll->deleteLater();
            if (found) action(modal);
        });
    poll->start();
}

// Technician in two sections, T1 and T2, with 35 groups of two questions
// (right answer C), and its exam of 35 questions, 26 to pass, from 1 July
// 2026 to 30 June 2030.
inline qbank::BankContent TechnicianGroupsBank() {
    qbank::BankContent bank;
    bank.sections = {{1, "T1", "Section one", 2}, {2, "T2", "Section two", 2}};
    int id = 0;
    for (int group = 0; group < 35; ++group) {
        for (int n = 1; n <= 2; ++n) {
            qbank::BankQuestion q;
            q.id = ++id, q.sectionId = group < 20 ? 1 : 2;
            q.question = QString("Question %1").arg(id);
            q.answerA = "a", q.answerB = "b", q.answerC = "c", q.answerD = "d";
            q.answer = "C";
            q.fccQuestionId = QString("T%1%2%3")
                                  .arg(q.sectionId)
                                  .arg(QChar('A' + group % 20))
                                  .arg(n, 2, 10, QChar('0'));
            bank.questions.push_back(q);
        }
    }
    bank.exams = {{2, "technician-2026-2030", "2026-07-01", "2030-06-30", 35, 26}};
    return bank;
}

// Left-clicks the child named `name` of `window`, as a user would.
inline bool ClickChild(QWidget* window, const QString& name) {
    auto* child = window->findChild<QWidget*>(name);
    if (!child) return false;
    QTest::mouseClick(child, Qt::LeftButton, {}, child->rect().center());
    return true;
}

// The answer label of the test screen `window` that holds the right answer of
// the question on screen; null when no question is on screen.
inline QLabel* RightAnswer(QWidget* window) {
    auto* exam = qobject_cast<ExamWindow*>(window);
    const QuestionOnScreen* question = exam ? exam->test().currentQuestion() : nullptr;
    if (!question) return nullptr;
    return window->findChild<QWidget*>("picInner")
        ->findChild<QLabel*>(QStringLiteral("lblAnswer%1").arg(question->correctLabel));
}

// Answers the question on the test screen `test`, right or wrong, with a click.
inline void ClickAnswer(QWidget* test, bool right) {
    QLabel* rightAnswer = RightAnswer(test);
    for (int i = 0; i < 4; ++i) {
        auto* label = test->findChild<QLabel*>(QStringLiteral("lblAnswer%1").arg(i));
        if ((label == rightAnswer) == right) {
            QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());
            return;
        }
    }
    ADD_FAILURE() << "no such answer on screen";
}

// Closes every message box that comes up with its "Ok", as the student would,
// and keeps the texts they showed.
struct MessageCloser {
    QStringList texts;
    QTimer timer;
    MessageCloser() {
        QObject::connect(&timer, &QTimer::timeout, [this] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box || box->objectName() != "myMsgBox" || !box->isVisible()) return;
            texts << box->findChild<QLabel*>("Label1")->text();
            ClickChild(box, "lblAnswer0");
        });
        timer.start(5);
    }
};

}  // namespace quillet::testing
