#pragma once

namespace quillet {

// The test modes, as stored in AppState::testMode and the settings file.
enum TestModes : int {
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

}  // namespace quillet
