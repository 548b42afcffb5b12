// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <string>
#include <utility>
#include <vector>

#include "shell/core/Program.h"
#include "support/PrintQString.h"
#include "support/RecordingSound.h"
#include "ui/core/Rollover.h"

using namespace quillet;

namespace {

using Log = std::vector<std::string>;

using enum PictureState;

// Picture buttons without widgets: states, where the pointer is, and a log of
// every effect in the order it happened ("0 Rolled", "whoosh", "0 is Hover").
class FakeButtons : public PictureButtonHost {
public:
    FakeButtons(const SoundCues& sounds, std::vector<PictureState> states)
        : sounds_(sounds), states(std::move(states)), over(this->states.size()) {}

    int pictureCount() const override { return static_cast<int>(states.size()); }
    PictureState pictureState(int i) const override { return states.at(i); }
    void setPictureState(int i, PictureState state) override {
        const char* names[] = {"Inert", "Disabled", "Pressed",       "PressedAway",
                               "Hover", "Normal",   "PressStarting", "Released"};
        states.at(i) = state;
        log.push_back(std::to_string(i) + " is " + names[static_cast<int>(state)]);
    }
    void showPicture(int i, PictureImage image) override {
        const char* names[] = {"Normal", "Rolled", "Clicked"};
        log.push_back(std::to_string(i) + " " + names[static_cast<int>(image)]);
    }
    bool pointerOverPicture(int i) const override { return over.at(i); }
    void whoosh() override {
        log.push_back("whoosh");
        PlayWhoosh(sounds_);
    }
    // Ticks with the pointer over button 0 or not; returns the effects.
    Log tick(bool overFirst) {
        over[0] = overFirst;
        RunPictureTimer(*this);
        return std::exchange(log, {});
    }
    Log press() { return (PressPicture(*this, 0), std::exchange(log, {})); }
    Log release() { return (ReleasePicture(*this, 0), std::exchange(log, {})); }

    const SoundCues& sounds_;
    std::vector<PictureState> states;
    std::vector<bool> over;
    Log log;
};

// Sounds on and "whoosh.wav" in the program folder.
class PictureButtons : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        ASSERT_TRUE(QFile(dir_.filePath("whoosh.wav")).open(QIODevice::WriteOnly));
        program_.session.programDir = dir_.path();
        program_.services.sound = &sound_;
    }
    QTemporaryDir dir_;
    RecordingSound sound_;
    Program program_;
    const SoundCues& sounds_ = program_.sounds;
};

TEST_F(PictureButtons, EachEntryFromNormalRollsAndWhooshesOnce) {
    FakeButtons b(sounds_, {Inert});
    LoadPictureButtons(b);
    EXPECT_EQ(b.tick(false), (Log{"0 is Normal", "0 Normal"}));
    EXPECT_EQ(b.tick(true), (Log{"0 Rolled", "whoosh", "0 is Hover"}));
    EXPECT_EQ(b.tick(true), Log{});
    EXPECT_EQ(b.tick(false), (Log{"0 Normal", "0 is Normal"}));
    b.tick(true);
    EXPECT_EQ(sound_.played, QStringList(2, dir_.filePath("whoosh.wav")));
}

TEST_F(PictureButtons, PressDragOffAndBackThenReleaseOverOrAway) {
    FakeButtons b(sounds_, {Hover});
    EXPECT_EQ(b.press(), (Log{"0 Clicked", "0 is Pressed"}));
    EXPECT_EQ(b.tick(true), Log{});
    EXPECT_EQ(b.tick(false), (Log{"0 Normal", "0 is PressedAway"}));
    EXPECT_EQ(b.tick(false), Log{});
    EXPECT_EQ(b.tick(true), (Log{"0 Clicked", "0 is Pressed"}));
    // Released over the button: the click look stays until the tick, no sound.
    EXPECT_EQ(b.release(), Log{"0 is Released"});
    EXPECT_TRUE(PictureClickActs(b.states[0], false));
    EXPECT_EQ(b.tick(true), (Log{"0 Rolled", "0 is Hover"}));

    b.press();
    b.tick(false);
    b.release();
    EXPECT_EQ(b.tick(false), (Log{"0 Normal", "0 is Normal"}));
    EXPECT_TRUE(sound_.played.isEmpty());
}

TEST_F(PictureButtons, DisabledAndInertButtonsIgnoreEverything) {
    for (const PictureState state : {Disabled, Inert}) {
        SCOPED_TRACE(static_cast<int>(state));
        FakeButtons b(sounds_, {state});
        for (bool over : {true, false, true}) {
            b.over[0] = over;
            RunPictureTimer(b);
            PressPicture(b, 0);
            RunPictureTimer(b);
            ReleasePicture(b, 0);
        }
        EXPECT_EQ(b.tick(true), Log{});
        EXPECT_TRUE(PictureClickActs(state, /*actsWhenDisabled=*/true));
        EXPECT_FALSE(PictureClickActs(state, /*actsWhenDisabled=*/false));
    }
    FakeButtons b(sounds_, {Disabled, Inert});
    LoadPictureButtons(b);
    EXPECT_EQ(b.states, (std::vector<PictureState>{Disabled, Normal}));
}

TEST_F(PictureButtons, OneTickChangesSeveralButtonsInIndexOrder) {
    FakeButtons b(sounds_, {Hover, Normal, Normal});
    b.over = {false, false, true};  // the pointer jumped from button 0 to button 2
    EXPECT_EQ(b.tick(false), (Log{"0 Normal", "0 is Normal", "2 Rolled", "whoosh", "2 is Hover"}));
}

TEST_F(PictureButtons, SilentWithSoundsOffOrWithoutTheFile) {
    FakeButtons b(sounds_, {Normal});
    program_.options.soundOn = false;
    EXPECT_EQ(b.tick(true), (Log{"0 Rolled", "whoosh", "0 is Hover"}));
    b.tick(false);
    program_.options.soundOn = true;
    ASSERT_TRUE(QFile::remove(dir_.filePath("whoosh.wav")));
    b.tick(true);
    EXPECT_TRUE(sound_.played.isEmpty());
}

TEST(MenuLooks, OneHoverAtATimeAndPressedUntilTheNextHoverOrReset) {
    MenuLooks looks(3);
    looks.hover(0);
    looks.hover(1);  // straight from one item onto the next
    EXPECT_EQ(looks.look(0), MenuLook::Normal);
    EXPECT_EQ(looks.look(1), MenuLook::Hover);
    looks.press(1);
    looks.press(2);  // a press leaves the other items as they are
    EXPECT_EQ(looks.look(1), MenuLook::Pressed);
    looks.hover(1);
    EXPECT_EQ(looks.look(1), MenuLook::Hover);
    EXPECT_EQ(looks.look(2), MenuLook::Normal);
    looks.press(0);
    looks.reset();
    EXPECT_EQ(looks.look(0), MenuLook::Normal);
}

TEST(MenuLooks, TheFocusedItemLooksHoveredUnlessThePointerHoversAnItem) {
    MenuLooks looks(3);
    EXPECT_EQ(looks.shownLook(1, 1), MenuLook::Hover);
    EXPECT_EQ(looks.shownLook(0, 1), MenuLook::Normal);
    EXPECT_EQ(looks.shownLook(1, -1), MenuLook::Normal);
    looks.hover(2);  // the pointer elsewhere in the menu wins
    EXPECT_EQ(looks.shownLook(1, 1), MenuLook::Normal);
    EXPECT_EQ(looks.shownLook(2, 1), MenuLook::Hover);
    looks.press(1);  // a pressed item stays pressed, focused or not
    EXPECT_EQ(looks.shownLook(1, 1), MenuLook::Pressed);
    looks.reset();  // the pointer has left: the focus shows again
    looks.press(0);
    EXPECT_EQ(looks.shownLook(1, 1), MenuLook::Hover);
}

}  // namespace
