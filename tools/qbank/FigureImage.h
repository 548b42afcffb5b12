// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace quillet::qbank {

// Pixels of background kept round a figure's drawing when its margins are cut.
inline constexpr int kFigurePadding = 16;
// The longest side a stored figure may have, in pixels: the pool's scans are
// drawn for print and are two or three times larger than a screen needs.
inline constexpr int kMaxFigureSide = 800;

// Makes a pool figure fit for the viewer, which opens a picture at its
// top-left corner in a small frame: cuts the plain margins off (the
// background is the colour of the top-left pixel), then scales a larger
// drawing down to kMaxFigureSide. Returns the PNG unchanged when there is
// nothing to do, nothing when it cannot be decoded.
std::optional<QByteArray> PrepareFigure(const QByteArray& png);

}  // namespace quillet::qbank
