// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "ui/gui/MainMenu.h"

#include <quillet/Config.h>

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <iterator>

#include "shell/core/ExamMode.h"
#include "shell/core/QuestionBank.h"
#include "shell/gui/Look.h"
#include "shell/gui/Platform.h"
#include "shell/gui/Twips.h"
#include "ui/core/MainMenuRules.h"
#include "ui/gui/Accessible.h"
#include "ui/gui/MessageBox.h"
#include "ui/gui/Rollover.h"

namespace quillet {
namespace {

struct ItemPlace {
    int index;
    const char* caption;
    int left;
    int top;
};

// Top to bottom on the screen.
constexpr ItemPlace kItems[] = {
    {0, "Novice Class - not examined", 3390, 2910},
    {1, "Technician Class - Element 2", 3390, 3300},
    {2, "General Class - Element 3", 3390, 3720},
    {3, "Advanced Class - not examined", 3390, 4140},
    {4, "Extra Class - Element 4", 3390, 4560},
    {5, "Exit", 3420, 6120},
    {6, "Test and Program Options", 3390, 5130},
    {7, "General Information", 3390, 5520},
    {8, "Progress", 6480, 5520},
    // A pixel above Exit, so that Exit stays last in reading order: for Tab, the arrows and
    // screen readers alike.
    {9, "Read the Pool", 5820, 6105},
};

const QString kCriticalTitle = QStringLiteral("Critical Error");
const QString kCriticalText =
    QStringLiteral("Critical Error:  The database was not found.  Exiting.");

}  // namespace

MainMenu::MainMenu(Session& session, StudentOptions& options, const Services& services,
                   Screens screens, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      session_(session),
      options_(options),
      services_(services),
      screens_(std::move(screens)) {
    setObjectName(QStringLiteral("MainMenu"));
    setWindowTitle(QStringLiteral("Quillet"));
    setWindowIcon(QIcon(ResourcePicture(QStringLiteral(":/icon.png"))));
    setFixedSize(Px(9600), Px(7125));

    background_ = new QLabel(this);
    background_->setObjectName(QStringLiteral("Picture1"));
    background_->setPixmap(ReadPng(QStringLiteral(":/mainmenu.png")));
    background_->setGeometry(0, 0, 640, 480);

    menu_ = new MenuItems(
        this, QStringLiteral("lblAnswer"),
        {QColor(128, 128, 255), QColor(255, 255, 128), QColor(255, 128, 0), QColor(255, 255, 255)});
    // Items are created in index order so that each gets its own name.
    for (int index = 0; index < int(std::size(kItems)); ++index) {
        for (const ItemPlace& place : kItems) {
            if (place.index != index) continue;
            QLabel* item = menu_->addItem(background_, QString::fromLatin1(place.caption));
            item->setFont(ArialBold(14.25));
            item->adjustSize();
            item->setGeometry(Px(place.left), Px(place.top), item->width(), Px(330));
        }
    }
    menu_->addBackground(this);
    menu_->addBackground(background_);
    connect(menu_, &MenuItems::clicked, this, &MainMenu::choose);
    // Tab follows the items down the screen, "Exit" last.
    std::vector<QWidget*> items;
    for (int i = 0; i < menu_->count(); ++i) items.push_back(menu_->item(i));
    items = InReadingOrder(items);
    SetTabOrder(items);
    // Screen readers list a window's controls in the order of its children:
    // raising each item in turn puts them in reading order there too.
    for (QWidget* item : items) item->raise();

    auto* version = new QLabel(QStringLiteral("version " QUILLET_VERSION), background_);
    version->setObjectName(QStringLiteral("Label2"));
    version->setGeometry(TwipRect(180, 6870, 1005, 285));
    // The plain face labels get when nothing else is asked for.
    QFont plain = LayoutFont(QStringLiteral("MS Sans Serif"), 8.25);
    plain.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans")});
    version->setFont(plain);
    SetColour(version, QPalette::WindowText, QColor(255, 255, 255));

    preparing_ = new QWidget(background_);
    preparing_->setObjectName(QStringLiteral("picPreparing"));
    preparing_->setGeometry(TwipRect(2640, 2550, 6285, 4275));
    preparing_->setAutoFillBackground(true);
    SetColour(preparing_, QPalette::Window, QColor(128, 128, 128));
    auto* preparingText = new QLabel(QStringLiteral("Preparing Questions..."), preparing_);
    preparingText->setObjectName(QStringLiteral("Label1"));
    preparingText->setFont(ArialBold(14.25));
    preparingText->setAlignment(Qt::AlignCenter);
    preparingText->setGeometry(TwipRect(1710, 1890, 3135, 330));
    // The centred text may be wider than its design box; keep it centred on it.
    const int needed = preparingText->sizeHint().width();
    if (needed > preparingText->width()) {
        preparingText->setGeometry(preparingText->x() - (needed - preparingText->width()) / 2,
                                   preparingText->y(), needed, preparingText->height());
    }
    preparing_->hide();

    // Load step: the program's initialisation.
    repaint();
    CenterForm(this);
    loaded_ = LoadProgram(session_, options_, services_.fatal);
}

void MainMenu::resetRollovers() { menu_->resetRollovers(); }

void MainMenu::choose(int index) {
    switch (index) {
        case 5:
            exitProgram();
            break;
        case 6:
            if (screens_.options) screens_.options(this);
            break;
        case 7:
            if (screens_.info) screens_.info(this);
            break;
        case 8:
            if (screens_.progress) screens_.progress(this);
            break;
        case 9:
            if (screens_.readThrough) screens_.readThrough(session_.currentElement, this);
            break;
        default:
            if (index >= 0 && index <= 4) startTest(index + 1);
            break;
    }
}

void MainMenu::startTest(int element) {
    preparing_->show();
    preparing_->repaint();
    session_.currentElement = element;
    // The real exam covers the whole element, whatever sections are chosen.
    QString refusal = RealExamRefusal(session_, options_.testMode, element);
    if (NormalizedTestMode(options_.testMode) != kModeRealExam &&
        !AnySectionChosen(session_.sections, element)) {
        refusal = kNoSectionsChosenMessage;
    }
    if (!refusal.isEmpty()) {
        ShowMessage(refusal, this);
        preparing_->hide();
        return;
    }
    const QString poolWarning = PoolWarningBeforeTest(session_, Today(services_), element);
    if (!poolWarning.isEmpty()) ShowMessage(poolWarning, this);
    if (exiting_) return;
    if (!session_.record.isOpen()) OpenStudyRecord(session_);
    if (!screens_.test) {
        preparing_->hide();
        return;
    }
    const FinishedTest test = screens_.test(this);
    if (exiting_) return;
    if (test.questionsNotFound) ShowMessage(NoQuestionsMessage(), this);
    if (ResultsFollow(test.scores, test.mode) && screens_.results) screens_.results(test, this);
    preparing_->hide();
}

void MainMenu::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) checkQuestionBank();
}

void MainMenu::checkQuestionBank() {
    if (exiting_ || session_.databasePath.isEmpty()) return;
    if (!QFileInfo(session_.databasePath).isFile()) {
        if (services_.fatal) services_.fatal->fatal(kCriticalTitle, kCriticalText);
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

void MainMenu::keyPressEvent(QKeyEvent* event) {
    // Only "Exit" or the window system's close end the program; Escape, which
    // would otherwise close the dialog and skip that orderly exit, does nothing.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
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
