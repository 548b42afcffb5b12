// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "support/PrintQString.h"
#include "ui/gui/MessageBox.h"

using namespace quillet;

namespace {

QLabel* TextOf(QWidget* box) { return box->findChild<QLabel*>("Label1"); }
QLabel* OkOf(QWidget* box) { return box->findChild<QLabel*>("lblAnswer0"); }

// Shows `text` and, once the box is up, runs `act` on it as the user would;
// returns the text the box showed. A box still open three seconds later is
// closed and the test fails, so a broken close never hangs the run.
QString ShowAndClose(const QString& text, std::function<void(QWidget*)> act) {
    QString shown;
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, act, &shown] {
        QPointer<QWidget> box = QApplication::activeModalWidget();
        if (!box || !box->isVisible()) return;
        poll->deleteLater();
        shown = TextOf(box)->text();
        act(box);
        QTimer::singleShot(3000, [box] {
            if (!box || !box->isVisible()) return;
            ADD_FAILURE() << "the message box did not close";
            static_cast<QDialog*>(box.data())->reject();
        });
    });
    poll->start(10);
    ShowMessage(text);
    return shown;
}

TEST(MessageBox, EachMessageGetsAFreshWindowThatClosesInEveryWay) {
    const std::pair<const char*, std::function<void(QWidget*)>> ways[] = {
        {"Ok", [](QWidget* box) { QTest::mouseClick(OkOf(box), Qt::LeftButton); }},
        {"X",
         [](QWidget* box) {
             QTest::mouseClick(box->findChild<QPushButton*>("Command1"), Qt::LeftButton);
         }},
        {"text", [](QWidget* box) { QTest::mouseClick(TextOf(box), Qt::LeftButton); }},
        {"Escape", [](QWidget* box) { QTest::keyClick(box, Qt::Key_Escape); }},
        {"Enter", [](QWidget* box) { QTest::keyClick(box, Qt::Key_Return); }},
        {"Space", [](QWidget* box) { QTest::keyClick(box, Qt::Key_Space); }},
    };
    for (const auto& [name, close] : ways) {
        SCOPED_TRACE(name);
        QPointer<QWidget> shownBox;
        const QString shown = ShowAndClose(name, [&](QWidget* box) {
            shownBox = box;
            close(box);
        });
        EXPECT_EQ(shown, name);
        EXPECT_TRUE(shownBox.isNull()) << "the closed window is gone";
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

TEST(MessageBox, ClicksElsewhereOnThePanelAndOtherKeysDoNothing) {
    bool stillOpen = false;
    ShowAndClose("Stay open", [&stillOpen](QWidget* box) {
        QWidget* panel = box->findChild<QWidget*>("Picture1");
        for (QPoint where : {QPoint(5, 5), QPoint(10, 220), QPoint(300, 200), QPoint(135, 171)}) {
            QTest::mouseClick(panel, Qt::LeftButton, {}, where);
        }
        // Pressed on the text but released beside it.
        QTest::mousePress(TextOf(box), Qt::LeftButton);
        QTest::mouseRelease(TextOf(box), Qt::LeftButton, {}, QPoint(-10, -10));
        QTest::keyClick(box, Qt::Key_A);
        QCoreApplication::processEvents();
        stillOpen = box->isVisible();
        QTest::mouseClick(OkOf(box), Qt::LeftButton);
    });
    EXPECT_TRUE(stillOpen);
}

TEST(MessageBox, LayoutWithTheTextWrappedAndCentredAboveOk) {
    // One line sits midway; a long text keeps its middle there and runs off the top.
    for (int repeat : {1, 20}) {
        MessageBox box(QString("A message that may have to wrap. ").repeated(repeat));
        EXPECT_EQ(box.size(), QSize(320, 240));
        EXPECT_EQ(OkOf(&box)->geometry(), QRect(128, 174, 79, 24));
        EXPECT_EQ(box.findChild<QPushButton*>("Command1")->geometry(), QRect(294, 4, 19, 17));
        const QLabel* text = TextOf(&box);
        EXPECT_EQ(text->geometry().left(), 20);
        EXPECT_EQ(text->width(), 280);
        EXPECT_NEAR(text->y() + text->height() / 2.0, 174 / 2.0, 1.0);
        const bool oneLine = text->height() < 2 * QFontMetrics(text->font()).lineSpacing();
        EXPECT_EQ(oneLine, repeat == 1);
        EXPECT_EQ(text->y() < 0, repeat > 1);
    }
}

}  // namespace
