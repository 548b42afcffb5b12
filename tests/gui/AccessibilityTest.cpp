// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
// What a screen reader finds in each window: the roles and names of the
// accessibility tree, the announcement of a new question, and pressing a
// control from an assistive tool.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
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

    explicit Loaded(int questions = 3) {
        qbank::BankContent bank;
        bank.sections = {{1, "T1", "Section one", 2},
                         {2, "T2", "Section two", 2},
                         {3, "G1", "Section three", 3}};
        for (int i = 1; i <= questions; ++i) {
            qbank::BankQuestion q;
            q.id = i, q.sectionId = 1, q.question = QString("Question %1").arg(i);
            q.answerA = "a", q.answerB = "b", q.answerC = "c", q.answerD = "d";
            q.answer = "B", q.fccQuestionId = QString("T1A%1").arg(i, 2, 10, QChar('0'));
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

// The nodes a screen reader reads as shown whose widgets no one can see: on a hidden page, out
// of their parent's bounds, or covered. (Nameless ones, such as a panel under its content, say
// nothing.)
QStringList ShownButUnseen(QWidget* window) {
    QStringList unseen;
    for (const Node& node : Tree(window)) {
        auto* widget = qobject_cast<QWidget*>(node.object);
        if (node.invisible || node.name.isEmpty() || !widget || widget == window) continue;
        if (widget->visibleRegion().isEmpty()) {
            unseen << QString("%1 \"%2\"").arg(widget->objectName(), node.name);
        }
    }
    return unseen;
}

TEST(Accessibility, MainMenuItemsAreMenuItemsNamedByTheirCaptions) {
    Loaded program;
    Show(program.menu.get());
    const auto tree = Tree(program.menu.get());
    EXPECT_EQ(CountShown(tree, QAccessible::MenuItem), 10);
    for (const char* caption :
         {"Novice Class - not examined", "Technician Class - Element 2", "Test and Program Options",
          "General Information", "Progress", "Read the Pool", "Exit"}) {
        EXPECT_TRUE(Finds(tree, QAccessible::MenuItem, caption)) << caption;
    }
    EXPECT_FALSE(Finds(tree, QAccessible::StaticText, "Exit"));
    // Read top to bottom: Exit, at the bottom, last.
    std::vector<QString> items;
    for (const Node& node : tree) {
        if (node.role == QAccessible::MenuItem) items.push_back(node.name);
    }
    ASSERT_EQ(items.size(), 10u);
    EXPECT_EQ(items[5], "Test and Program Options");
    EXPECT_EQ(items[6], "General Information");
    EXPECT_EQ(items[7], "Progress");
    EXPECT_EQ(items[8], "Read the Pool");
    EXPECT_EQ(items[9], "Exit");
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

// The accessible object a screen reader holds for the focused control: a new
// one is a new control to it, and is read afresh.
QAccessible::Id FocusedObject() {
    return QAccessible::uniqueId(
        QAccessible::queryAccessibleInterface(QApplication::focusWidget()));
}

// Screen readers read a control when it gets the focus, and ignore a focus
// given again to the control they are on. Each new question must reach them
// as a focus on its top answer, with the question and the other answers in
// its description, whether the keyboard answered from that same answer (the
// answers in their natural order: the top label stays the same), from the
// keys 1-4, or skipped.
TEST(Accessibility, EachNewQuestionReachesAScreenReaderAsAFocusOnItsTopAnswer) {
    Loaded program(6);
    ProgramFolder& f = program.folder;
    f.options.shuffleOn = false;
    f.options.testMode = kModeEachOnce;
    ExamWindow test(f.session, f.options, f.sounds, f.services.fatal);
    Show(&test);
    test.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&test));
    const QLabel* question = test.findChild<QLabel*>("lblQuestion");
    const QLabel* progress = test.findChild<QLabel*>("lblQText1");
    QTest::keyClick(&test, Qt::Key_Tab);  // the figure button is hidden: the top answer
    ASSERT_EQ(QApplication::focusWidget(), test.findChild<QLabel*>("lblAnswer0"));

    // The offscreen platform carries no events to a screen reader (the check
    // with one is scripts/a11y-check); what it would read is the focused
    // object, new after each answer.
    const auto press = [&](Qt::Key key, const char* how) {
        SCOPED_TRACE(how);
        const QAccessible::Id before = FocusedObject();
        const QString asked = question->text();
        QTest::keyClick(QApplication::focusWidget(), key);
        ASSERT_NE(question->text(), asked);
        EXPECT_EQ(QApplication::focusWidget(), test.findChild<QLabel*>("lblAnswer0"));
        EXPECT_NE(FocusedObject(), before) << "the same object: the screen reader says nothing";
        QAccessibleInterface* heard =
            QAccessible::queryAccessibleInterface(QApplication::focusWidget());
        const QString description = heard->text(QAccessible::Description);
        EXPECT_EQ(heard->text(QAccessible::Name), "Answer 1: a");
        EXPECT_TRUE(description.startsWith("Question T1A0")) << qPrintable(description);
        EXPECT_TRUE(description.contains(question->text())) << qPrintable(description);
        EXPECT_TRUE(description.contains("Answer 2: b. Answer 3: c. Answer 4: d."));
        EXPECT_TRUE(description.endsWith(progress->text() + ".")) << qPrintable(description);
    };
    press(Qt::Key_Return, "Enter on the top answer, which stays the top answer");
    press(Qt::Key_2, "the key 2");
    press(Qt::Key_Space, "Space on the top answer");
    for (int i = 0; i < 4; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget()->accessibleName(), "Skip question");  // after the answers
    press(Qt::Key_Space, "Space on Skip");
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

    // The page and element tabs have tab lists for their parents, holding only the tabs; the
    // modes are a named group.
    const auto tabList = [](QWidget* tab) {
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(tab)->parent();
        QStringList tabs;
        for (int i = 0; i < list->childCount(); ++i) {
            QAccessibleInterface* child = list->child(i);
            if (!child->state().invisible) tabs << child->text(QAccessible::Name);
        }
        return list->role() == QAccessible::PageTabList
                   ? list->text(QAccessible::Name) + ": " + tabs.join(", ")
                   : QString("not a tab list");
    };
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(tabList(options.findChild<QWidget*>(QStringLiteral("optBut%1").arg(i))),
                  "Pages: Test topics, Test options, Settings");
    }
    for (int i = 0; i < OptionsWindow::kTabs; ++i) {
        EXPECT_EQ(tabList(options.tabs()->item(i)),
                  "License class: Novice, Technician, General, Advanced, Extra");
    }
    options.selectPage(1);
    tree = Tree(&options);
    EXPECT_EQ(CountShown(tree, QAccessible::RadioButton), OptionsWindow::kModes);
    EXPECT_TRUE(Finds(tree, QAccessible::Grouping, "Test format"));
    options.selectPage(2);
    tree = Tree(&options);
    EXPECT_TRUE(Finds(tree, QAccessible::CheckBox, "Play sounds if a sound card is available"));
}

TEST(Accessibility, NoControlOutOfSightIsReadAsShown) {
    Loaded program;
    ProgramFolder& f = program.folder;
    OptionsWindow options(f.session, f.options, f.sounds);
    Show(&options);
    for (int page = 0; page < OptionsWindow::kPages; ++page) {
        options.selectPage(page);
        EXPECT_EQ(ShownButUnseen(&options), QStringList()) << "page " << page;
        // Back; Add all and Clear all on the topics page only, Add a question pool on settings.
        const int buttons[OptionsWindow::kPages] = {3, 1, 2};
        EXPECT_EQ(CountShown(Tree(&options), QAccessible::PushButton), buttons[page])
            << "page " << page;
    }
    Show(program.menu.get());
    EXPECT_EQ(ShownButUnseen(program.menu.get()), QStringList());
    ExamWindow test(f.session, f.options, f.sounds, f.services.fatal);
    Show(&test);
    EXPECT_EQ(ShownButUnseen(&test), QStringList());
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
    // Not even as a hidden node: some screen readers read every label of a
    // window by its place, and would put the score next to the wrong row.
    for (const Node& node : tree) EXPECT_NE(node.name, "67% (2 of 3)") << "said twice";
    EXPECT_TRUE(Finds(tree, QAccessible::PushButton, "Back"));

    // The keyboard starts at the first sentence and reads on with Down, to
    // the overall score; End and Home jump to the ends.
    results.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&results));
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget()->accessibleName(),
              "T1 - Section one: 67%, 2 of 3, not passed");
    std::vector<QString> heard;
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Home, Qt::Key_End}) {
        QTest::keyClick(QApplication::focusWidget(), key);
        heard.push_back(QApplication::focusWidget()->accessibleName());
    }
    EXPECT_EQ(heard,
              (std::vector<QString>{
                  "T2 - Section two: not tested", "Overall score: 67 %", "Overall score: 67 %",
                  "T1 - Section one: 67%, 2 of 3, not passed", "Overall score: 67 %"}));
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
