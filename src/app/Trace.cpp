// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "app/Trace.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <chrono>

namespace quillet {

Trace* Trace::fromEnvironment(QObject* application,
                              std::chrono::system_clock::time_point mainEntered) {
    const QByteArray path = qgetenv("QUILLET_TRACE");
    if (path.isEmpty()) return nullptr;
    std::FILE* file = std::fopen(path.constData(), "a");
    if (!file) return nullptr;
    auto* trace = new Trace(file, application);
    application->installEventFilter(trace);
    trace->write("main-entered", mainEntered);
    trace->write("app-ready");
    return trace;
}

Trace::Trace(std::FILE* file, QObject* parent) : QObject(parent), file_(file) {}

Trace::~Trace() { std::fclose(file_); }

void Trace::write(const char* name, std::chrono::system_clock::time_point when) {
    const auto now = when.time_since_epoch();
    std::fprintf(
        file_, "%s %lld\n", name,
        static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(now).count()));
    std::fflush(file_);
}

void Trace::markAfterEvent(const char* name) {
    QTimer::singleShot(0, this, [this, name] { write(name); });
}

bool Trace::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::Paint: {
            const auto* widget = qobject_cast<const QWidget*>(watched);
            // A window drawn off screen (made ready during the splash) is not shown.
            if (!widget || !widget->window()->isVisible()) break;
            const QString window = widget->window()->objectName();
            if (!splashShown_ && window == QLatin1String("splash")) {
                splashShown_ = true;
                markAfterEvent("splash-shown");
            } else if (!menuShown_ && window == QLatin1String("MainMenu")) {
                menuShown_ = true;
                markAfterEvent("menu-shown");
            } else if (!questionDrawn_ && window == QLatin1String("TakeTest") &&
                       widget->objectName() == QLatin1String("lblQuestion")) {
                questionDrawn_ = true;
                markAfterEvent("question-drawn");
            }
            break;
        }
        case QEvent::MouseButtonRelease: {
            // An unhandled release goes on to the parents: write it once.
            const auto* mouse = static_cast<const QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton && mouse->timestamp() != lastRelease_) {
                lastRelease_ = mouse->timestamp();
                write("click");
            }
            break;
        }
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace quillet
