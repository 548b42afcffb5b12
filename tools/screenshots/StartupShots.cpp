// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTemporaryDir>

#include "Screenshots.h"
#include "app/BlackBackground.h"
#include "results/gui/ResultsWindow.h"
#include "shell/core/Database.h"
#include "shell/core/ExamMode.h"
#include "shell/core/Program.h"
#include "shell/core/QuestionBank.h"
#include "ui/gui/MainMenu.h"
#include "ui/gui/Rollover.h"

namespace quillet {
QUILLET_SCREENSHOTS(startup) {
    Splash splash({}, Splash::kDisplayMs);
    shots::Save(context, &splash, "splash");

    // The menu's load step opens the bank itself.
    Program program;
    shots::PrintFatal fatal;
    program.session.programDir = context.programDir;
    program.session.programName = QStringLiteral("quillet");
    program.services.fatal = &fatal;
    MainMenu menu(program.session, program.options, program.services, Screens{});
    shots::Save(context, &menu, "mainmenu");

    // The pointer over "General Class - Element 3".
    QLabel* general = menu.menu()->item(2);
    QMouseEvent move(QEvent::MouseMove, general->rect().center(),
                     general->mapToGlobal(general->rect().center()), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(general, &move);
    shots::Save(context, &menu, "mainmenu-hover");

    menu.resetRollovers();
    menu.findChild<QWidget*>("picPreparing")->show();
    shots::Save(context, &menu, "mainmenu-preparing");
}

QUILLET_SCREENSHOTS(results) {
    shots::LoadedProgram loaded(context);
    if (!loaded.loaded) return;
    Program& program = loaded.program;
    Session& session = program.session;

    // Scores by section of the chosen element; -1 leaves a section untested.
    auto report = [&](int element, std::vector<std::pair<int, int>> scores, const char* file) {
        FinishedTest test{element, program.options.testMode, session.sections, false};
        size_t k = 0;
        for (SectionInfo& section : test.scores) {
            section.AskedCount = section.CorrectCount = 0;
            if (section.Test != element || k >= scores.size()) continue;
            section.CorrectCount = scores[k].first;
            section.AskedCount = scores[k].second;
            ++k;
        }
        ResultsWindow results(session, test, program.sounds);
        shots::Save(context, &results, QString::fromLatin1(file));
    };
    report(2, {{6, 6}, {3, 3}, {3, 3}, {2, 2}, {3, 4}, {3, 3}, {4, 4}, {0, 0}, {3, 3}, {2, 2}},
           "results-passed");
    report(3, {{2, 5}, {1, 3}, {3, 3}, {0, 4}, {2, 3}, {1, 2}, {2, 4}, {1, 3}, {0, 0}, {2, 2}},
           "results-failed");

    // After a real Technician exam of 35 questions: 27 right passes, 24 does not.
    // The student has answered two in three of the pool right by now.
    QTemporaryDir recordFolder;
    session.record.open(recordFolder.filePath(QStringLiteral("quillet-record.db")));
    Query pool(session.database,
               "SELECT FCCQUESTIONID FROM QUESTIONS INNER JOIN SECTIONS "
               "ON QUESTIONS.SectionID = SECTIONS.SectionID WHERE SECTIONS.TEST = 2");
    for (int n = 0; pool.next(); ++n) {
        session.record.add({PoolNameFor(session, 2), pool.text("FCCQUESTIONID"),
                            QDateTime::currentDateTime(), n % 3 != 2});
    }
    program.options.testMode = kModeRealExam;
    report(2, {{5, 6}, {3, 3}, {2, 3}, {2, 2}, {3, 4}, {2, 3}, {3, 4}, {2, 3}, {2, 3}, {3, 4}},
           "results-real-exam-passed");
    report(2, {{4, 6}, {3, 3}, {2, 3}, {1, 2}, {2, 4}, {2, 3}, {3, 4}, {2, 3}, {2, 3}, {3, 4}},
           "results-real-exam-not-yet");
    program.options.testMode = kModeEachOnce;

    // Twelve sections: two more Extra subelements made up for the picture.
    SectionTable twelve;
    twelve.reset(12);
    int i = 1;
    for (const SectionInfo& section : session.sections) {
        if (section.Test == 5) twelve(i++) = section;
    }
    twelve(11) = {"Practice and Review", "E-X", false, 0, 0, 5};
    twelve(12) = {"Operating Skills and Courtesy", "E-Y", false, 0, 0, 5};
    for (int k = 1; k <= 12; ++k) {
        twelve(k).AskedCount = 4;
        twelve(k).CorrectCount = k % 5;
    }
    ResultsWindow results(session, FinishedTest{5, kModeEachOnce, twelve, false}, program.sounds);
    shots::Save(context, &results, "results-twelve-sections");
    results.findChild<QScrollBar*>("VScroll1")->setValue(3);
    shots::Save(context, &results, "results-twelve-sections-scrolled");
}

}  // namespace quillet
