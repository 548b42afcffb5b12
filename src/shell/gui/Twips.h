// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QRect>

namespace quillet {

// Layouts are written in twips; windows are drawn at 96 DPI, 15 twips a pixel.
inline constexpr int kTwipsPerPixel = 15;

constexpr int Px(int twips) { return twips / kTwipsPerPixel; }
constexpr int Twips(int pixels) { return pixels * kTwipsPerPixel; }
inline QRect TwipRect(int left, int top, int width, int height) {
    return QRect(Px(left), Px(top), Px(width), Px(height));
}

}  // namespace quillet
