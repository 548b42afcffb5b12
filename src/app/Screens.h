// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include "ui/gui/MainMenu.h"

namespace quillet {

struct Program;

// The real windows the main menu opens: the test screen (with the figure viewer
// and the information window reachable from it), the results, the options
// screen and the information window. Each is handed the parts of `program` it
// needs.
Screens DefaultScreens(Program& program);

}  // namespace quillet
