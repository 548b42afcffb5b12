// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include "shell/core/Services.h"
#include "shell/core/Session.h"
#include "shell/core/SoundCues.h"
#include "shell/core/StudentOptions.h"

namespace quillet {

// Everything one run of the program owns, kept together only by its owner
// (main(), or a test standing in for it). Windows are handed the parts they
// need, never the whole.
struct Program {
    StudentOptions options;
    Session session;
    Services services;
    SoundCues sounds{session, options, services};

    Program() = default;
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
};

}  // namespace quillet
