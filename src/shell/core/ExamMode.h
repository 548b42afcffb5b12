// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

namespace quillet {

// The test modes, as stored in StudentOptions::testMode and the settings file.
enum ExamMode : int {
    kModeEachOnce = 1,       // each question once, marked at the end
    kModeUntilRight = 2,     // a missed question comes back until answered right
    kModeContinuous = 3,     // random questions with repetition, until the student leaves
    kModeSimulatedExam = 4,  // like mode 1, stopping at the exam's question count
    kModeRealExam = 5,       // one question from each group of the pool, marked at the end
    kModeReview = 6,         // what was missed last time, then what was never answered; as mode 2
};

// The highest mode there is. Start-up reads any stored mode above it as mode
// 1, and the options screen offers one option per mode up to it.
inline constexpr int kHighestTestMode = kModeReview;

// A mode outside 1..kHighestTestMode is taken as mode 1.
constexpr int NormalizedTestMode(int mode) {
    return mode >= 1 && mode <= kHighestTestMode ? mode : kModeEachOnce;
}

// The modes that ask a fixed number of questions, each once, and mark them at
// the end: no feedback, no skipping, progress "n of N".
constexpr bool IsExamMode(int mode) { return mode == kModeSimulatedExam || mode == kModeRealExam; }

// Questions of a simulated test (mode 4) for an element (1 Novice .. 5 Extra): 35, 30, 30,
// 50, 40, the sizes of the examinations the mode was made for. An element outside 1..5 has
// none. The real exam mode takes today's sizes from the bank instead.
constexpr int SimulatedQuestionCount(int element) {
    constexpr int kCounts[] = {35, 30, 30, 50, 40};
    return element >= 1 && element <= 5 ? kCounts[element - 1] : 0;
}

}  // namespace quillet
