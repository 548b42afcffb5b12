// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QString>
#include <array>

#include "shell/core/Exams.h"

namespace quillet {

// The information window's fixed layout, in twips, and the arithmetic of its
// page viewport.
namespace info_window {

inline constexpr int kClientWidth = 7875;
inline constexpr int kClientHeight = 5145;

// The viewport Picture1; its scroll bar VScroll1 forms its right edge.
inline constexpr int kViewportLeft = 2130;
inline constexpr int kViewportTop = 150;
inline constexpr int kBarLeft = 5370;
inline constexpr int kBarWidth = 285;
inline constexpr int kBarHeight = 4695;
inline constexpr int kViewportWidth = kBarLeft + kBarWidth;
inline constexpr int kViewportHeight = kBarHeight;

// Every page sits at this left edge and has this width.
inline constexpr int kPageLeft = 30;
inline constexpr int kPageWidth = 5310;

// One unit of the scroll bar moves the page by this much; the last unit
// leaves some room under the end of a page.
inline constexpr int kScrollUnit = 1000;
inline constexpr int kScrollSlack = 300;
inline constexpr int kSmallChange = 1;
inline constexpr int kLargeChange = 5;

// Page numbers. Every page the menu offers has one; the numbers between are
// not used.
inline constexpr int kDisclaimerPage = 0;
inline constexpr int kStudyPage = 1;
inline constexpr int kFiguresPage = 2;
inline constexpr int kThanksPage = 5;
inline constexpr int kProblemsPage = 6;
inline constexpr int kDistributionPage = 8;
inline constexpr int kContactPage = 9;

struct Page {
    int number;
    int height;
};
inline constexpr std::array<Page, 7> kPages{{
    {kDisclaimerPage, 6480},
    {kStudyPage, 19650},   // grown by the sections on the review mode, the record and the chance
    {kFiguresPage, 8010},  // grown by the notes on rule references and new pools
    {kThanksPage, 5190},
    {kProblemsPage, 9675},
    {kDistributionPage, 4665},
    {kContactPage, 5955},
}};

// The menu column lblAnswer(0..8). Items 0-7 are right-aligned in their
// width; "Back" is centred in its own. Item 3 has no page and stays hidden,
// which leaves its gap in the column.
struct MenuEntry {
    const char* caption;
    int left;
    int top;
    int width;
    int page;  // -1: no page
};
inline constexpr int kItemHeight = 285;
inline constexpr int kItemWidth = 1545;
inline constexpr int kBackItem = 8;
inline constexpr std::array<MenuEntry, 9> kMenu{{
    {"Disclaimer", 180, 960, kItemWidth, kDisclaimerPage},
    {"How to Study", 180, 1320, kItemWidth, kStudyPage},
    {"Figures", 180, 1680, kItemWidth, kFiguresPage},
    {"", 180, 2040, kItemWidth, -1},
    {"Thanks", 180, 2460, kItemWidth, kThanksPage},
    {"Problems?", 180, 2820, kItemWidth, kProblemsPage},
    {"Distribution", 180, 3180, kItemWidth, kDistributionPage},
    {"Contact", 180, 3570, kItemWidth, kContactPage},
    {"Back", 675, 4410, 615, -1},
}};

// Web addresses the pages link to (besides the home page, a build option).
inline constexpr char kFiguresAddress[] = "https://www.ncvec.org/";

}  // namespace info_window

// The sentences that say which pools the bank holds, with the years of the
// pools' validity from its examinations: "This question bank holds the pools in
// force for Technician (2026 to 2030), ...". Novice and Advanced are named as
// elements kept only for the older layout.
QString PoolsInBankText(const ExamTable& exams);

// The designed height of page `number`, or 0 when there is no such page.
int InfoPageHeight(int number);

// How Info::loadPage sets the scroll bar for a page of `pageHeight` twips
// shown in a viewport `viewportHeight` tall.
struct InfoScroll {
    bool enabled = false;
    int maximum = 0;  // in scroll units; the minimum and the value start at 0
};
// A page taller than the viewport scrolls from 0 to
// (page - viewport + 300) / 1000 units, rounded to the nearest (a half to the
// even neighbour); any other page leaves the bar disabled at 0.
InfoScroll InfoScrollFor(int pageHeight, int viewportHeight = info_window::kViewportHeight);

// Where the top of the page goes, in twips within the viewport, for a scroll value.
constexpr int InfoPageTop(int scrollValue) { return -info_window::kScrollUnit * scrollValue; }

}  // namespace quillet
