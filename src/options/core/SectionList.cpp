// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "options/core/SectionList.h"

#include <array>

namespace quillet::options {
namespace {

struct ElementTab {
    const char* caption;
    char letter;
};

// Tab i shows element i + 1.
constexpr std::array<ElementTab, kElementCount> kTabs{{
    {"Novice", 'N'},
    {"Technician", 'T'},
    {"General", 'G'},
    {"Advanced", 'A'},
    {"Extra", 'E'},
}};

// Floor division, so that negative differences round the same way as positive ones.
int FloorDiv(int a, int b) {
    const int q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

}  // namespace

QString ElementTabCaption(int tab) {
    if (tab < 0 || tab >= kElementCount) return {};
    return QString::fromLatin1(kTabs[static_cast<size_t>(tab)].caption);
}

QChar ElementLetter(int element) {
    if (element < 1 || element > kElementCount) return {};
    return QChar::fromLatin1(kTabs[static_cast<size_t>(element - 1)].letter);
}

bool SectionBelongsTo(const QString& sectionLabel, int element) {
    const QChar letter = ElementLetter(element);
    if (letter.isNull() || sectionLabel.isEmpty()) return false;
    return sectionLabel.toUpper().startsWith(letter);
}

QString SectionCaption(const SectionInfo& section) {
    return section.Description + QStringLiteral(" (") + section.Section + QStringLiteral(")");
}

std::vector<SectionRow> SectionsForElement(const SectionTable& sections, int element) {
    std::vector<SectionRow> rows;
    for (int r = 1; r <= sections.count(); ++r) {
        if (static_cast<int>(rows.size()) == kSectionBoxCount) break;
        const SectionInfo& section = sections(r);
        if (!SectionBelongsTo(section.Section, element)) continue;
        rows.push_back({r, SectionCaption(section), section.Ask});
    }
    return rows;
}

int ScrollMaximum(int contentHeight, int viewportHeight) {
    const int difference = contentHeight - viewportHeight;
    int steps = FloorDiv(difference, kScrollUnit);
    const int rest = difference - steps * kScrollUnit;  // 0..99
    if (rest * 2 > kScrollUnit || (rest * 2 == kScrollUnit && steps % 2 != 0)) ++steps;
    return steps;
}

SectionListLayout LayOutSectionList(const std::vector<int>& boxHeights, int viewportHeight) {
    SectionListLayout layout;
    if (boxHeights.empty()) {
        layout.contentHeight = viewportHeight;
        return layout;
    }
    int top = kFirstBoxTop;
    for (size_t i = 0; i < boxHeights.size(); ++i) {
        if (i > 0) top += boxHeights[i - 1] + kBoxGap;
        layout.tops.push_back(top);
    }
    layout.contentHeight = layout.tops.back() + boxHeights.back() + kContentBottomMargin;
    const int maximum = ScrollMaximum(layout.contentHeight, viewportHeight);
    if (maximum >= 1) {
        layout.scrollMaximum = maximum;
        layout.scrollValue = 1;
    }
    return layout;
}

}  // namespace quillet::options
