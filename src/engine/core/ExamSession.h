// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <optional>

#include "engine/core/QuestionList.h"
#include "engine/core/ReviewList.h"
#include "presentation/core/QuestionLayout.h"
#include "presentation/core/QuestionLoader.h"
#include "shell/core/Services.h"
#include "shell/core/Session.h"
#include "shell/core/SoundCues.h"
#include "shell/core/StudentOptions.h"

namespace quillet {

// What the running test asks of the test screen. The window implements it;
// tests record the calls.
class ExamScreen {
public:
    virtual ~ExamScreen() = default;
    // Fill the labels, positions, header and figure button, and move the
    // canvas back to its origin (the scroll bars keep their values).
    virtual void showQuestion(const QuestionOnScreen& question) = 0;
    virtual void setProgressText(const QString& text) = 0;  // lblQText1
    virtual void setRunText(const QString& text) = 0;       // lblRun
    virtual void setTestTypeText(const QString& text) = 0;  // lblTestType
    // Shows a message in the program's message box and returns when the
    // student has closed it. The text is plain: "&" is an ampersand.
    virtual void showMessage(const QString& text) = 0;
    virtual void resetRollovers() = 0;
    virtual void closeScreen() = 0;
};

// The sound played when the next question comes up.
inline const QString kNextQuestionSound = QStringLiteral("projctor.wav");

// "Current Run: " followed by the run.
QString RunText(int run);

// Adds one, stopping at the largest int instead of wrapping round, so that no
// counter of an endless continuous test can ever turn negative.
void CountUp(int& counter);

// What a finished test hands on, as a value: to the main menu, which tells
// when there was nothing to ask, and to the results screen.
struct FinishedTest {
    int element = 0;
    int mode = kModeEachOnce;
    // The session's sections with this test's scores: questions of each
    // section finished (AskedCount), and of those answered right without a
    // miss (CorrectCount).
    SectionTable scores;
    // The bank was read and no question could be asked.
    bool questionsNotFound = false;
    // The chance of passing the element's real exam as the study record stood
    // before this test; unset when there is no chance to tell.
    std::optional<double> chanceBefore = std::nullopt;
    // The test's id in the study record (its answers, for reviewing them); 0
    // when the record has none.
    qint64 recordTest = 0;
};

// One test on the test screen, from its load step until it closes: a test of
// session.currentElement in the mode the options give.
//
// The window seeds the random source from the clock (ClockSeed) before load().
// Counters are ints that stop at their maximum; the current run lives in
// Session::currentRun so that it carries over to the next test of the same
// program run.
class ExamSession {
public:
    ExamSession(Session& session, const StudentOptions& options, const SoundCues& sounds,
                FatalErrorHandler* fatal, RandomSource& random, const TextMeasurer& measurer,
                ExamScreen& screen);

    // The screen's load step: mode caption, empty run label, simulated count,
    // question list (showing the short-exam message if any), counters and
    // section scores to 0, then the first question. When no question can be
    // shown, the result says so and activate() closes the screen. A bank that
    // cannot be read, here or later in the test, is reported through `fatal`
    // and ends the test.
    void load();
    // The screen's activation: closes it at once when there are no questions
    // or the bank failed.
    void activate();

    // Modes 1, 2, 4, 5 and 6: progress text, then the question at the front of the
    // list. A question that can no longer be shown is passed over. False when
    // the test is over.
    bool loadFirstQuestion();
    // Mode 3: progress text, then a question drawn at random from the list; it
    // stays in the list. A question that can never be shown is dropped from the
    // list. False when no question is left.
    bool loadMeAQuestion();

    // Next question (with its sound); closes the screen when the test is over.
    void nextQuestion();
    // A click on answer label `label` (0..3).
    void answer(int label);
    // Keys 1-4 and A-D choose the answer shown in that place from the top.
    // False for other keys or when no question is on screen.
    bool answerKey(int key);
    // Skips the question on screen: it counts for nothing. Not in the exam modes.
    void skip();
    // The student leaves the test.
    void leave();
    // Flags the question on screen to come back to, or clears its flag, in
    // the study record, and tells the student which. False when no question
    // with a pool id is on screen.
    bool toggleFlag();
    // Whether the question on screen is flagged in the study record.
    bool flagged() const;

    int mode() const { return mode_; }
    bool skipAvailable() const { return !IsExamMode(mode_); }
    // Modes 2, 3 and 6 give feedback after each answer and keep a missed
    // question on screen until it is answered right.
    bool marksEachQuestion() const;
    bool closed() const { return closed_; }
    int questionsShown() const { return shown_; }
    // The test as it stands: its scores, and whether it found nothing to ask.
    const FinishedTest& result() const { return result_; }
    int simulatedCount() const { return simulatedCount_; }
    bool missed() const { return missed_; }
    const QuestionIdList& questionList() const { return questionList_; }
    // The question on screen, if any.
    const QuestionOnScreen* currentQuestion() const { return current_ ? &*current_ : nullptr; }

private:
    bool showQuestion(qint64 questionId);
    void bankFault(const QString& fault);
    void finishQuestion(bool rightFirstTime);
    void recordAnswer(int label, bool right);
    PreparedList prepareReview();
    PreparedList prepareRetry();
    void raiseRun();
    void breakRun();
    void endTest();
    const SectionInfo* currentSection() const;

    Session& session_;
    const StudentOptions& options_;
    const SoundCues& sounds_;
    FatalErrorHandler* fatal_;
    RandomSource& random_;
    const TextMeasurer& measurer_;
    ExamScreen& screen_;

    int mode_ = kModeEachOnce;
    FinishedTest result_;
    int simulatedCount_ = 0;
    QuestionIdList questionList_;
    QuestionIdList scramble_;
    std::optional<QuestionOnScreen> current_;
    bool missed_ = false;
    bool answered_ = false;   // the question on screen has had its first answer
    QElapsedTimer onScreen_;  // since the question on screen came up
    int shown_ = 0;
    int correct_ = 0;
    bool closed_ = false;
    bool bankFailed_ = false;
    // A review whose chosen questions were all answered right last time.
    bool nothingToReview_ = false;
};

}  // namespace quillet
