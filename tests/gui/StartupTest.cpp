// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include <gtest/gtest.h>

#include <QChildEvent>
#include <QElapsedTimer>
#include <QLabel>
#include <QScreen>
#include <QWindow>

#include "GuiSupport.h"
#include "app/BlackBackground.h"
#include "app/Screens.h"
#include "shell/core/Settings.h"
#include "shell/gui/Look.h"
#include "ui/gui/MainMenu.h"

using namespace quillet;
using namespace quillet::testing;

namespace {

// Calls `onAdded` for each child added to `watched`, as it is added.
class ChildWatch : public QObject {
public:
    ChildWatch(QObject* watched, std::function<void(QObject*)> onAdded)
        : onAdded_(std::move(onAdded)) {
        watched->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::ChildAdded)
            onAdded_(static_cast<QChildEvent*>(event)->child());
        return false;
    }

private:
    std::function<void(QObject*)> onAdded_;
};

TEST(BlackBackground, CoversTheScreenUnlessTurnedOff) {
    ProgramFolder folder;
    {
        BlackBackground background(folder.program);
        EXPECT_TRUE(folder.options.blackBackgroundOn) << "no settings file: on";
        EXPECT_EQ(background.palette().color(QPalette::Window), QColor(0, 0, 0));
        EXPECT_TRUE(background.windowFlags() & Qt::FramelessWindowHint);
    }
    WriteSetting(folder.session.settingsPath, "DUVBlackBackground", "OnOrOff", "Off");
    BlackBackground background(folder.program);
    EXPECT_FALSE(folder.options.blackBackgroundOn);
    EXPECT_LE(background.width(), 1);
    EXPECT_LE(background.height(), 1);
}

// The whole start: background, splash for its time, then the main menu; "Exit"
// closes everything and the background reports the end of the program.
TEST(Startup, SplashThenMainMenuThenExit) {
    ProgramFolder folder;
    ASSERT_TRUE(folder.writeBank(Sections(3)));
    WriteSetting(folder.session.settingsPath, "DUVBlackBackground", "OnOrOff", "OFF");
    WriteSetting(folder.session.settingsPath, "TestMode", "TestMode", "2");

    BlackBackground background(folder.program, 300);
    bool finished = false;
    QObject::connect(&background, &BlackBackground::programFinished, [&] { finished = true; });

    // The main menu is built as a child of the background; the moment it is
    // added, the splash must still be up. Checked there rather than by polling,
    // because a slow machine may finish loading and reach the splash's end in
    // one pass of the event loop.
    bool menuLoadedWhileSplashUp = false;
    ChildWatch watch(&background, [&](QObject* child) {
        auto* splash = background.findChild<QWidget*>(QStringLiteral("splash"));
        if (child != splash && splash && splash->isVisible()) menuLoadedWhileSplashUp = true;
    });

    QElapsedTimer clock;
    bool splashSeen = false;
    bool pictureDrawn = false;
    qint64 menuAfterMs = -1;
    WhenModal("splash", [&](QWidget* splash) {
        splashSeen = splash->isVisible() && splash->contentsRect().size() == QSize(440, 330);
        // Its picture is decoded on another thread while the background shows.
        const QImage picture = ReadPngImage(QStringLiteral(":/splash.png"));
        const QImage drawn = splash->grab(splash->contentsRect()).toImage();
        pictureDrawn = !picture.isNull() && drawn.convertToFormat(QImage::Format_RGB32) ==
                                                picture.convertToFormat(QImage::Format_RGB32);
        WhenModal("MainMenu", [&](QWidget* menu) {
            menuAfterMs = clock.elapsed();
            ClickChild(menu, "lblAnswer5");
        });
    });
    clock.start();
    background.showAsSet();
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished; }, 10000));

    EXPECT_TRUE(splashSeen);
    EXPECT_TRUE(pictureDrawn);
    EXPECT_TRUE(menuLoadedWhileSplashUp);
    EXPECT_GE(menuAfterMs, 300) << "the splash stays up for its whole time";
    EXPECT_EQ(folder.options.testMode, 2) << "the main menu's load read the settings";
    EXPECT_EQ(folder.session.sections.count(), 3);
    EXPECT_TRUE(folder.fatal.calls.empty());
}

// The picture is on screen before the display time starts and before the
// main menu's loading holds the program; Escape does not cut it short.
TEST(Splash, ShowsItsPictureThenStartsItsTimeThenLoadsAndIgnoresEscape) {
    QElapsedTimer clock;
    bool exposedWhenLoading = false;
    bool timerRunningWhenLoading = false;
    Splash* shown = nullptr;
    Splash splash(
        [&] {
            exposedWhenLoading = shown->windowHandle() && shown->windowHandle()->isExposed();
            timerRunningWhenLoading = shown->findChild<QTimer*>("Timer1")->isActive();
            QTest::keyClick(shown, Qt::Key_Escape);
            QTest::qWait(50);  // loading takes a while
        },
        200);
    shown = &splash;
    EXPECT_FALSE(splash.findChild<QTimer*>("Timer1")->isActive()) << "not before it is seen";
    EXPECT_EQ(splash.windowFlags() & Qt::WindowTitleHint, Qt::WindowFlags{});
    EXPECT_GT(splash.width(), splash.contentsRect().width()) << "a thin edge around the picture";
    EXPECT_LE(splash.width() - splash.contentsRect().width(), 8);

    QTimer::singleShot(100, [&] { QTest::keyClick(&splash, Qt::Key_Escape); });
    clock.start();
    EXPECT_EQ(splash.exec(), QDialog::Accepted);
    EXPECT_GE(clock.elapsed(), 200) << "Escape did not close it early";
    EXPECT_TRUE(exposedWhenLoading);
    EXPECT_TRUE(timerRunningWhenLoading);
}

TEST(Startup, MissingBankEndsWithTheCriticalMessage) {
    ProgramFolder folder;
    BlackBackground background(folder.program, 50);
    bool finished = false;
    QObject::connect(&background, &BlackBackground::programFinished, [&] { finished = true; });
    background.showAsSet();
    EXPECT_EQ(background.geometry(), background.screen()->geometry()) << "all of the screen";
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished; }, 5000));
    ASSERT_EQ(folder.fatal.calls.size(), 1u);
    EXPECT_EQ(folder.fatal.calls[0].first, "Critical Error");
    EXPECT_EQ(folder.fatal.calls[0].second,
              "Critical Error:  The database was not found.  Exiting.");
}

TEST(MainMenu, BankDeletedWhileOpenEndsAtTheNextActivation) {
    ProgramFolder folder;
    ASSERT_TRUE(folder.writeBank(Sections(2)));
    MainMenu menu(folder.session, folder.options, folder.services, DefaultScreens(folder.program));
    ASSERT_TRUE(menu.loaded());
    QTimer::singleShot(0, [&] {
        QFile::remove(folder.file("quillet.dat"));
        // Another window takes the focus and gives it back.
        QWidget other;
        other.show();
        other.activateWindow();
        QTest::qWait(50);
        other.close();
        menu.activateWindow();
    });
    menu.exec();
    ASSERT_EQ(folder.fatal.calls.size(), 1u);
    EXPECT_EQ(folder.fatal.calls[0].second,
              "Critical Error:  The database was not found.  Exiting.");
}

TEST(MainMenu, ClosingTheWindowEndsLikeExit) {
    ProgramFolder folder;
    ASSERT_TRUE(folder.writeBank(Sections(2)));
    MainMenu menu(folder.session, folder.options, folder.services, DefaultScreens(folder.program));
    QTimer::singleShot(0, [&] { menu.close(); });
    EXPECT_EQ(menu.exec(), QDialog::Accepted);
    EXPECT_TRUE(folder.fatal.calls.empty());
}

}  // namespace
