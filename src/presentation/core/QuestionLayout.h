// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <array>

#include "presentation/core/QuestionText.h"
#include "shell/core/Services.h"

namespace quillet {

// Geometry of the test screen's question area, in twips. The question, table
// and answer labels sit on a canvas that moves inside a clipping viewport.
namespace question_area {

inline constexpr QRect kViewport{60, 540, 9345, 4935};  // on the screen
inline constexpr QSize kCanvas{10095, 10485};
inline constexpr QRect kVerticalBar{9060, 0, 285, 4695};    // in the viewport
inline constexpr QRect kHorizontalBar{0, 4650, 9075, 285};  // in the viewport

inline constexpr int kQuestionLeft = 210;
inline constexpr int kQuestionTop = 570;
inline constexpr int kQuestionWidth = 8355;
inline constexpr int kTableLeft = 420;
inline constexpr int kTableWidth = 8535;
inline constexpr int kAnswerLeft = 1050;
inline constexpr int kAnswerWidth = 6495;
inline constexpr int kTableGap = 100;   // question bottom to table top
inline constexpr int kAnswerGap = 140;  // table bottom to first answer, and between answers

// Twips the canvas moves per unit of a scroll bar.
inline constexpr int kScrollUnit = 100;

// Header strip.
inline constexpr QRect kSectionLabel{120, 90, 6420, 240};
inline constexpr int kQuestionIdRight = 9150;  // the label grows to the left
inline constexpr QRect kFigureButton{7740, 60, 435, 375};
inline constexpr int kFigureButtonGap = 40;  // between the button and the question id

}  // namespace question_area

enum class QuestionLabel { Question, Table, Answer, QuestionId };

// Measures label text in the fonts the window uses (the core has no fonts).
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    // Size in twips that `label` takes to show `caption` (in the label's "&&"
    // convention where it has one), word-wrapped at `wrapWidth` twips, or on
    // one line when `wrapWidth` is 0.
    virtual QSize measure(QuestionLabel label, const QString& caption, int wrapWidth) const = 0;
};

// order[k] is the answer label (0..3 for A..D) shown k-th from the top.
using AnswerOrder = std::array<int, 4>;
inline constexpr AnswerOrder kNaturalOrder{0, 1, 2, 3};

// A random order of the four answers, every order equally likely: a first
// label at random, then for each following place labels are drawn until one
// not yet placed comes up.
AnswerOrder DrawAnswerOrder(RandomSource& random);

// Positions on the canvas, in twips. `answers` is indexed by label, not by place.
struct CanvasLayout {
    QRect question;
    QRect table;
    std::array<QRect, 4> answers;
};

// Stacks question, table and answers: the table 100 twips below the question,
// the answers in `order`, the first 140 twips below the table and each next
// one 140 twips below the previous. A question without a table has a table
// label of height 0, so its answers start 240 twips below the question.
CanvasLayout LayoutCanvas(const QuestionCaptions& captions,
                          const std::array<QString, 4>& answerCaptions, const AnswerOrder& order,
                          const TextMeasurer& measurer);

// Header positions that depend on the question: the question id label keeps
// its right edge and grows to the left; the figure button sits 40 twips left of it.
struct HeaderLayout {
    QRect questionId;
    QRect figureButton;
};
HeaderLayout LayoutHeader(const QString& questionIdCaption, const TextMeasurer& measurer);

// Range and steps of a scroll bar of the question area, in bar units.
struct ScrollRange {
    int minimum = 0;
    int maximum = 0;
    int singleStep = 1;
    int pageStep = 1;
};
// Maximums are the canvas size / 100 rounded (105 and 101); a page is the part
// of the canvas the viewport shows beside the other bar.
ScrollRange VerticalScrollRange();
ScrollRange HorizontalScrollRange();

// Where the canvas edge goes (in twips, in the viewport) for a bar value.
constexpr int CanvasOffset(int barValue) { return -question_area::kScrollUnit * barValue; }

// The place from the top (0..3) that a key chooses: 1-4 and A-D; -1 for any
// other key. `key` is a Qt::Key value.
int AnswerPlaceForKey(int key);

}  // namespace quillet
