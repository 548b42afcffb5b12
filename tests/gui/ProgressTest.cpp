// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
// The progress window through the real windows: a real exam, its results with
// the chance before and after, the progress window's figures, and a review of
// the groups it suggests, started by keyboard.

#include <gtest/gtest.h>

#include <QLabel>

#include "GuiSupport.h"
#include "app/Screens.h"
#include "engine/core/QuestionList.h"
#include "engine/core/Readiness.h"
#include "shell/core/QuestionBank.h"
#include "shell/core/Settings.h"
#include "ui/gui/MainMenu.h"
#include "ui/gui/Rollover.h"

using namespace quillet;
using namespace quillet::testing;

namespace {

// Technician with 35 groups of two questions, in the real-exam mode.
struct ExamProgram {
    ProgramFolder folder;
    std::unique_ptr<MainMenu> menu;
    MessageCloser messages;

    ExamProgram() {
        const qbank::BankContent bank = TechnicianGroupsBank();
        EXPECT_TRUE(folder.writeBank(bank));
        WriteSetting(folder.session.settingsPath, "TestMode", "TestMode", "5");
        menu = std::make_unique<MainMenu>(folder.session, folder.options, folder.services,
                                          DefaultScreens(folder.program));
    }
};

QString Text(QWidget* window, const char* name) {
    auto* label = window->findChild<QLabel*>(name);
    return label && label->isVisible() ? label->text() : QStringLiteral("(none)");
}

}  // namespace

TEST(ProgressRoad, AnExamItsChanceAndAReviewOfTheGroupsThatRaiseItMost) {
    ExamProgram program;
    Session& session = program.folder.session;
    QString plotText, focusedName, chanceLine, headline, expected, firstGroup, sectionName, caption,
        headlineAfter;
    Readiness model;
    QStringList reviewed;
    bool reviewSeen = false;
    QTimer::singleShot(0, [&] {
        WhenModal("TakeTest", [&](QWidget* test) {
            for (int i = 0; i < 35; ++i) ClickAnswer(test, i < 28);
        });
        WhenModal("TestResults", [&](QWidget* results) {
            chanceLine = Text(results, "lblChanceLine");
            WhenModal("Progress", [&](QWidget* progress) {
                model = ReadinessFor(session, 2);
                headline = Text(progress, "lblChance");
                expected = Text(progress, "lblExpected");
                firstGroup = Text(progress, "lblGroup0");
                sectionName = progress->findChild<QLabel*>("lblSectionName0")->accessibleName();
                plotText = progress->findChild<QWidget*>("picHistory")->accessibleDescription();
                WhenModal("TakeTest", [&](QWidget* test) {
                    reviewSeen = true;
                    caption = Text(test, "lblTestType");
                    auto* exam = qobject_cast<ExamWindow*>(test);
                    while (test->isVisible() && exam->test().currentQuestion()) {
                        reviewed << exam->test().currentQuestion()->poolQuestionId;
                        ClickAnswer(test, true);
                    }
                    WhenModal("Progress", [&](QWidget* again) {
                        headlineAfter = Text(again, "lblChance");
                        QTest::keyClick(again, Qt::Key_Escape);
                        WhenModal("TestResults", [&](QWidget* results) {
                            ClickChild(results, "RollOverPicture0");
                            QTimer::singleShot(0, [&] { program.menu->exitProgram(); });
                        });
                    });
                });
                // By keyboard: past the element's tab to the first "Study these".
                progress->activateWindow();
                EXPECT_TRUE(QTest::qWaitForWindowActive(progress));
                QTest::keyClick(progress, Qt::Key_Tab);
                QTest::keyClick(progress, Qt::Key_Tab);
                QWidget* focused = QApplication::focusWidget();
                focusedName = focused ? focused->objectName() : QStringLiteral("(none)");
                if (focusedName == "lblStudy0") {
                    QTest::keyClick(focused, Qt::Key_Return);
                    return;
                }
                // The keyboard went astray: leave without hanging.
                progress->close();
                WhenModal("TestResults", [&](QWidget* results) {
                    ClickChild(results, "RollOverPicture0");
                    QTimer::singleShot(0, [&] { program.menu->exitProgram(); });
                });
            });
            ClickChild(results, "lblLink0");
        });
        QLabel* item = program.menu->menu()->item(1);
        QTest::mouseClick(item, Qt::LeftButton, {}, item->rect().center());
    });
    program.menu->exec();

    // Before the exam every group was a guess; after it, 28 groups hold one
    // question known and 7 one question missed.
    std::vector<double> p(35, 0.125);
    std::fill(p.begin(), p.begin() + 28, 0.625);
    EXPECT_EQ(chanceLine,
              ChanceChangeLine(PassChance(std::vector<double>(35, 0.25), 26), PassChance(p, 26)));
    ASSERT_TRUE(model.available);
    EXPECT_NEAR(model.passChance, PassChance(p, 26), 1e-12);
    EXPECT_EQ(headline, ChanceHeadline(model));
    EXPECT_EQ(expected, "Technician: " + ExpectedScoreLine(model));
    EXPECT_EQ(expected, "Technician: expected 18.4 of 35, 26 needed");
    const GroupStanding* best = model.bestGroups(5).front();
    EXPECT_EQ(best->right, 0);
    EXPECT_EQ(best->missed, 1);
    EXPECT_EQ(firstGroup, GroupLine(*best));
    EXPECT_EQ(sectionName, SectionLine(model.sections.front()));
    // The plot reads as a sentence: one day of study so far.
    EXPECT_TRUE(plotText.startsWith("Chance of passing after 1 day of study: " +
                                    ChanceText(model.passChance)))
        << plotText.toStdString();

    // The review asked that group's missed question, then its unseen one.
    EXPECT_EQ(focusedName, "lblStudy0");
    ASSERT_TRUE(reviewSeen);
    EXPECT_EQ(caption, "Review: 0 due, 1 missed, 1 new");
    ASSERT_EQ(reviewed.size(), 2);
    EXPECT_EQ(QuestionGroup(reviewed[0]), best->group);
    EXPECT_EQ(QuestionGroup(reviewed[1]), best->group);
    std::vector<double> after = p;
    after[size_t(std::find_if(model.groups.begin(), model.groups.end(),
                              [&](const GroupStanding& g) { return g.group == best->group; }) -
                 model.groups.begin())] = 1.0;
    EXPECT_EQ(headlineAfter,
              "Chance of passing the real exam today: " + ChanceText(PassChance(after, 26)));
    EXPECT_TRUE(session.reviewGroups.isEmpty());
}
