// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include <QImage>
#include <QScrollBar>
#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "Screenshots.h"
#include "presentation/gui/FigureWindow.h"
#include "shell/core/Database.h"
#include "shell/core/Program.h"
#include "shell/core/QuestionBank.h"
#include "ui/core/InfoPages.h"
#include "ui/gui/Info.h"

namespace quillet {
namespace {

// The bank's figures by the area of their pictures, smallest first.
std::vector<std::pair<qint64, int>> FiguresBySize(const Session& session) {
    std::vector<std::pair<qint64, int>> figures;
    Query query(session.database, "SELECT FIGUREID, FIGURE FROM FIGURES");
    while (query.next()) {
        const QImage image = QImage::fromData(query.blob("FIGURE"));
        figures.emplace_back(static_cast<qint64>(image.width()) * image.height(),
                             static_cast<int>(query.integer("FIGUREID")));
    }
    std::sort(figures.begin(), figures.end());
    return figures;
}

}  // namespace

QUILLET_SCREENSHOTS(figure_viewer) {
    shots::LoadedProgram loaded(context);
    if (!loaded.loaded) return;
    Program& program = loaded.program;
    Session& session = program.session;

    const auto figures = FiguresBySize(session);
    if (figures.empty()) {
        std::fprintf(stderr, "the bank has no figures\n");
    } else {
        FigureWindow small(session.database, figures.front().second);
        shots::Save(context, &small, QStringLiteral("figure-small"));

        FigureWindow large(session.database, figures.back().second);
        shots::Save(context, &large, QStringLiteral("figure-large"));
        // Both bars halfway, then at their far ends.
        for (const auto& [divisor, name] :
             {std::pair{2, "figure-large-middle"}, std::pair{1, "figure-large-end"}}) {
            for (const char* bar : {"HScroll1", "VScroll1"}) {
                auto* scroll = large.findChild<QScrollBar*>(QString::fromLatin1(bar));
                scroll->setValue(scroll->maximum() / divisor);
            }
            shots::Save(context, &large, QString::fromLatin1(name));
        }
        // The whole figure, as far as the screen allows, and a middle-sized one.
        for (const char* bar : {"HScroll1", "VScroll1"}) {
            large.findChild<QScrollBar*>(QString::fromLatin1(bar))->setValue(0);
        }
        large.toggleWholeFigure();
        shots::Save(context, &large, QStringLiteral("figure-large-whole"));
        FigureWindow middle(session.database, figures[figures.size() / 2].second);
        middle.toggleWholeFigure();
        shots::Save(context, &middle, QStringLiteral("figure-middle-whole"));
    }

    FigureWindow missing(session.database, -1);
    shots::Save(context, &missing, QStringLiteral("figure-missing"));
}

QUILLET_SCREENSHOTS(information) {
    namespace iw = info_window;
    Info info(ExamTable{});
    const std::pair<int, const char*> pages[] = {
        {iw::kDisclaimerPage, "info-disclaimer"}, {iw::kStudyPage, "info-study"},
        {iw::kFiguresPage, "info-figures"},       {iw::kThanksPage, "info-thanks"},
        {iw::kProblemsPage, "info-problems"},     {iw::kDistributionPage, "info-distribution"},
        {iw::kContactPage, "info-contact"},
    };
    for (const auto& [page, name] : pages) {
        info.loadPage(page);
        shots::Save(context, &info, QString::fromLatin1(name));
    }
    // The long pages scrolled to their ends.
    auto* bar = info.findChild<QScrollBar*>(QStringLiteral("VScroll1"));
    for (const auto& [page, name] : {std::pair{iw::kStudyPage, "info-study-end"},
                                     std::pair{iw::kProblemsPage, "info-problems-end"}}) {
        info.loadPage(page);
        bar->setValue(bar->maximum());
        shots::Save(context, &info, QString::fromLatin1(name));
    }
}

}  // namespace quillet
