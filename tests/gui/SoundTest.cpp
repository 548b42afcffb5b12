// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "shell/gui/Platform.h"

using namespace quillet;

namespace {

bool MultimediaLoaded() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly)) return false;
    return maps.readAll().contains("libQt6Multimedia");
}

// The multimedia libraries arrive with the first sound, not with the program;
// a missing module leaves the program silent and otherwise unchanged.
TEST(LazySound, LoadsTheSoundModuleOnlyWhenTheFirstSoundPlays) {
    QTemporaryDir dir;
    const QString wave = dir.filePath(QStringLiteral("missing.wav"));

    LazySoundPlayer missing(dir.filePath(QStringLiteral("no_such_module")));
    missing.play(wave);
    missing.play(wave);
    EXPECT_FALSE(missing.loaded());

    LazySoundPlayer player(SoundModulePath(QStringLiteral(QUILLET_BUILD_DIR)));
    EXPECT_FALSE(MultimediaLoaded());
    player.play(wave);
    EXPECT_TRUE(player.loaded());
    EXPECT_TRUE(MultimediaLoaded());
}

}  // namespace
