// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "ui/gui/MessageBox.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>

#include "shell/gui/Look.h"
#include "shell/gui/Platform.h"
#include "shell/gui/Twips.h"
#include "ui/gui/Accessible.h"
#include "ui/gui/Rollover.h"

namespace quillet {
namespace {

// Layout of the panel, in twips.
constexpr int kPanelWidth = 4800;
constexpr int kPanelHeight = 3600;
constexpr int kTextLeft = 300;
constexpr int kOkLeft = 1920;
constexpr int kOkTop = 2610;
constexpr int kOkWidth = 1185;
constexpr int kOkHeight = 360;

const QColor kPanelColour(64, 64, 64);
const QColor kEllipseFill(22, 79, 127);
const QColor kEllipseOutline(0, 128, 128);
const QColor kFrameColour(255, 255, 255);
const QColor kTextColour(255, 255, 255);

const MenuColours kOkColours{QColor(224, 224, 224), QColor(255, 255, 0), QColor(255, 128, 0),
                             QColor(255, 255, 255)};

// The dark panel with the blue ellipse behind the text and the frame of "Ok".
class Panel : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), kPanelColour);

        // The ellipse is larger than the panel: only its middle part shows.
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(kEllipseOutline, 1));
        painter.setBrush(kEllipseFill);
        const QRect ellipse = TwipRect(-570, -1200, 5535, 5085);
        painter.drawEllipse(QRectF(ellipse).adjusted(0.5, 0.5, -0.5, -0.5));

        // A one-pixel outline inside the frame's own rectangle.
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(kFrameColour, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(TwipRect(1980, 2520, 1065, 525).adjusted(0, 0, -1, -1));
    }
};

}  // namespace

MessageBox::MessageBox(const QString& text, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    // A screen reader says the message as the box opens: the box is an alert
    // named by its text.
    SetAccessibleRole(this, QAccessible::AlertMessage);
    setObjectName(QStringLiteral("myMsgBox"));
    setModal(true);

    panel_ = new Panel(this);
    panel_->setObjectName(QStringLiteral("Picture1"));
    panel_->resize(Px(kPanelWidth), Px(kPanelHeight));

    message_ = new QLabel(panel_);
    message_->setObjectName(QStringLiteral("Label1"));
    message_->setFont(ArialBold(12));
    message_->setTextFormat(Qt::PlainText);
    message_->setWordWrap(true);
    QPalette textPalette = message_->palette();
    textPalette.setColor(QPalette::WindowText, kTextColour);
    message_->setPalette(textPalette);
    message_->installEventFilter(this);

    menu_ = new MenuItems(this, QStringLiteral("lblAnswer"), kOkColours);
    menu_->setAccessibleRole(QAccessible::PushButton);
    QLabel* ok = menu_->addItem(panel_, QStringLiteral("Ok"));
    ok->setFont(ArialBold(14.25));
    ok->setAlignment(Qt::AlignCenter);
    ok->setGeometry(TwipRect(kOkLeft, kOkTop, kOkWidth, kOkHeight));
    connect(menu_, &MenuItems::clicked, this, &MessageBox::unload);
    menu_->addBackground(panel_);
    menu_->addBackground(message_);

    closeButton_ = new QPushButton(QStringLiteral("X"), panel_);
    closeButton_->setObjectName(QStringLiteral("Command1"));
    QFont small = LayoutFont(QStringLiteral("MS Sans Serif"), 8.25, true);
    small.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans")});
    closeButton_->setFont(small);
    closeButton_->setGeometry(TwipRect(4410, 60, 285, 255));
    closeButton_->setFocusPolicy(Qt::NoFocus);
    closeButton_->setAutoDefault(false);
    connect(closeButton_, &QPushButton::clicked, this, &MessageBox::unload);

    // Load step.
    panel_->move(0, 0);
    message_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    message_->setText(text);
    // Equal margins left and right; the text wraps at this width and the label
    // grows to the height of the wrapped text.
    const int textWidth = panel_->width() - 2 * Px(kTextLeft);
    message_->ensurePolished();
    const int textHeight = message_->text().isEmpty() ? 0 : message_->heightForWidth(textWidth);
    setFixedSize(panel_->size());
    // Centred in the space above "Ok"; a text taller than that space starts
    // above the panel and its first lines are cut off.
    message_->setGeometry(Px(kTextLeft), (ok->y() - textHeight) / 2, textWidth, textHeight);
    CenterForm(this);

    setAccessibleName(text);
}

void MessageBox::resetRollovers() { menu_->resetRollovers(); }

void MessageBox::unload() { accept(); }

void MessageBox::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
        case Qt::Key_Escape:
            unload();
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}

bool MessageBox::eventFilter(QObject* watched, QEvent* event) {
    const bool press = event->type() == QEvent::MouseButtonPress;
    const bool release = event->type() == QEvent::MouseButtonRelease;
    // Only a press or a release is a mouse event; other events must not be cast.
    const auto* mouse = press || release ? static_cast<const QMouseEvent*>(event) : nullptr;
    if (watched == message_ && mouse && mouse->button() == Qt::LeftButton) {
        if (press) {
            textPressed_ = true;
        } else {
            const bool click =
                textPressed_ && message_->rect().contains(mouse->position().toPoint());
            textPressed_ = false;
            if (click) {
                unload();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ShowMessage(const QString& text, QWidget* parent) {
    QPointer<MessageBox> box = new MessageBox(text, parent);
    ExecModal(*box);
    delete box;  // a fresh window for the next message
}

}  // namespace quillet
