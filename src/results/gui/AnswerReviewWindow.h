// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "results/core/AnswerReview.h"

class QLabel;
class QScrollBar;

namespace quillet {

class AccessibleLabel;
class MenuItems;
class PictureButtons;
class SoundCues;

// The questions of one finished test: for each, right or wrong, the student's
// answer and the right one, the rule, the figure and the flag; all of them or
// the wrong ones only. "Retry missed" closes the window with the missed
// questions chosen (retryChosen()); the caller runs that test.
class AnswerReviewWindow : public QDialog {
    Q_OBJECT
public:
    AnswerReviewWindow(AnswerReview review, const SoundCues& sounds, QWidget* parent = nullptr);
    ~AnswerReviewWindow() override;

    // What a "fig" link opens, with the figure's id. Nothing happens until one is set.
    void setFigureOpener(std::function<void(int figureId)> opener) {
        figureOpener_ = std::move(opener);
    }

    void setFilter(ReviewFilter filter);
    ReviewFilter filter() const { return filter_; }
    // The rows the filter lets through, in order.
    const std::vector<const ReviewRow*>& shownRows() const { return shown_; }
    const AnswerReview& review() const { return review_; }
    // "Retry missed" was chosen: the questions to ask are review().missedQuestions().
    bool retryChosen() const { return retry_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Line {
        AccessibleLabel* id = nullptr;
        QLabel* result = nullptr;
        QLabel* chosen = nullptr;
        QLabel* correct = nullptr;
        QLabel* rule = nullptr;
        QLabel* flag = nullptr;
    };

    void drawRows();
    void openFigure(int line);
    bool moveFocus(int line, int step);

    AnswerReview review_;
    ReviewFilter filter_ = ReviewFilter::All;
    std::vector<const ReviewRow*> shown_;
    std::vector<Line> lines_;
    QScrollBar* scroll_ = nullptr;
    QLabel* emptyLine_ = nullptr;
    MenuItems* filters_ = nullptr;
    MenuItems* figures_ = nullptr;
    MenuItems* retryItem_ = nullptr;
    PictureButtons* pictures_ = nullptr;
    bool retry_ = false;
    std::function<void(int)> figureOpener_;
};

}  // namespace quillet
