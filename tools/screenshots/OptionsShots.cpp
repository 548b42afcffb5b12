// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include <QProgressDialog>
#include <cstdio>

#include "Screenshots.h"
#include "options/gui/AddPoolDialog.h"
#include "options/gui/OptionsWindow.h"
#include "shell/core/Program.h"
#include "shell/core/QuestionBank.h"

namespace quillet {
// Each page, and the topics page on every element tab, with the real bank: a
// few sections chosen so that both check states show.
QUILLET_SCREENSHOTS(options) {
    shots::LoadedProgram loaded(context);
    if (!loaded.loaded) return;
    Program& program = loaded.program;
    Session& session = program.session;
    for (int row : {1, 3, 4, 12, 25}) {
        if (SectionInfo* section = session.sections.find(row)) section->Ask = true;
    }
    session.currentElement = 2;

    OptionsWindow screen(session, program.options, program.sounds);
    const char* const pages[] = {"options-topics", "options-format", "options-program"};
    for (int page = 0; page < OptionsWindow::kPages; ++page) {
        screen.selectPage(page);
        shots::Save(context, &screen, QString::fromLatin1(pages[page]));
    }
    screen.selectPage(0);
    const char* const tabs[] = {"novice", "technician", "general", "advanced", "extra"};
    for (int element = 1; element <= OptionsWindow::kTabs; ++element) {
        screen.chooseElement(element);
        shots::Save(context, &screen,
                    QStringLiteral("options-tab-") + QLatin1String(tabs[element - 1]));
    }

    // What "Add a question pool..." shows before it writes anything.
    AddPoolDialog confirm(
        QStringLiteral("General pool general-2027-2031, in force 1 July 2027 to 30 June 2031: "
                       "10 sections, 411 questions, 1 figure, 2 withdrawn questions left out; "
                       "the exam asks 35, 26 to pass."),
        QStringLiteral("/home/student/.local/share/quillet/quillet-added.dat"));
    shots::Save(context, &confirm, QStringLiteral("options-add-pool"));

    // How far reading a large pool has come.
    const auto progress = NewPoolProgressDialog({QStringLiteral("extra-2028-2032.docx")});
    progress->setValue(600);
    shots::Save(context, progress.get(), QStringLiteral("options-add-pool-progress"));
}

}  // namespace quillet
