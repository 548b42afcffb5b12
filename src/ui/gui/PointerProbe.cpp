// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "ui/gui/PointerProbe.h"

#include <QCursor>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <algorithm>

namespace quillet {
namespace {
constexpr int kTickMs = 50;
}

PointerProbe* PointerProbe::forWindow(QWidget* window) {
    window = window->window();
    auto* probe = window->findChild<PointerProbe*>(QString(), Qt::FindDirectChildrenOnly);
    return probe ? probe : new PointerProbe(window);
}

PointerProbe::PointerProbe(QWidget* window)
    : QObject(window), window_(window), timer_(new QTimer(this)) {
    setObjectName(QStringLiteral("pointerProbe"));
    timer_->setInterval(kTickMs);
    connect(timer_, &QTimer::timeout, this, &PointerProbe::tick);
    window_->installEventFilter(this);
    wake();
}

void PointerProbe::addClient(PointerClient* client) {
    clients_.push_back(client);
    wake();
}

void PointerProbe::removeClient(PointerClient* client) {
    clients_.erase(std::remove(clients_.begin(), clients_.end(), client), clients_.end());
}

bool PointerProbe::over(const QWidget* widget) const {
    for (const QWidget* w = under_; w; w = w->isWindow() ? nullptr : w->parentWidget()) {
        if (w == widget) return true;
    }
    return false;
}

bool PointerProbe::ticking() const { return timer_->isActive(); }

bool PointerProbe::anyWantsPointer() const {
    return std::any_of(clients_.begin(), clients_.end(),
                       [](const PointerClient* c) { return c->wantsPointer(); });
}

void PointerProbe::wake() {
    if (blocked_ || !window_->isVisible() || timer_->isActive()) return;
    if (mayBeInside_ || anyWantsPointer()) timer_->start();
}

void PointerProbe::runClients() {
    // A client's tick may play a sound but never closes the window; copy the
    // list all the same, so that a client removed meanwhile is not reached.
    const std::vector<PointerClient*> clients = clients_;
    for (PointerClient* client : clients) {
        if (std::find(clients_.begin(), clients_.end(), client) != clients_.end()) {
            client->pointerTick();
        }
    }
}

void PointerProbe::tick() {
    if (blocked_ || !window_->isVisible()) {
        timer_->stop();
        return;
    }
    under_ = nullptr;
    if (mayBeInside_) {
        const QPoint local = window_->mapFromGlobal(source_ ? source_() : QCursor::pos());
        if (window_->rect().contains(local)) {
            QWidget* child = window_->childAt(local);
            under_ = child ? child : window_;
        } else {
            mayBeInside_ = false;
        }
    }
    runClients();
    if (!mayBeInside_ && !anyWantsPointer()) timer_->stop();
}

bool PointerProbe::eventFilter(QObject* watched, QEvent* event) {
    if (watched != window_) return QObject::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::Show:
        case QEvent::Enter:
            mayBeInside_ = true;
            wake();
            break;
        case QEvent::WindowUnblocked:
            blocked_ = false;
            mayBeInside_ = true;
            wake();
            break;
        case QEvent::Leave:
            mayBeInside_ = false;
            wake();
            break;
        case QEvent::WindowBlocked:
            // The pointer can no longer act on this window: its controls
            // settle as if the pointer had left, then the tick rests.
            blocked_ = true;
            under_ = nullptr;
            runClients();
            timer_->stop();
            break;
        case QEvent::Hide:
            timer_->stop();
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace quillet
