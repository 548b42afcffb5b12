// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
// The road of one test through the real windows: main menu, test screen,
// results screen, and the figure and information windows on the way.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QPushButton>

#include "GuiSupport.h"
#include "app/Screens.h"
#include "engine/core/QuestionList.h"
#include "shell/core/QuestionBank.h"
#include "shell/core/Settings.h"
#include "ui/gui/Info.h"
#include "ui/gui/MainMenu.h"
#include "ui/gui/Rollover.h"

using namespace quillet;
using namespace quillet::testing;

namespace {

QByteArray SmallPng() {
    QImage image(120, 80, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// Three Technician questions in section T1 (chosen); the second has a figure.
struct Program {
    ProgramFolder folder;
    std::unique_ptr<MainMenu> menu;
    MessageCloser messages;  // feedback and warnings, closed with "Ok" as they come

    explicit Program(int mode) {
        qbank::BankContent bank;
        bank.sections = {{1, "T1", "Section one", 2}, {2, "G1", "Section two", 3}};
        for (int i = 1; i <= 3; ++i) {
            qbank::BankQuestion q;
            q.id = i, q.sectionId = 1, q.question = QString("Question %1").arg(i);
            q.answerA = "a", q.answerB = "b", q.answerC = "c", q.answerD = "d";
            q.answer = "B", q.fccQuestionId = QString("T1A0%1").arg(i);
            if (i == 2) q.figureId = 1;
            bank.questions.push_back(q);
        }
        bank.figures.push_back({1, SmallPng(), "Figure T-1"});
        EXPECT_TRUE(folder.writeBank(bank));
        WriteSetting(folder.session.settingsPath, "Sections", "Ask1", "Yes");
        WriteSetting(folder.session.settingsPath, "TestMode", "TestMode", QString::number(mode));
        menu = std::make_unique<MainMenu>(folder.session, folder.options, folder.services,
                                          DefaultScreens(folder.program));
    }

    // Starts a Technician test from the menu.
    void startTechnicianTest() {
        QLabel* item = menu->menu()->item(1);
        QTest::mouseClick(item, Qt::LeftButton, {}, item->rect().center());
    }
};

QLabel* Answer(QWidget* test, int i) {
    return test->findChild<QLabel*>(QStringLiteral("lblAnswer%1").arg(i));
}

// Clicks the right (or a wrong) answer of the question on screen.
void AnswerQuestion(QWidget* test, bool right) {
    QLabel* rightAnswer = RightAnswer(test);
    for (int i = 0; i < 4; ++i) {
        QLabel* label = Answer(test, i);
        if ((label == rightAnswer) == right) {
            QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());
            return;
        }
    }
    ADD_FAILURE() << "no such answer on screen";
}

TEST(TestRoad, ModeOneEndsInTheResultsScreenWithTheRightBars) {
    Program program(1);
    QString score, overall;
    QPixmap bar;
    bool resultsSeen = false;
    QTimer::singleShot(0, [&] {
        WhenModal("TakeTest", [&](QWidget* test) {
            AnswerQuestion(test, true);
            AnswerQuestion(test, false);
            AnswerQuestion(test, true);
        });
        WhenModal("TestResults", [&](QWidget* results) {
            resultsSeen = true;
            score = results->findChild<QLabel*>("percentLabel0")->text();
            overall = results->findChild<QLabel*>("Label2")->text();
            bar = results->findChild<QLabel*>("percentBar0")->pixmap();
            EXPECT_FALSE(results->findChild<QLabel*>("percentLabel1")->isVisible())
                << "General is not part of this report";
            ClickChild(results, "RollOverPicture0");
            QTimer::singleShot(0, [&] { program.menu->exitProgram(); });
        });
        program.startTechnicianTest();
    });
    program.menu->exec();
    ASSERT_TRUE(resultsSeen);
    EXPECT_EQ(score, "67% (2 of 3)");
    EXPECT_EQ(overall, "67%");
    EXPECT_EQ(bar.toImage(), QPixmap(":/bar_red.png").toImage()) << "2 of 3 is below 22 of 30";
    EXPECT_FALSE(program.menu->findChild<QWidget*>("picPreparing")->isVisible());
}

// Presses a key on whatever has the keyboard focus, as the keyboard does,
// once the active modal window has it.
void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const bool ready = QTest::qWaitFor(
        [] {
            QWidget* focus = QApplication::focusWidget();
            return focus && focus->window() == QApplication::activeModalWidget();
        },
        1000);
    ASSERT_TRUE(ready) << "the active window has no keyboard focus";
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr) << "nothing has the keyboard focus";
    QTest::keyClick(target, key, modifiers);
}

QColor Colour(const QWidget* item) { return item->palette().color(QPalette::WindowText); }

TEST(TestRoad, ModeOneFromTheMenuToTheResultsAndOutByKeyboardAlone) {
    Program program(1);
    MenuItems* menu = program.menu->menu();
    QString score;
    bool exitFocused = false;
    QTimer::singleShot(0, [&] {
        // The menu opens with no item looking chosen; Tab moves down it.
        EXPECT_EQ(Colour(menu->item(0)), menu->colours().normal);
        Key(Qt::Key_Tab);
        Key(Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), menu->item(1));
        EXPECT_EQ(Colour(menu->item(1)), menu->colours().hover);
        WhenModal("TakeTest", [&](QWidget* test) {
            Key(Qt::Key_Down);  // into the answers
            for (int question = 0; question < 3; ++question) {
                // Down to the right answer, then Enter.
                for (int step = 0; step < 4; ++step) {
                    if (QApplication::focusWidget() == RightAnswer(test)) break;
                    Key(Qt::Key_Down);
                }
                Key(Qt::Key_Return);
            }
        });
        WhenModal("TestResults", [&](QWidget* results) {
            score = results->findChild<QLabel*>("percentLabel0")->text();
            // The keyboard starts on the first row; Tab goes on through the
            // rows and the overall score to BACK.
            const auto focused = [] {
                QWidget* widget = QApplication::focusWidget();
                return widget ? widget->objectName() : QString();
            };
            ASSERT_TRUE(QTest::qWaitFor([&] { return !focused().isEmpty(); }, 1000));
            EXPECT_EQ(focused(), "lblSectionName0");
            for (int i = 0; i < 12 && focused() != QStringLiteral("RollOverPicture0"); ++i) {
                Key(Qt::Key_Tab);
            }
            EXPECT_EQ(QApplication::focusWidget()->objectName(), "RollOverPicture0");
            Key(Qt::Key_Space);
            WhenModal("MainMenu", [&](QWidget*) {
                // Back on the menu, on the item that started the test.
                EXPECT_TRUE(QTest::qWaitFor(
                    [&] { return QApplication::focusWidget() == menu->item(1); }, 1000));
                Key(Qt::Key_Tab, Qt::ShiftModifier);
                Key(Qt::Key_Up);  // round from the top to the bottom
                exitFocused = QApplication::focusWidget() == menu->item(5);
                Key(Qt::Key_Return);
            });
        });
        Key(Qt::Key_Enter, Qt::KeypadModifier);
    });
    program.menu->exec();
    EXPECT_EQ(score, "100% (3 of 3)");
    EXPECT_TRUE(exitFocused);
}

TEST(TestRoad, ModeTwoAndLeavingEarlyEndWithoutResults) {
    for (const bool leaveAtOnce : {false, true}) {
        Program program(leaveAtOnce ? 1 : 2);
        bool resultsSeen = false;
        bool testClosed = false;
        QTimer::singleShot(0, [&] {
            WhenModal("TakeTest", [&](QWidget* test) {
                if (leaveAtOnce) {
                    ClickChild(test, "RollOverPicture0");
                } else {
                    for (int i = 0; i < 3; ++i) AnswerQuestion(test, true);
                }
                QTimer::singleShot(0, [&] {
                    testClosed = QApplication::activeModalWidget() == program.menu.get();
                    // A results screen would now be up instead of the menu.
                    QTimer::singleShot(300, [&] { program.menu->exitProgram(); });
                });
            });
            WhenModal(
                "TestResults", [&](QWidget*) { resultsSeen = true; }, 1000, program.menu.get());
            program.startTechnicianTest();
        });
        program.menu->exec();
        EXPECT_TRUE(testClosed) << leaveAtOnce;
        EXPECT_FALSE(resultsSeen) << leaveAtOnce;
        EXPECT_EQ(program.messages.texts.size(), leaveAtOnce ? 0 : 3);
    }
}

TEST(TestRoad, FigureAndInformationOpenFromTheTestScreen) {
    Program program(1);
    QString figureCaption, idBefore, idAfter;
    QSize pictureSize;
    int infoPage = -1;
    QTimer::singleShot(0, [&] {
        WhenModal("TakeTest", [&](QWidget* test) {
            // Move on to the question with the figure.
            while (!test->findChild<QPushButton*>("cmdFIG")->isVisible())
                AnswerQuestion(test, true);
            idBefore = test->findChild<QLabel*>("lblQuestionID")->text();
            WhenModal("frmFigure", [&, test](QWidget* viewer) {
                figureCaption = viewer->findChild<QLabel*>("lblSection")->text();
                pictureSize = viewer->findChild<QWidget*>("picinner")->size();
                ClickChild(viewer, "Command1");
                QTimer::singleShot(50, [&, test] {
                    idAfter = test->findChild<QLabel*>("lblQuestionID")->text();
                    WhenModal("Info", [&, test](QWidget* info) {
                        infoPage = static_cast<Info*>(info)->pageShown();
                        ClickChild(info, "lblAnswer8");
                        QTimer::singleShot(50, [&, test] {
                            ClickChild(test, "RollOverPicture0");
                            QTimer::singleShot(50, [&] { program.menu->exitProgram(); });
                        });
                    });
                    ClickChild(test, "RollOverPicture1");
                });
            });
            ClickChild(test, "cmdFIG");
        });
        program.startTechnicianTest();
    });
    program.menu->exec();
    EXPECT_EQ(figureCaption, "Figure T-1");
    EXPECT_EQ(pictureSize, QSize(120, 80));
    EXPECT_EQ(idAfter, idBefore) << "the same question is still on screen";
    EXPECT_EQ(idBefore, "FCC Question ID: T1A02");
    EXPECT_EQ(infoPage, 0);
}

// A review asks what was missed last time, then what was never answered, and
// leaves out what was answered right; at its end, and on a review with nothing
// left, it says how many chosen questions were right last time.
TEST(TestRoad, ModeSixReviewsWhatWasMissedThenWhatIsNew) {
    Program program(6);
    OpenStudyRecord(program.folder.session);
    StudyRecord& record = program.folder.session.record;
    const QString pool = PoolNameFor(program.folder.session, 2);
    ASSERT_TRUE(record.add({pool, "T1A01", QDateTime::currentDateTime(), true}));
    ASSERT_TRUE(record.add({pool, "T1A02", QDateTime::currentDateTime(), false}));

    QStringList asked;
    QString caption;
    bool resultsSeen = false;
    QTimer::singleShot(0, [&] {
        WhenModal("TakeTest", [&](QWidget* test) {
            caption = test->findChild<QLabel*>("lblTestType")->text();
            auto id = [test] { return test->findChild<QLabel*>("lblQuestionID")->text(); };
            asked << id();
            AnswerQuestion(test, true);  // T1A02, missed last time
            asked << id();
            AnswerQuestion(test, false);  // T1A03 missed: it stays, and comes back at the end
            AnswerQuestion(test, true);
            asked << id();
            AnswerQuestion(test, true);
            QTimer::singleShot(0, [&] {
                // A second review finds nothing left and closes at once.
                WhenModal(
                    "TestResults", [&](QWidget*) { resultsSeen = true; }, 500, program.menu.get());
                program.startTechnicianTest();
                QTimer::singleShot(300, [&] { program.menu->exitProgram(); });
            });
        });
        program.startTechnicianTest();
    });
    program.menu->exec();
    // What the review holds, and what the right answers of today bring back tomorrow.
    EXPECT_EQ(caption, "Review: 0 due, 1 missed, 1 new; 1 more due tomorrow");
    EXPECT_EQ(asked, (QStringList{"FCC Question ID: T1A02", "FCC Question ID: T1A03",
                                  "FCC Question ID: T1A03"}));
    const QString done =
        "Nothing left to review. 3 of 3 chosen questions were answered right last time. 3 "
        "questions fall due again tomorrow.";
    ASSERT_GE(program.messages.texts.size(), 2);
    const QStringList& texts = program.messages.texts;
    EXPECT_EQ(texts.mid(texts.size() - 2), (QStringList{done, done}));
    EXPECT_EQ(program.messages.texts.filter("Incorrrect").size(), 1);
    EXPECT_FALSE(resultsSeen);
    EXPECT_EQ(record.answerCount(), 5);
}

}  // namespace
