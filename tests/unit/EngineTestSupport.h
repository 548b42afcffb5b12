#pragma once

// Helpers for the tests of the question list, question loading and the
// running test: tiny banks in a temporary program folder and recording fakes.

#include "BankWriter.h"
#include "presentation/core/QuestionLayout.h"
#include "shell/core/AppState.h"
#include "shell/core/QuestionBank.h"
#include "shell/core/Services.h"

#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace quillet::testing {

class RecordingSound : public SoundPlayer {
public:
    void play(const QString& file) override { played.push_back(file); }
    QStringList played;
};

// Heights follow the number of lines; the question id's width its length.
class LineMeasurer : public TextMeasurer {
public:
    static constexpr int kQuestionLine = 330;
    static constexpr int kTableLine = 270;
    static constexpr int kAnswerLine = 285;
    static constexpr int kIdCharWidth = 90;
    static constexpr int kIdHeight = 240;

    QSize measure(QuestionLabel label, const QString& caption, int) const override {
        const int lines = static_cast<int>(caption.count(QLatin1Char('\n'))) + 1;
        switch (label) {
            case QuestionLabel::Question: return {0, lines * kQuestionLine};
            case QuestionLabel::Table: return {0, lines * kTableLine};
            case QuestionLabel::Answer: return {0, lines * kAnswerLine};
            case QuestionLabel::QuestionId:
                return {static_cast<int>(caption.size()) * kIdCharWidth, kIdHeight};
        }
        return {};
    }
};

// A question with answer texts derived from its id, so a test can tell them apart.
inline qbank::BankQuestion Question(int id, int sectionId, const QString& answer = "A") {
    qbank::BankQuestion q;
    q.id = id;
    q.sectionId = sectionId;
    q.question = QStringLiteral("Question %1?").arg(id);
    q.answerA = QStringLiteral("%1 a").arg(id);
    q.answerB = QStringLiteral("%1 b").arg(id);
    q.answerC = QStringLiteral("%1 c").arg(id);
    q.answerD = QStringLiteral("%1 d").arg(id);
    q.answer = answer;
    q.fccQuestionId = QStringLiteral("X%1").arg(id);
    return q;
}

// A program folder with a bank opened into `state` (sections loaded, none
// chosen until choose() is called).
struct BankFolder {
    QTemporaryDir dir;
    AppState state;
    RecordingSound sound;

    explicit BankFolder(const qbank::BankContent& content) {
        state.programDir = dir.path();
        state.programName = QStringLiteral("quillet");
        state.settingsPath = dir.filePath(QStringLiteral("quillet.ini"));
        state.sound = &sound;
        const QString path = dir.filePath(QStringLiteral("quillet.dat"));
        QString error;
        EXPECT_TRUE(qbank::WriteBank(path, content, &error)) << error.toStdString();
        EXPECT_EQ(state.database.open(path, QByteArray(kQuestionBankKey)), 0);
        EXPECT_TRUE(LoadSections(state).ok());
    }
    void choose(std::initializer_list<int> sectionIds) {
        for (const int id : sectionIds) state.sections(id).Ask = true;
    }
    void exec(const char* sql) { EXPECT_EQ(state.database.exec(sql), 0) << sql; }
    // Puts the next-question sound beside the program so that it is played.
    void addSound(const QString& name) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    }
};

}  // namespace quillet::testing
