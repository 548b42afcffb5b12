// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QChar>
#include <QString>
#include <vector>

#include "shell/core/Session.h"

namespace quillet::options {

// The options screen's topics page: one element tab per element, and beside it
// a scrolling list with a check box for each section of the chosen element.
// Everything here is in twips, as the window's layout is written.

inline constexpr int kElementCount = 5;
// Check boxes in the list; an element with more sections shows its first ones.
inline constexpr int kSectionBoxCount = 36;

inline constexpr int kFirstBoxTop = 240;          // the first box's top in the list
inline constexpr int kBoxGap = 60;                // between one box and the next
inline constexpr int kContentBottomMargin = 200;  // under the last box
inline constexpr int kScrollUnit = 100;           // twips per scroll bar step
inline constexpr int kScrollPageSteps = 10;       // steps per page of the scroll bar

// Caption of element tab `tab` (0 "Novice" .. 4 "Extra"); empty outside 0..4.
QString ElementTabCaption(int tab);

// The first letter of the section labels of an element (1 "N", 2 "T", 3 "G",
// 4 "A", 5 "E"); a null character for any other number.
QChar ElementLetter(int element);

// Whether a section label belongs to the element: its first letter, upper-cased,
// is the element's letter. An empty label belongs to no element.
bool SectionBelongsTo(const QString& sectionLabel, int element);

// A check box's caption: "Description (Section)".
QString SectionCaption(const SectionInfo& section);

// One box of the list: the section table row it shows (1-based), its caption
// and whether it starts checked.
struct SectionRow {
    int row = 0;
    QString caption;
    bool checked = false;
};

// The sections of an element in table order, at most kSectionBoxCount of them.
std::vector<SectionRow> SectionsForElement(const SectionTable& sections, int element);

// Scroll bar maximum for a list content of `contentHeight` in a viewport of
// `viewportHeight`: the difference in scroll steps, rounded to the nearest
// step with halves to even. Negative when the content is the shorter.
int ScrollMaximum(int contentHeight, int viewportHeight);

// Top of the list content inside the viewport at scroll value `value`.
constexpr int ContentTop(int value) { return -kScrollUnit * value; }

// Where the boxes go and how the list scrolls once it is built.
struct SectionListLayout {
    std::vector<int> tops;  // one per box, in order
    int contentHeight = 0;
    int scrollMinimum = 0;
    int scrollMaximum = 0;
    int scrollValue = 0;
};

// Lays out boxes of the given heights: the first at kFirstBoxTop, each next one
// kBoxGap under the end of the previous one; the content ends kContentBottomMargin
// under the last box, and the list starts one step scrolled down. A list that
// does not fill the viewport by more than half a step does not scroll: range
// 0 to 0 with the content at the top. With no boxes the content is the viewport.
SectionListLayout LayOutSectionList(const std::vector<int>& boxHeights, int viewportHeight);

}  // namespace quillet::options
