// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include <gtest/gtest.h>

#include <QFile>

#include "TestBank.h"
#include "options/core/OptionsPersistence.h"
#include "options/core/SectionList.h"
#include "shell/core/Settings.h"

using namespace quillet;
using namespace quillet::options;

namespace {

// Rows 1..n with the given labels, descriptions "Topic r" and element number 9
// everywhere: the list must go by the label alone.
SectionTable Table(const std::vector<QString>& labels, const std::vector<int>& asked = {}) {
    SectionTable table;
    table.reset(static_cast<int>(labels.size()));
    for (int r = 1; r <= table.count(); ++r) {
        table(r) = {
            QStringLiteral("Topic %1").arg(r), labels[static_cast<size_t>(r - 1)], false, 0, 0, 9};
    }
    for (int r : asked) table(r).Ask = true;
    return table;
}

std::vector<int> Rows(const SectionTable& table, int element) {
    std::vector<int> out;
    for (const SectionRow& row : SectionsForElement(table, element)) out.push_back(row.row);
    return out;
}

TEST(OptionsSectionList, SectionsGoToTheTabOfTheirLabelsFirstLetterWhateverItsCase) {
    const SectionTable table = Table({"T1", "G1", "t2", "", "X1", "E1", "T3", "a1", "n1"}, {1});
    EXPECT_EQ(Rows(table, 1), (std::vector<int>{9}));
    EXPECT_EQ(Rows(table, 2), (std::vector<int>{1, 3, 7}));
    EXPECT_EQ(Rows(table, 3), (std::vector<int>{2}));
    EXPECT_EQ(Rows(table, 4), (std::vector<int>{8}));
    EXPECT_EQ(Rows(table, 5), (std::vector<int>{6}));
    // No letter outside 1..5; the empty label and "X1" are listed nowhere.
    for (int element : {0, 6, -1}) EXPECT_TRUE(Rows(table, element).empty()) << element;

    const std::vector<SectionRow> technician = SectionsForElement(table, 2);
    EXPECT_EQ(technician[1].caption, "Topic 3 (t2)");
    EXPECT_TRUE(technician[0].checked);
    EXPECT_FALSE(technician[1].checked);
}

TEST(OptionsSectionList, ScrollMaximumRoundsHalfStepsToEven) {
    // (content - viewport) / 100 with halves to the even neighbour.
    const std::pair<int, int> cases[] = {{49, 0},    {50, 0},  {51, 1},   {150, 2},  {250, 2},
                                         {1085, 11}, {-50, 0}, {-51, -1}, {-150, -2}};
    for (const auto& [difference, steps] : cases) {
        EXPECT_EQ(ScrollMaximum(2445 + difference, 2445), steps) << difference;
    }
}

TEST(OptionsSectionList, BoxesStackSixtyApartAndALongListStartsOneStepDown) {
    const SectionListLayout layout =
        LayOutSectionList({255, 510, 255, 255, 255, 255, 255, 255}, 2445);
    EXPECT_EQ(layout.tops, (std::vector<int>{240, 555, 1125, 1440, 1755, 2070, 2385, 2700}));
    EXPECT_EQ(layout.contentHeight, 2700 + 255 + 200);
    EXPECT_EQ(layout.scrollMaximum, 7);  // 710 twips more than the viewport
    EXPECT_EQ(layout.scrollValue, 1);
}

TEST(OptionsSectionList, ShortAndEmptyListsDoNotScroll) {
    // Content 240 + h + 200 against a viewport of 2395: 50 over is half a step.
    EXPECT_EQ(LayOutSectionList({2005}, 2395).scrollMaximum, 0);
    EXPECT_EQ(LayOutSectionList({2005}, 2395).scrollValue, 0);
    EXPECT_EQ(LayOutSectionList({2006}, 2395).scrollValue, 1);
    const SectionListLayout shorter = LayOutSectionList({255, 255}, 2445);
    EXPECT_EQ(shorter.scrollMaximum, 0);
    EXPECT_EQ(shorter.scrollValue, 0);

    const SectionListLayout empty = LayOutSectionList({}, 2445);
    EXPECT_TRUE(empty.tops.empty());
    EXPECT_EQ(empty.contentHeight, 2445);
    EXPECT_EQ(empty.scrollMaximum, 0);
}

// ---------------------------------------------------------------------------

class OptionsPersistence : public ::testing::Test {
protected:
    void SetUp() override { folder_.session.sections = Table({"T1", "T2"}, {2}); }
    QString read(const char* section, const char* key) const {
        return ReadSetting(folder_.session.settingsPath, section, key, "<none>");
    }
    quillet::testing::ProgramFolder folder_;
};

TEST_F(OptionsPersistence, UnboundSectionBoxesRecordNothing) {
    for (int row : {0, -2, 3}) {
        RecordSectionBox(folder_.session, row, true);
        RecordSectionBox(folder_.session, row, false);
    }
    EXPECT_FALSE(QFile::exists(folder_.session.settingsPath));
    EXPECT_FALSE(folder_.session.sections(1).Ask);
    EXPECT_TRUE(folder_.session.sections(2).Ask);
}

TEST_F(OptionsPersistence, CloseWritesTheFiveSettingsInOrderAndTakesTheMode) {
    Session& session = folder_.session;
    StudentOptions& options = folder_.options;
    options.testMode = 2;
    SaveOptionsOnClose(session.settingsPath, options, {false, true, false, true, 150}, 3);
    EXPECT_EQ(options.testMode, 4);
    EXPECT_EQ(options.windowSize, 150);
    EXPECT_EQ(read("Shuffle", "OnOrOff"), "ON");
    EXPECT_EQ(read("TestMode", "TestMode"), "4");
    EXPECT_EQ(settings::ReadWindowSize(session.settingsPath), 150);
    // Written one after another into a new file, the sections follow the order
    // of the writes.
    QFile file(session.settingsPath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    const QList<qsizetype> at = {text.indexOf("[Sound]"), text.indexOf("[Shuffle]"),
                                 text.indexOf("[DUVBlackBackground]"), text.indexOf("[Figures]"),
                                 text.indexOf("[TestMode]")};
    EXPECT_TRUE(std::is_sorted(at.begin(), at.end()) && at.front() >= 0) << text.toStdString();
    EXPECT_EQ(text.indexOf("[Sections]"), -1);
}

TEST_F(OptionsPersistence, WithNoOptionSelectedTheModeInMemoryIsWrittenThenKeptInRange) {
    Session& session = folder_.session;
    StudentOptions& options = folder_.options;
    options.testMode = 3;
    SaveOptionsOnClose(session.settingsPath, options, {}, -1);
    EXPECT_EQ(read("TestMode", "TestMode"), "3");
    // The mode is written as memory has it, and set right in memory afterwards.
    options.testMode = 7;
    SaveOptionsOnClose(session.settingsPath, options, {}, -1);
    EXPECT_EQ(options.testMode, 1);
    EXPECT_EQ(read("TestMode", "TestMode"), "7");
    // And a mode out of range opens on the first option button.
    EXPECT_EQ(OptionIndexForMode(9), 0);
    EXPECT_EQ(OptionIndexForMode(4), 3);
}

}  // namespace
