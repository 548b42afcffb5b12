// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
// What a screen reader finds in each window: the roles and names of the
// accessibility tree, the announcement of a new question, and pressing a
// control from an assistive tool.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>
#include <vector>

#include "GuiSupport.h"
#include "engine/gui/ExamWindow.h"
#include "options/gui/OptionsWindow.h"
#include "results/gui/ResultsWindow.h"
#include "shell/core/Settings.h"
#include "ui/gui/Info.h"
#include "ui/gui/MainMenu.h"
#include "ui/gui/MessageBox.h"
#include "ui/gui/Rollover.h"

using namespace quillet;
using namespace quillet::testing;

namespace {

struct Node {
    QAccessible::Role role;
    QString name;
    bool invisible;
    QObject* object;
};

void Walk(QAccessibleInterface* node, std::vector<Node>& out) {
    if (!node) return;
    out.push_back({node->role(), node->text(QAccessible::Name), bool(node->state().invisible),
                   node->object()});
    for (int i = 0; i < node->childCount(); ++i) Walk(node->child(i), out);
}

std::vector<Node> Tree(QWidget* window) {
    std::vector<Node> nodes;
    Walk(QAccessible::queryAccessibleInterface(window), nodes);
    return nodes;
}

// Whether a screen reader finds a shown node with this role and name.
bool Finds(const std::vector<Node>& tree, QAccessible::Role role, const QString& name) {
    for (const Node& node : tree) {
        if (!node.invisible && node.role == role && node.name == name) return true;
    }
    return false;
}

int CountShown(const std::vector<Node>& tree, QAccessible::Role role) {
    int count = 0;
    for (const Node& node : tree) count += !node.invisible && node.role == role;
    return count;
}

// A program folder with a loaded bank: Technician sections T1 (chosen, three
// questions whose answer B is right) and T2, General G1.
struct Loaded {
    ProgramFolder folder;
    std::unique_ptr<MainMenu> menu;

    Loaded() {
        qbank::BankContent bank;
        bank.sections = {{1, "T1", "Section one", 2},
                         {2, "T2", "Section two", 2},
                         {3, "G1", "Section three", 3}};
        for (int i = 1; i <= 3; ++i) {
            qbank::BankQuestion q;
            q.id = i, q.sectionId = 1, q.question = QString("Question %1").arg(i);
            q.answerA = "a", q.answerB = "b", q.answerC = "c", q.answerD = "d";
            q.answer = "B", q.fccQuestionId = QString("T1A0%1").arg(i);
            bank.questions.push_back(q);
        }
        EXPECT_TRUE(folder.writeBank(bank));
        WriteSetting(folder.session.settingsPath, "Sections", "Ask1", "Yes");
        menu =
            std::make_unique<MainMenu>(folder.session, folder.options, folder.services, Screens{});
        folder.session.currentElement = 2;
    }
};

void Show(QWidget* window) {
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
}

TEST(Accessibility, MainMenuItemsAreMenuItemsNamedByTheirCaptions) {
    Loaded program;
    Show(program.menu.get());
    const auto tree = Tree(program.menu.get());
    EXPECT_EQ(CountShown(tree, QAccessible::MenuItem), 9);
    for (const char* caption :
         {"Novice Class - not examined", "Technician Class - Element 2", "Test and Program Options",
          "General Information", "Progress", "Exit"}) {
        EXPECT_TRUE(Finds(tree, QAccessible::MenuItem, caption)) << caption;
    }
    EXPECT_FALSE(Finds(tree, QAccessible::StaticText, "Exit"));
}

TEST(Accessibility, TestScreenReadsItsQuestionAndStatusAndNamesItsButtons) {
    Loaded program;
    ProgramFolder& f = program.folder;
    ExamWindow test(f.session, f.options, f.sounds, f.services.fatal);
    Show(&test);
    const auto tree = Tree(&test);
    EXPECT_EQ(CountShown(tree, QAccessible::PushButton), 7);  // four answers, three pictures
    for (const char* name : {"Answer 1: a", "Answer 2: b", "Answer 4: d", "Skip question",
                             "Information", "End the test"}) {
        EXPECT_TRUE(Finds(tree, QAccessible::PushButton, name)) << name;
    }
    for (const char* label : {"lblQuestion", "lblQText1", "lblTestType", "lblSection"}) {
        const QString text = test.findChild<QLabel*>(label)->text();
        EXPECT_FALSE(text.isEmpty()) << label;
        EXPECT_TRUE(Finds(tree, QAccessible::StaticText, text)) << label;
    }
}

// The offscreen platform has no accessibility bridge to carry the events that
// announce a question, so this checks what a screen reader reads on the focus:
// the focused answer, named by its place, with the new question as its
// description.
TEST(Accessibility, ANewQuestionStartsTheKeyboardAtItsFirstAnswer) {
    Loaded program;
    program.folder.options.shuffleOn = true;
    ProgramFolder& f = program.folder;
    ExamWindow test(f.session, f.options, f.sounds, f.services.fatal);
    Show(&test);
    test.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&test));
    const QLabel* question = test.findChild<QLabel*>("lblQuestion");
    const QString first = question->text();
    QTest::keyClick(&test, Qt::Key_Up);  // into the answers from below: the last one
    QWidget* focused = QApplication::focusWidget();
    ASSERT_NE(focused, nullptr);
    EXPECT_TRUE(focused->accessibleName().startsWith("Answer 4: "))
        << qPrintable(focused->accessibleName());
    QTest::keyClick(focused, Qt::Key_Return);

    EXPECT_NE(question->text(), first) << "the next question is on screen";
    focused = QApplication::focusWidget();
    ASSERT_NE(focused, nullptr);
    EXPECT_TRUE(focused->accessibleName().startsWith("Answer 1: "))
        << qPrintable(focused->accessibleName());
    EXPECT_EQ(focused->accessibleDescription(), question->text());
}

TEST(Accessibility, OptionsScreenHasPageTabsBoxesOptionsAndButtons) {
    Loaded program;
    OptionsWindow options(program.folder.session, program.folder.options, program.folder.sounds);
    Show(&options);
    auto tree = Tree(&options);
    EXPECT_EQ(CountShown(tree, QAccessible::PageTab), 3 + 5);
    EXPECT_TRUE(Finds(tree, QAccessible::PageTab, "Test topics"));
    EXPECT_TRUE(Finds(tree, QAccessible::PageTab, options.tabs()->item(1)->text()));
    auto* box = options.findChild<QWidget*>("chkSection0");
    EXPECT_TRUE(Finds(tree, QAccessible::CheckBox, box->property("text").toString()));
    for (const char* name : {"Back", "Add all sections", "Clear all sections"}) {
        EXPECT_TRUE(Finds(tree, QAccessible::PushButton, name)) << name;
    }
    // The chosen page and element tab read as selected.
    auto selected = [&](QObject* object) {
        return QAccessible::queryAccessibleInterface(object)->state().selected;
    };
    EXPECT_TRUE(selected(options.findChild<QWidget*>("optBut0")));
    EXPECT_FALSE(selected(options.findChild<QWidget*>("optBut1")));
    EXPECT_TRUE(selected(options.tabs()->item(1)));
    EXPECT_FALSE(selected(options.tabs()->item(0)));

    options.selectPage(1);
    tree = Tree(&options);
    EXPECT_EQ(CountShown(tree, QAccessible::RadioButton), OptionsWindow::kModes);
    options.selectPage(2);
    tree = Tree(&options);
    EXPECT_TRUE(Finds(tree, QAccessible::CheckBox, "Play sounds if a sound card is available"));
}

TEST(Accessibility, ResultsRowsReadAsOneSentenceEach) {
    Loaded program;
    FinishedTest test{2, kModeEachOnce, program.folder.session.sections, false};
    test.scores(1).AskedCount = 3;
    test.scores(1).CorrectCount = 2;
    ResultsWindow results(program.folder.session, test, program.folder.sounds);
    Show(&results);
    const auto tree = Tree(&results);
    EXPECT_TRUE(Finds(tree, QAccessible::StaticText, "T1 - Section one: 67%, 2 of 3, not passed"));
    EXPECT_TRUE(Finds(tree, QAccessible::StaticText, "T2 - Section two: not tested"));
    EXPECT_FALSE(Finds(tree, QAccessible::StaticText, "67% (2 of 3)")) << "said twice";
    EXPECT_TRUE(Finds(tree, QAccessible::PushButton, "Back"));
}

TEST(Accessibility, InformationMenuItemsCanBePressedFromAnAssistiveTool) {
    Loaded program;
    Info info(program.folder.session.exams);
    Show(&info);
    const auto tree = Tree(&info);
    for (const char* name : {"Disclaimer", "How to Study", "Contact", "Back"}) {
        EXPECT_TRUE(Finds(tree, QAccessible::MenuItem, name)) << name;
    }
    QAccessibleInterface* study = QAccessible::queryAccessibleInterface(info.menu()->item(1));
    ASSERT_TRUE(study->actionInterface());
    study->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(info.pageShown(), 1);
}

TEST(Accessibility, MessageBoxIsAnAlertNamedByItsText) {
    Loaded program;
    MessageBox box("You have not chosen any sections.");
    Show(&box);
    const auto tree = Tree(&box);
    ASSERT_FALSE(tree.empty());
    EXPECT_EQ(tree.front().role, QAccessible::AlertMessage);
    EXPECT_EQ(tree.front().name, "You have not chosen any sections.");
    EXPECT_TRUE(Finds(tree, QAccessible::PushButton, "Ok"));
}

}  // namespace
