// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "ui/core/Rollover.h"

#include <algorithm>

#include "shell/core/SoundCues.h"

namespace quillet {

namespace {

PictureStep Keep(PictureState state) {
    return PictureStep{state, false, PictureImage::Normal, false};
}

PictureStep Go(PictureState state, PictureImage image, bool whoosh = false) {
    return PictureStep{state, true, image, whoosh};
}

}  // namespace

PictureStep PicturePress(PictureState state) {
    switch (state) {
        case PictureState::Inert:
        case PictureState::Disabled:
            return Keep(state);
        default:
            // PressStarting stands for the instant of the press only; the press
            // ends in Pressed.
            return Go(PictureState::Pressed, PictureImage::Clicked);
    }
}

PictureStep PictureRelease(PictureState state) {
    switch (state) {
        case PictureState::Inert:
        case PictureState::Disabled:
            return Keep(state);
        default:
            // The look stays until the next tick decides it.
            return Keep(PictureState::Released);
    }
}

PictureStep PictureTick(PictureState state, bool pointerOver) {
    if (pointerOver) {
        switch (state) {
            case PictureState::Normal:
                return Go(PictureState::Hover, PictureImage::Rolled, /*whoosh=*/true);
            case PictureState::Released:
                return Go(PictureState::Hover, PictureImage::Rolled);
            case PictureState::PressStarting:
            case PictureState::PressedAway:
                return Go(PictureState::Pressed, PictureImage::Clicked);
            default:
                return Keep(state);
        }
    }
    switch (state) {
        case PictureState::Hover:
        case PictureState::Released:
            return Go(PictureState::Normal, PictureImage::Normal);
        case PictureState::Pressed:
            return Go(PictureState::PressedAway, PictureImage::Normal);
        default:
            return Keep(state);
    }
}

bool PictureClickActs(PictureState state, bool actsWhenDisabled) {
    if (actsWhenDisabled) return true;
    return state != PictureState::Disabled && state != PictureState::Inert;
}

void ApplyPictureStep(PictureButtonHost& host, int index, const PictureStep& step) {
    if (step.showImage) host.showPicture(index, step.image);
    if (step.whoosh) host.whoosh();
    if (step.state != host.pictureState(index)) host.setPictureState(index, step.state);
}

void LoadPictureButtons(PictureButtonHost& host) {
    for (int i = 0; i < host.pictureCount(); ++i) {
        if (host.pictureState(i) == PictureState::Disabled) continue;
        host.setPictureState(i, PictureState::Normal);
        host.showPicture(i, PictureImage::Normal);
    }
}

void PressPicture(PictureButtonHost& host, int index) {
    ApplyPictureStep(host, index, PicturePress(host.pictureState(index)));
}

void ReleasePicture(PictureButtonHost& host, int index) {
    ApplyPictureStep(host, index, PictureRelease(host.pictureState(index)));
}

void RunPictureTimer(PictureButtonHost& host) {
    for (int i = 0; i < host.pictureCount(); ++i) {
        ApplyPictureStep(host, i, PictureTick(host.pictureState(i), host.pointerOverPicture(i)));
    }
}

void PlayWhoosh(const SoundCues& sounds) { sounds.play(QStringLiteral("whoosh.wav")); }

int MenuLooks::append() {
    looks_.push_back(MenuLook::Normal);
    return count() - 1;
}

void MenuLooks::hover(int k) {
    for (int i = 0; i < count(); ++i) {
        looks_[static_cast<size_t>(i)] = i == k ? MenuLook::Hover : MenuLook::Normal;
    }
}

void MenuLooks::press(int k) {
    if (k >= 0 && k < count()) looks_[static_cast<size_t>(k)] = MenuLook::Pressed;
}

void MenuLooks::reset() {
    for (MenuLook& look : looks_) look = MenuLook::Normal;
}

MenuLook MenuLooks::shownLook(int index, int focused) const {
    const MenuLook own = look(index);
    if (own != MenuLook::Normal || index != focused) return own;
    const bool pointerHovers =
        std::find(looks_.begin(), looks_.end(), MenuLook::Hover) != looks_.end();
    return pointerHovers ? MenuLook::Normal : MenuLook::Hover;
}

}  // namespace quillet
