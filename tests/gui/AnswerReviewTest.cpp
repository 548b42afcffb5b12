// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
// The answer review through the real windows: a simulated exam with a flagged
// question and five misses, its results, the review of its answers filtered to
// the wrong ones, and a retry of those, all reached by keyboard.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <set>

#include "GuiSupport.h"
#include "app/Screens.h"
#include "results/gui/AnswerReviewWindow.h"
#include "shell/core/Settings.h"
#include "ui/gui/MainMenu.h"
#include "ui/gui/Rollover.h"

using namespace quillet;
using namespace quillet::testing;

namespace {

// Tab (or Shift+Tab) until the control named `name` has the keyboard; false
// when a round of the window's controls does not reach it.
bool TabTo(QWidget* window, const QString& name, bool back = false) {
    for (int i = 0; i < 80; ++i) {
        QWidget* focused = QApplication::focusWidget();
        if (focused && focused->objectName() == name) return true;
        QTest::keyClick(focused ? focused : window, Qt::Key_Tab,
                        back ? Qt::ShiftModifier : Qt::NoModifier);
    }
    return false;
}

// Brings `window` to the front with the keyboard, as a click on it would.
bool Activate(QWidget* window) {
    for (int i = 0; i < 200 && QApplication::activeWindow() != window; ++i) {
        window->activateWindow();
        QTest::qWait(10);
    }
    return QApplication::activeWindow() == window;
}

void Leave(QWidget* window, MainMenu& menu) {
    window->close();
    QTimer::singleShot(0, [&menu] { menu.exitProgram(); });
}

}  // namespace

TEST(AnswerReviewRoad, ReviewTheWrongAnswersOfAnExamAndRetryThemByKeyboard) {
    ProgramFolder folder;
    ASSERT_TRUE(folder.writeBank(TechnicianGroupsBank()));
    WriteSetting(folder.session.settingsPath, "TestMode", "TestMode", "4");
    WriteSetting(folder.session.settingsPath, "Sections", "Ask1", "Yes");
    WriteSetting(folder.session.settingsPath, "Sections", "Ask2", "Yes");
    MainMenu menu(folder.session, folder.options, folder.services, DefaultScreens(folder.program));
    MessageCloser messages;

    QString flagged, firstRowName, firstRowText;
    bool flagShown = false, flagChecked = false;
    std::set<QString> missed, retried;
    int allRows = 0, wrongRows = -1;
    bool reachedReview = false, reachedFilter = false, reachedRetry = false;
    QTimer::singleShot(0, [&] {
        WhenModal("TakeTest", [&](QWidget* test) {
            auto* exam = qobject_cast<ExamWindow*>(test);
            auto* flag = test->findChild<QAbstractButton*>("cmdFlag");
            flagShown = flag && flag->isVisible();
            flagged = exam->test().currentQuestion()->poolQuestionId;
            if (flag) QTest::mouseClick(flag, Qt::LeftButton);
            flagChecked = flag && flag->isChecked();
            for (int i = 0; i < 30 && exam->test().currentQuestion(); ++i) {
                if (i % 6 == 5) missed.insert(exam->test().currentQuestion()->poolQuestionId);
                ClickAnswer(test, i % 6 != 5);
            }
        });
        WhenModal("TestResults", [&](QWidget* results) {
            WhenModal("AnswerReview", [&](QWidget* window) {
                auto* review = qobject_cast<AnswerReviewWindow*>(window);
                allRows = int(review->shownRows().size());
                auto* first = window->findChild<QLabel*>("lblQuestion0");
                firstRowText = first->text();
                firstRowName = first->accessibleName();
                EXPECT_TRUE(Activate(window));
                // From the first row back to the filter, then on to the retry.
                reachedFilter = TabTo(window, "lblFilter1", true);
                if (reachedFilter) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                wrongRows = int(review->shownRows().size());
                reachedRetry = reachedFilter && TabTo(window, "lblRetry0");
                if (!reachedRetry) return Leave(window, menu);
                WhenModal("TakeTest", [&](QWidget* test) {
                    auto* exam = qobject_cast<ExamWindow*>(test);
                    while (test->isVisible() && exam->test().currentQuestion()) {
                        retried.insert(exam->test().currentQuestion()->poolQuestionId);
                        ClickAnswer(test, true);
                    }
                    WhenModal("TestResults", [&](QWidget* again) { Leave(again, menu); });
                });
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            });
            EXPECT_TRUE(Activate(results));
            reachedReview = TabTo(results, "lblLink1");
            if (!reachedReview) return Leave(results, menu);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
        QLabel* item = menu.menu()->item(1);
        QTest::mouseClick(item, Qt::LeftButton, {}, item->rect().center());
    });
    menu.exec();

    EXPECT_TRUE(flagShown);
    EXPECT_TRUE(flagChecked);
    ASSERT_TRUE(reachedReview);
    EXPECT_EQ(allRows, 30);
    EXPECT_EQ(firstRowText, flagged);
    EXPECT_TRUE(firstRowName.endsWith("Flagged.")) << firstRowName.toStdString();
    ASSERT_TRUE(reachedFilter);
    EXPECT_EQ(wrongRows, 5);
    ASSERT_TRUE(reachedRetry);
    EXPECT_EQ(missed.size(), 5u);
    EXPECT_EQ(retried, missed);
}
