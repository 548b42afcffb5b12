// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QProgressDialog>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <functional>

#include "GuiSupport.h"
#include "options/gui/AddPoolDialog.h"
#include "options/gui/OptionsWindow.h"
#include "shell/core/FileLocations.h"
#include "shell/core/QuestionBank.h"
#include "shell/core/Settings.h"

using namespace quillet;
using namespace quillet::testing;

namespace {

constexpr char kLongDescription[] =
    "A description long enough that it cannot fit on one line of the list and so has to wrap "
    "onto a second line";

// Sections 1..6: T1, T2, G1, "t3" (lower case, long), G2, E1.
qbank::BankContent SmallBank() {
    qbank::BankContent content;
    content.sections = {
        {1, "T1", "Commission's Rules", 2},   {2, "T2", "Operating Procedures", 2},
        {3, "G1", "Commission's Rules", 3},   {4, "t3", kLongDescription, 2},
        {5, "G2", "Operating Procedures", 3}, {6, "E1", "Commission's Rules", 5},
    };
    return content;
}

class OptionsScreen : public ::testing::Test {
protected:
    // Writes the bank and the given settings, then starts the program's state
    // as the main menu does.
    void start(const qbank::BankContent& bank,
               const std::vector<std::array<const char*, 3>>& settings = {}) {
        ASSERT_TRUE(folder_.writeBank(bank));
        for (const auto& [section, key, value] : settings) {
            WriteSetting(folder_.session.settingsPath, section, key, value);
        }
        ASSERT_TRUE(LoadProgram(session(), options(), &folder_.fatal));
    }

    Session& session() { return folder_.session; }
    StudentOptions& options() { return folder_.options; }

    // Opens the screen through the holder, as the main menu does, and runs
    // `act` on it once it is up; `act` has to close it. A screen still open
    // three seconds later is closed and the test fails.
    void open(const std::function<void(OptionsWindow*)>& act) {
        bool shown = false;
        WhenModal("TestOptions", [&](QWidget* window) {
            shown = true;
            QPointer<QWidget> guard = window;
            act(static_cast<OptionsWindow*>(window));
            QTimer::singleShot(3000, [guard] {
                if (!guard || !guard->isVisible()) return;
                ADD_FAILURE() << "the options screen did not close";
                static_cast<QDialog*>(guard.data())->reject();
            });
        });
        holder_.Show(nullptr);
        EXPECT_TRUE(shown);
    }

    QString setting(const char* section, const QString& key) const {
        return ReadSetting(folder_.session.settingsPath, section, key, "<none>");
    }
    void makeBump() { ASSERT_TRUE(QFile(folder_.file("bump.wav")).open(QIODevice::WriteOnly)); }
    int bumps() const {
        return static_cast<int>(folder_.sound.played.count(folder_.file("bump.wav")));
    }

    static QCheckBox* box(QWidget* screen, int j) {
        return screen->findChild<QCheckBox*>(QStringLiteral("chkSection%1").arg(j));
    }
    static void click(QWidget* screen, const QString& name) {
        ASSERT_TRUE(ClickChild(screen, name)) << name.toStdString();
    }
    // An option button reacts on its round box and its caption.
    static void choose(QWidget* screen, const QString& name) {
        auto* option = screen->findChild<QRadioButton*>(name);
        ASSERT_NE(option, nullptr) << name.toStdString();
        QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(5, option->height() / 2));
    }
    // The captions of the boxes that are shown, in order.
    static QStringList shownCaptions(QWidget* screen) {
        QStringList captions;
        for (int j = 0; j < OptionsWindow::kSectionBoxes; ++j) {
            if (!box(screen, j)->isHidden()) captions << box(screen, j)->text();
        }
        return captions;
    }

    ProgramFolder folder_;
    OptionsWindowHolder holder_{folder_.session, folder_.options, folder_.sounds};
};

TEST_F(OptionsScreen, OpeningShowsMemoryAndClosingByBackWritesTheFiveSettingsOnly) {
    start(SmallBank(), {{"Sound", "OnOrOff", "off"},
                        {"Figures", "AskWithFigures", "no"},
                        {"TestMode", "TestMode", "3"},
                        {"Sections", "Ask1", "Yes"}});
    options().blackBackgroundOn = false;
    options().shuffleOn = true;
    session().currentElement = 2;
    open([&](OptionsWindow* screen) {
        EXPECT_FALSE(screen->findChild<QCheckBox*>("chkSound")->isChecked());
        EXPECT_TRUE(screen->findChild<QCheckBox*>("chkShuffle")->isChecked());
        EXPECT_FALSE(screen->findChild<QCheckBox*>("chkBlack")->isChecked());
        auto* figures = screen->findChild<QCheckBox*>("chkFigures");
        EXPECT_FALSE(figures->isChecked());
        EXPECT_TRUE(figures->visibleRegion().isEmpty()) << "the figures option is out of sight";
        EXPECT_TRUE(screen->findChild<QRadioButton*>("Option12")->isChecked());
        EXPECT_EQ(screen->shownPage(), 0);
        EXPECT_TRUE(box(screen, 0)->isChecked());
        EXPECT_FALSE(box(screen, 1)->isChecked());
        click(screen, "RollOverPicture0");
    });
    EXPECT_EQ(setting("Sound", "OnOrOff"), "OFF");
    EXPECT_EQ(setting("Shuffle", "OnOrOff"), "ON");
    EXPECT_EQ(setting("DUVBlackBackground", "OnOrOff"), "OFF");
    EXPECT_EQ(setting("Figures", "AskWithFigures"), "NO");
    EXPECT_EQ(setting("TestMode", "TestMode"), "3");
    const QRegularExpression sectionKey("^Ask\\d+\\s*=", QRegularExpression::MultilineOption);
    QFile file(session().settingsPath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()).count(sectionKey), 1)
        << "only the key written before the screen opened";
    EXPECT_EQ(setting("Sections", "Ask1"), "Yes");
    EXPECT_EQ(holder_.screen(), nullptr) << "BACK discards the screen";
}

TEST_F(OptionsScreen, SectionClicksAreWrittenAtOnceAndClearAllOrAddAllOnlyOnTheShownTab) {
    start(SmallBank(),
          {{"Sections", "Ask1", "Yes"}, {"Sections", "Ask3", "Yes"}, {"Sections", "Ask4", "Yes"}});
    session().currentElement = 2;
    open([&](OptionsWindow* screen) {
        ASSERT_EQ(screen->sectionRow(1), 2);
        QTest::mouseClick(box(screen, 1), Qt::LeftButton);
        EXPECT_EQ(setting("Sections", "Ask2"), "Yes");
        EXPECT_TRUE(session().sections(2).Ask);
        QTest::mouseClick(box(screen, 1), Qt::LeftButton);
        EXPECT_EQ(setting("Sections", "Ask2"), "No");
        EXPECT_FALSE(session().sections(2).Ask);
        WriteSetting(session().settingsPath, "Sections", "Ask2", "untouched");

        click(screen, "RollOverPicture2");
        for (int j : {0, 1, 2}) EXPECT_FALSE(box(screen, j)->isChecked()) << j;
        EXPECT_EQ(setting("Sections", "Ask1"), "No");
        EXPECT_EQ(setting("Sections", "Ask4"), "No");
        EXPECT_EQ(setting("Sections", "Ask2"), "untouched") << "it was not checked";
        EXPECT_EQ(setting("Sections", "Ask3"), "Yes") << "a General section";
        EXPECT_TRUE(session().sections(3).Ask);

        click(screen, "tabLabel2");  // General: G1 checked, G2 not
        click(screen, "RollOverPicture1");
        EXPECT_EQ(setting("Sections", "Ask5"), "Yes");
        EXPECT_EQ(setting("Sections", "Ask6"), "<none>") << "an Extra section";
        for (int r : {1, 2, 4}) EXPECT_FALSE(session().sections(r).Ask) << r;
        click(screen, "RollOverPicture0");
    });
}

// The keys of ADD ALL and CLEAR ALL work from any page and, like the buttons, change only the
// sections of the chosen element.
TEST_F(OptionsScreen, AltAAddsAndAltCClearsTheChosenElementsSections) {
    start(SmallBank(), {{"Sections", "Ask1", "Yes"}});
    session().currentElement = 2;
    open([&](OptionsWindow* screen) {
        auto checkedCount = [&] {
            int checked = 0;
            for (int j : {0, 1, 2}) checked += box(screen, j)->isChecked();
            return checked;
        };
        screen->activateWindow();  // shortcuts go to the active window
        ASSERT_TRUE(QTest::qWaitForWindowActive(screen));
        QTest::keyClick(screen, Qt::Key_A, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return checkedCount() == 3; }, 1000));
        EXPECT_EQ(setting("Sections", "Ask4"), "Yes");

        click(screen, "optBut2");
        QTest::keyClick(screen, Qt::Key_C, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return checkedCount() == 0; }, 1000));
        EXPECT_EQ(setting("Sections", "Ask1"), "No");
        EXPECT_EQ(setting("Sections", "Ask3"), "<none>") << "a General section";
        click(screen, "RollOverPicture0");
    });
}

TEST_F(OptionsScreen, TheListFollowsTheChosenTab) {
    start(SmallBank());
    session().currentElement = 2;
    session().sections(6).Ask = true;  // in memory only: the list shows memory
    OptionsWindow screen(session(), options(), folder_.sounds);
    screen.show();

    // The lower-case label is listed with the Technician sections, in table order.
    EXPECT_EQ(shownCaptions(&screen),
              QStringList({"Commission's Rules (T1)", "Operating Procedures (T2)",
                           QString(kLongDescription) + " (t3)"}));
    EXPECT_EQ(screen.sectionRow(2), 4);
    EXPECT_EQ(screen.sectionRow(3), 0);
    // The long description wraps: its box is two lines high, 4 pixels (60
    // twips) under the one before.
    const QRect second = box(&screen, 1)->geometry();
    const QRect third = box(&screen, 2)->geometry();
    EXPECT_EQ(third.top(), second.bottom() + 1 + 4);
    EXPECT_GE(third.height(), 2 * second.height());

    // A check survives a tab change and back (back by the tab's face).
    QTest::mouseClick(box(&screen, 1), Qt::LeftButton);
    click(&screen, "tabLabel4");
    EXPECT_EQ(shownCaptions(&screen), QStringList({"Commission's Rules (E1)"}));
    EXPECT_TRUE(box(&screen, 0)->isChecked());
    EXPECT_EQ(screen.findChild<QLabel*>("TabOuter4")->palette().color(QPalette::Window),
              QColor(64, 64, 64));
    EXPECT_EQ(screen.findChild<QLabel*>("TabOuter1")->palette().color(QPalette::Window),
              QColor(Qt::white));
    click(&screen, "tabInner1");
    EXPECT_EQ(screen.chosenElement(), 2);
    EXPECT_TRUE(box(&screen, 1)->isChecked());
    EXPECT_FALSE(box(&screen, 0)->isChecked());

    // Home and End jump to the first and the last section shown.
    box(&screen, 1)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(box(&screen, 1), Qt::Key_End);
    EXPECT_EQ(screen.focusWidget(), box(&screen, 2));
    QTest::keyClick(box(&screen, 2), Qt::Key_Home);
    EXPECT_EQ(screen.focusWidget(), box(&screen, 0));

    // Novice has no sections; neither list scrolls, and the content sits at the top.
    click(&screen, "tabLabel0");
    EXPECT_TRUE(shownCaptions(&screen).isEmpty());
    auto* scroll = screen.findChild<QScrollBar*>("VScroll1");
    EXPECT_EQ(scroll->maximum(), 0);
    EXPECT_EQ(screen.findChild<QWidget*>("picin")->y(), 0);
    screen.close();
}

TEST_F(OptionsScreen, AnElementWithMoreThan36SectionsShowsItsFirst36) {
    qbank::BankContent bank;
    for (int i = 1; i <= 40; ++i) bank.sections.push_back({i, QString("E%1").arg(i), "Topic", 5});
    start(bank);
    session().currentElement = 5;
    OptionsWindow screen(session(), options(), folder_.sounds);
    screen.show();
    EXPECT_EQ(shownCaptions(&screen).size(), 36);
    EXPECT_EQ(screen.sectionRow(35), 36);
    auto* scroll = screen.findChild<QScrollBar*>("VScroll1");
    auto* picin = screen.findChild<QWidget*>("picin");
    EXPECT_EQ(scroll->value(), 1);
    EXPECT_EQ(picin->y(), -6);  // 100 twips up
    // The list scrolls its whole length: at the end the last box is in view.
    const QRect last = box(&screen, 35)->geometry();
    scroll->setValue(scroll->maximum());
    const int viewport = screen.findChild<QWidget*>("picOut")->height();
    EXPECT_LE(picin->y() + last.bottom(), viewport);
    EXPECT_GE(picin->y() + last.top(), 0);
    screen.close();
}

TEST_F(OptionsScreen, SimulatedModeIsTakenOnAnyCloseAndAKeptScreenIsReused) {
    start(SmallBank());
    makeBump();
    open([&](OptionsWindow* screen) {
        click(screen, "optBut1");
        choose(screen, "Option13");
        choose(screen, "Option11");
        choose(screen, "Option13");
        EXPECT_EQ(options().testMode, 1) << "the mode is taken when the screen closes";
        QTest::keyClick(screen, Qt::Key_Escape);
    });
    EXPECT_EQ(setting("TestMode", "TestMode"), "4");
    EXPECT_EQ(options().testMode, 4);
    ASSERT_NE(holder_.screen(), nullptr) << "a close other than BACK keeps the screen";
    const int before = bumps();

    OptionsWindow* kept = holder_.screen();
    open([&](OptionsWindow* screen) {
        EXPECT_EQ(screen, kept);
        EXPECT_EQ(bumps(), before + 1) << "the kept screen's page flag is set";
        EXPECT_EQ(screen->shownPage(), 0);
        EXPECT_TRUE(screen->findChild<QRadioButton*>("Option13")->isChecked());
        click(screen, "RollOverPicture0");
    });
    EXPECT_EQ(holder_.screen(), nullptr);
}

TEST_F(OptionsScreen, TheReviewModeIsChosenStoredAndShownAgain) {
    start(SmallBank());
    open([&](OptionsWindow* screen) {
        click(screen, "optBut1");
        choose(screen, "Option15");
        click(screen, "RollOverPicture0");
    });
    EXPECT_EQ(setting("TestMode", "TestMode"), "6");
    EXPECT_EQ(settings::ReadTestMode(session().settingsPath), 6);
    open([&](OptionsWindow* screen) {
        EXPECT_TRUE(screen->findChild<QRadioButton*>("Option15")->isChecked());
        click(screen, "RollOverPicture0");
    });
}

// The note under the modes gives each examination's size and pass mark as the bank records
// them; figures unlike today's show that none comes from the program's own constants.
TEST_F(OptionsScreen, TheModeNoteStatesTheBanksExaminations) {
    qbank::BankContent bank = SmallBank();
    bank.exams = {{2, "technician-2026-2030", "2026-07-01", "2030-06-30", 36, 27},
                  {3, "general-2023-2027", "2023-07-01", "2027-06-30", 38, 29},
                  {5, "extra-2024-2028", "2024-07-01", "2028-06-30", 52, 39}};
    start(bank);
    open([&](OptionsWindow* screen) {
        const QString note = screen->findChild<QLabel*>("Label3")->text();
        EXPECT_TRUE(
            note.contains("'Simulated test mode' asks 30 questions for Technician, 30 for "
                          "General and 40 for Extra"))
            << note.toStdString();
        EXPECT_TRUE(
            note.contains("36 questions for Technician (27 to pass), 38 for General (29 "
                          "to pass) and 52 for Extra (39 to pass)."))
            << note.toStdString();
        click(screen, "RollOverPicture0");
    });
}

TEST_F(OptionsScreen, PageSoundFromTheSecondSelectionUntilSoundsAreTurnedOff) {
    start(SmallBank());
    makeBump();
    ASSERT_TRUE(options().soundOn);
    open([&](OptionsWindow* screen) {
        EXPECT_EQ(bumps(), 0) << "a new screen's first selection is silent";
        auto panel = [&](int i) { return screen->findChild<QWidget*>(QString("Panel%1").arg(i)); };
        auto image = [&](int i) {
            const QImage shown =
                screen->findChild<QLabel*>(QString("optBut%1").arg(i))->pixmap().toImage();
            return shown.convertToFormat(QImage::Format_ARGB32);
        };
        auto art = [](const char* name) {
            return QImage(QString(":/%1.png").arg(name)).convertToFormat(QImage::Format_ARGB32);
        };
        click(screen, "optBut0");  // the page already shown
        EXPECT_EQ(bumps(), 1);
        click(screen, "optBut2");
        EXPECT_EQ(bumps(), 2);
        EXPECT_FALSE(panel(0)->isVisible());
        EXPECT_FALSE(panel(1)->isVisible());
        EXPECT_TRUE(panel(2)->isVisible());
        EXPECT_EQ(image(0), art("page_topics_unselected"));
        EXPECT_EQ(image(2), art("page_settings_selected"));

        click(screen, "chkSound");
        EXPECT_FALSE(options().soundOn);
        click(screen, "optBut0");
        EXPECT_EQ(bumps(), 2) << "sounds are off at once";
        EXPECT_EQ(image(0), art("page_topics_selected"));
        screen->close();  // the window system's close
    });
    EXPECT_EQ(setting("Sound", "OnOrOff"), "OFF");

    // The next start-up reads sounds as off.
    session().database.close();
    Program next;
    next.session.programDir = session().programDir;
    next.session.programName = QStringLiteral("quillet");
    ASSERT_TRUE(LoadProgram(next.session, next.options, &folder_.fatal));
    EXPECT_FALSE(next.options.soundOn);
}

TEST_F(OptionsScreen, TabCaptionsLightUpUnderThePointerAndGoWhiteOverTheList) {
    start(SmallBank());
    session().currentElement = 3;
    OptionsWindow screen(session(), options(), folder_.sounds);
    screen.move(200, 150);
    screen.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&screen));
    auto colour = [&](int i) {
        return screen.findChild<QLabel*>(QString("tabLabel%1").arg(i))
            ->palette()
            .color(QPalette::WindowText);
    };
    auto pointAt = [&](const char* name, QPoint at = {}) {
        auto* widget = screen.findChild<QWidget*>(name);
        if (at.isNull()) at = widget->rect().center();
        QCursor::setPos(widget->mapToGlobal(at));
        QCoreApplication::processEvents();
    };
    const QColor yellow(255, 255, 0);
    pointAt("tabLabel4");
    EXPECT_EQ(colour(4), yellow);
    for (int i : {0, 1, 2, 3})
        EXPECT_EQ(colour(i), QColor(Qt::white)) << "the chosen tab too: " << i;
    pointAt("Picture2", QPoint(2, 2));  // the list frame, outside the viewport
    for (int i = 0; i < OptionsWindow::kTabs; ++i) EXPECT_EQ(colour(i), QColor(Qt::white)) << i;

    // Off the caption onto its tab's face the caption stays lit: the face is
    // not one of the surfaces that reset the captions.
    pointAt("tabLabel1");
    pointAt("tabInner1", QPoint(3, 3));
    EXPECT_EQ(colour(1), yellow);
    // The title band and the line under the page buttons are drawn on the
    // window, so the pointer over them is over its background.
    pointAt("Shape1", QPoint(200, 40));
    EXPECT_EQ(colour(1), QColor(Qt::white));
    pointAt("tabLabel1");
    pointAt("Line1", QPoint(500, 0));
    EXPECT_EQ(colour(1), QColor(Qt::white));
    QCursor::setPos(0, 0);
    screen.close();
}

}  // namespace

namespace {

// A Technician pool as published whose one question names figure T-1.
QByteArray PublishedPool(const char* answerC = "C. Three") {
    return QByteArray(
               "Technician Question Pool 2027-2031\n"
               "SUBELEMENT T1 - COMMISSION'S RULES [35 Exam Questions - 1 Group]\n"
               "T1A - Purpose\n"
               "T1A01 (C) [97.1]\n"
               "What is in figure T-1?\n"
               "A. One\nB. Two\n") +
           answerC + "\nD. Four\n~~\n~~~end of question pool text~~~\n";
}

// Answers the file dialogs and keeps what the program tells, for one test.
struct FakePrompts {
    AddPoolPrompts saved = PoolPrompts();
    QStringList told;
    int figureQuestions = 0;
    FakePrompts(const QString& file, const QString& figures) {
        PoolPrompts().chooseFiles = [file](QWidget*) { return QStringList{file}; };
        PoolPrompts().chooseFigures = [this, figures](QWidget*, const QString&) {
            ++figureQuestions;
            return figures;
        };
        PoolPrompts().tell = [this](QWidget*, const QString& text) { told << text; };
        PoolPrompts().progressAfterMs = 0;
    }
    ~FakePrompts() { PoolPrompts() = saved; }
};

// The value each window showing how far reading has come had when it closed.
struct ProgressWatcher : QObject {
    std::vector<int> closedAt;
    ProgressWatcher() { qApp->installEventFilter(this); }
    ~ProgressWatcher() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Hide && object->objectName() == "frmPoolProgress") {
            closedAt.push_back(static_cast<QProgressDialog*>(object)->value());
        }
        return false;
    }
};

// The pool as the student downloaded it: release.txt in `folder`.
QString WritePool(const QTemporaryDir& folder, const QByteArray& text) {
    QFile out(folder.filePath("release.txt"));
    EXPECT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(text);
    return out.fileName();
}

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

TEST_F(OptionsScreen, AddingAPoolShowsWhatWasReadAndWritesOnlyWhenConfirmed) {
    start(SmallBank());
    QTemporaryDir downloads;
    const QString file = WritePool(downloads, PublishedPool());
    // The figure lies elsewhere: the program asks for its folder.
    QDir(downloads.path()).mkpath("figures");
    QImage figure(20, 20, QImage::Format_RGB32);
    figure.fill(Qt::blue);
    ASSERT_TRUE(figure.save(downloads.filePath("figures/T1.png")));
    FakePrompts prompts(file, downloads.filePath("figures"));
    ProgressWatcher progress;
    const QString added = AddedBankFile(session().programDir, "quillet");
    const QByteArray installed = Bytes(folder_.file("quillet.dat"));

    for (const char* button : {"cmdCancel", "cmdAdd"}) {
        QString shown, note;
        QStringList before, after;
        open([&](OptionsWindow* window) {
            window->chooseElement(2);
            before = shownCaptions(window);
            window->selectPage(2);
            WhenModal("frmAddPool", [&](QWidget* dialog) {
                shown = dialog->findChild<QLabel*>("lblPool")->text();
                click(dialog, button);
            });
            click(window, "cmdAddPool");
            after = shownCaptions(window);
            note = window->findChild<QLabel*>("Label3")->text();
            window->reject();
        });
        EXPECT_TRUE(
            shown.startsWith("Technician pool technician-2027-2031, in force 1 July 2027 "
                             "to 30 June 2031: 1 section, 1 question, 1 figure"))
            << shown.toStdString();
        EXPECT_EQ(QFile::exists(added), QString(button) == "cmdAdd") << button;
        if (QString(button) == "cmdCancel") {
            EXPECT_EQ(after, before);
            continue;
        }
        // The added pool is in use at once: its sections are listed and its exam is known.
        EXPECT_EQ(before.size(), 3);
        EXPECT_EQ(after, QStringList({"Commission's Rules (T1)"}));
        EXPECT_TRUE(note.contains("35 questions for Technician")) << note.toStdString();
        EXPECT_EQ(PoolNameFor(session(), 2), "technician-2027-2031");
        EXPECT_NE(session().sections.withId(AddedSectionId(2, 1)), nullptr);
        EXPECT_TRUE(session().addedElements.count(2));
    }
    EXPECT_EQ(prompts.figureQuestions, 2);
    // Each reading with the figures showed its progress to the end.
    EXPECT_EQ(std::count(progress.closedAt.begin(), progress.closedAt.end(), 1000), 2);
    EXPECT_EQ(prompts.told, QStringList{"The pool was added and is used from now on."});
    EXPECT_EQ(Bytes(folder_.file("quillet.dat")), installed);

    // The next start finds it too.
    folder_.session.database.close();
    ASSERT_TRUE(LoadProgram(session(), options(), &folder_.fatal));
    EXPECT_EQ(PoolNameFor(session(), 2), "technician-2027-2031");
}

TEST_F(OptionsScreen, AnAddedPoolOlderThanTheInstalledOneIsAddedButNotUsed) {
    qbank::BankContent bank = SmallBank();
    bank.exams.push_back({2, "technician-2030-2034", "2030-07-01", "2034-06-30", 35, 26});
    start(bank);
    QTemporaryDir downloads;
    const QString file = WritePool(downloads, PublishedPool());
    QImage figure(20, 20, QImage::Format_RGB32);
    figure.fill(Qt::blue);
    ASSERT_TRUE(figure.save(downloads.filePath("T1.png")));
    FakePrompts prompts(file, QString());
    QStringList after;
    open([&](OptionsWindow* window) {
        window->chooseElement(2);
        window->selectPage(2);
        WhenModal("frmAddPool", [&](QWidget* dialog) { click(dialog, "cmdAdd"); });
        click(window, "cmdAddPool");
        after = shownCaptions(window);
        window->reject();
    });
    EXPECT_EQ(prompts.told, QStringList{"The pool was added. The installed Technician pool begins "
                                        "later, so it stays in use."});
    EXPECT_EQ(after.size(), 3);
    EXPECT_EQ(PoolNameFor(session(), 2), "technician-2030-2034");
}

TEST_F(OptionsScreen, APoolThatCannotBeReadIsRefusedWithItsLine) {
    start(SmallBank());
    QTemporaryDir downloads;
    const QString file = WritePool(downloads, PublishedPool("C Three"));
    FakePrompts prompts(file, QString());
    bool confirmShown = false;
    open([&](OptionsWindow* window) {
        window->selectPage(2);
        WhenModal(
            "frmAddPool",
            [&](QWidget* dialog) {
                confirmShown = true;
                click(dialog, "cmdCancel");
            },
            500, window);
        click(window, "cmdAddPool");
        window->reject();
    });
    EXPECT_FALSE(confirmShown);
    ASSERT_EQ(prompts.told.size(), 1);
    EXPECT_EQ(prompts.told.front(),
              "The pool cannot be added.\n\nrelease.txt:8: expected answer C of T1A01 ('C. ...'), "
              "found 'C Three'");
    EXPECT_FALSE(QFile::exists(AddedBankFile(session().programDir, "quillet")));
}
