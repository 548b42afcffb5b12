// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "results/core/Results.h"

#include <cmath>

namespace quillet {

PassMark PassMarkFor(int element) {
    switch (element) {
        case 1:
            return {26, 35};
        case 2:
        case 3:
            return {22, 30};
        case 4:
            return {37, 50};
        default:
            return {30, 40};
    }
}

long long RoundHalfAwayFromZero(double value) { return std::llround(value); }

QString FormatPercent(long long correct, long long asked, int minDigits) {
    if (asked == 0) return QStringLiteral("0%");
    const long long percent =
        RoundHalfAwayFromZero(100.0 * static_cast<double>(correct) / static_cast<double>(asked));
    return QStringLiteral("%1%").arg(percent, minDigits, 10, QLatin1Char('0'));
}

ScoreReport::ScoreReport(const SectionTable& sections, int element, const ExamInfo* realExam)
    : passMark_(realExam ? PassMark{realExam->passMark, realExam->questions}
                         : PassMarkFor(element)),
      realExam_(realExam != nullptr) {
    for (const SectionInfo& section : sections) {
        if (section.Test != element) continue;
        totalCorrect_ += section.CorrectCount;
        totalAsked_ += section.AskedCount;
        rows_.push_back({section.CorrectCount, section.AskedCount,
                         section.Section + QStringLiteral(" - ") + section.Description});
    }
}

QString ScoreReport::overallText() const { return FormatPercent(totalCorrect_, totalAsked_, 2); }

bool ScoreReport::passed() const { return realExam_ && totalCorrect_ >= passMark_.needed; }

QString ScoreReport::passLine() const {
    if (!realExam_) return {};
    return QStringLiteral("%1: %2 of %3 (%4 needed)")
        .arg(passed() ? QStringLiteral("PASSED") : QStringLiteral("NOT YET"))
        .arg(totalCorrect_)
        .arg(passMark_.of)
        .arg(passMark_.needed);
}

Cheer ScoreReport::cheer() const {
    if (totalAsked_ == 0) return Cheer::None;
    if (realExam_) {
        if (totalCorrect_ * 10 > 9LL * passMark_.of) return Cheer::Applause;
        return passed() ? Cheer::Clap : Cheer::None;
    }
    // Exact comparisons of fractions: correct/asked > 9/10, > needed/of.
    if (totalCorrect_ * 10 > 9 * totalAsked_) return Cheer::Applause;
    if (totalCorrect_ * passMark_.of > passMark_.needed * totalAsked_) return Cheer::Clap;
    return Cheer::None;
}

int ScoreReport::scrollMaximum() const {
    return scrollVisible() ? rowCount() - (results_layout::kVisibleRows - 1) : 1;
}

const ResultRow* ScoreReport::rowAt(int position) const {
    if (position < 1 || position > rowCount()) return nullptr;
    return &rows_[static_cast<size_t>(position - 1)];
}

bool ScoreReport::reachesPassMark(const ResultRow& row) const {
    return static_cast<long long>(row.correct) * passMark_.of >=
           static_cast<long long>(passMark_.needed) * row.asked;
}

QString ScoreReport::ScoreText(const ResultRow& row) {
    if (!row.tested()) return QStringLiteral("NOT TESTED");
    return FormatPercent(row.correct, row.asked, 1) +
           QStringLiteral(" (%1 of %2)").arg(row.correct).arg(row.asked);
}

QString ScoreReport::SpokenRow(const ResultRow& row) const {
    if (!row.tested()) return row.name + QStringLiteral(": not tested");
    return QStringLiteral("%1: %2, %3 of %4, %5")
        .arg(row.name, FormatPercent(row.correct, row.asked, 1))
        .arg(row.correct)
        .arg(row.asked)
        .arg(reachesPassMark(row) ? QStringLiteral("passed") : QStringLiteral("not passed"));
}

QString ScoreReport::SpokenOverall() const {
    QString spoken = QStringLiteral("Overall score: ") +
                     FormatPercent(totalCorrect_, totalAsked_, 1).chopped(1) + QStringLiteral(" %");
    if (realExam_) spoken += QStringLiteral(", ") + passLine();
    return spoken;
}

RowPlacement ScoreReport::place(int slot, const ResultRow& row, int scoreWidth, int scoreHeight,
                                int nameHeight) const {
    using namespace results_layout;
    RowPlacement p;
    p.barTop = kBarTop + kRowPitch * slot;
    p.scoreText = ScoreText(row);
    if (row.tested()) {
        p.barWidth = static_cast<int>(
            RoundHalfAwayFromZero(static_cast<double>(row.correct) / row.asked * kFullBarWidth));
        p.scoreLeft = p.barWidth + kBarLeft + kLabelGap;
        p.picture = reachesPassMark(row) ? BarPicture::Blue : BarPicture::Red;
        p.scoreBlack = true;
    } else {
        p.barWidth = kFullBarWidth;
        p.scoreLeft = (p.barWidth - scoreWidth) / 2 + kBarLeft;
        p.picture = BarPicture::White;
        p.scoreBlack = false;
    }
    p.nameTop = (kBarHeight - nameHeight) / 2 + p.barTop;
    p.scoreTop = (kBarHeight - scoreHeight) / 2 + p.barTop;
    return p;
}

}  // namespace quillet
