#pragma once

#include "shell/core/Services.h"

#include <QString>

#include <memory>

class QWidget;
class QSoundEffect;

namespace quillet {

// Centres a window on the screen it is on.
void CenterForm(QWidget* window);

// Plays wave files through the sound device; a new sound replaces the last one.
class QtSoundPlayer : public SoundPlayer {
public:
    QtSoundPlayer();
    ~QtSoundPlayer() override;
    void play(const QString& file) override;

private:
    std::unique_ptr<QSoundEffect> effect_;
};

// Shows a system error box and ends the process.
class MessageBoxFatalHandler : public FatalErrorHandler {
public:
    void fatal(const QString& title, const QString& text) override;
};

}  // namespace quillet
