// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include <gtest/gtest.h>

#include "TestBank.h"
#include "results/core/Results.h"

using namespace quillet;
using quillet::testing::TableOf;

namespace {

SectionInfo Row(int test, int correct, int asked, const char* label = "T1") {
    SectionInfo s;
    s.Test = test;
    s.CorrectCount = correct;
    s.AskedCount = asked;
    s.Section = label;
    s.Description = "Rules";
    return s;
}

TEST(ScoreReport, TakesOnlyTheCurrentElementsSectionsInTableOrder) {
    const SectionTable table =
        TableOf({Row(2, 3, 4, "T1"), Row(3, 9, 9, "G1"), Row(2, 0, 0, "T2"), Row(2, 5, 6, "T3")});
    const ScoreReport report(table, 2);
    ASSERT_EQ(report.rowCount(), 3);
    EXPECT_EQ(report.rowAt(1)->name, "T1 - Rules");
    EXPECT_EQ(report.rowAt(3)->name, "T3 - Rules");
    EXPECT_EQ(report.rowAt(0), nullptr);
    EXPECT_EQ(report.rowAt(4), nullptr);
    EXPECT_EQ(report.totalCorrect(), 8);
    EXPECT_EQ(report.totalAsked(), 10);
    EXPECT_EQ(report.overallText(), "80%");
}

TEST(ScoreReport, PercentFormats) {
    EXPECT_EQ(FormatPercent(1, 20, 2), "05%");
    EXPECT_EQ(FormatPercent(7, 100, 2), "07%");
    EXPECT_EQ(FormatPercent(7, 100, 1), "7%");
    EXPECT_EQ(FormatPercent(20, 20, 2), "100%");
    EXPECT_EQ(FormatPercent(0, 3, 2), "00%");
    EXPECT_EQ(FormatPercent(0, 0, 2), "0%");
    // Halves go away from zero: 1/8 is 12.5 %, 5/8 is 62.5 %.
    EXPECT_EQ(FormatPercent(1, 8, 1), "13%");
    EXPECT_EQ(FormatPercent(5, 8, 1), "63%");

    EXPECT_EQ(ScoreReport::ScoreText({0, 4, ""}), "0% (0 of 4)");
    EXPECT_EQ(ScoreReport::ScoreText({17, 20, ""}), "85% (17 of 20)");
    EXPECT_EQ(ScoreReport::ScoreText({0, 0, ""}), "NOT TESTED");

    EXPECT_EQ(ScoreReport(TableOf({Row(2, 0, 0)}), 2).overallText(), "0%");
    EXPECT_EQ(ScoreReport(TableOf({Row(2, 0, 3)}), 2).overallText(), "00%");
}

TEST(ScoreReport, SpokenRowSaysWhatTheBarsColourShows) {
    // Technician: 22 of 30 passes, so 2 of 3 does not and 3 of 4 does.
    const ScoreReport report(TableOf({Row(2, 2, 3), Row(2, 3, 4, "T2"), Row(2, 0, 0, "T3")}), 2);
    EXPECT_EQ(report.SpokenRow(*report.rowAt(1)), "T1 - Rules: 67%, 2 of 3, not passed");
    EXPECT_EQ(report.SpokenRow(*report.rowAt(2)), "T2 - Rules: 75%, 3 of 4, passed");
    EXPECT_EQ(report.SpokenRow(*report.rowAt(3)), "T3 - Rules: not tested");
}

// "00%" read aloud is "zero zero percent"; the spoken score has no padding,
// a space before the sign, and after a real exam the pass line.
TEST(ScoreReport, SpokenOverallReadsAsANumberWithThePassLine) {
    EXPECT_EQ(ScoreReport(TableOf({Row(2, 0, 3)}), 2).SpokenOverall(), "Overall score: 0 %");
    EXPECT_EQ(ScoreReport(TableOf({Row(2, 0, 0)}), 2).SpokenOverall(), "Overall score: 0 %");
    EXPECT_EQ(ScoreReport(TableOf({Row(2, 2, 3)}), 2).SpokenOverall(), "Overall score: 67 %");
    ExamInfo exam;
    exam.element = 2, exam.questions = 35, exam.passMark = 26;
    EXPECT_EQ(ScoreReport(TableOf({Row(2, 27, 35)}), 2, &exam).SpokenOverall(),
              "Overall score: 77 %, PASSED: 27 of 35 (26 needed)");
}

TEST(ScoreReport, CheerThresholds) {
    // Exactly the pass mark of element 1 (26 of 35): blue bar, but no clap.
    const ScoreReport atPass(TableOf({Row(1, 26, 35)}), 1);
    EXPECT_EQ(atPass.cheer(), Cheer::None);
    EXPECT_TRUE(atPass.reachesPassMark(*atPass.rowAt(1)));
    EXPECT_FALSE(atPass.reachesPassMark({25, 35, ""}));

    EXPECT_EQ(ScoreReport(TableOf({Row(2, 27, 30)}), 2).cheer(), Cheer::Clap)
        << "0.9 is not above 0.9";
    EXPECT_EQ(ScoreReport(TableOf({Row(2, 28, 30)}), 2).cheer(), Cheer::Applause);
    EXPECT_EQ(ScoreReport(TableOf({Row(2, 22, 30)}), 2).cheer(), Cheer::None);
    EXPECT_EQ(ScoreReport(TableOf({Row(2, 23, 30)}), 2).cheer(), Cheer::Clap);
    EXPECT_EQ(ScoreReport(TableOf({Row(5, 31, 40)}), 5).cheer(), Cheer::Clap);
    EXPECT_EQ(ScoreReport(TableOf({Row(5, 0, 0)}), 5).cheer(), Cheer::None);
}

TEST(ScoreReport, ScrollRange) {
    std::vector<SectionInfo> ten(10, Row(2, 1, 1)), twelve(12, Row(2, 1, 1));
    SectionTable t10, t12;
    t10.reset(10);
    t12.reset(12);
    for (int i = 1; i <= 10; ++i) t10(i) = ten[static_cast<size_t>(i - 1)];
    for (int i = 1; i <= 12; ++i) t12(i) = twelve[static_cast<size_t>(i - 1)];
    EXPECT_FALSE(ScoreReport(t10, 2).scrollVisible());
    EXPECT_TRUE(ScoreReport(t12, 2).scrollVisible());
    EXPECT_EQ(ScoreReport(t12, 2).scrollMaximum(), 3);
}

TEST(ScoreReport, RowPlacement) {
    using namespace results_layout;
    const ScoreReport report(TableOf({Row(2, 0, 4), Row(2, 3, 4), Row(2, 0, 0)}), 2);

    // 0 of 4: zero-width red bar, text 100 twips right of the bar's left edge.
    const RowPlacement zero = report.place(0, *report.rowAt(1), 900, 240, 200);
    EXPECT_EQ(zero.picture, BarPicture::Red);
    EXPECT_EQ(zero.barWidth, 0);
    EXPECT_EQ(zero.scoreLeft, kBarLeft + 100);
    EXPECT_EQ(zero.barTop, 1065);
    EXPECT_EQ(zero.scoreTop, 1065 + 90);
    EXPECT_EQ(zero.nameTop, 1065 + 110);
    EXPECT_TRUE(zero.scoreBlack);

    const RowPlacement threeQuarters = report.place(1, *report.rowAt(2), 900, 240, 400);
    EXPECT_EQ(threeQuarters.picture, BarPicture::Blue) << "0.75 >= 22/30";
    EXPECT_EQ(threeQuarters.barWidth, 1744) << "2325 * 3/4 = 1743.75";
    EXPECT_EQ(threeQuarters.scoreLeft, 1744 + 3870 + 100);
    EXPECT_EQ(threeQuarters.barTop, 1515);
    EXPECT_EQ(threeQuarters.nameTop, 1515 + 10);

    const RowPlacement untested = report.place(9, *report.rowAt(3), 1001, 240, 200);
    EXPECT_EQ(untested.picture, BarPicture::White);
    EXPECT_EQ(untested.barWidth, kFullBarWidth);
    EXPECT_EQ(untested.scoreText, "NOT TESTED");
    EXPECT_FALSE(untested.scoreBlack);
    EXPECT_EQ(untested.scoreLeft, (2325 - 1001) / 2 + 3870);
    EXPECT_EQ(untested.barTop, 1065 + 9 * 450);
}

}  // namespace
