#include <gtest/gtest.h>

#include <QFile>

#include "TestBank.h"
#include "options/core/OptionsPersistence.h"
#include "options/core/SectionList.h"
#include "shell/core/Settings.h"

using namespace quillet;
using namespace quillet::options;
using quillet::testing::ProgramFolder;

namespace {

SectionTable Table(const std::vector<std::pair<QString, bool>>& labels) {
    SectionTable table;
    table.reset(static_cast<int>(labels.size()));
    int r = 1;
    for (const auto& [label, ask] : labels) {
        SectionInfo& row = table(r);
        row.Section = label;
        row.Description = QStringLiteral("Topic %1").arg(r);
        row.Ask = ask;
        // The element number is deliberately wrong: the list goes by the label.
        row.Test = 9;
        ++r;
    }
    return table;
}

std::vector<int> Rows(const std::vector<SectionRow>& rows) {
    std::vector<int> out;
    for (const SectionRow& row : rows) out.push_back(row.row);
    return out;
}

TEST(OptionsSectionList, SectionsGoToTheTabOfTheirLabelsFirstLetterWhateverItsCase) {
    const SectionTable table = Table({{"T1", true},
                                      {"G1", false},
                                      {"t2", false},
                                      {"", true},
                                      {"X1", true},
                                      {"E1", false},
                                      {"T3", false},
                                      {"a1", true},
                                      {"n1", false}});
    EXPECT_EQ(Rows(SectionsForElement(table, 2)), (std::vector<int>{1, 3, 7}));
    EXPECT_EQ(Rows(SectionsForElement(table, 1)), (std::vector<int>{9}));
    EXPECT_EQ(Rows(SectionsForElement(table, 3)), (std::vector<int>{2}));
    EXPECT_EQ(Rows(SectionsForElement(table, 4)), (std::vector<int>{8}));
    EXPECT_EQ(Rows(SectionsForElement(table, 5)), (std::vector<int>{6}));
    // No element number outside 1..5 has a letter, so nothing is listed (the
    // empty label and "X1" are listed nowhere).
    for (int element : {0, 6, -1})
        EXPECT_TRUE(SectionsForElement(table, element).empty()) << element;

    const std::vector<SectionRow> technician = SectionsForElement(table, 2);
    EXPECT_EQ(technician[0].caption, "Topic 1 (T1)");
    EXPECT_EQ(technician[1].caption, "Topic 3 (t2)");
    EXPECT_TRUE(technician[0].checked);
    EXPECT_FALSE(technician[1].checked);
}

TEST(OptionsSectionList, CaptionKeepsTheTextAsItIs) {
    SectionInfo section;
    section.Description = QStringLiteral("Rules & Regulations");
    section.Section = QStringLiteral("T1");
    EXPECT_EQ(SectionCaption(section), "Rules & Regulations (T1)");
    EXPECT_EQ(SectionCaption(SectionInfo{}), " ()");
}

TEST(OptionsSectionList, AnElementWithMoreSectionsThanBoxesListsItsFirstOnes) {
    std::vector<std::pair<QString, bool>> labels;
    labels.push_back({"G1", false});
    for (int i = 0; i < kSectionBoxCount + 4; ++i)
        labels.push_back({"E" + QString::number(i), false});
    const std::vector<SectionRow> rows = SectionsForElement(Table(labels), 5);
    ASSERT_EQ(rows.size(), static_cast<size_t>(kSectionBoxCount));
    EXPECT_EQ(rows.front().row, 2);
    EXPECT_EQ(rows.back().row, kSectionBoxCount + 1);
}

TEST(OptionsSectionList, ScrollMaximumRoundsHalfStepsToEven) {
    // (content - viewport) / 100, halves to the even neighbour.
    const std::pair<int, int> cases[] = {
        {0, 0},   {49, 0},    {50, 0},  {51, 1},   {149, 1},   {150, 2},   {250, 2},
        {251, 3}, {1085, 11}, {-50, 0}, {-51, -1}, {-150, -2}, {-250, -2}, {-1000, -10},
    };
    for (const auto& [difference, steps] : cases) {
        EXPECT_EQ(ScrollMaximum(2445 + difference, 2445), steps) << difference;
    }
}

TEST(OptionsSectionList, BoxesStackSixtyApartAndTheListStartsOneStepDown) {
    const SectionListLayout layout =
        LayOutSectionList({255, 510, 255, 255, 255, 255, 255, 255}, 2445);
    EXPECT_EQ(layout.tops, (std::vector<int>{240, 555, 1125, 1440, 1755, 2070, 2385, 2700}));
    EXPECT_EQ(layout.contentHeight, 2700 + 255 + 200);
    EXPECT_EQ(layout.scrollMinimum, 0);
    EXPECT_EQ(layout.scrollMaximum, 7);  // 710 twips more than the viewport
    EXPECT_EQ(layout.scrollValue, 1);
    EXPECT_EQ(ContentTop(layout.scrollValue), -100);
}

TEST(OptionsSectionList, ShortAndEmptyListsDoNotScroll) {
    // Content 240 + 2005 + 200 = viewport + 50: half a step rounds down to 0.
    const SectionListLayout halfStep = LayOutSectionList({2005}, 2445 - 50);
    EXPECT_EQ(halfStep.scrollMaximum, 0);
    EXPECT_EQ(halfStep.scrollValue, 0);
    const SectionListLayout justOver = LayOutSectionList({2006}, 2445 - 50);
    EXPECT_EQ(justOver.scrollMaximum, 1);
    EXPECT_EQ(justOver.scrollValue, 1);

    const SectionListLayout shorter = LayOutSectionList({255, 255}, 2445);
    EXPECT_EQ(shorter.tops, (std::vector<int>{240, 555}));
    EXPECT_EQ(shorter.scrollMaximum, 0);
    EXPECT_EQ(shorter.scrollValue, 0);

    const SectionListLayout empty = LayOutSectionList({}, 2445);
    EXPECT_TRUE(empty.tops.empty());
    EXPECT_EQ(empty.contentHeight, 2445);
    EXPECT_EQ(empty.scrollMaximum, 0);
    EXPECT_EQ(empty.scrollValue, 0);
}

// ---------------------------------------------------------------------------

class OptionsPersistence : public ::testing::Test {
protected:
    void SetUp() override {
        folder_.state.sections = Table({{"T1", false}, {"T2", true}, {"G1", false}});
    }
    QString read(const char* section, const QString& key) const {
        return ReadSetting(folder_.state.settingsPath, section, key, "<none>");
    }
    QByteArray file() const {
        QFile f(folder_.state.settingsPath);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    ProgramFolder folder_;
};

TEST_F(OptionsPersistence, UnboundSectionBoxesRecordNothing) {
    for (const char* tag : {"0", "", "-2", "x", "4"}) {
        RecordSectionBox(folder_.state, tag, true);
        RecordSectionBox(folder_.state, tag, false);
    }
    EXPECT_FALSE(QFile::exists(folder_.state.settingsPath));
    EXPECT_FALSE(folder_.state.sections(1).Ask);
    EXPECT_TRUE(folder_.state.sections(2).Ask);
}

TEST_F(OptionsPersistence, BoundSectionBoxRecordsEachClickAtOnce) {
    RecordSectionBox(folder_.state, "3", true);
    EXPECT_TRUE(folder_.state.sections(3).Ask);
    EXPECT_EQ(read("Sections", "Ask3"), "Yes");
    RecordSectionBox(folder_.state, "3", false);
    EXPECT_FALSE(folder_.state.sections(3).Ask);
    EXPECT_EQ(read("Sections", "Ask3"), "No");
    EXPECT_EQ(read("Sections", "Ask1"), "<none>");
}

TEST_F(OptionsPersistence, CloseWritesTheFiveSettingsInOrderAndTakesTheMode) {
    AppState& state = folder_.state;
    state.testMode = 2;
    SaveOptionsOnClose(state, {false, true, false, true}, 3);
    EXPECT_EQ(state.testMode, 4);
    EXPECT_EQ(read("Sound", "OnOrOff"), "OFF");
    EXPECT_EQ(read("Shuffle", "OnOrOff"), "ON");
    EXPECT_EQ(read("DUVBlackBackground", "OnOrOff"), "OFF");
    EXPECT_EQ(read("Figures", "AskWithFigures"), "YES");
    EXPECT_EQ(read("TestMode", "TestMode"), "4");
    // Written one after another into a new file, the sections follow the order
    // of the writes.
    const QByteArray text = file();
    const QList<qsizetype> at = {text.indexOf("[Sound]"), text.indexOf("[Shuffle]"),
                                 text.indexOf("[DUVBlackBackground]"), text.indexOf("[Figures]"),
                                 text.indexOf("[TestMode]")};
    EXPECT_TRUE(std::is_sorted(at.begin(), at.end()) && at.front() >= 0) << text.toStdString();
    EXPECT_EQ(text.indexOf("[Sections]"), -1);

    SaveOptionsOnClose(state, {true, false, true, false}, 0);
    EXPECT_EQ(read("Sound", "OnOrOff"), "ON");
    EXPECT_EQ(read("Figures", "AskWithFigures"), "NO");
    EXPECT_EQ(read("TestMode", "TestMode"), "1");
}

TEST_F(OptionsPersistence, WithNoOptionSelectedTheModeInMemoryIsWrittenAndKeptInRange) {
    AppState& state = folder_.state;
    state.testMode = 3;
    SaveOptionsOnClose(state, {}, -1);
    EXPECT_EQ(read("TestMode", "TestMode"), "3");
    state.testMode = 7;
    SaveOptionsOnClose(state, {}, -1);
    EXPECT_EQ(state.testMode, 1);
    EXPECT_EQ(read("TestMode", "TestMode"), "1");
    EXPECT_EQ(settings::ReadTestMode(state.settingsPath), 1);
}

TEST(OptionsPersistenceOpening, AModeOutOfRangeShowsOnTheFirstButton) {
    EXPECT_EQ(OptionIndexForMode(1), 0);
    EXPECT_EQ(OptionIndexForMode(4), 3);
    EXPECT_EQ(OptionIndexForMode(0), 0);
    EXPECT_EQ(OptionIndexForMode(9), 0);
}

}  // namespace
