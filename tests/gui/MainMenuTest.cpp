// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include <gtest/gtest.h>

#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>

#include "GuiSupport.h"
#include "app/Screens.h"
#include "results/gui/ResultsWindow.h"
#include "shell/core/ExamMode.h"
#include "shell/core/Settings.h"
#include "ui/gui/Info.h"
#include "ui/gui/MainMenu.h"
#include "ui/gui/Rollover.h"

using namespace quillet;
using namespace quillet::testing;

namespace {

// Clicks the menu item `index` of the main menu once it is up.
void ClickItem(MainMenu& menu, int index) {
    QLabel* item = menu.menu()->item(index);
    QTest::mouseClick(item, Qt::LeftButton, {}, item->rect().center());
}

TEST(MainMenu, ElementWithoutChosenSectionsShowsTheMessageAndNothingElse) {
    ProgramFolder folder;
    auto content = Sections(4);
    content.sections[3].test = 3;
    ASSERT_TRUE(folder.writeBank(content));
    WriteSetting(folder.session.settingsPath, "Sections", "Ask4", "Yes");  // element 3 only

    int testsOpened = 0;
    Screens screens;
    screens.test = [&](QWidget*) {
        ++testsOpened;
        return FinishedTest{};
    };
    MainMenu menu(folder.session, folder.options, folder.services, screens);
    ASSERT_TRUE(menu.loaded());

    QString message;
    bool panelUpDuringMessage = false;
    QTimer::singleShot(0, [&] {
        WhenModal("myMsgBox", [&](QWidget* box) {
            message = box->findChild<QLabel*>("Label1")->text();
            panelUpDuringMessage = menu.findChild<QWidget*>("picPreparing")->isVisible();
            ClickChild(box, "lblAnswer0");
            QTimer::singleShot(0, [&] { menu.exitProgram(); });
        });
        ClickItem(menu, 1);  // Technician Class - Element 2
    });
    menu.exec();
    EXPECT_EQ(message.toStdString(),
              "You have not selected any SECTIONS to be tested on.  Please go into the test "
              "options screen and select some.");
    EXPECT_TRUE(panelUpDuringMessage);
    EXPECT_FALSE(menu.findChild<QWidget*>("picPreparing")->isVisible());
    EXPECT_EQ(testsOpened, 0);
    EXPECT_EQ(folder.session.currentElement, 2);
}

// No key ends the program or opens a screen: Escape in particular must not
// close the dialog behind the back of the orderly exit.
TEST(MainMenu, KeysNeitherCloseTheMenuNorOpenAScreen) {
    ProgramFolder folder;
    ASSERT_TRUE(folder.writeBank(Sections(2)));
    int screensOpened = 0;
    const auto count = [&](QWidget*) { ++screensOpened; };
    Screens screens{[&](QWidget* parent) {
                        count(parent);
                        return FinishedTest{};
                    },
                    [&](const FinishedTest&, QWidget* parent) { count(parent); },
                    count,
                    count,
                    count,
                    [&](int, QWidget* parent) { count(parent); }};
    MainMenu menu(folder.session, folder.options, folder.services, screens);
    ASSERT_TRUE(menu.loaded());

    bool openAfterKeys = false;
    QTimer::singleShot(0, [&] {
        for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space,
                                  Qt::Key_E, Qt::Key_1, Qt::Key_Tab}) {
            QTest::keyClick(&menu, key);
        }
        openAfterKeys = menu.isVisible();
        ClickItem(menu, 5);  // Exit
    });
    EXPECT_EQ(menu.exec(), QDialog::Accepted) << "only Exit ended the menu";
    EXPECT_TRUE(openAfterKeys);
    EXPECT_EQ(screensOpened, 0);
}

TEST(MainMenu, ItemsAndColours) {
    ProgramFolder folder;
    ASSERT_TRUE(folder.writeBank(Sections(1)));
    MainMenu menu(folder.session, folder.options, folder.services, Screens{});
    const QStringList captions = {"Novice Class - not examined",
                                  "Technician Class - Element 2",
                                  "General Class - Element 3",
                                  "Advanced Class - not examined",
                                  "Extra Class - Element 4",
                                  "Exit",
                                  "Test and Program Options",
                                  "General Information",
                                  "Progress",
                                  "Read the Pool"};
    ASSERT_EQ(menu.menu()->count(), 10);
    for (int i = 0; i < 10; ++i) {
        QLabel* item = menu.findChild<QLabel*>(QStringLiteral("lblAnswer%1").arg(i));
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->text(), captions[i]);
        EXPECT_EQ(menu.menu()->colour(i), QColor(128, 128, 255));
    }
    EXPECT_EQ(menu.findChild<QLabel*>("lblAnswer5")->pos(), QPoint(3420 / 15, 6120 / 15));
    EXPECT_EQ(menu.findChild<QLabel*>("Label2")->text(), "version 3.01");
    EXPECT_FALSE(menu.findChild<QWidget*>("picPreparing")->isVisible());
}

TEST(ResultsWindow, ShowsTheElementsRowsCheersAndClosesByBack) {
    ProgramFolder folder;
    auto content = Sections(12);
    for (auto& s : content.sections) s.test = 5;
    content.sections[0].test = 2;                          // not part of the report
    content.sections[1].description = "<b>Section</b> 2";  // shown as written, not as markup
    ASSERT_TRUE(folder.writeBank(content));
    for (const char* wav : {"applause.wav", "clap.wav"}) {
        QFile f(folder.file(wav));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    MainMenu menu(folder.session, folder.options, folder.services, Screens{});
    folder.options.soundOn = true;
    FinishedTest test{5, kModeEachOnce, folder.session.sections, false};
    // 11 sections of element 5: 28 of 30 asked over the first three.
    test.scores(2).AskedCount = 10;
    test.scores(2).CorrectCount = 10;
    test.scores(3).AskedCount = 10;
    test.scores(3).CorrectCount = 9;
    test.scores(4).AskedCount = 10;
    test.scores(4).CorrectCount = 9;
    test.scores(1).AskedCount = 50;  // another element's section

    ResultsWindow results(folder.session, test, folder.sounds);
    EXPECT_EQ(results.findChild<QLabel*>("Label2")->text(), "93%");
    EXPECT_EQ(folder.sound.played, QStringList{folder.file("applause.wav")});
    auto* scroll = results.findChild<QScrollBar*>("VScroll1");
    EXPECT_FALSE(scroll->isHidden());
    EXPECT_EQ(scroll->minimum(), 1);
    EXPECT_EQ(scroll->maximum(), 2);
    EXPECT_EQ(results.findChild<QLabel*>("percentLabel0")->text(), "100% (10 of 10)");
    EXPECT_EQ(results.findChild<QLabel*>("percentLabel3")->text(), "NOT TESTED");
    auto* name = results.findChild<QLabel*>("lblSectionName0");
    EXPECT_EQ(name->text(), "T2 - <b>Section</b> 2");
    EXPECT_EQ(name->textFormat(), Qt::PlainText);

    scroll->setValue(2);
    EXPECT_EQ(results.findChild<QLabel*>("lblSectionName0")->text(), "T3 - Section 3");
    EXPECT_EQ(results.findChild<QLabel*>("percentLabel0")->text(), "90% (9 of 10)");

    // BACK closes the screen.
    results.show();
    QWidget* back = results.findChild<QWidget*>("RollOverPicture0");
    ASSERT_NE(back, nullptr);
    QTest::mouseClick(back, Qt::LeftButton, {}, back->rect().center());
    EXPECT_FALSE(results.isVisible());
    EXPECT_EQ(results.result(), QDialog::Accepted);
}

TEST(ResultsWindow, ClapAboveThePassMarkAndSilenceWithSoundsOff) {
    ProgramFolder folder;
    ASSERT_TRUE(folder.writeBank(Sections(2)));
    for (const char* wav : {"applause.wav", "clap.wav"}) {
        QFile f(folder.file(wav));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    MainMenu menu(folder.session, folder.options, folder.services, Screens{});
    FinishedTest test{2, kModeEachOnce, folder.session.sections, false};
    test.scores(1).AskedCount = 30;
    test.scores(1).CorrectCount = 27;
    folder.options.soundOn = true;
    { ResultsWindow results(folder.session, test, folder.sounds); }
    EXPECT_EQ(folder.sound.played, QStringList{folder.file("clap.wav")});
    folder.options.soundOn = false;
    { ResultsWindow results(folder.session, test, folder.sounds); }
    EXPECT_EQ(folder.sound.played.size(), 1);
}

}  // namespace

namespace {

TEST(MainMenu, GeneralInformationOpensTheInformationWindowOnItsDisclaimer) {
    ProgramFolder folder;
    ASSERT_TRUE(folder.writeBank(Sections(1)));
    MainMenu menu(folder.session, folder.options, folder.services, DefaultScreens(folder.program));
    int pageShown = -1;
    QTimer::singleShot(0, [&] {
        WhenModal("Info", [&](QWidget* info) {
            pageShown = static_cast<Info*>(info)->pageShown();
            ClickChild(info, "lblAnswer8");
            QTimer::singleShot(0, [&] { menu.exitProgram(); });
        });
        ClickItem(menu, 7);
    });
    menu.exec();
    EXPECT_EQ(pageShown, 0) << "the disclaimer";
}

}  // namespace

namespace {

TEST(MainMenu, OptionsItemOpensTheOptionsScreenAndItsChoicesTakeEffect) {
    ProgramFolder folder;
    ASSERT_TRUE(folder.writeBank(Sections(2)));
    MainMenu menu(folder.session, folder.options, folder.services, DefaultScreens(folder.program));
    bool opened = false;
    QTimer::singleShot(0, [&] {
        WhenModal("TestOptions", [&](QWidget* options) {
            opened = true;
            ClickChild(options, "optBut1");  // the test options page
            auto* simulated = options->findChild<QRadioButton*>("Option13");
            QTest::mouseClick(simulated, Qt::LeftButton, {}, QPoint(5, simulated->height() / 2));
            ClickChild(options, "optBut2");  // the program options page
            ClickChild(options, "chkSound");
            ClickChild(options, "RollOverPicture0");  // BACK
            QTimer::singleShot(0, [&] { menu.exitProgram(); });
        });
        ClickItem(menu, 6);
    });
    menu.exec();
    EXPECT_TRUE(opened);
    // The choices hold for this run and are saved for the next.
    EXPECT_EQ(folder.options.testMode, kModeSimulatedExam);
    EXPECT_FALSE(folder.options.soundOn);
    EXPECT_EQ(ReadSetting(folder.session.settingsPath, "TestMode", "TestMode", "-"), "4");
    EXPECT_EQ(ReadSetting(folder.session.settingsPath, "Sound", "OnOrOff", "-").toUpper(), "OFF");
}

}  // namespace
