// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "app/BlackBackground.h"
#include "app/Trace.h"
#include "shell/core/Program.h"
#include "shell/gui/Platform.h"

#include <QApplication>
#include <QFileInfo>

#include <chrono>

int main(int argc, char* argv[]) {
    const auto mainEntered = std::chrono::system_clock::now();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillet"));
    // Lets the desktop match the windows to the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.quillet"));
    quillet::Trace::FromEnvironment(&app, mainEntered);

    quillet::Program program;
    quillet::Session& session = program.session;
    session.programDir = QCoreApplication::applicationDirPath();
    session.programName = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    quillet::LazySoundPlayer sound(quillet::SoundModulePath(session.programDir));
    quillet::MessageBoxFatalHandler fatal;
    program.services.sound = &sound;
    program.services.fatal = &fatal;

    quillet::BlackBackground background(program);
    QObject::connect(&background, &quillet::BlackBackground::programFinished, &app,
                     &QCoreApplication::quit, Qt::QueuedConnection);
    background.showAsSet();
    return QApplication::exec();
}
