#include "ui/gui/MainMenu.h"

#include "shell/core/AppState.h"
#include "shell/core/QuestionBank.h"
#include "shell/gui/Platform.h"
#include "shell/gui/Twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMouseEvent>

namespace quillet {
namespace {

QFont MenuFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(14.25);
    font.setBold(true);
    return font;
}

void SetTextColour(QLabel* label, const QColor& colour) {
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, colour);
    label->setPalette(pal);
}

}  // namespace

MainMenu::MainMenu(AppState& state, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      state_(state) {
    setObjectName(QStringLiteral("MainMenu"));
    setWindowTitle(QStringLiteral("Quillet"));
    setFixedSize(Px(9600), Px(7125));

    picture1_ = new QLabel(this);
    picture1_->setObjectName(QStringLiteral("Picture1"));
    picture1_->setPixmap(QPixmap(QStringLiteral(":/mainmenu.png")));
    picture1_->setGeometry(0, 0, 640, 480);

    auto* version = new QLabel(QStringLiteral("version 3.01"), picture1_);
    version->setObjectName(QStringLiteral("Label2"));
    version->setGeometry(TwipRect(180, 6870, 1005, 285));
    QFont small(QStringLiteral("Arial"));
    small.setPointSize(8);
    version->setFont(small);
    SetTextColour(version, QColor(255, 255, 255));

    exitItem_ = new QLabel(QStringLiteral("Exit"), picture1_);
    exitItem_->setObjectName(QStringLiteral("lblAnswer5"));
    exitItem_->setFont(MenuFont());
    exitItem_->move(Px(3420), Px(6120));
    exitItem_->adjustSize();
    exitItem_->setFixedHeight(Px(330));
    SetTextColour(exitItem_, QColor(128, 128, 255));
    exitItem_->installEventFilter(this);

    // Load step: the program's initialisation.
    repaint();
    CenterForm(this);
    loaded_ = LoadProgram(state_);
}

bool MainMenu::eventFilter(QObject* watched, QEvent* event) {
    if (watched == exitItem_ && event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && exitItem_->rect().contains(mouse->position().toPoint())) {
            exitProgram();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void MainMenu::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) checkQuestionBank();
}

void MainMenu::checkQuestionBank() {
    if (exiting_ || state_.databasePath.isEmpty()) return;
    if (!QFileInfo(state_.databasePath).isFile()) {
        if (state_.fatal) {
            state_.fatal->fatal(QStringLiteral("Critical Error"),
                                QStringLiteral("Critical Error:  The database was not found.  "
                                               "Exiting."));
        }
        exitProgram();
    }
}

void MainMenu::exitProgram() {
    if (exiting_) return;
    exiting_ = true;
    // Close every other window of the program, then this one; the background
    // window then ends the run.
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (window != this && window != parentWidget() && window->isVisible()) window->close();
    }
    done(QDialog::Accepted);
}

void MainMenu::closeEvent(QCloseEvent* event) {
    // Closing the window by the window system's own means ends the program in
    // the same orderly way as "Exit".
    if (!exiting_) {
        event->ignore();
        exitProgram();
        return;
    }
    QDialog::closeEvent(event);
}

}  // namespace quillet
