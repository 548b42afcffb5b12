#include "shell/gui/Platform.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QSoundEffect>
#include <QUrl>
#include <QWidget>

#include <cstdlib>

namespace quillet {

void CenterForm(QWidget* window) {
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->geometry();
    const QSize size = window->frameGeometry().size();
    window->move(area.left() + (area.width() - size.width()) / 2,
                 area.top() + (area.height() - size.height()) / 2);
}

QtSoundPlayer::QtSoundPlayer() : effect_(std::make_unique<QSoundEffect>()) {}
QtSoundPlayer::~QtSoundPlayer() = default;

void QtSoundPlayer::play(const QString& file) {
    effect_->stop();
    effect_->setSource(QUrl::fromLocalFile(file));
    effect_->play();
}

void MessageBoxFatalHandler::fatal(const QString& title, const QString& text) {
    // The text may hold a file name or the engine's words: plain text, never markup.
    QMessageBox box(QMessageBox::Critical, title, text);
    box.setTextFormat(Qt::PlainText);
    box.exec();
    std::exit(EXIT_FAILURE);
}

}  // namespace quillet
