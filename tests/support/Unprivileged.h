// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
// Tests of files and folders that cannot be read or written mean nothing to root, who ignores
// permission bits. Under root such a test runs again in a child process as the user "nobody",
// and the child's outcome becomes the test's own.
#pragma once

namespace quillet::testing {

// True when the caller should run the test body here: the process is not root. As root, runs
// the current test in a child as "nobody", records its failures here and returns false.
bool RunsHereUnprivileged();

}  // namespace quillet::testing

// Put first in a test body that needs permissions to bind.
#define QUILLET_RUN_UNPRIVILEGED() \
    if (!::quillet::testing::RunsHereUnprivileged()) return
