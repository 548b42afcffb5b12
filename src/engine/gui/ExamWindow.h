// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <memory>

#include "engine/core/ExamSession.h"
#include "presentation/core/QuestionLayout.h"

class QAbstractButton;
class QLabel;
class QPushButton;
class QScrollBar;

namespace quillet {

class MenuItems;
class PictureButtons;

// Measures captions with the fonts and wrap widths of the test screen's labels,
// so that the stacking of question, table and answers follows the real text.
class LabelMeasurer : public TextMeasurer {
public:
    LabelMeasurer();
    ~LabelMeasurer() override;
    QSize measure(QuestionLabel label, const QString& caption, int wrapWidth) const override;

private:
    // Unparented labels set up like the screen's own, used only for sizing.
    std::array<std::unique_ptr<QLabel>, 4> labels_;
};

// The text a label shows for a caption written with "&&" for an ampersand.
QString ShownCaption(const QString& caption);

// The test screen: one test of the current element in the current mode, from
// the moment it is created (its load step prepares the questions and shows the
// first one) until the test ends or the student leaves. Run it with exec().
class ExamWindow : public QDialog, public ExamScreen {
    Q_OBJECT
public:
    // `random` lets a test choose the questions' order; by default the screen
    // uses its own generator, seeded when it loads from `seeds` (the clock when
    // none is given). A source passed in is used as it is, not seeded again.
    ExamWindow(Session& session, const StudentOptions& options, const SoundCues& sounds,
               FatalErrorHandler* fatal, QWidget* parent = nullptr, RandomSource* random = nullptr,
               std::function<unsigned int()> seeds = {});
    ~ExamWindow() override;

    // Decodes the screen's pictures ahead of its first opening (they are kept
    // for the run), so that the first question appears sooner.
    static void preparePictures();

    // What the "fig" button opens (the figure viewer), with the figure of the
    // question on screen. Nothing happens until one is set.
    void setFigureOpener(std::function<void(int figureId)> opener) {
        figureOpener_ = std::move(opener);
    }
    // What the information button opens, modally; the test goes on when it
    // returns. Nothing happens until one is set.
    void setInfoOpener(std::function<void()> opener) { infoOpener_ = std::move(opener); }

    const ExamSession& test() const { return *test_; }

    // ExamScreen
    void showQuestion(const QuestionOnScreen& question) override;
    void setProgressText(const QString& text) override;
    void setRunText(const QString& text) override;
    void setTestTypeText(const QString& text) override;
    void showMessage(const QString& text) override;
    void resetRollovers() override;
    void closeScreen() override;

public slots:
    // The window's close button leaves the test, as the leave button does.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildHeader();
    void buildQuestionArea();
    void buildStatusStrip();
    void load();
    void scrollTo(int horizontal, int vertical);
    void followQuestionWithKeyboard(const QuestionOnScreen& q);
    void pictureClicked(int index);
    void openFigure();
    void toggleFlag();
    // The flag control follows the question on screen.
    void showFlag();

    const StudentOptions& options_;
    std::unique_ptr<RandomSource> ownRandom_;
    RandomSource* random_;
    std::function<unsigned int()> seeds_;
    LabelMeasurer measurer_;
    std::unique_ptr<ExamSession> test_;

    QWidget* viewport_ = nullptr;
    QWidget* canvas_ = nullptr;
    QScrollBar* verticalBar_ = nullptr;
    QScrollBar* horizontalBar_ = nullptr;
    QLabel* questionLabel_ = nullptr;
    QLabel* tableLabel_ = nullptr;
    std::array<QLabel*, 4> answerLabels_{};
    QLabel* sectionLabel_ = nullptr;
    QLabel* questionIdLabel_ = nullptr;
    QPushButton* figureButton_ = nullptr;
    QAbstractButton* flagButton_ = nullptr;
    QLabel* statusStrip_ = nullptr;
    QLabel* progressLabel_ = nullptr;
    QLabel* testTypeLabel_ = nullptr;
    QLabel* runLabel_ = nullptr;
    MenuItems* answers_ = nullptr;
    PictureButtons* pictures_ = nullptr;

    // While an answer key is being handled: the next question takes the
    // keyboard to its first answer.
    bool keyAnswer_ = false;

    std::function<void(int)> figureOpener_;
    std::function<void()> infoOpener_;
};

}  // namespace quillet
