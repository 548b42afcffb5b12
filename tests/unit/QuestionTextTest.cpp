// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "EngineTestSupport.h"
#include "presentation/core/QuestionText.h"

using namespace quillet;

TEST(ConvertQuestionText, SplitsTableAndConvertsLineBreaksAndTabsByPart) {
    const QuestionCaptions c =
        ConvertQuestionText("First one.\\nSecond\\tone.<TABLE>Alpha\\t10\\nBeta\\t20<TABLE>x");
    EXPECT_EQ(c.question, "First one.\nSecond\\tone.");  // a tab code stays in the question
    EXPECT_EQ(c.table, "Alpha     10\nBeta     20<TABLE>x");

    EXPECT_EQ(ConvertQuestionText("Lower <table> is text").question, "Lower <table> is text");
    EXPECT_EQ(ConvertQuestionText("Lower <table> is text").table, "");
    EXPECT_EQ(ConvertQuestionText(QString()).question, "");
}

TEST(ConvertQuestionText, StoredLineEndsNeverBreakButAreDroppedFirst) {
    const QuestionCaptions c = ConvertQuestionText("One\r\ntwo<TA\nBLE>a\r\nb");
    EXPECT_EQ(c.question, "Onetwo");
    EXPECT_EQ(c.table, "ab");
}

TEST(ConvertQuestionText, DoublesAmpersandsInQuestionAndTableOnly) {
    const QuestionCaptions c = ConvertQuestionText("R & L<TABLE>A&B");
    EXPECT_EQ(c.question, "R && L");
    EXPECT_EQ(c.table, "A&&B");
    EXPECT_EQ(ConvertAnswerText("AM & FM\\n"), "AM & FM\\n");
}

TEST(DegreeCodes, EveryFormBecomesADegreeSignEverywhere) {
    const QString deg = QStringLiteral("\u00B0");
    EXPECT_EQ(ConvertAnswerText("90#176 90&#176; 90&#176 90#176; 9#1762 \u00F8"),
              "90" + deg + " 90" + deg + " 90" + deg + " 90" + deg + "; 9" + deg + "2 " + deg);
    const QuestionCaptions c = ConvertQuestionText("45&#176;\u00F8<TABLE>30#176");
    EXPECT_EQ(c.question, "45" + deg + deg);
    EXPECT_EQ(c.table, "30" + deg);
}

TEST(CorrectAnswerIndex, AcceptsTheFourLettersInEitherCaseOnly) {
    EXPECT_EQ(CorrectAnswerIndex("A"), 0);
    EXPECT_EQ(CorrectAnswerIndex("D"), 3);
    EXPECT_EQ(CorrectAnswerIndex("a"), 0);
    EXPECT_EQ(CorrectAnswerIndex(" c "), 2);
    for (const char* bad : {"", "E", "AB", "e"}) EXPECT_EQ(CorrectAnswerIndex(bad), -1) << bad;
}
