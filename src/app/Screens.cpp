// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "app/Screens.h"

#include <memory>

#include "engine/gui/ExamWindow.h"
#include "options/gui/OptionsWindow.h"
#include "presentation/gui/FigureWindow.h"
#include "quillet/Config.h"
#include "results/gui/ResultsWindow.h"
#include "shell/core/Program.h"
#include "ui/gui/Accessible.h"
#include "ui/gui/Info.h"

namespace quillet {

Screens DefaultScreens(Program& program) {
    Session& session = program.session;
    Screens screens;
    screens.info = [&session](QWidget* parent) {
        Info info(session.exams, parent, QStringLiteral(QUILLET_HOME_PAGE));
        ExecModal(info);
    };
    screens.test = [&program, info = screens.info](QWidget* parent) {
        Session& session = program.session;
        ExamWindow test(session, program.options, program.sounds, program.services.fatal, parent);
        test.setFigureOpener([&session, &test](int figureId) {
            FigureWindow figure(session.bankFor(session.currentElement), figureId, &test);
            ExecModal(figure);
        });
        test.setInfoOpener([&test, info] { info(&test); });
        ExecModal(test);
        return test.test().result();
    };
    screens.results = [&program](const FinishedTest& test, QWidget* parent) {
        ResultsWindow results(program.session, test, program.sounds, parent);
        ExecModal(results);
    };
    // The options screen is kept between showings unless BACK discarded it.
    auto options = std::make_shared<std::unique_ptr<OptionsWindowHolder>>();
    screens.options = [&program, options](QWidget* parent) {
        if (!*options) {
            *options = std::make_unique<OptionsWindowHolder>(program.session, program.options,
                                                             program.sounds);
        }
        (*options)->Show(parent);
    };
    return screens;
}

}  // namespace quillet
