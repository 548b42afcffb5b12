// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include <gtest/gtest.h>

#include <QCursor>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "shell/core/Program.h"
#include "support/PrintQString.h"
#include "support/RecordingSound.h"
#include "ui/gui/Rollover.h"

using namespace quillet;

namespace {

const MenuColours kColours{QColor(128, 128, 255), QColor(255, 255, 128), QColor(255, 128, 0)};

void PointAt(const QWidget* widget, QPoint pos = {}) {
    QCursor::setPos(widget->mapToGlobal(pos.isNull() ? widget->rect().center() : pos));
    QCoreApplication::processEvents();
}

// A screen with two menu items and a picture button (gray, yellow when rolled),
// and another window: moving the pointer there reaches the screen through its
// timers only.
class RolloverScreen : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QFile(dir_.filePath("whoosh.wav")).open(QIODevice::WriteOnly));
        program_.session.programDir = dir_.path();
        program_.services.sound = &sound_;
        for (int i = 0; i < 2; ++i)
            menu_->addItem(&window_, "Item")->setGeometry(20, 90 + 35 * i, 100, 30);
        menu_->addBackground(&window_);
        QPixmap gray(50, 50), yellow(50, 50);
        gray.fill(Qt::gray);
        yellow.fill(Qt::yellow);
        pictures_->addButton(&window_, QRect(20, 20, 50, 50), gray, yellow, QPixmap());
        pictures_->loadButtons();
        elsewhere_.setGeometry(0, 0, 100, 100);
        window_.setGeometry(400, 300, 300, 200);
        elsewhere_.show();
        window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
    }
    void TearDown() override { PointAt(&elsewhere_); }

    QLabel* item(int i) const { return window_.findChild<QLabel*>(QString("lblAnswer%1").arg(i)); }
    QColor colour(int i) const { return item(i)->palette().color(QPalette::WindowText); }
    PictureButton* button() const { return window_.findChild<PictureButton*>("RollOverPicture0"); }

    QTemporaryDir dir_;
    RecordingSound sound_;
    Program program_;
    QWidget elsewhere_;
    QWidget window_;
    MenuItems* menu_ = new MenuItems(&window_, "lblAnswer", kColours);
    PictureButtons* pictures_ = new PictureButtons(program_.sounds, &window_, false);
};

TEST_F(RolloverScreen, MenuItemsFollowThePointer) {
    QSignalSpy clicks(menu_, &MenuItems::clicked);
    PointAt(item(0));
    PointAt(item(1));
    EXPECT_EQ(colour(0), kColours.normal);
    EXPECT_EQ(colour(1), kColours.hover);
    QTest::mouseClick(item(1), Qt::LeftButton);
    EXPECT_EQ(colour(1), kColours.pressed);
    PointAt(&window_, QPoint(250, 150));  // the background
    EXPECT_EQ(colour(1), kColours.normal);
    // Released away from the pressed item: no click.
    QTest::mousePress(item(0), Qt::LeftButton);
    QTest::mouseRelease(item(0), Qt::LeftButton, {}, QPoint(150, 15));
    EXPECT_EQ(clicks, QList<QList<QVariant>>{{1}});
    // Any mouse button gives the pressed look; only the left one clicks.
    PointAt(item(0));
    QTest::mouseClick(item(0), Qt::RightButton);
    EXPECT_EQ(colour(0), kColours.pressed);
    EXPECT_EQ(clicks.size(), 1);

    // Straight out of the window from an item: the timer resets within a tick,
    // and leaves the look alone while the pointer stays over the window.
    PointAt(item(0));
    PointAt(&elsewhere_);
    EXPECT_TRUE(QTest::qWaitFor([&] { return colour(0) == kColours.normal; }, 200));
    PointAt(item(0));
    QTest::qWait(120);
    EXPECT_EQ(colour(0), kColours.hover);
}

TEST_F(RolloverScreen, PictureButtonFollowsThePointerThroughItsTimer) {
    QSignalSpy clicks(pictures_, &PictureButtons::clicked);
    auto shown = [this] { return button()->grab().toImage().pixelColor(25, 25); };
    auto waitForState = [this](PictureState want) {
        return QTest::qWaitFor([&] { return button()->state() == want; }, 300);
    };
    PointAt(button());
    ASSERT_TRUE(waitForState(PictureState::Hover));
    EXPECT_EQ(shown(), QColor(Qt::yellow));
    EXPECT_EQ(sound_.played.size(), 1);
    QTest::mouseClick(button(), Qt::LeftButton);
    QTest::mouseDClick(button(), Qt::LeftButton);  // the second half of a double click
    QTest::mouseRelease(button(), Qt::LeftButton);
    EXPECT_EQ(clicks.size(), 1);
    ASSERT_TRUE(waitForState(PictureState::Hover));
    // A right press shows the pressed picture and its release waits for the
    // timer like any other, but it is not a click.
    QTest::mousePress(button(), Qt::RightButton);
    EXPECT_EQ(button()->state(), PictureState::Pressed);
    EXPECT_EQ(button()->shownImage(), PictureImage::Clicked);
    QTest::mouseRelease(button(), Qt::RightButton);
    EXPECT_EQ(button()->state(), PictureState::Released);
    EXPECT_EQ(clicks.size(), 1);
    ASSERT_TRUE(waitForState(PictureState::Hover));
    PointAt(&elsewhere_);
    ASSERT_TRUE(waitForState(PictureState::Normal));
    EXPECT_EQ(shown(), QColor(Qt::gray));
    EXPECT_EQ(sound_.played.size(), 1);
}

TEST_F(RolloverScreen, KeyboardFocusShowsTheHoverLookAndKeysClick) {
    QSignalSpy clicks(menu_, &MenuItems::clicked);
    QSignalSpy pictureClicks(pictures_, &PictureButtons::clicked);
    PointAt(&elsewhere_);
    window_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    auto key = [](Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), k, m);
    };
    auto waitForState = [this](PictureState want) {
        return QTest::qWaitFor([&] { return button()->state() == want; }, 300);
    };

    // Nothing is focused until the keyboard moves.
    QTest::qWait(120);
    EXPECT_EQ(colour(0), kColours.normal);
    EXPECT_EQ(button()->state(), PictureState::Normal);

    // The focus look outlasts the reset timer with the pointer outside.
    key(Qt::Key_Tab);
    EXPECT_EQ(colour(0), kColours.hover);
    QTest::qWait(120);
    EXPECT_EQ(colour(0), kColours.hover);
    key(Qt::Key_Down);
    EXPECT_EQ(colour(0), kColours.normal);
    EXPECT_EQ(colour(1), kColours.hover);
    // After the click the item shows the focus again, not the pressed colour,
    // and no other item keeps it.
    key(Qt::Key_Space);
    EXPECT_EQ(clicks, QList<QList<QVariant>>{{1}});
    EXPECT_EQ(colour(1), kColours.hover);
    key(Qt::Key_Up);
    key(Qt::Key_Return);
    EXPECT_EQ(colour(0), kColours.hover);
    EXPECT_EQ(colour(1), kColours.normal);
    key(Qt::Key_Down);

    // A focused picture button rolls over, with its whoosh, and Enter takes
    // the mouse's path: the pressed picture, the action, then the rolled one
    // again without a sound.
    key(Qt::Key_Tab);
    ASSERT_TRUE(waitForState(PictureState::Hover));
    EXPECT_EQ(sound_.played.size(), 1);
    key(Qt::Key_Return);
    EXPECT_EQ(pictureClicks.size(), 1);
    EXPECT_EQ(button()->state(), PictureState::Released);
    ASSERT_TRUE(waitForState(PictureState::Hover));
    EXPECT_EQ(sound_.played.size(), 1);
    key(Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_TRUE(waitForState(PictureState::Normal));
    EXPECT_EQ(colour(1), kColours.hover);

    // The pointer over another item takes the hover look from the focused one;
    // a click beside the controls takes the focus away.
    PointAt(item(0));
    EXPECT_EQ(colour(0), kColours.hover);
    EXPECT_EQ(colour(1), kColours.normal);
    QTest::mouseClick(&window_, Qt::LeftButton, {}, QPoint(250, 150));
    PointAt(&elsewhere_);
    EXPECT_TRUE(QTest::qWaitFor([&] { return colour(0) == kColours.normal; }, 200));
    EXPECT_EQ(colour(1), kColours.normal);
}

}  // namespace

namespace {

// The window system is asked where the pointer is at most once per tick for
// the whole window, and not at all when the answer cannot change a look.
TEST_F(RolloverScreen, PointerIsAskedOncePerTickAndOnlyWhenItMatters) {
    PointerProbe* probe = menu_->probe();
    ASSERT_EQ(probe, pictures_->probe());
    int asks = 0;
    probe->setPointerSource([&] {
        ++asks;
        return QCursor::pos();
    });

    PointAt(item(0));
    ASSERT_TRUE(QTest::qWaitFor([&] { return asks >= 3; }, 1000));
    asks = 0;
    for (int i = 0; i < 4; ++i) probe->tick();
    EXPECT_EQ(asks, 4);  // menu items and picture button share each answer
    EXPECT_EQ(colour(0), kColours.hover);

    // Out of the window: the hovered item settles without a question, then the
    // tick rests until the pointer comes back.
    PointAt(&elsewhere_);
    asks = 0;
    EXPECT_TRUE(QTest::qWaitFor([&] { return !probe->ticking(); }, 500));
    EXPECT_EQ(colour(0), kColours.normal);
    probe->tick();
    EXPECT_EQ(asks, 0);

    // A modal window over the screen: the pressed item settles at once and
    // nothing is asked until the modal window has gone.
    PointAt(item(1));
    QTest::mouseClick(item(1), Qt::LeftButton);
    ASSERT_EQ(colour(1), kColours.pressed);
    QWidget modal;
    modal.setWindowModality(Qt::ApplicationModal);
    modal.setGeometry(600, 300, 50, 50);
    modal.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&modal));
    EXPECT_EQ(colour(1), kColours.normal);
    asks = 0;
    QTest::qWait(150);
    probe->tick();
    EXPECT_EQ(asks, 0);
    EXPECT_FALSE(probe->ticking());
    modal.close();
    QCoreApplication::processEvents();
    EXPECT_TRUE(QTest::qWaitFor([&] { return asks > 0; }, 500));
}

}  // namespace
