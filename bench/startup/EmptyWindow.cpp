// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
// The least a Qt window costs on this machine: an empty frameless window of
// the splash's size, centred, that writes the moment its first drawing has
// gone to the window system and ends. The start-up bench runs it next to the
// program so that its figures can be read against what the toolkit alone takes.
#include <QApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>

namespace {

long long NowMicroseconds() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

class EmptyWindow : public QWidget {
public:
    EmptyWindow() : QWidget(nullptr, Qt::FramelessWindowHint) { setFixedSize(446, 336); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(rect(), Qt::gray);
        if (painted_) return;
        painted_ = true;
        // Once this event is handled the drawing has been sent to the screen.
        QTimer::singleShot(0, this, [] {
            const QByteArray path = qgetenv("QUILLET_TRACE");
            if (std::FILE* file =
                    std::fopen(path.isEmpty() ? "/dev/stdout" : path.constData(), "a")) {
                std::fprintf(file, "window-shown %lld\n", NowMicroseconds());
                std::fclose(file);
            }
            QCoreApplication::quit();
        });
    }

private:
    bool painted_ = false;
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    EmptyWindow window;
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        window.move(screen->geometry().center() - window.rect().center());
    }
    window.show();
    return QApplication::exec();
}
