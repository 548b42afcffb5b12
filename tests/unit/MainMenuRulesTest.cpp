// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include <gtest/gtest.h>

#include "TestBank.h"
#include "ui/core/MainMenuRules.h"

using namespace quillet;
using quillet::testing::TableOf;

namespace {

SectionInfo Row(int test, bool ask, int asked = 0) {
    SectionInfo s;
    s.Test = test;
    s.Ask = ask;
    s.AskedCount = asked;
    return s;
}

TEST(MainMenuRules, ATestNeedsAChosenSectionOfItsOwnElement) {
    const SectionTable table = TableOf({Row(2, false), Row(3, true), Row(2, false), Row(5, true)});
    EXPECT_FALSE(AnySectionChosen(table, 2)) << "chosen only for other elements";
    EXPECT_TRUE(AnySectionChosen(table, 3));
    EXPECT_TRUE(AnySectionChosen(table, 5)) << "the last row counts too";
    EXPECT_FALSE(AnySectionChosen(SectionTable{}, 1));
}

TEST(MainMenuRules, ResultsFollowAnyAskedQuestionExceptInModeTwo) {
    const SectionTable asked = TableOf({Row(2, true), Row(3, false, 1)});
    const SectionTable none = TableOf({Row(2, true), Row(3, false)});
    for (int mode : {1, 3, 4}) {
        EXPECT_TRUE(ResultsFollow(asked, mode)) << mode;
        EXPECT_FALSE(ResultsFollow(none, mode)) << mode;
    }
    EXPECT_FALSE(ResultsFollow(asked, 2));
}

TEST(MainMenuRules, MessagesAreExact) {
    EXPECT_EQ(kNoSectionsChosenMessage.toStdString(),
              "You have not selected any SECTIONS to be tested on.  Please go into the test "
              "options screen and select some.");
    EXPECT_EQ(NoQuestionsMessage().toStdString(),
              "Given the criteria you selected, there are no questions to ask you.  Please select "
              "different  test settings from the program settings screen.");
}

}  // namespace
