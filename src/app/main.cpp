// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include <quillet/Config.h>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "app/BlackBackground.h"
#include "app/Trace.h"
#include "shell/core/FileLocations.h"
#include "shell/core/Program.h"
#include "shell/core/Settings.h"
#include "shell/gui/Platform.h"

namespace {

const char kUsage[] =
    "Usage: quillet [--help | --version]\n"
    "\n"
    "Asks the questions of the written US amateur-radio license examinations\n"
    "(Technician, General, Amateur Extra) and reports the score of each section.\n"
    "Without options it opens its main menu; everything else is chosen there and\n"
    "kept in the settings file (see quillet(1)).\n"
    "\n"
    "Options:\n"
    "  -h, --help     show this text and exit\n"
    "      --version  show the program's version and exit\n";

bool Set(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// The command line is read before any window system is opened, so that --help, --version and
// a mistyped option are answered on the terminal even where no window can be shown. Returns
// the exit status when the program should end here.
std::optional<int> AnswerCommandLine(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("quillet %s\n", QUILLET_VERSION);
            return 0;
        }
    }
    if (argc > 1) {
        const bool option = argv[1][0] == '-';
        std::fprintf(stderr, "quillet: %s '%s'\nTry 'quillet --help'.\n",
                     option ? "unknown option" : "unexpected argument", argv[1]);
        return 2;
    }
    return std::nullopt;
}

// Without a display Qt's window-system plugin aborts with a long explanation; this says in
// one line what is missing. A platform chosen with QT_QPA_PLATFORM that draws elsewhere
// (offscreen, vnc, eglfs, ...) needs no display.
std::optional<int> RefuseWithoutDisplay() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    const std::string chosen = platform != nullptr ? platform : "";
    const bool x11 = chosen.empty() || chosen.rfind("xcb", 0) == 0;
    const bool wayland = chosen.empty() || chosen.rfind("wayland", 0) == 0;
    if (!x11 && !wayland) return std::nullopt;
    if ((x11 && Set("DISPLAY")) || (wayland && Set("WAYLAND_DISPLAY"))) return std::nullopt;
    std::fprintf(stderr, "quillet: no display to open windows on (%s is not set)\n",
                 x11 ? "DISPLAY" : "WAYLAND_DISPLAY");
    return 1;
}

// The size setting scales every window, its fonts and pictures together, from
// the start: Qt takes the factor before it opens the window system. A factor
// the user set for Qt in the environment is left as it is.
void ApplyWindowSize() {
    if (Set("QT_SCALE_FACTOR")) return;
    const QFileInfo program(QFile::symLinkTarget(QStringLiteral("/proc/self/exe")));
    if (!program.exists()) return;
    const QString settings =
        quillet::SettingsFileFor(program.absolutePath(), program.completeBaseName());
    const int percent = quillet::settings::ReadWindowSize(settings);
    if (percent != 100) qputenv("QT_SCALE_FACTOR", QByteArray::number(percent / 100.0));
}

}  // namespace

int main(int argc, char* argv[]) {
    const auto mainEntered = std::chrono::system_clock::now();
    if (const auto status = AnswerCommandLine(argc, argv)) return *status;
    if (const auto status = RefuseWithoutDisplay()) return *status;
    ApplyWindowSize();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillet"));
    // Lets the desktop match the windows to the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.quillet"));
    quillet::Trace::fromEnvironment(&app, mainEntered);

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
