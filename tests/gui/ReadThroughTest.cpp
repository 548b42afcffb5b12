// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
// The read-through of the pool, opened from the main menu and driven by keyboard alone.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>

#include "GuiSupport.h"
#include "app/Screens.h"
#include "options/gui/OptionsWindow.h"
#include "presentation/gui/ReadThroughWindow.h"
#include "shell/core/QuestionBank.h"
#include "ui/gui/MainMenu.h"
#include "ui/gui/Rollover.h"

using namespace quillet;
using namespace quillet::testing;

namespace {

QString Text(QWidget* window, const char* name) {
    auto* label = window->findChild<QLabel*>(name);
    return label && label->isVisible() ? label->text() : QStringLiteral("(hidden)");
}

// Where a key press of the student goes: the focused control, else the active window.
QWidget* KeyTarget() {
    if (QWidget* focused = QApplication::focusWidget()) return focused;
    return QApplication::activeModalWidget();
}

QString Focused() {
    QWidget* focused = QApplication::focusWidget();
    return focused ? focused->objectName() : QStringLiteral("(none)");
}

// The grouped Technician bank, its second question with a figure.
qbank::BankContent BankWithFigure() {
    qbank::BankContent bank = TechnicianGroupsBank();
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    bank.figures.push_back({7, png, "Figure T-1"});
    bank.questions[1].figureId = 7;
    bank.questions[1].question = "Which ohms meter reads 5 kΩ in figure T-1?";
    return bank;
}

}  // namespace

TEST(ReadThroughRoad, FromTheMainMenuThroughThePoolByKeyboard) {
    ProgramFolder folder;
    ASSERT_TRUE(folder.writeBank(BankWithFigure()));
    MainMenu menu(folder.session, folder.options, folder.services, DefaultScreens(folder.program));
    ASSERT_TRUE(menu.loaded());
    // Element 1 has no questions: the window starts on the one the bank holds.
    folder.session.currentElement = 1;

    QStringList seen;
    QString focusAtOpen, focusAfterSlash, focusAfterFigure, focusAfterEscape, figureCaption,
        flaggedId;
    bool closedBySecondEscape = false;
    QTimer::singleShot(0, [&] {
        WhenModal("ReadThrough", [&](QWidget* window) {
            window->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(window));
            auto* read = qobject_cast<ReadThroughWindow*>(window);
            seen << Text(window, "lblPosition") + " " + Text(window, "lblHeading").left(5);
            focusAtOpen = Focused();
            QTest::keyClick(KeyTarget(), Qt::Key_Down);
            seen << Text(window, "lblPosition") + " " + Text(window, "lblHeading").left(5);
            seen << Text(window, "lblRule") + " | " +
                        (window->findChild<QWidget*>("cmdFIG")->isVisible() ? "fig" : "no fig");
            // M flags the question on screen in the study record.
            QTest::keyClick(KeyTarget(), Qt::Key_M);
            flaggedId = read->pool().question(read->listed()[1]).poolId;
            QTest::keyClick(KeyTarget(), Qt::Key_PageDown);
            seen << QString::number(read->currentRow() > 2);
            // "/" goes to the search, which filters as the student types.
            QTest::keyClick(KeyTarget(), '/');
            focusAfterSlash = Focused();
            QTest::keyClick(KeyTarget(), 'K');
            QKeyEvent omega(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, "Ω");
            QApplication::sendEvent(KeyTarget(), &omega);
            seen << Text(window, "lblPosition") + " " + Text(window, "lblHeading").left(5);
            // F opens the figure of the question on screen once the list has the keyboard.
            QTest::keyClick(KeyTarget(), Qt::Key_Escape);
            focusAfterEscape = Focused();
            WhenModal("frmFigure", [&](QWidget* figure) {
                figureCaption = Text(figure, "lblSection");
                QTest::keyClick(figure, Qt::Key_Escape);
                QTimer::singleShot(0, [&, window] {
                    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
                    focusAfterFigure = Focused();
                    QTest::keyClick(KeyTarget(), Qt::Key_Escape);
                    closedBySecondEscape = !window->isVisible();
                    if (!closedBySecondEscape) window->close();
                    QTimer::singleShot(0, [&] { menu.exitProgram(); });
                });
            });
            QTest::keyClick(KeyTarget(), Qt::Key_F);
        });
        menu.choose(9);
    });
    menu.exec();

    EXPECT_EQ(seen, QStringList({"Question 1 of 70 T1A01", "Question 2 of 70 T1A02",
                                 "(hidden) | fig", "1", "Question 1 of 1 T1A02"}));
    EXPECT_EQ(focusAtOpen, "lstQuestions");
    EXPECT_EQ(focusAfterSlash, "txtSearch");
    EXPECT_EQ(focusAfterEscape, "lstQuestions");
    EXPECT_EQ(figureCaption, "Figure T-1");
    EXPECT_EQ(focusAfterFigure, "lstQuestions");
    EXPECT_TRUE(closedBySecondEscape);
    EXPECT_EQ(flaggedId, "T1A02");
    EXPECT_TRUE(folder.session.record.flags(PoolNameFor(folder.session, 2)).contains("T1A02"));
}

TEST(ReadThroughRoad, TheTopicsPageReadsTheChosenElementsPool) {
    ProgramFolder folder;
    ASSERT_TRUE(folder.writeBank(TechnicianGroupsBank()));
    ASSERT_TRUE(LoadProgram(folder.session, folder.options, folder.services.fatal));
    OptionsWindow options(folder.session, folder.options, folder.sounds);
    auto* link = options.findChild<QLabel*>("lblRead0");
    ASSERT_NE(link, nullptr);
    EXPECT_TRUE(link->isHidden());
    std::vector<int> opened;
    options.setReadThroughOpener([&](int element, QWidget*) { opened.push_back(element); });
    options.show();
    options.chooseElement(2);
    QTest::mouseClick(link, Qt::LeftButton, {}, link->rect().center());
    EXPECT_EQ(opened, std::vector<int>({2}));
}
