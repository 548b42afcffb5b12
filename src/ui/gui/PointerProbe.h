// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <functional>
#include <optional>
#include <vector>

class QTimer;
class QWidget;

namespace quillet {

// A control that follows the pointer through the window's 50 ms tick.
class PointerClient {
public:
    virtual ~PointerClient() = default;
    // Whether a tick with the pointer away from the window would change the
    // control's look (something is rolled over or pressed).
    virtual bool wantsPointer() const = 0;
    virtual void pointerTick() = 0;
};

// The one pointer probe of a window, shared by every rollover control on it.
// Each 50 ms tick asks where the pointer is at most once, and only when the
// answer can matter:
//   - not at all while the window is hidden or a modal window blocks it (when it
//     becomes blocked, its controls settle once as if the pointer had left);
//   - not while the pointer is known to be outside the window (from the window
//     system's enter and leave events); the controls still settle then, and once
//     none is rolled over or pressed the tick stops until the pointer enters.
class PointerProbe : public QObject {
    Q_OBJECT
public:
    // The probe of `window`, created on first use; it lives as long as the window.
    static PointerProbe* forWindow(QWidget* window);

    void addClient(PointerClient* client);
    void removeClient(PointerClient* client);

    // Whether the pointer was over `widget` (or anything inside it) at this tick.
    bool over(const QWidget* widget) const;

    // Runs the timer if there is anything to follow.
    void wake();
    // One tick, as the timer runs it.
    void tick();
    bool ticking() const;

    // Where the pointer is on the screen. The window system is asked by
    // default; tests count the questions through their own.
    using PointerSource = std::function<QPoint()>;
    void setPointerSource(PointerSource source) { source_ = std::move(source); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit PointerProbe(QWidget* window);
    bool anyWantsPointer() const;
    void runClients();

    QWidget* window_;
    QTimer* timer_;
    PointerSource source_;
    std::vector<PointerClient*> clients_;
    // The widget under the pointer at this tick; null when outside the window.
    QPointer<QWidget> under_;
    bool mayBeInside_ = true;
    bool blocked_ = false;
};

}  // namespace quillet
