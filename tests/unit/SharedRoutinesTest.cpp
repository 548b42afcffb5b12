#include "shell/core/SharedRoutines.h"

#include <gtest/gtest.h>

using namespace quillet;

TEST(JoinPath, PutsExactlyOneSlashBetween) {
    EXPECT_EQ(JoinPath("/opt/q/", "/quillet.ini"), "/opt/q/quillet.ini");
    EXPECT_EQ(JoinPath("/opt/q", "quillet.ini"), "/opt/q/quillet.ini");
    EXPECT_EQ(JoinPath("/opt/q//", "x"), "/opt/q//x");
    EXPECT_EQ(JoinPath("C:\\q\\", "x"), "C:\\q\\/x");
}
