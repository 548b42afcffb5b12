// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QColor>

// The options screen's measures and colours that both the building of its
// pages and their running use. Measures in twips.
namespace quillet::options_layout {

inline constexpr int kClientWidth = 8655;
inline constexpr int kClientHeight = 5070;
inline constexpr int kViewportHeight = 2445;  // of the section list
inline constexpr int kContentLeft = -120;     // the list content's left edge in the viewport

inline constexpr QColor kPanelGrey{64, 64, 64};
inline constexpr QColor kChosenCaption{255, 255, 0};  // the chosen element tab's caption

}  // namespace quillet::options_layout
