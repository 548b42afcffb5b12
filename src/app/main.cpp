#include "shell/core/AppState.h"
#include "app/BlackBackground.h"
#include "app/Trace.h"
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
    quillet::Trace::fromEnvironment(&app, mainEntered);

    quillet::AppState state;
    state.programDir = QCoreApplication::applicationDirPath();
    state.programName = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    quillet::LazySoundPlayer sound(quillet::SoundModulePath(state.programDir));
    quillet::MessageBoxFatalHandler fatal;
    state.sound = &sound;
    state.fatal = &fatal;

    quillet::BlackBackground background(state);
    QObject::connect(&background, &quillet::BlackBackground::programFinished, &app,
                     &QCoreApplication::quit, Qt::QueuedConnection);
    background.showAsSet();
    return QApplication::exec();
}
