// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "shell/gui/Platform.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QMessageBox>
#include <QScreen>
#include <QWidget>
#include <cstdlib>

#include "quillet/Config.h"

namespace quillet {

void CenterForm(QWidget* window) {
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->geometry();
    const QSize size = window->frameGeometry().size();
    window->move(area.left() + (area.width() - size.width()) / 2,
                 area.top() + (area.height() - size.height()) / 2);
}

LazySoundPlayer::LazySoundPlayer(QString module) : module_(std::move(module)) {}

LazySoundPlayer::~LazySoundPlayer() = default;

void LazySoundPlayer::play(const QString& file) {
    if (!tried_) {
        tried_ = true;
        QLibrary library(module_);
        using Create = SoundPlayer* (*)();
        // The module stays loaded for the rest of the run.
        if (auto create = reinterpret_cast<Create>(library.resolve("QuilletCreateSoundPlayer"))) {
            player_.reset(create());
        }
    }
    if (player_) player_->play(file);
}

QString SoundModulePath(const QString& programDir) {
    // Beside the program in the build folder or a portable copy; in the library folder of an
    // installed one.
    const QString beside = programDir + QStringLiteral("/quillet_sound");
    if (QFileInfo::exists(beside + QStringLiteral(".so"))) return beside;
    return QDir::cleanPath(programDir + QStringLiteral("/" QUILLET_LIB_FROM_BIN "/quillet_sound"));
}

void MessageBoxFatalHandler::fatal(const QString& title, const QString& text) {
    // The text may hold a file name or the engine's words: plain text, never markup.
    QMessageBox box(QMessageBox::Critical, title, text);
    box.setTextFormat(Qt::PlainText);
    box.exec();
    std::exit(EXIT_FAILURE);
}

}  // namespace quillet
