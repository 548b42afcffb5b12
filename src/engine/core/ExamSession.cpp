// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "engine/core/ExamSession.h"

#include <QDateTime>
#include <algorithm>
#include <limits>

#include "engine/core/Readiness.h"
#include "shell/core/QuestionBank.h"
#include "shell/core/Random.h"

namespace quillet {

namespace {

// The feedback after an answer in the modes that mark each question; a right
// answer's message goes on with the answer's text.
const QString kRightAnswerMessage = QStringLiteral("Correct!");
const QString kWrongAnswerMessage = QStringLiteral("Incorrrect");

}  // namespace

QString RunText(int run) { return QStringLiteral("Current Run: ") + QString::number(run); }

void CountUp(int& counter) {
    if (counter < std::numeric_limits<int>::max()) ++counter;
}

ExamSession::ExamSession(Session& session, const StudentOptions& options, const SoundCues& sounds,
                         FatalErrorHandler* fatal, RandomSource& random,
                         const TextMeasurer& measurer, ExamScreen& screen)
    : session_(session),
      options_(options),
      sounds_(sounds),
      fatal_(fatal),
      random_(random),
      measurer_(measurer),
      screen_(screen) {}

void ExamSession::load() {
    mode_ = NormalizedTestMode(options_.testMode);
    result_ = FinishedTest{session_.currentElement, mode_, session_.sections, false, {}};
    // Anything to tell about the study record comes before the first question.
    const QString notice = session_.record.takeNotice();
    if (!notice.isEmpty()) screen_.showMessage(notice);
    screen_.setTestTypeText(TestModeCaption(mode_));
    screen_.setRunText(QString());
    screen_.resetRollovers();

    PreparedList prepared;
    if (!session_.retryQuestions.empty()) {
        prepared = prepareRetry();
    } else if (mode_ == kModeReview) {
        prepared = prepareReview();
    } else if (mode_ == kModeRealExam) {
        const ExamInfo* exam = session_.exams.find(session_.currentElement);
        simulatedCount_ = exam ? exam->questions : 0;
        scramble_.clear();
        prepared = PrepareRealExamList(session_, random_, questionList_, simulatedCount_);
    } else {
        simulatedCount_ = SimulatedQuestionCount(session_.currentElement);
        prepared = PrepareQuestionList(session_, mode_, random_, questionList_, scramble_,
                                       simulatedCount_);
    }
    if (!prepared.readOk) {
        bankFault(prepared.fault);
        return;
    }
    if (!prepared.message.isEmpty()) screen_.showMessage(prepared.message);

    correct_ = 0;
    shown_ = 0;
    for (SectionInfo& section : result_.scores) {
        section.AskedCount = 0;
        section.CorrectCount = 0;
    }

    // The test goes into the record, with where the student stood before it
    // (the results' "before → after").
    if (session_.record.isOpen()) {
        result_.recordTest =
            session_.record.beginTest(mode_, session_.currentElement, QDateTime::currentDateTime());
        const Readiness before = ReadinessFor(session_, session_.currentElement);
        if (before.available) result_.chanceBefore = before.passChance;
    }

    const bool first = mode_ == kModeContinuous ? loadMeAQuestion() : loadFirstQuestion();
    // Nothing to ask: the screen closes on activation and the main menu says so.
    if (!first && !bankFailed_ && !nothingToReview_) result_.questionsNotFound = true;
}

PreparedList ExamSession::prepareReview() {
    ReviewList review =
        PrepareReviewList(session_, random_, QDate::currentDate(), session_.reviewGroups);
    screen_.setTestTypeText(ReviewCaption(review));
    questionList_ = std::move(review.questions);
    scramble_.clear();
    PreparedList prepared;
    prepared.count = static_cast<int>(questionList_.size());
    prepared.readOk = review.readOk;
    prepared.fault = review.fault;
    // Chosen questions all answered right last time: the review says so
    // instead of the main menu's "no questions" message.
    if (review.readOk && questionList_.empty() && review.chosen > 0) {
        nothingToReview_ = true;
        prepared.message = ReviewSummaryMessage(review);
    }
    return prepared;
}

PreparedList ExamSession::prepareRetry() {
    screen_.setTestTypeText(QStringLiteral("Retrying missed questions until answered correctly"));
    // Asked in a new order, as every test but the real exam is.
    questionList_ = InsertAtRandomPositions(session_.retryQuestions, random_);
    scramble_.clear();
    PreparedList prepared;
    prepared.count = static_cast<int>(questionList_.size());
    return prepared;
}

void ExamSession::activate() {
    if (result_.questionsNotFound || bankFailed_ || nothingToReview_) endTest();
}

bool ExamSession::marksEachQuestion() const {
    return mode_ == kModeUntilRight || mode_ == kModeContinuous || mode_ == kModeReview;
}

void ExamSession::bankFault(const QString& fault) {
    bankFailed_ = true;
    ReportBankFault(session_, fatal_, fault);
}

bool ExamSession::showQuestion(qint64 questionId) {
    missed_ = false;
    // The real exam, a review of chosen groups and a retry ask outside the chosen sections.
    const bool anySection = mode_ == kModeRealExam || !session_.reviewGroups.isEmpty() ||
                            !session_.retryQuestions.empty();
    LoadOutcome outcome =
        LoadQuestion(session_, options_.shuffleOn, questionId, random_, measurer_, anySection);
    if (outcome.status == LoadStatus::ReadError) bankFault(outcome.fault);
    if (!outcome.shown()) return false;
    current_ = std::move(outcome.question);
    answered_ = false;
    onScreen_.start();
    CountUp(shown_);
    screen_.showQuestion(*current_);
    return true;
}

bool ExamSession::loadFirstQuestion() {
    for (;;) {
        if (IsExamMode(mode_)) {
            if (shown_ >= simulatedCount_) return false;
            screen_.setProgressText(QString::number(shown_ + 1) + QStringLiteral(" of ") +
                                    QString::number(simulatedCount_));
        } else {
            const auto left = questionList_.size();
            screen_.setProgressText(
                left > 1    ? QString::number(left) + QStringLiteral(" Questions to go")
                : left == 1 ? QStringLiteral("This is the last question")
                            : QStringLiteral("All done!  Why are you still here?"));
        }
        if (questionList_.empty()) return false;
        const qint64 id = questionList_.front();
        questionList_.erase(questionList_.begin());
        if (showQuestion(id)) return true;
        if (bankFailed_) return false;
    }
}

bool ExamSession::loadMeAQuestion() {
    screen_.setProgressText(QString::number(correct_) + QStringLiteral(" of ") +
                            QString::number(shown_) + QStringLiteral(" Questions Correct"));
    missed_ = false;
    while (!questionList_.empty()) {
        const int index = RandomIndexBelow(random_, static_cast<int>(questionList_.size()));
        if (showQuestion(questionList_[static_cast<size_t>(index)])) return true;
        if (bankFailed_) return false;
        // The bank and the chosen sections stay as they are during a test, so a
        // question that cannot be shown now never can: drawing it again would
        // only loop.
        questionList_.erase(questionList_.begin() + index);
    }
    return false;
}

void ExamSession::nextQuestion() {
    if (closed_) return;
    screen_.resetRollovers();
    sounds_.play(kNextQuestionSound);
    const bool more = mode_ == kModeContinuous ? loadMeAQuestion() : loadFirstQuestion();
    if (more) return;
    // The end of a review tells where the student now stands.
    if (mode_ == kModeReview)
        screen_.showMessage(ReviewSummaryMessage(
            PrepareReviewList(session_, random_, QDate::currentDate(), session_.reviewGroups)));
    endTest();
}

const SectionInfo* ExamSession::currentSection() const {
    return current_ ? session_.sections.withId(current_->sectionId) : nullptr;
}

void ExamSession::raiseRun() {
    CountUp(session_.currentRun);
    screen_.setRunText(RunText(session_.currentRun));
}

void ExamSession::breakRun() {
    session_.currentRun = 0;
    screen_.setRunText(RunText(0));
}

void ExamSession::finishQuestion(bool rightFirstTime) {
    if (SectionInfo* section = current_ ? result_.scores.withId(current_->sectionId) : nullptr) {
        if (rightFirstTime) CountUp(section->CorrectCount);
        CountUp(section->AskedCount);
    }
    if (rightFirstTime) CountUp(correct_);
    nextQuestion();
}

void ExamSession::answer(int label) {
    if (closed_ || !current_ || label < 0 || label > 3) return;
    const bool right = label == current_->correctLabel;
    if (!answered_) recordAnswer(label, right);

    if (marksEachQuestion()) {
        // The rule the question rests on, for the student to look up.
        const QString rule = current_->ruleCaption.isEmpty()
                                 ? QString()
                                 : kLineBreak + kLineBreak + current_->ruleCaption;
        if (right) {
            screen_.showMessage(kRightAnswerMessage + kLineBreak + kLineBreak +
                                current_->answerTexts[static_cast<size_t>(label)] + rule);
        } else {
            breakRun();
            screen_.showMessage(kWrongAnswerMessage + rule);
        }
    }

    switch (mode_) {
        case kModeUntilRight:
        case kModeReview:
            if (!right) {
                missed_ = true;
                breakRun();
                const qint64 id = current_->questionId;
                if (std::find(questionList_.begin(), questionList_.end(), id) ==
                    questionList_.end()) {
                    questionList_.push_back(id);
                    screen_.setProgressText(QString::number(questionList_.size()) +
                                            QStringLiteral(" Questions to go"));
                }
                return;
            }
            if (!missed_) raiseRun();
            finishQuestion(!missed_);
            return;
        case kModeContinuous:
            if (!right) {
                missed_ = true;
                return;
            }
            if (!missed_) raiseRun();
            finishQuestion(!missed_);
            return;
        default:  // modes 1, 4 and 5: every answer finishes the question
            finishQuestion(right && !missed_);
            return;
    }
}

// The first answer to a question on screen decides whether it was right at
// the first try, so that is when it goes into the study record: a student who
// leaves while a missed question waits for its right answer still has the
// miss recorded.
void ExamSession::recordAnswer(int label, bool right) {
    answered_ = true;
    const SectionInfo* section = currentSection();
    if (!section) return;
    // Answer label i holds the pool's answer i, whatever place the screen gave it.
    const int seconds = onScreen_.isValid() ? int(onScreen_.elapsed() / 1000) : -1;
    session_.record.add({PoolNameFor(session_, section->Test), current_->poolQuestionId,
                         QDateTime::currentDateTime(), right, QChar(u'A' + label),
                         result_.recordTest, seconds});
    const QString notice = session_.record.takeNotice();
    if (!notice.isEmpty()) screen_.showMessage(notice);
}

bool ExamSession::answerKey(int key) {
    const int place = AnswerPlaceForKey(key);
    if (place < 0 || closed_ || !current_) return false;
    answer(current_->order[static_cast<size_t>(place)]);
    return true;
}

void ExamSession::skip() {
    if (closed_ || !current_ || !skipAvailable()) return;
    if (shown_ > 0) --shown_;
    nextQuestion();
}

void ExamSession::leave() { endTest(); }

bool ExamSession::toggleFlag() {
    const SectionInfo* section = currentSection();
    if (closed_ || !section || current_->poolQuestionId.isEmpty()) return false;
    const QString pool = PoolNameFor(session_, section->Test);
    const bool flag = !session_.record.flags(pool).contains(current_->poolQuestionId);
    if (!session_.record.setFlag(pool, current_->poolQuestionId, flag)) {
        const QString notice = session_.record.takeNotice();
        screen_.showMessage(notice.isEmpty()
                                ? QStringLiteral("The flag could not be kept in your study record.")
                                : notice);
        return false;
    }
    screen_.showMessage(
        flag ? QStringLiteral("%1 is flagged. The review asks it among the questions due, until "
                              "you press M on it again.")
                   .arg(current_->poolQuestionId)
             : QStringLiteral("%1 is no longer flagged.").arg(current_->poolQuestionId));
    return true;
}

bool ExamSession::flagged() const {
    const SectionInfo* section = currentSection();
    if (closed_ || !section || current_->poolQuestionId.isEmpty()) return false;
    return session_.record.flags(PoolNameFor(session_, section->Test))
        .contains(current_->poolQuestionId);
}

void ExamSession::endTest() {
    if (closed_) return;
    closed_ = true;
    session_.record.endTest(result_.recordTest, QDateTime::currentDateTime());
    screen_.closeScreen();
}

}  // namespace quillet
