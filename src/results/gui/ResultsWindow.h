// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <memory>

#include "results/core/Results.h"

class QLabel;
class QScrollBar;

namespace quillet {

class AccessibleLabel;
struct FinishedTest;
class MenuItems;
class PictureButtons;
class SoundCues;
struct Session;

// The report after a test: overall score and one bar per section of the
// element just tested, against the element's pass mark. The session gives the
// bank's examinations and the study record.
class ResultsWindow : public QDialog {
    Q_OBJECT
public:
    ResultsWindow(Session& session, const FinishedTest& test, const SoundCues& sounds,
                  QWidget* parent = nullptr);
    ~ResultsWindow() override;

    // Fills the ten visible rows from the scroll bar's position.
    void drawGrid();

    const ScoreReport& report() const { return *report_; }

    // What the "Progress" link in the bottom band opens, modally. The link
    // shows only once one is set.
    void setProgressOpener(std::function<void()> opener);
    // What the "Review answers" link opens, modally. The link shows only once
    // one is set, and only after a test the study record holds.
    void setReviewOpener(std::function<void()> opener);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Row {
        AccessibleLabel* name = nullptr;
        QLabel* bar = nullptr;
        QLabel* score = nullptr;
    };

    std::unique_ptr<ScoreReport> report_;
    std::array<Row, results_layout::kVisibleRows> rows_{};
    AccessibleLabel* overall_ = nullptr;
    QScrollBar* scroll_ = nullptr;
    PictureButtons* pictures_ = nullptr;
    MenuItems* links_ = nullptr;
    std::function<void()> progressOpener_;
    std::function<void()> reviewOpener_;
    bool recorded_ = false;  // the test is in the study record
};

}  // namespace quillet
