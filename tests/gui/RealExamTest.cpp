// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
// A whole real exam through the real windows: main menu, the pool warning,
// the test screen and the results screen with its pass line and pool line.

#include <gtest/gtest.h>

#include <QLabel>

#include "GuiSupport.h"
#include "app/Screens.h"
#include "shell/core/Settings.h"
#include "ui/gui/MainMenu.h"
#include "ui/gui/Rollover.h"

using namespace quillet;
using namespace quillet::testing;

namespace {

struct FixedClock : Clock {
    QDate day;
    QDate today() const override { return day; }
};

// Technician in two sections with 35 groups of two questions, none of the
// sections chosen, in the real-exam mode.
struct RealExamProgram {
    ProgramFolder folder;
    FixedClock clock;
    std::unique_ptr<MainMenu> menu;
    MessageCloser messages;  // feedback and warnings, closed with "Ok" as they come

    explicit RealExamProgram(const QDate& today) {
        const qbank::BankContent bank = TechnicianGroupsBank();
        EXPECT_TRUE(folder.writeBank(bank));
        WriteSetting(folder.session.settingsPath, "TestMode", "TestMode", "5");
        clock.day = today;
        folder.services.clock = &clock;
        menu = std::make_unique<MainMenu>(folder.session, folder.options, folder.services,
                                          DefaultScreens(folder.program));
    }

    void startTechnicianTest() {
        QLabel* item = menu->menu()->item(1);
        QTest::mouseClick(item, Qt::LeftButton, {}, item->rect().center());
    }
};

}  // namespace

TEST(RealExamRoad, WholeTechnicianExamFromTheMainMenuPassesAtTheRealMark) {
    for (const int right : {26, 25}) {
        // A day after the pool's end: the warning comes before the test.
        RealExamProgram program(QDate(2030, 7, 1));
        QStringList progress, questions;
        QString caption, passLine, poolLine;
        bool skipShown = true;
        bool resultsSeen = false;
        QTimer::singleShot(0, [&] {
            WhenModal("TakeTest", [&](QWidget* test) {
                caption = test->findChild<QLabel*>("lblTestType")->text();
                skipShown = test->findChild<QWidget*>("RollOverPicture2") &&
                            test->findChild<QWidget*>("RollOverPicture2")->isVisible();
                for (int i = 0; i < 35; ++i) {
                    progress << test->findChild<QLabel*>("lblQText1")->text();
                    questions << test->findChild<QLabel*>("lblQuestion")->text();
                    ClickAnswer(test, i < right);
                }
            });
            WhenModal("TestResults", [&](QWidget* results) {
                resultsSeen = true;
                passLine = results->findChild<QLabel*>("lblPassLine")->text();
                poolLine = results->findChild<QLabel*>("lblPoolLine")->text();
                ClickChild(results, "RollOverPicture0");
                QTimer::singleShot(0, [&] { program.menu->exitProgram(); });
            });
            program.startTechnicianTest();
        });
        program.menu->exec();

        ASSERT_TRUE(resultsSeen) << right;
        EXPECT_EQ(caption, "Real exam: one question per group");
        EXPECT_FALSE(skipShown);
        ASSERT_EQ(progress.size(), 35);
        EXPECT_EQ(progress.first(), "1 of 35");
        EXPECT_EQ(progress.last(), "35 of 35");
        EXPECT_EQ(questions.removeDuplicates(), 0);
        // Only the pool warning: no verdict after any answer.
        ASSERT_EQ(program.messages.texts.size(), 1);
        EXPECT_TRUE(
            program.messages.texts[0].contains("technician-2026-2030, is no longer in force"));
        EXPECT_EQ(passLine,
                  right == 26 ? "PASSED: 26 of 35 (26 needed)" : "NOT YET: 25 of 35 (26 needed)");
        // The exam's answers are in the study record: its right ones, of the
        // 70 questions of the pool.
        EXPECT_EQ(poolLine, QString("POOL: %1 of 70 right at your latest try").arg(right));
    }
}
