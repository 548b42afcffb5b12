#pragma once

#include "results/core/Results.h"

#include <QDialog>

#include <array>
#include <memory>

class QLabel;
class QScrollBar;

namespace quillet {

struct AppState;
class PictureButtons;

// The report after a test: overall score and one bar per section of the
// element just tested, against the element's pass mark.
class ResultsWindow : public QDialog {
    Q_OBJECT
public:
    explicit ResultsWindow(AppState& state, QWidget* parent = nullptr);
    ~ResultsWindow() override;

    // Fills the ten visible rows from the scroll bar's position.
    void drawGrid();

    const ScoreReport& report() const { return *report_; }

private:
    struct Row {
        QLabel* name = nullptr;
        QLabel* bar = nullptr;
        QLabel* score = nullptr;
    };

    AppState& state_;
    std::unique_ptr<ScoreReport> report_;
    std::array<Row, results_layout::kVisibleRows> rows_{};
    QLabel* overall_ = nullptr;
    QScrollBar* scroll_ = nullptr;
    PictureButtons* pictures_ = nullptr;
};

}  // namespace quillet
