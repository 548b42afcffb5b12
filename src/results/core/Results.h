// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QString>
#include <vector>

#include "shell/core/Session.h"

namespace quillet {

// One line of the results report: a section of the element just tested.
struct ResultRow {
    int correct = 0;
    int asked = 0;
    QString name;  // "T1 - Commission's Rules"
    bool tested() const { return asked > 0; }
};

// The number of questions needed to pass an element's examination, over its
// number of questions.
struct PassMark {
    int needed = 0;
    int of = 1;
    double value() const { return static_cast<double>(needed) / of; }
};
PassMark PassMarkFor(int element);

// Rounds halves away from zero, as percentages are shown.
long long RoundHalfAwayFromZero(double value);

// correct / asked as a whole percentage with at least `minDigits` digits and a
// "%" sign: 2 digits gives "05%", 1 digit "5%".
QString FormatPercent(long long correct, long long asked, int minDigits);

enum class Cheer { None, Clap, Applause };
enum class BarPicture { Blue, Red, White };

// The fixed geometry of the report, in twips.
namespace results_layout {
inline constexpr int kVisibleRows = 10;
inline constexpr int kBarLeft = 3870;
inline constexpr int kBarTop = 1065;
inline constexpr int kRowPitch = 450;
inline constexpr int kBarHeight = 420;
inline constexpr int kFullBarWidth = 2325;
inline constexpr int kLabelGap = 100;
}  // namespace results_layout

// Where one visible row's pieces go, in twips.
struct RowPlacement {
    BarPicture picture = BarPicture::White;
    QString scoreText;
    bool scoreBlack = true;  // black for a score, teal for "NOT TESTED"
    int barTop = 0;
    int barWidth = 0;
    int scoreLeft = 0;
    int scoreTop = 0;
    int nameTop = 0;
};

// The whole report of one test: the current element's sections and totals.
class ScoreReport {
public:
    // After a real exam (`realExam` set), the pass mark is that exam's and the
    // totals are judged against its full number of questions: a question not
    // reached counts as not answered right.
    ScoreReport(const SectionTable& sections, int element, const ExamInfo* realExam = nullptr);

    const std::vector<ResultRow>& rows() const { return rows_; }
    long long totalCorrect() const { return totalCorrect_; }
    long long totalAsked() const { return totalAsked_; }
    PassMark passMark() const { return passMark_; }

    // "#00%" of the totals, or "0%" when nothing was asked.
    QString overallText() const;
    Cheer cheer() const;

    bool afterRealExam() const { return realExam_; }
    // After a real exam: whether enough answers were right to pass it.
    bool passed() const;
    // After a real exam: "PASSED: 27 of 35 (26 needed)" or "NOT YET: 24 of 35
    // (26 needed)"; empty after any other test.
    QString passLine() const;

    // The scroll bar runs from 1 to scrollMaximum(); it is shown only when
    // there are more rows than fit.
    bool scrollVisible() const { return rowCount() > results_layout::kVisibleRows; }
    int scrollMaximum() const;
    int rowCount() const { return static_cast<int>(rows_.size()); }

    // Section rows are numbered from 1.
    const ResultRow* rowAt(int position) const;

    // Places the visible row `slot` (0..9) showing result row `position`; the
    // heights and width are those of the texts once set, in twips.
    RowPlacement place(int slot, const ResultRow& row, int scoreWidth, int scoreHeight,
                       int nameHeight) const;
    // The score text a row shows.
    static QString ScoreText(const ResultRow& row);
    // The row as a sentence for screen readers, with what the bar's colour
    // shows: "T1 - Commission's Rules: 67%, 2 of 3, not passed".
    QString SpokenRow(const ResultRow& row) const;
    bool reachesPassMark(const ResultRow& row) const;
    // The overall score for screen readers, with the pass line after a real
    // exam: "Overall score: 67 %" or "Overall score: 77 %, PASSED: 27 of 35
    // (26 needed)". The screen's "00%" would be read digit by digit.
    QString SpokenOverall() const;

private:
    std::vector<ResultRow> rows_;
    long long totalCorrect_ = 0;
    long long totalAsked_ = 0;
    PassMark passMark_;
    bool realExam_ = false;
};

}  // namespace quillet
