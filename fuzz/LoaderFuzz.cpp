// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
// A bank's SECTIONS and QUESTIONS rows of any types and values through the
// question loader and the screen layout. The first row is the question
// (its ten columns), the rest are sections. Aborts when a question on screen
// breaks what the test screen relies on: one right answer, tagged at its
// label, and an answer order that shows each label once.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "presentation/core/QuestionLoader.h"
#include "presentation/core/QuestionText.h"
#include "shell/core/Random.h"
#include "support/RowFields.h"

using namespace quillet;

namespace {

void Require(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "question on screen broke: %s\n", what);
    std::abort();
}

// Every character 90 twips wide and every line 240 high.
struct Measurer : TextMeasurer {
    QSize measure(QuestionLabel, const QString& caption, int) const override {
        return {static_cast<int>(std::min<qsizetype>(caption.size(), 100000)) * 90,
                static_cast<int>(std::min<qsizetype>(caption.count(u'\n'), 10000) + 1) * 240};
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const QList<QByteArrayList> rows = fuzzing::Rows(bytes, size);
    Session session;
    if (session.database.create(QStringLiteral(":memory:"), QByteArray()) != 0) return 0;
    // Columns without types, so that each value keeps the type it was given.
    session.database.exec(
        "CREATE TABLE SECTIONS (SECTIONID, SECTION, DESCRIPTION, TEST);"
        "CREATE TABLE QUESTIONS (QuestionID, SectionID, Question, AnswerA, AnswerB, AnswerC, "
        "ANSWERD, ANSWER, FIGUREID, FCCQUESTIONID)");
    {
        Query question(session.database, "INSERT INTO QUESTIONS VALUES (?,?,?,?,?,?,?,?,?,?)");
        fuzzing::InsertRow(question, rows.first(), 10);
        Query section(session.database, "INSERT INTO SECTIONS VALUES (?, ?, ?, ?)");
        for (qsizetype i = 1; i < rows.size(); ++i) fuzzing::InsertRow(section, rows[i], 4);
    }
    std::vector<SectionInfo> sections;
    Query read(session.database, "SELECT * FROM SECTIONS");
    while (read.next()) {
        SectionInfo info;
        info.Id = read.integer("SECTIONID");
        info.Section = read.text("SECTION");
        info.Description = read.text("DESCRIPTION");
        info.Test = static_cast<int>(read.integer("TEST"));
        info.Ask = info.Id % 2 == 0;
        sections.push_back(info);
    }
    session.sections.reset(static_cast<int>(sections.size()));
    for (size_t i = 0; i < sections.size(); ++i)
        session.sections(static_cast<int>(i) + 1) = sections[i];

    Query ids(session.database, "SELECT QuestionID FROM QUESTIONS");
    const qint64 id = ids.next() ? ids.integer("QuestionID") : 0;
    MersenneRandom random(static_cast<unsigned>(size));
    Measurer measurer;
    std::optional<QString> rightInOrder;  // when the first load showed the question
    for (const bool shuffle : {false, true}) {
        const LoadOutcome out = LoadQuestion(session, shuffle, id, random, measurer, shuffle);
        if (!out.shown()) continue;
        const QuestionOnScreen& q = out.question;
        Require(q.correctLabel >= 0 && q.correctLabel < 4, "the right answer is not A to D");
        // Shuffling moves the right answer with its text.
        if (!shuffle) rightInOrder = q.answerTexts[q.correctLabel];
        Require(!shuffle || !rightInOrder || q.answerTexts[q.correctLabel] == *rightInOrder,
                "the right answer changed under shuffle");
        AnswerOrder sorted = q.order;
        std::sort(sorted.begin(), sorted.end());
        Require(sorted == kNaturalOrder, "the order does not show each label once");
        Require(!q.hasFigure || q.figureId > 0, "a figure without an id");
    }
    return 0;
}
