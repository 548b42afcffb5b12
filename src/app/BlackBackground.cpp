// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "app/BlackBackground.h"

#include <qdrawutil.h>
#include <xcb/xcb.h>

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <memory>
#include <system_error>

#include "app/Screens.h"
#include "engine/gui/ExamWindow.h"
#include "shell/core/Program.h"
#include "shell/core/Settings.h"
#include "shell/gui/Look.h"
#include "shell/gui/Platform.h"
#include "shell/gui/Twips.h"
#include "ui/gui/MainMenu.h"

namespace quillet {

namespace {

xcb_connection_t* X11Connection() {
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

}  // namespace

BlackBackground::BlackBackground(Program& program, int splashMs)
    : QWidget(nullptr, Qt::FramelessWindowHint), program_(program), splashMs_(splashMs) {
    setObjectName(QStringLiteral("BlackBackground"));
    setWindowTitle(QStringLiteral("Quillet"));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    // Painted by the program, a window over the whole screen needs a picture
    // of that size, kept as long as the program runs (5 MB at 1280x1024,
    // 33 MB at 3840x2160), filled and sent to the screen before the splash can
    // show. On X11 the window system fills it from its background colour
    // instead; elsewhere the program paints it.
    windowSystemBlack_ = X11Connection() != nullptr;
    if (windowSystemBlack_) {
        setAttribute(Qt::WA_PaintOnScreen);
        setAttribute(Qt::WA_NoSystemBackground);
    } else {
        setAutoFillBackground(true);
    }

    try {
        splashPicture_ =
            std::async(std::launch::async, ReadPngImage, QStringLiteral(":/splash.png"));
    } catch (const std::system_error&) {
        // No thread to be had: the splash decodes its picture itself.
    }

    Session& session = program_.session;
    session.settingsPath = SettingsPathFor(session);
    session.settingsAtStart = std::make_unique<const SettingsSnapshot>(session.settingsPath);
    program_.options.blackBackgroundOn = settings::ReadBlackBackgroundOn(*session.settingsAtStart);
    if (!program_.options.blackBackgroundOn) {
        // 10 twips is less than a pixel: the window is there, but not seen.
        resize(std::max(1, Px(10)), std::max(1, Px(10)));
    }
}

BlackBackground::~BlackBackground() = default;

void BlackBackground::showAsSet() {
    if (windowSystemBlack_) askWindowSystemForBlack(winId());
    if (program_.options.blackBackgroundOn) {
        // Without a window manager a maximised window keeps its default size
        // in a corner, so the window takes its screen's whole area itself; the
        // full-screen state asks a window manager for the same.
        coverScreen();
        setWindowState(Qt::WindowFullScreen);
        show();
        coverScreen();
    } else {
        showNormal();
    }
}

void BlackBackground::askWindowSystemForBlack(WId id) {
    xcb_connection_t* connection = X11Connection();
    if (!connection || id == 0) return;
    const auto window = static_cast<xcb_window_t>(id);
    const uint32_t black = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->black_pixel;
    xcb_change_window_attributes(connection, window, XCB_CW_BACK_PIXEL, &black);
    xcb_clear_area(connection, 0, window, 0, 0, 0, 0);
    xcb_flush(connection);
}

bool BlackBackground::event(QEvent* event) {
    // A new native window (moved to another screen, say) needs asking again;
    // one being destroyed (id 0) does not.
    if (event->type() == QEvent::WinIdChange && windowSystemBlack_)
        askWindowSystemForBlack(internalWinId());
    return QWidget::event(event);
}

void BlackBackground::paintEvent(QPaintEvent* event) {
    if (!windowSystemBlack_) QWidget::paintEvent(event);
}

QPaintEngine* BlackBackground::paintEngine() const {
    return windowSystemBlack_ ? nullptr : QWidget::paintEngine();
}

void BlackBackground::coverScreen() {
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen) setGeometry(screen->geometry());
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

namespace {

// The splash is up for its whole time anyway. Drawing the main menu once off
// screen loads its fonts and lays out its texts, and the test screen's pictures
// are decoded now, so that the menu and the first question appear sooner.
void PrepareWhileTheSplashShows(MainMenu& menu) {
    (void)menu.grab();
    ExamWindow::preparePictures();
}

}  // namespace

void BlackBackground::runProgram() {
    {
        // The main menu belongs to this window, so that it always stands in
        // front of the black background.
        Splash splash(
            [this] {
                menu_ =
                    std::make_unique<MainMenu>(program_.session, program_.options,
                                               program_.services, DefaultScreens(program_), this);
                if (menu_->loaded()) PrepareWhileTheSplashShows(*menu_);
            },
            splashMs_, this, splashPicture_.valid() ? splashPicture_.get() : QImage());
        splash.exec();
    }
    if (menu_ && menu_->loaded()) menu_->exec();
    menu_.reset();
    emit programFinished();
}

namespace {
// The splash's thin dialog edge around its picture, in pixels. The window
// draws it itself, so it looks the same with or without a window manager.
constexpr int kSplashEdge = 3;
// How long the splash waits for its first paint before it goes on anyway.
constexpr int kUnseenStartMs = 1000;
}  // namespace

Splash::Splash(std::function<void()> loadMainMenu, int displayMs, QWidget* parent, QImage picture)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      loadMainMenu_(std::move(loadMainMenu)),
      picture_(picture.isNull() ? ReadPng(QStringLiteral(":/splash.png"))
                                : QPixmap::fromImage(std::move(picture))) {
    setObjectName(QStringLiteral("splash"));
    setContentsMargins(kSplashEdge, kSplashEdge, kSplashEdge, kSplashEdge);
    setFixedSize(Px(6600) + 2 * kSplashEdge, Px(4950) + 2 * kSplashEdge);
    setModal(true);
    // The display time counts from the first time the picture is on screen;
    // the timer's event is handled only once the main menu has loaded,
    // because loading runs on this same thread.
    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("Timer1"));
    timer_->setSingleShot(true);
    timer_->setInterval(displayMs);
    timer_->setTimerType(Qt::PreciseTimer);  // a coarse timer may fire early
    connect(timer_, &QTimer::timeout, this, [this] {
        timerDue_ = true;
        if (loaded_) accept();
    });
    CenterForm(this);
}

void Splash::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CenterForm(this);
    // Normally the first paint starts everything; a window that is never
    // exposed (a locked or switched-off display) must not hold the program.
    QTimer::singleShot(kUnseenStartMs, this, &Splash::activate);
}

void Splash::reject() {
    // Only the timer closes the splash: not Escape, not the window system.
}

void Splash::activate() {
    if (activated_) return;
    activated_ = true;
    // The first paint has been sent to the window system: the display time
    // runs from now. Wait until the picture is on the screen before the main
    // menu's loading holds this thread.
    timer_->start();
    QGuiApplication::sync();
    if (loadMainMenu_) loadMainMenu_();
    loaded_ = true;
    if (timerDue_) accept();
}

void Splash::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    qDrawWinPanel(&painter, rect(), palette(), false);
    painter.fillRect(rect().adjusted(2, 2, -2, -2), palette().button());
    painter.drawPixmap(contentsRect(), picture_);
    // The first paint of the window on screen starts the display time and the
    // loading of the main menu, so the picture is up for all of it.
    if (!activated_ && windowHandle() && windowHandle()->isExposed()) {
        QTimer::singleShot(0, this, &Splash::activate);
    }
}

}  // namespace quillet
