// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "ui/core/Rollover.h"

#include "shell/core/SoundCues.h"

#include <algorithm>

namespace quillet {

PictureState PictureStateOf(const QString& tag) {
    bool ok = false;
    const int value = tag.toInt(&ok);
    if (!ok || value < 1 || value > 7) return PictureState::Inert;
    return static_cast<PictureState>(value);
}

QString PictureTag(PictureState state) {
    if (state == PictureState::Inert) return QString();
    return QString::number(static_cast<int>(state));
}

namespace {

PictureStep Keep(const QString& tag) {
    return PictureStep{tag, false, PictureImage::Normal, false};
}

PictureStep Go(PictureState state, PictureImage image, bool whoosh = false) {
    return PictureStep{PictureTag(state), true, image, whoosh};
}

}  // namespace

PictureStep PicturePress(const QString& tag) {
    switch (PictureStateOf(tag)) {
        case PictureState::Inert:
        case PictureState::Disabled:
            return Keep(tag);
        default:
            // "6" stands for the instant of the press only; the press ends in "2".
            return Go(PictureState::Pressed, PictureImage::Clicked);
    }
}

PictureStep PictureRelease(const QString& tag) {
    switch (PictureStateOf(tag)) {
        case PictureState::Inert:
        case PictureState::Disabled:
            return Keep(tag);
        default:
            // The look stays until the next tick decides it.
            return Keep(PictureTag(PictureState::Released));
    }
}

PictureStep PictureTick(const QString& tag, bool pointerOver) {
    const PictureState state = PictureStateOf(tag);
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
                return Keep(tag);
        }
    }
    switch (state) {
        case PictureState::Hover:
        case PictureState::Released:
            return Go(PictureState::Normal, PictureImage::Normal);
        case PictureState::Pressed:
            return Go(PictureState::PressedAway, PictureImage::Normal);
        default:
            return Keep(tag);
    }
}

bool PictureClickActs(const QString& tag, bool actsWhenDisabled) {
    if (actsWhenDisabled) return true;
    const PictureState state = PictureStateOf(tag);
    return state != PictureState::Disabled && state != PictureState::Inert;
}

void ApplyPictureStep(PictureButtonHost& host, int index, const PictureStep& step) {
    if (step.showImage) host.showPicture(index, step.image);
    if (step.whoosh) host.whoosh();
    if (step.tag != host.pictureTag(index)) host.setPictureTag(index, step.tag);
}

void LoadPictureButtons(PictureButtonHost& host) {
    for (int i = 0; i < host.pictureCount(); ++i) {
        if (PictureStateOf(host.pictureTag(i)) == PictureState::Disabled) continue;
        host.setPictureTag(i, PictureTag(PictureState::Normal));
        host.showPicture(i, PictureImage::Normal);
    }
}

void PressPicture(PictureButtonHost& host, int index) {
    ApplyPictureStep(host, index, PicturePress(host.pictureTag(index)));
}

void ReleasePicture(PictureButtonHost& host, int index) {
    ApplyPictureStep(host, index, PictureRelease(host.pictureTag(index)));
}

void RunPictureTimer(PictureButtonHost& host) {
    for (int i = 0; i < host.pictureCount(); ++i) {
        ApplyPictureStep(host, i, PictureTick(host.pictureTag(i), host.pointerOverPicture(i)));
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
