// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include <QDateTime>
#include <QLineEdit>

#include "Screenshots.h"
#include "options/gui/OptionsWindow.h"
#include "presentation/gui/ReadThroughWindow.h"
#include "shell/core/QuestionBank.h"

namespace quillet {

// The Technician pool read through with the real bank and a record of a few answers and flags:
// the first question, a question with a figure, and a search; then the topics page's link.
QUILLET_SCREENSHOTS(readthrough) {
    shots::LoadedProgramWithRecord loaded(context);
    if (!loaded.loaded) return;
    Program& program = loaded.program;
    Session& session = program.session;
    const QString pool = PoolNameFor(session, 2);
    const QDateTime when(QDate(2026, 12, 1), QTime(19, 0));
    const char* const answered[] = {"T1A01", "T1A02", "T1A04", "T1A05", "T1A07"};
    for (int i = 0; i < 5; ++i)
        session.record.add({pool, QString::fromLatin1(answered[i]), when.addSecs(i), i % 2 == 0});
    session.record.setFlag(pool, QStringLiteral("T1A01"), true);
    session.record.setFlag(pool, QStringLiteral("T1A03"), true);
    session.currentElement = 2;

    ReadThroughWindow first(session, program.sounds, 2);
    shots::Save(context, &first, "readthrough");

    ReadThroughWindow figure(session, program.sounds, 2);
    for (int row = 0; row < int(figure.listed().size()); ++row) {
        if (figure.pool().question(figure.listed()[size_t(row)]).figureId > 0) {
            figure.setCurrentRow(row);
            break;
        }
    }
    shots::Save(context, &figure, "readthrough-figure");

    ReadThroughWindow search(session, program.sounds, 2);
    search.findChild<QLineEdit*>(QStringLiteral("txtSearch"))->setText(QStringLiteral("repeater"));
    shots::Save(context, &search, "readthrough-search");

    OptionsWindow options(session, program.options, program.sounds);
    options.setReadThroughOpener([](int, QWidget*) {});
    options.selectPage(0);
    options.chooseElement(2);
    shots::Save(context, &options, "options-topics-read");
}

}  // namespace quillet
