// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QDialog>
#include <QImage>
#include <QWidget>

class QTimer;

#include <functional>
#include <future>
#include <memory>

namespace quillet {

struct Program;
class MainMenu;

// The first window: black and covering the whole screen behind the program, or
// shrunk to almost nothing when the student turned the black background off.
// Its first activation shows the splash, then the main menu; when the main menu
// closes the program ends.
class BlackBackground : public QWidget {
    Q_OBJECT
public:
    // `splashMs` is the splash's display time (tests shorten it).
    explicit BlackBackground(Program& program, int splashMs = 4500);
    ~BlackBackground() override;

    // Shows the window as its setting asks: over the whole of its screen, or
    // tiny and normal.
    void showAsSet();

signals:
    // The main menu has closed: the program has nothing more to do.
    void programFinished();

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    QPaintEngine* paintEngine() const override;

private:
    void activate();
    void runProgram();
    void coverScreen();
    void askWindowSystemForBlack(WId window);

    Program& program_;
    int splashMs_;
    // The window system fills the window with black itself: the program draws
    // nothing and keeps no picture of the whole screen.
    bool windowSystemBlack_ = false;
    bool activated_ = false;
    // The splash's picture, decoded on another thread while this window
    // shows: showing it waits mostly on the window system.
    std::future<QImage> splashPicture_;
    std::unique_ptr<MainMenu> menu_;
};

// The start-up picture in a thin dialog edge, without a caption. Its first
// paint on screen starts the display time, then the main menu loads behind
// it; it closes when both are done, so the picture is up for at least
// `displayMs`.
class Splash : public QDialog {
    Q_OBJECT
public:
    // `picture` is the decoded splash picture; a null one is decoded here.
    Splash(std::function<void()> loadMainMenu, int displayMs, QWidget* parent = nullptr,
           QImage picture = {});

    static constexpr int kDisplayMs = 4500;

    // Does nothing: only the display timer closes the splash.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void activate();

    std::function<void()> loadMainMenu_;
    QTimer* timer_ = nullptr;
    bool activated_ = false;
    bool loaded_ = false;
    bool timerDue_ = false;
    QPixmap picture_;
};

}  // namespace quillet
