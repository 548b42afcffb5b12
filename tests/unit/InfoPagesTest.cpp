// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include <gtest/gtest.h>

#include "ui/core/InfoPages.h"

using namespace quillet;
namespace iw = info_window;

TEST(InfoScroll, PagesTallerThanTheViewportScrollInThousandsRoundedHalfToEven) {
    const InfoScroll study = InfoScrollFor(11025, 4695);
    EXPECT_TRUE(study.enabled);
    EXPECT_EQ(study.maximum, 7);  // 6.63
    EXPECT_EQ(InfoPageTop(study.maximum), -7000);

    EXPECT_EQ(InfoScrollFor(4695 + 1200).maximum, 2);  // 1.5 goes to 2
    EXPECT_EQ(InfoScrollFor(4695 + 2200).maximum, 2);  // 2.5 goes to 2
    EXPECT_EQ(InfoScrollFor(4695 + 2201).maximum, 3);

    // Just taller: enabled, but with nothing to scroll yet.
    const InfoScroll barely = InfoScrollFor(4696);
    EXPECT_TRUE(barely.enabled);
    EXPECT_EQ(barely.maximum, 0);
}

TEST(InfoScroll, PagesNoTallerThanTheViewportLeaveTheBarDisabledAtZero) {
    for (int height : {4665, 4695, 0}) {
        const InfoScroll scroll = InfoScrollFor(height, 4695);
        EXPECT_FALSE(scroll.enabled) << height;
        EXPECT_EQ(scroll.maximum, 0) << height;
    }
    EXPECT_FALSE(InfoScrollFor(InfoPageHeight(iw::kDistributionPage)).enabled);
    EXPECT_TRUE(InfoScrollFor(InfoPageHeight(iw::kDisclaimerPage)).enabled);
    EXPECT_EQ(InfoScrollFor(InfoPageHeight(iw::kStudyPage)).maximum, 15);
}

TEST(InfoScroll, TheEndOfEveryPageCanBeScrolledIntoView) {
    for (const auto& page : iw::kPages) {
        const InfoScroll scroll = InfoScrollFor(page.height);
        const int shownBottom = -InfoPageTop(scroll.maximum) + iw::kViewportHeight;
        EXPECT_GE(shownBottom, page.height) << "page " << page.number;
    }
}
