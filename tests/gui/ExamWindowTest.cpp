// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>
#include <memory>
#include <optional>

#include "GuiSupport.h"
#include "engine/core/QuestionList.h"
#include "engine/gui/ExamWindow.h"
#include "shell/core/QuestionBank.h"
#include "shell/core/Random.h"
#include "shell/gui/Twips.h"

using namespace quillet;
using namespace quillet::testing;

namespace {

// Answers "<fcc> answer a".."d"; the right letter goes round with the id.
qbank::BankQuestion Question(int id, int section, const QString& fcc) {
    qbank::BankQuestion q;
    q.id = id, q.sectionId = section, q.question = "Question " + fcc;
    q.answerA = fcc + " answer a", q.answerB = fcc + " answer b";
    q.answerC = fcc + " answer c", q.answerD = fcc + " answer d";
    q.answer = QChar(u'A' + id % 4), q.fccQuestionId = fcc;
    return q;
}

// Sections T1 and T2 of the Technician element and G1 of General; T1 and G1
// are chosen, so a Technician test asks the questions of T1 only.
qbank::BankContent Bank(int inT1, int figureQuestion = 0) {
    qbank::BankContent bank;
    bank.sections = {
        {1, "T1", "Section one", 2}, {2, "T2", "Section two", 2}, {3, "G1", "Section three", 3}};
    for (int i = 1; i <= inT1; ++i) {
        const QString fcc = QString("T1A%1").arg(i, 2, 10, QChar('0'));
        bank.questions.push_back(Question(i, 1, fcc));
        if (i == figureQuestion) bank.questions.back().figureId = 1;
    }
    bank.questions.push_back(Question(inT1 + 1, 2, "T2A01"));
    bank.questions.push_back(Question(inT1 + 2, 3, "G1A01"));
    bank.figures.push_back({1, QByteArray("png"), "Figure T-1"});
    return bank;
}

// The test screen of a Technician test, shown (or only created, for exec()).
struct Screen {
    ProgramFolder folder;
    MessageCloser messages;
    MersenneRandom random{11};
    std::unique_ptr<ExamWindow> window;

    Screen(int mode, const qbank::BankContent& bank, bool shuffle = false, bool show = true) {
        EXPECT_TRUE(folder.writeBank(bank));
        EXPECT_EQ(folder.session.database.open(folder.file("quillet.dat"), kQuestionBankKey), 0);
        EXPECT_TRUE(LoadSections(folder.session).ok());
        folder.session.sections(1).Ask = folder.session.sections(3).Ask = true;
        folder.session.currentElement = 2;
        folder.options.testMode = mode;
        folder.options.shuffleOn = shuffle;
        QFile(folder.file("projctor.wav")).open(QIODevice::WriteOnly);
        window = std::make_unique<ExamWindow>(folder.session, folder.options, folder.sounds,
                                              folder.services.fatal, nullptr, &random);
        if (show) window->show();
    }

    QString text(const char* name) const { return window->findChild<QLabel*>(name)->text(); }
    QLabel* answer(int i) const {
        return window->findChild<QWidget*>("picInner")
            ->findChild<QLabel*>("lblAnswer" + QString::number(i));
    }
    // The first answer label that is (or is not) the right one.
    int label(bool right) const {
        for (int i = 0; i < 4; ++i)
            if ((answer(i) == RightAnswer(window.get())) == right) return i;
        return -1;
    }
    void click(int i) const {
        QTest::mouseClick(answer(i), Qt::LeftButton, {}, answer(i)->rect().center());
    }
    void button(const char* name) const { ClickChild(window.get(), name); }
    bool open() const { return window->isVisible(); }
    // Section i with the scores of the test on screen.
    const SectionInfo& section(int i) const { return window->test().result().scores(i); }
};

// The screen's own generator is seeded afresh at each opening, so two tests do not ask in the
// same order. The seeds are given, so the orders differ by construction, not by luck.
TEST(ExamWindow, EachOpeningSeedsItsOwnGeneratorAnew) {
    ProgramFolder folder;
    ASSERT_TRUE(folder.writeBank(Bank(12)));
    ASSERT_EQ(folder.session.database.open(folder.file("quillet.dat"), kQuestionBankKey), 0);
    ASSERT_TRUE(LoadSections(folder.session).ok());
    folder.session.sections(1).Ask = true;
    folder.session.currentElement = 2;
    folder.options.testMode = kModeEachOnce;
    unsigned int nextSeed = 1;
    std::vector<QStringList> orders;
    for (int opening = 0; opening < 2; ++opening) {
        ExamWindow window(folder.session, folder.options, folder.sounds, folder.services.fatal,
                          nullptr, nullptr, [&] { return nextSeed++; });
        window.show();
        QStringList order;
        while (window.isVisible() && order.size() < 12) {
            order << window.findChild<QLabel*>("lblQuestionID")->text();
            ClickChild(&window, "RollOverPicture2");  // skip
        }
        orders.push_back(order);
    }
    EXPECT_EQ(nextSeed, 3u) << "one seed for each opening";
    ASSERT_EQ(orders[0].size(), 12);
    EXPECT_NE(orders[0], orders[1]);
}

TEST(ExamWindow, EachOnceAsksTheChosenSectionsOfTheElementSkipsAndScoresAtTheEnd) {
    Screen s(kModeEachOnce, Bank(4));
    EXPECT_EQ(s.text("lblTestType"), "Asking each question exactly once.");
    EXPECT_TRUE(s.window->findChild<QWidget*>("RollOverPicture2")->isVisible());
    QStringList progress, ids{s.text("lblQuestionID")};
    s.button("RollOverPicture2");  // the skipped question counts for nothing
    for (const bool right : {true, false, true}) {
        ASSERT_TRUE(s.open());
        progress << s.text("lblQText1");
        ids << s.text("lblQuestionID");
        EXPECT_EQ(s.text("lblSection"), "T1 - Section one");
        s.click(s.label(right));
    }
    EXPECT_EQ(progress,
              (QStringList{"3 Questions to go", "2 Questions to go", "This is the last question"}));
    ids.sort();  // each once, the skipped one too
    EXPECT_EQ(ids, (QStringList{"FCC Question ID: T1A01", "FCC Question ID: T1A02",
                                "FCC Question ID: T1A03", "FCC Question ID: T1A04"}));
    EXPECT_FALSE(s.open());
    EXPECT_TRUE(s.messages.texts.isEmpty());
    EXPECT_EQ(s.section(1).AskedCount, 3);
    EXPECT_EQ(s.section(1).CorrectCount, 2);
    EXPECT_EQ(s.section(2).AskedCount + s.section(3).AskedCount, 0);
    EXPECT_EQ(s.folder.sound.played.size(), 4);
}

TEST(ExamWindow, UntilRightKeepsAMissedQuestionAndQueuesItOnce) {
    Screen s(kModeUntilRight, Bank(2));
    const QString first = s.text("lblQuestionID");
    s.click(s.label(false));
    s.click(s.label(false));
    EXPECT_EQ(s.messages.texts, (QStringList{"Incorrrect", "Incorrrect"}));
    EXPECT_EQ(s.text("lblRun"), "Current Run: 0");
    EXPECT_EQ(s.text("lblQText1"), "2 Questions to go");
    EXPECT_EQ(s.text("lblQuestionID"), first);

    const int right = s.label(true);
    const QString rightText = s.answer(right)->text();
    s.click(right);
    EXPECT_EQ(s.messages.texts.last(), "Correct!\n\n" + rightText);
    EXPECT_EQ(s.text("lblQText1"), "2 Questions to go");
    s.click(s.label(true));
    EXPECT_EQ(s.text("lblRun"), "Current Run: 1");
    EXPECT_EQ(s.text("lblQuestionID"), first) << "the missed question comes back at the end";
    EXPECT_EQ(s.text("lblQText1"), "This is the last question");
    s.click(s.label(true));
    EXPECT_FALSE(s.open());
    EXPECT_EQ(s.section(1).AskedCount, 3);
    EXPECT_EQ(s.section(1).CorrectCount, 2);
}

TEST(ExamWindow, ContinuousRepeatsUntilTheStudentLeaves) {
    Screen s(kModeContinuous, Bank(2));
    EXPECT_EQ(s.text("lblQText1"), "0 of 0 Questions Correct");
    s.click(s.label(true));
    s.click(s.label(false));
    s.click(s.label(true));
    EXPECT_EQ(s.messages.texts.size(), 3);
    EXPECT_EQ(s.text("lblQText1"), "1 of 2 Questions Correct");
    for (int i = 0; i < 4; ++i) s.click(s.label(true));  // more than the list holds
    ASSERT_TRUE(s.open());
    s.button("RollOverPicture0");
    EXPECT_FALSE(s.open());
    EXPECT_EQ(s.section(1).AskedCount, 6);
    EXPECT_EQ(s.section(1).CorrectCount, 5);
}

TEST(ExamWindow, SimulatedExamHasNoSkipAndStopsAtItsSize) {
    {
        Screen s(kModeSimulatedExam, Bank(32));
        EXPECT_FALSE(s.window->findChild<QWidget*>("RollOverPicture2")->isVisible());
        for (int i = 1; i <= 30; ++i) {
            ASSERT_TRUE(s.open());
            EXPECT_EQ(s.text("lblQText1"), QString::number(i) + " of 30");
            s.click(s.label(i % 2 == 0));
        }
        EXPECT_FALSE(s.open());
        EXPECT_EQ(s.section(1).AskedCount, 30);
        EXPECT_EQ(s.section(1).CorrectCount, 15);
        EXPECT_TRUE(s.messages.texts.isEmpty());
    }
    // Too few questions: announced while the screen loads, then that many asked.
    Screen s(kModeSimulatedExam, Bank(2));
    ASSERT_EQ(s.messages.texts.size(), 1);
    EXPECT_EQ(s.messages.texts[0],
              "You have chosen to take a test of 30 questions.  However, based on the categories "
              "you chose,  only 2 questions are available, so the test will only have that many "
              "questions.");
    EXPECT_EQ(s.text("lblQText1"), "1 of 2");
    s.click(0);
    s.click(0);
    EXPECT_FALSE(s.open());
}

TEST(ExamWindow, KeysAnswerByPlaceFromTheTopAndNoOtherKeyCounts) {
    Screen s(kModeUntilRight, Bank(3), /*shuffle=*/true);
    const QString first = s.text("lblQuestionID");
    for (const auto& [key, modifiers] : {std::pair{Qt::Key_E, Qt::NoModifier},
                                         {Qt::Key_5, Qt::NoModifier},
                                         {Qt::Key_Return, Qt::NoModifier},
                                         {Qt::Key_Escape, Qt::NoModifier},
                                         {Qt::Key_B, Qt::ControlModifier}}) {
        QTest::keyClick(s.window.get(), key, modifiers);
    }
    EXPECT_TRUE(s.messages.texts.isEmpty());
    EXPECT_EQ(s.text("lblQuestionID"), first);
    EXPECT_TRUE(s.open()) << "Escape does not leave the test";

    // Keys for the places from the top, A, B, ... (then 1, 2, ...), until the
    // right one moves the test on; each answers the label standing there.
    bool shuffled = false;
    for (const Qt::Key base : {Qt::Key_A, Qt::Key_1}) {
        std::array<QLabel*, 4> places{s.answer(0), s.answer(1), s.answer(2), s.answer(3)};
        std::sort(places.begin(), places.end(),
                  [](QLabel* a, QLabel* b) { return a->y() < b->y(); });
        const QString question = s.text("lblQuestionID");
        for (int p = 0; p < 4 && s.text("lblQuestionID") == question; ++p) {
            const bool right = places[p] == RightAnswer(s.window.get());
            shuffled |= right && places[p] != s.answer(p);
            const QString text = places[p]->text();
            QTest::keyClick(s.window.get(), static_cast<Qt::Key>(base + p));
            EXPECT_EQ(s.messages.texts.last(), right ? "Correct!\n\n" + text : "Incorrrect");
        }
        EXPECT_NE(s.text("lblQuestionID"), question);
    }
    EXPECT_TRUE(shuffled) << "pick a seed that moves a right answer from its own place";
}

TEST(ExamWindow, FigureButtonOnlyWithAFigureAndTheOpenersAreCalled) {
    Screen s(kModeEachOnce, Bank(2, /*figureQuestion=*/1));
    s.button("RollOverPicture1");  // no information window yet: nothing happens
    int figures = 0, infos = 0, figureShown = 0;
    s.window->setFigureOpener([&](int figureId) { ++figures, figureShown = figureId; });
    s.window->setInfoOpener([&] { ++infos; });
    s.button("RollOverPicture1");
    auto* fig = s.window->findChild<QPushButton*>("cmdFIG");
    auto* id = s.window->findChild<QLabel*>("lblQuestionID");
    for (int i = 0; i < 2; ++i) {
        const bool withFigure = id->text().endsWith("T1A01");
        EXPECT_EQ(fig->isVisible(), withFigure);
        if (withFigure) {
            EXPECT_EQ(id->geometry().right(), Px(9150) - 1);
            EXPECT_NEAR(id->x() - fig->geometry().right() - 1, Px(40), 1);
            QTest::mouseClick(fig, Qt::LeftButton);
        }
        s.click(0);
    }
    EXPECT_EQ(figures, 1);
    EXPECT_EQ(figureShown, 1);
    EXPECT_EQ(infos, 1);
    EXPECT_FALSE(s.open());
}

// Question, table and answers are stacked by their measured heights: every
// label is tall enough for its wrapped text and the gaps are those of the layout.
TEST(ExamWindow, LabelsAreStackedByTheirMeasuredTextAndScrollTogether) {
    qbank::BankContent bank = Bank(0);
    for (const int id : {10, 11}) {
        qbank::BankQuestion q = Question(id, 1, "T1A" + QString::number(id));
        q.question = QString("A long question that has to wrap over several lines. ").repeated(6) +
                     "<TABLE>Name\\tValue\\nFirst & second\\t10";
        q.answerA = QString("A long answer that wraps. ").repeated(8);
        q.answerD = QString("Another long answer that wraps. ").repeated(5);
        bank.questions.push_back(q);
    }
    Screen s(kModeEachOnce, bank, /*shuffle=*/true);
    auto* question = s.window->findChild<QLabel*>("lblQuestion");
    auto* table = s.window->findChild<QLabel*>("lblTable");
    EXPECT_EQ(table->text(), "Name     Value\nFirst & second     10");
    std::vector<QLabel*> stack{question, table};
    for (int i = 0; i < 4; ++i) stack.push_back(s.answer(i));
    std::sort(stack.begin() + 2, stack.end(), [](QLabel* a, QLabel* b) { return a->y() < b->y(); });
    for (size_t i = 0; i < stack.size(); ++i) {
        SCOPED_TRACE(stack[i]->objectName().toStdString());
        EXPECT_GE(stack[i]->height(), stack[i]->heightForWidth(stack[i]->width()));
        if (i == 0) continue;
        const int gap = stack[i]->y() - (stack[i - 1]->y() + stack[i - 1]->height());
        EXPECT_NEAR(gap, i == 1 ? 100 / 15.0 : 140 / 15.0, 1.0);
    }
    EXPECT_GT(question->height(), 3 * question->fontMetrics().lineSpacing());

    // The bars move the canvas 100 twips a step; the next question starts at
    // the top left again while the bars keep their values, and a bar that moves
    // then puts only its own edge of the canvas where it points.
    auto* canvas = s.window->findChild<QWidget*>("picInner");
    auto* vertical = s.window->findChild<QScrollBar*>("VScroll1");
    auto* horizontal = s.window->findChild<QScrollBar*>("HScroll1");
    EXPECT_EQ(vertical->maximum(), 105);
    EXPECT_EQ(horizontal->maximum(), 101);
    vertical->setValue(12);
    horizontal->setValue(3);
    EXPECT_EQ(canvas->pos(), QPoint(-Px(300), -Px(1200)));
    s.button("RollOverPicture2");
    ASSERT_TRUE(s.open());
    EXPECT_EQ(canvas->pos(), QPoint(0, 0));
    EXPECT_EQ(vertical->value(), 12);
    EXPECT_EQ(horizontal->value(), 3);
    vertical->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(canvas->pos(), QPoint(0, -Px(1300)));
    horizontal->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(canvas->pos(), QPoint(-Px(200), -Px(1300)));
}

// However the test ends, the modal run of the screen returns: the leave
// button, the window's close button, or no questions at all.
TEST(ExamWindow, EveryWayOfEndingEndsTheModalRun) {
    const std::pair<const char*, std::function<void(Screen&)>> ways[] = {
        {"leave button", [](Screen& s) { s.button("RollOverPicture0"); }},
        {"close", [](Screen& s) { s.window->close(); }},
    };
    for (const auto& [name, end] : ways) {
        SCOPED_TRACE(name);
        Screen s(kModeContinuous, Bank(2), false, /*show=*/false);
        QTimer::singleShot(0, [&] {
            s.click(s.label(true));
            end(s);
        });
        QTimer::singleShot(5000, s.window.get(), [&] { s.window->done(-1); });
        EXPECT_NE(s.window->exec(), -1);
        EXPECT_TRUE(s.window->test().closed()) << "the test itself has ended";
        EXPECT_EQ(s.section(1).AskedCount, 1) << "the answered question still counts";
    }
    // Sections chosen only for another element: the screen closes by itself.
    qbank::BankContent other = Bank(0);
    Screen s(kModeEachOnce, other, false, /*show=*/false);
    QTimer::singleShot(5000, s.window.get(), [&] { s.window->done(-1); });
    EXPECT_NE(s.window->exec(), -1);
    EXPECT_TRUE(s.window->test().result().questionsNotFound);
    EXPECT_TRUE(s.messages.texts.isEmpty());
}

}  // namespace
