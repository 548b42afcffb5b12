// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

// A test run on a tiny bank, through a screen that records what it is told.

#include "EngineTestSupport.h"
#include "engine/core/ExamSession.h"
#include "shell/core/Random.h"

namespace quillet::testing {

struct RecordingScreen : ExamScreen {
    void showQuestion(const QuestionOnScreen& q) override { shown.push_back(q.questionId); }
    void setProgressText(const QString& text) override { progress.push_back(text); }
    void setRunText(const QString& text) override { run = text; }
    void setTestTypeText(const QString& text) override { testType = text; }
    void showMessage(const QString& text) override { messages.push_back(text); }
    void resetRollovers() override {}
    void closeScreen() override { ++closed; }

    std::vector<qint64> shown;
    QStringList progress, messages;
    QString run, testType;
    int closed = 0;
};

struct Running {
    BankFolder& bank;
    MersenneRandom random{5};
    LineMeasurer measurer;
    RecordingScreen screen;
    ExamSession test{bank.session, bank.options, bank.sounds, bank.services.fatal,
                     random,       measurer,     screen};

    Running(BankFolder& folder, int mode) : bank(folder) {
        bank.addFile(kNextQuestionSound);
        bank.options.testMode = mode;
        test.load();
        test.activate();
    }
    const QuestionOnScreen& q() const { return *test.currentQuestion(); }
    void right() { test.answer(q().correctLabel); }
    void wrong() { test.answer((q().correctLabel + 1) % 4); }
    const SectionTable& scores() const { return test.result().scores; }
    int asked() const { return scores()(1).AskedCount + scores()(2).AskedCount; }
    int correct() const { return scores()(1).CorrectCount + scores()(2).CorrectCount; }
};

}  // namespace quillet::testing
