// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "app/Screens.h"

#include <memory>

#include "engine/gui/ExamWindow.h"
#include "options/gui/OptionsWindow.h"
#include "presentation/gui/FigureWindow.h"
#include "presentation/gui/ReadThroughWindow.h"
#include "quillet/Config.h"
#include "results/core/AnswerReview.h"
#include "results/gui/AnswerReviewWindow.h"
#include "results/gui/ProgressWindow.h"
#include "results/gui/ResultsWindow.h"
#include "shell/core/ExamMode.h"
#include "shell/core/Program.h"
#include "shell/core/QuestionBank.h"
#include "ui/core/MainMenuRules.h"
#include "ui/gui/Accessible.h"
#include "ui/gui/Info.h"
#include "ui/gui/MessageBox.h"

namespace quillet {

Screens DefaultScreens(Program& program) {
    Session& session = program.session;
    Screens screens;
    screens.info = [&session](QWidget* parent) {
        Info info(session.exams, parent, QStringLiteral(QUILLET_HOME_PAGE));
        ExecModal(info);
    };
    // A test in the mode `options` give.
    auto runTest = [&program, info = screens.info](const StudentOptions& options, QWidget* parent) {
        Session& session = program.session;
        ExamWindow test(session, options, program.sounds, program.services.fatal, parent);
        test.setFigureOpener([&session, &test](int figureId) {
            FigureWindow figure(session.bankFor(session.currentElement), figureId, &test);
            ExecModal(figure);
        });
        test.setInfoOpener([&test, info] { info(&test); });
        ExecModal(test);
        return test.test().result();
    };
    screens.test = [&program, runTest](QWidget* parent) {
        return runTest(program.options, parent);
    };
    // The results open the progress window, and the progress window runs
    // reviews whose results it shows: each refers to the other through this.
    auto results = std::make_shared<std::function<void(const FinishedTest&, QWidget*)>>();
    screens.progress = [&program, runTest, weakResults = std::weak_ptr(results)](QWidget* parent) {
        Session& session = program.session;
        if (!session.record.isOpen()) OpenStudyRecord(session);
        // After each review the window opens again with the new figures.
        for (;;) {
            ProgressWindow progress(session, program.sounds, parent);
            ExecModal(progress);
            if (progress.studyGroups().isEmpty()) return;
            session.currentElement = progress.element();
            session.reviewGroups = progress.studyGroups();
            StudentOptions review = program.options;
            review.testMode = kModeReview;
            const FinishedTest test = runTest(review, parent);
            session.reviewGroups.clear();
            if (test.questionsNotFound) ShowMessage(NoQuestionsMessage(), parent);
            const auto results = weakResults.lock();
            if (results && ResultsFollow(test.scores, test.mode)) (*results)(test, parent);
        }
    };
    // The answers of a finished test; "Retry missed" there asks the missed ones again, in the
    // way of mode 2, and comes back to the results.
    auto review = [&program, runTest](const FinishedTest& test, QWidget* parent) {
        Session& session = program.session;
        AnswerReview answers =
            AnswerReview::Load(session.record, session.bankFor(test.element), test.recordTest);
        if (!answers.available()) {
            ShowMessage(answers.unavailableText(), parent);
            return;
        }
        AnswerReviewWindow window(std::move(answers), program.sounds, parent);
        window.setFigureOpener([&session, &window, element = test.element](int figureId) {
            FigureWindow figure(session.bankFor(element), figureId, &window);
            ExecModal(figure);
        });
        ExecModal(window);
        if (!window.retryChosen()) return;
        session.currentElement = test.element;
        session.retryQuestions = window.review().missedQuestions();
        StudentOptions retry = program.options;
        retry.testMode = kModeUntilRight;
        const FinishedTest retried = runTest(retry, parent);
        session.retryQuestions.clear();
        if (retried.questionsNotFound) ShowMessage(NoQuestionsMessage(), parent);
    };
    *results = [&program, progress = screens.progress, review](const FinishedTest& test,
                                                               QWidget* parent) {
        ResultsWindow window(program.session, test, program.sounds, parent);
        window.setProgressOpener([&window, progress] { progress(&window); });
        window.setReviewOpener([&window, review, test] { review(test, &window); });
        ExecModal(window);
    };
    screens.results = [results](const FinishedTest& test, QWidget* parent) {
        (*results)(test, parent);
    };
    screens.readThrough = [&program](int element, QWidget* parent) {
        Session& session = program.session;
        if (!session.record.isOpen()) OpenStudyRecord(session);
        ReadThroughWindow window(session, program.sounds, element, parent);
        window.setFigureOpener([&session, &window](int element, int figureId) {
            FigureWindow figure(session.bankFor(element), figureId, &window);
            ExecModal(figure);
        });
        ExecModal(window);
    };
    // The options screen is kept between showings unless BACK discarded it.
    auto options = std::make_shared<std::unique_ptr<OptionsWindowHolder>>();
    screens.options = [&program, options, read = screens.readThrough](QWidget* parent) {
        if (!*options) {
            *options = std::make_unique<OptionsWindowHolder>(program.session, program.options,
                                                             program.sounds);
            (*options)->readThroughOpener = read;
        }
        (*options)->Show(parent);
    };
    return screens;
}

}  // namespace quillet
