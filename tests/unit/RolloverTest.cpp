#include "ui/core/Rollover.h"

#include "shell/core/AppState.h"
#include "support/PrintQString.h"
#include "support/RecordingSound.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace quillet;

namespace {

const char* Name(PictureImage image) {
    switch (image) {
        case PictureImage::Normal: return "Normal";
        case PictureImage::Rolled: return "Rolled";
        case PictureImage::Clicked: return "Clicked";
    }
    return "?";
}

// A screen's picture buttons without widgets: tags, the image each shows, where
// the pointer is, and a log of every effect in the order it happened.
class FakeButtons : public PictureButtonHost {
public:
    FakeButtons(const AppState& state, int count)
        : state_(state), tags(count), shown(count), over(count, false) {}

    int pictureCount() const override { return static_cast<int>(tags.size()); }
    QString pictureTag(int i) const override { return tags.at(i); }
    void setPictureTag(int i, const QString& tag) override {
        tags.at(i) = tag;
        log.push_back(std::to_string(i) + " tag " + tag.toStdString());
    }
    void showPicture(int i, PictureImage image) override {
        shown.at(i) = image;
        log.push_back(std::to_string(i) + " show " + Name(image));
    }
    bool pointerOverPicture(int i) const override { return over.at(i); }
    void whoosh() override {
        log.push_back("whoosh");
        PlayWhoosh(state_);
    }

    const AppState& state_;
    std::vector<QString> tags;
    std::vector<std::optional<PictureImage>> shown;
    std::vector<bool> over;
    std::vector<std::string> log;
};

// A program folder with or without the hover sound, and sounds on.
class PictureButtons : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        state_.programDir = dir_.path();
        state_.sound = &sound_;
        state_.soundOn = true;
        WriteWhoosh();
    }
    void WriteWhoosh() {
        QFile file(dir_.filePath("whoosh.wav"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("RIFF");
    }

    QTemporaryDir dir_;
    RecordingSound sound_;
    AppState state_;
};

TEST_F(PictureButtons, LoadSetsNormalButLeavesDisabledButtonsAlone) {
    FakeButtons buttons(state_, 3);
    buttons.tags[1] = "1";
    LoadPictureButtons(buttons);
    EXPECT_EQ(buttons.tags, (std::vector<QString>{"5", "1", "5"}));
    EXPECT_EQ(buttons.shown[0], PictureImage::Normal);
    EXPECT_FALSE(buttons.shown[1].has_value());
    EXPECT_EQ(buttons.shown[2], PictureImage::Normal);
}

TEST_F(PictureButtons, EnteringShowsRolledAndWhooshesOncePerEntry) {
    FakeButtons buttons(state_, 1);
    LoadPictureButtons(buttons);
    buttons.log.clear();

    buttons.over[0] = true;
    RunPictureTimer(buttons);
    // The image first, then the sound, then the new state.
    EXPECT_EQ(buttons.log, (std::vector<std::string>{"0 show Rolled", "whoosh", "0 tag 4"}));
    RunPictureTimer(buttons);
    RunPictureTimer(buttons);
    EXPECT_EQ(buttons.tags[0], "4");
    EXPECT_EQ(sound_.played, QStringList{dir_.filePath("whoosh.wav")});

    buttons.over[0] = false;
    RunPictureTimer(buttons);
    EXPECT_EQ(buttons.tags[0], "5");
    EXPECT_EQ(buttons.shown[0], PictureImage::Normal);
    RunPictureTimer(buttons);
    EXPECT_EQ(sound_.played.size(), 1);

    buttons.over[0] = true;
    RunPictureTimer(buttons);
    EXPECT_EQ(sound_.played.size(), 2);
}

TEST_F(PictureButtons, PressDragOffDragBackAndReleaseOverTheButton) {
    FakeButtons buttons(state_, 1);
    LoadPictureButtons(buttons);
    buttons.over[0] = true;
    RunPictureTimer(buttons);
    ASSERT_EQ(sound_.played.size(), 1);

    PressPicture(buttons, 0);
    EXPECT_EQ(buttons.tags[0], "2");
    EXPECT_EQ(buttons.shown[0], PictureImage::Clicked);
    RunPictureTimer(buttons);
    EXPECT_EQ(buttons.tags[0], "2");

    buttons.over[0] = false;  // dragged off while held
    RunPictureTimer(buttons);
    EXPECT_EQ(buttons.tags[0], "3");
    EXPECT_EQ(buttons.shown[0], PictureImage::Normal);
    RunPictureTimer(buttons);
    EXPECT_EQ(buttons.tags[0], "3");

    buttons.over[0] = true;  // and back on
    RunPictureTimer(buttons);
    EXPECT_EQ(buttons.tags[0], "2");
    EXPECT_EQ(buttons.shown[0], PictureImage::Clicked);

    buttons.log.clear();
    ReleasePicture(buttons, 0);
    EXPECT_EQ(buttons.log, (std::vector<std::string>{"0 tag 7"}));  // the look is kept
    EXPECT_TRUE(PictureClickActs(buttons.tags[0], false));

    RunPictureTimer(buttons);
    EXPECT_EQ(buttons.tags[0], "4");
    EXPECT_EQ(buttons.shown[0], PictureImage::Rolled);
    EXPECT_EQ(sound_.played.size(), 1) << "no whoosh after a click";
}

TEST_F(PictureButtons, ReleaseAwayEndsNormalWithoutSound) {
    FakeButtons buttons(state_, 1);
    LoadPictureButtons(buttons);
    buttons.over[0] = true;
    RunPictureTimer(buttons);
    PressPicture(buttons, 0);
    buttons.over[0] = false;
    RunPictureTimer(buttons);
    ReleasePicture(buttons, 0);
    EXPECT_EQ(buttons.tags[0], "7");
    EXPECT_EQ(buttons.shown[0], PictureImage::Normal);

    RunPictureTimer(buttons);
    EXPECT_EQ(buttons.tags[0], "5");
    EXPECT_EQ(buttons.shown[0], PictureImage::Normal);
    EXPECT_EQ(sound_.played.size(), 1);

    // Coming back afterwards is a fresh entry.
    buttons.over[0] = true;
    RunPictureTimer(buttons);
    EXPECT_EQ(sound_.played.size(), 2);
}

TEST_F(PictureButtons, PressWithoutHoverStillGoesThroughTheTimerRightly) {
    // A press can arrive before any tick has seen the pointer (fast pointer).
    FakeButtons buttons(state_, 1);
    LoadPictureButtons(buttons);
    PressPicture(buttons, 0);
    ReleasePicture(buttons, 0);
    buttons.over[0] = true;
    RunPictureTimer(buttons);
    EXPECT_EQ(buttons.tags[0], "4");
    EXPECT_TRUE(sound_.played.isEmpty());

    // A "6" left over from an interrupted press settles into "2" under the
    // pointer and stays put away from it.
    buttons.tags[0] = "6";
    buttons.over[0] = false;
    RunPictureTimer(buttons);
    EXPECT_EQ(buttons.tags[0], "6");
    buttons.over[0] = true;
    RunPictureTimer(buttons);
    EXPECT_EQ(buttons.tags[0], "2");
    EXPECT_EQ(buttons.shown[0], PictureImage::Clicked);
}

TEST_F(PictureButtons, DisabledAndInertButtonsIgnoreEverything) {
    for (const QString tag : {"1", "", "0", "9", "x"}) {
        SCOPED_TRACE(tag.toStdString());
        FakeButtons buttons(state_, 1);
        buttons.tags[0] = tag;
        for (bool over : {true, false, true}) {
            buttons.over[0] = over;
            RunPictureTimer(buttons);
            PressPicture(buttons, 0);
            RunPictureTimer(buttons);
            ReleasePicture(buttons, 0);
            RunPictureTimer(buttons);
        }
        EXPECT_TRUE(buttons.log.empty());
        EXPECT_EQ(buttons.tags[0], tag);
        EXPECT_TRUE(sound_.played.isEmpty());

        EXPECT_TRUE(PictureClickActs(tag, /*actsWhenDisabled=*/true));
        EXPECT_FALSE(PictureClickActs(tag, /*actsWhenDisabled=*/false));
    }
}

TEST_F(PictureButtons, OneTickChangesSeveralButtonsInIndexOrder) {
    FakeButtons buttons(state_, 3);
    LoadPictureButtons(buttons);
    buttons.over = {true, false, false};
    RunPictureTimer(buttons);
    ASSERT_EQ(buttons.tags[0], "4");

    // The pointer jumps from button 0 to button 2 between two ticks.
    buttons.log.clear();
    buttons.over = {false, false, true};
    RunPictureTimer(buttons);
    EXPECT_EQ(buttons.log, (std::vector<std::string>{"0 show Normal", "0 tag 5", "2 show Rolled",
                                                     "whoosh", "2 tag 4"}));
    EXPECT_EQ(sound_.played.size(), 2);
}

TEST_F(PictureButtons, NoSoundWhenSoundsAreOffOrTheFileIsMissingButTheSameLooks) {
    auto run = [this](FakeButtons& buttons) {
        LoadPictureButtons(buttons);
        buttons.over[0] = true;
        RunPictureTimer(buttons);
        buttons.over[0] = false;
        RunPictureTimer(buttons);
        buttons.over[0] = true;
        RunPictureTimer(buttons);
    };
    FakeButtons heard(state_, 1);
    run(heard);
    ASSERT_EQ(sound_.played.size(), 2);
    sound_.played.clear();

    state_.soundOn = false;
    FakeButtons muted(state_, 1);
    run(muted);
    EXPECT_TRUE(sound_.played.isEmpty());
    EXPECT_EQ(muted.log, heard.log);

    state_.soundOn = true;
    ASSERT_TRUE(QFile::remove(dir_.filePath("whoosh.wav")));
    FakeButtons missing(state_, 1);
    run(missing);
    EXPECT_TRUE(sound_.played.isEmpty());
    EXPECT_EQ(missing.log, heard.log);
}

TEST(PictureTags, TextAndStateRoundTrip) {
    for (int n = 1; n <= 7; ++n) {
        const QString tag = QString::number(n);
        EXPECT_EQ(PictureTag(PictureStateOf(tag)), tag);
    }
    EXPECT_EQ(PictureStateOf(""), PictureState::Inert);
    EXPECT_EQ(PictureTag(PictureState::Inert), "");
}

// ---------------------------------------------------------------------------

TEST(MenuLooks, OneItemAtATimeShowsTheHoverLook) {
    MenuLooks looks(4);
    looks.hover(1);
    looks.hover(2);  // straight from one item onto the next
    for (int i = 0; i < looks.count(); ++i) {
        EXPECT_EQ(looks.look(i), i == 2 ? MenuLook::Hover : MenuLook::Normal) << i;
    }
    looks.reset();
    for (int i = 0; i < looks.count(); ++i) EXPECT_EQ(looks.look(i), MenuLook::Normal) << i;
}

TEST(MenuLooks, PressedLookLastsUntilTheNextHoverOrReset) {
    MenuLooks looks(3);
    looks.hover(0);
    looks.press(0);
    EXPECT_EQ(looks.look(0), MenuLook::Pressed);

    looks.press(2);  // a press leaves the other items as they are
    EXPECT_EQ(looks.look(0), MenuLook::Pressed);
    EXPECT_EQ(looks.look(1), MenuLook::Normal);

    looks.hover(0);
    EXPECT_EQ(looks.look(0), MenuLook::Hover);
    EXPECT_EQ(looks.look(2), MenuLook::Normal);

    looks.press(1);
    looks.hover(2);
    EXPECT_EQ(looks.look(1), MenuLook::Normal);

    looks.press(0);
    looks.reset();
    EXPECT_EQ(looks.look(0), MenuLook::Normal);
}

TEST(MenuLooks, IndexesOutsideTheArrayChangeNothingButHoverStillClears) {
    MenuLooks looks;
    EXPECT_EQ(looks.append(), 0);
    EXPECT_EQ(looks.append(), 1);
    looks.press(1);
    looks.press(5);
    looks.press(-1);
    EXPECT_EQ(looks.look(0), MenuLook::Normal);
    EXPECT_EQ(looks.look(1), MenuLook::Pressed);
    // The pointer over something that is not an item of this array.
    looks.hover(-1);
    EXPECT_EQ(looks.look(1), MenuLook::Normal);
}

}  // namespace
