// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <cstddef>
#include <vector>

namespace quillet {

class SoundCues;

// ---------------------------------------------------------------------------
// Picture buttons
//
// A picture button's state decides what a press, a release and the timer do
// to it. A button starts inert: press, release and the timer leave it alone
// until a state is written.

enum class PictureState {
    Inert,          // no state written yet
    Disabled,       // ignores press, release and the timer
    Pressed,        // button held, pointer over it
    PressedAway,    // button held, pointer moved off
    Hover,          // pointer over it, nothing held
    Normal,         // pointer elsewhere
    PressStarting,  // stands for the instant of a press
    Released,       // released; the next tick decides the look
};

// The three images every picture button holds.
enum class PictureImage { Normal, Rolled, Clicked };

// What one event or timer step does to one button. Effects happen in this
// order: show the image (when there is one), play the whoosh, write the state.
struct PictureStep {
    PictureState state = PictureState::Inert;  // the state afterwards
    bool showImage = false;                    // false: the image stays as it is
    PictureImage image = PictureImage::Normal;
    bool whoosh = false;
};

// Mouse button pressed on the button.
PictureStep PicturePress(PictureState state);
// Mouse button released (wherever the pointer is).
PictureStep PictureRelease(PictureState state);
// One 50 ms tick; `pointerOver` is the pointer test of this button.
PictureStep PictureTick(PictureState state, bool pointerOver);

// Whether a click runs the screen's action. Some screens act whatever the
// state; the others ignore clicks on a disabled (or not yet enabled) button.
bool PictureClickActs(PictureState state, bool actsWhenDisabled);

// A screen's set of picture buttons as the timer and the events see them.
class PictureButtonHost {
public:
    virtual ~PictureButtonHost() = default;
    virtual int pictureCount() const = 0;
    virtual PictureState pictureState(int index) const = 0;
    virtual void setPictureState(int index, PictureState state) = 0;
    virtual void showPicture(int index, PictureImage image) = 0;
    virtual bool pointerOverPicture(int index) const = 0;
    virtual void whoosh() = 0;
};

// Applies a step to button `index` of the host, effects in their order.
void ApplyPictureStep(PictureButtonHost& host, int index, const PictureStep& step);

// Load step of a screen: every button not disabled becomes Normal and shows
// its normal image, lowest index first.
void LoadPictureButtons(PictureButtonHost& host);
void PressPicture(PictureButtonHost& host, int index);
void ReleasePicture(PictureButtonHost& host, int index);
// One tick of the picture timer: every button, lowest index first.
void RunPictureTimer(PictureButtonHost& host);

// The hover sound of picture buttons: "whoosh.wav" from the program folder,
// silent when sounds are off or the file is missing.
void PlayWhoosh(const SoundCues& sounds);

// ---------------------------------------------------------------------------
// Menu items
//
// A menu item's look is its text colour; it has no other state.

enum class MenuLook { Normal, Hover, Pressed };

class MenuLooks {
public:
    explicit MenuLooks(int count = 0) : looks_(static_cast<size_t>(count), MenuLook::Normal) {}

    int count() const { return static_cast<int>(looks_.size()); }
    // Adds an item in the normal look; returns its index.
    int append();
    MenuLook look(int index) const { return looks_.at(static_cast<size_t>(index)); }

    // The pointer moved over item k: k shows the hover look, every other item
    // the normal look (a pressed item included).
    void hover(int k);
    // The mouse button went down on item k; the others keep their looks.
    void press(int k);
    // Every item back to normal.
    void reset();

    // The look item `index` shows when item `focused` (-1 for none) has the
    // keyboard focus: the focused item shows the hover look while the pointer
    // hovers no item, so that one item at most is ever in the hover look.
    MenuLook shownLook(int index, int focused) const;

private:
    std::vector<MenuLook> looks_;
};

}  // namespace quillet
