#include "app/BlackBackground.h"

#include "app/Screens.h"
#include "shell/core/AppState.h"
#include "shell/core/Settings.h"
#include "shell/gui/Platform.h"
#include "shell/gui/Twips.h"
#include "ui/gui/MainMenu.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QTimer>

namespace quillet {

BlackBackground::BlackBackground(AppState& state, int splashMs)
    : QWidget(nullptr, Qt::FramelessWindowHint), state_(state), splashMs_(splashMs) {
    setObjectName(QStringLiteral("BlackBackground"));
    setWindowTitle(QStringLiteral("Quillet"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);

    state_.settingsPath = SettingsPathFor(state_);
    state_.blackBackgroundOn = settings::ReadBlackBackgroundOn(state_.settingsPath);
    if (!state_.blackBackgroundOn) {
        // 10 twips is less than a pixel: the window is there, but not seen.
        resize(std::max(1, Px(10)), std::max(1, Px(10)));
    }
}

BlackBackground::~BlackBackground() = default;

void BlackBackground::showAsSet() {
    if (state_.blackBackgroundOn) {
        showMaximized();
    } else {
        showNormal();
    }
}

void BlackBackground::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Some platforms never make a tiny frameless window active; start anyway.
    QTimer::singleShot(0, this, &BlackBackground::activate);
}

void BlackBackground::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        QTimer::singleShot(0, this, &BlackBackground::activate);
    }
}

void BlackBackground::activate() {
    if (activated_) return;
    activated_ = true;
    runProgram();
}

void BlackBackground::runProgram() {
    {
        Splash splash([this] { menu_ = std::make_unique<MainMenu>(state_, DefaultScreens()); }, splashMs_, this);
        splash.exec();
    }
    if (menu_ && menu_->loaded()) menu_->exec();
    menu_.reset();
    emit programFinished();
}

Splash::Splash(std::function<void()> loadMainMenu, int displayMs, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      loadMainMenu_(std::move(loadMainMenu)),
      picture_(QStringLiteral(":/splash.png")) {
    setObjectName(QStringLiteral("splash"));
    setFixedSize(Px(6600), Px(4950));
    setModal(true);
    // The display time counts from creation; the timer's event is handled only
    // once the main menu has loaded, because loading runs on this same thread.
    auto* timer = new QTimer(this);
    timer->setObjectName(QStringLiteral("Timer1"));
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);  // a coarse timer may fire early
    connect(timer, &QTimer::timeout, this, [this] {
        timerDue_ = true;
        if (loaded_) accept();
    });
    timer->start(displayMs);
    CenterForm(this);
}

void Splash::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CenterForm(this);
    repaint();
    QTimer::singleShot(0, this, &Splash::activate);
}

void Splash::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        QTimer::singleShot(0, this, &Splash::activate);
    }
}

void Splash::activate() {
    if (activated_) return;
    activated_ = true;
    repaint();
    if (loadMainMenu_) loadMainMenu_();
    loaded_ = true;
    if (timerDue_) accept();
}

void Splash::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(rect(), picture_);
}

}  // namespace quillet
