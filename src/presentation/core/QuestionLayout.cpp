// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "presentation/core/QuestionLayout.h"

#include <QtCore/qnamespace.h>

#include <algorithm>
#include <cmath>

#include "shell/core/Random.h"

namespace quillet {

namespace qa = question_area;

namespace {

// Gives up drawing for a place after this many repeats and takes the first
// free label. A sound generator needs more than 64 draws for a place with
// probability below 1e-8; a broken one must not hang the screen.
constexpr int kMaxDrawsPerPlace = 64;

int Height(const TextMeasurer& measurer, QuestionLabel label, const QString& caption, int width) {
    return std::max(0, measurer.measure(label, caption, width).height());
}

int RoundedUnits(int twips) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / qa::kScrollUnit));
}

}  // namespace

AnswerOrder DrawAnswerOrder(RandomSource& random) {
    AnswerOrder order{};
    std::array<bool, 4> placed{};
    for (int place = 0; place < 4; ++place) {
        int label = RandomIndexBelow(random, 4);
        for (int tries = 1; placed[static_cast<size_t>(label)]; ++tries) {
            if (tries >= kMaxDrawsPerPlace) {
                label = 0;
                while (placed[static_cast<size_t>(label)]) ++label;
                break;
            }
            label = RandomIndexBelow(random, 4);
        }
        placed[static_cast<size_t>(label)] = true;
        order[static_cast<size_t>(place)] = label;
    }
    return order;
}

CanvasLayout LayoutCanvas(const QuestionCaptions& captions,
                          const std::array<QString, 4>& answerCaptions, const AnswerOrder& order,
                          const TextMeasurer& measurer) {
    CanvasLayout layout;
    const int questionHeight =
        Height(measurer, QuestionLabel::Question, captions.question, qa::kQuestionWidth);
    layout.question =
        QRect(qa::kQuestionLeft, qa::kQuestionTop, qa::kQuestionWidth, questionHeight);

    const int tableHeight = captions.table.isEmpty() ? 0
                                                     : Height(measurer, QuestionLabel::Table,
                                                              captions.table, qa::kTableWidth);
    layout.table = QRect(qa::kTableLeft, qa::kQuestionTop + questionHeight + qa::kTableGap,
                         qa::kTableWidth, tableHeight);

    int top = layout.table.top() + tableHeight + qa::kAnswerGap;
    for (const int label : order) {
        const QString& caption = answerCaptions[static_cast<size_t>(label)];
        const int height = Height(measurer, QuestionLabel::Answer, caption, qa::kAnswerWidth);
        layout.answers[static_cast<size_t>(label)] =
            QRect(qa::kAnswerLeft, top, qa::kAnswerWidth, height);
        top += height + qa::kAnswerGap;
    }
    return layout;
}

HeaderLayout LayoutHeader(const QString& questionIdCaption, const TextMeasurer& measurer) {
    const QSize size = measurer.measure(QuestionLabel::QuestionId, questionIdCaption, 0);
    const int width = std::max(0, size.width());
    HeaderLayout header;
    header.questionId = QRect(qa::kQuestionIdRight - width, qa::kSectionLabel.top(), width,
                              std::max(0, size.height()));
    QRect button = qa::kFigureButton;
    button.moveLeft(header.questionId.left() - qa::kFigureButtonGap - button.width());
    header.figureButton = button;
    return header;
}

ScrollRange VerticalScrollRange() {
    const int visible = qa::kHorizontalBar.top();  // the viewport above the other bar
    return {0, RoundedUnits(qa::kCanvas.height()), 1, visible / qa::kScrollUnit};
}

ScrollRange HorizontalScrollRange() {
    const int visible = qa::kVerticalBar.left();
    return {0, RoundedUnits(qa::kCanvas.width()), 1, visible / qa::kScrollUnit};
}

int AnswerPlaceForKey(int key) {
    if (key >= Qt::Key_1 && key <= Qt::Key_4) return key - Qt::Key_1;
    if (key >= Qt::Key_A && key <= Qt::Key_D) return key - Qt::Key_A;
    return -1;
}

}  // namespace quillet
