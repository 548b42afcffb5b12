// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QDialog>
#include <QIcon>
#include <array>
#include <functional>
#include <vector>

#include "presentation/core/ReadThrough.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QScrollArea;

namespace quillet {

class MenuItems;
class PictureButtons;
class SoundCues;
struct Session;

// The read-through: an element's pool in order, each question with its answers, the right one
// marked, its rule and its figure, beside a list of the questions the filters and the search
// let through. The list has the keyboard: the arrows move, Page Up and Page Down move a page,
// Home and End go to the first and last. "/" or Ctrl+F goes to the search box, which filters
// as the student types; Escape leaves the search box, and then the window. M flags the
// question on screen, F opens its figure.
class ReadThroughWindow : public QDialog {
    Q_OBJECT
public:
    // Shows `element`'s pool, or that of the first element the bank has when it has none of
    // `element`. The study record should be open: without it nothing is flagged or answered.
    ReadThroughWindow(Session& session, const SoundCues& sounds, int element,
                      QWidget* parent = nullptr);
    ~ReadThroughWindow() override;

    // Opens a figure of the bank that holds `element`'s pool.
    using FigureOpener = std::function<void(int element, int figureId)>;
    void setFigureOpener(FigureOpener opener) { figureOpener_ = std::move(opener); }

    void showElement(int element);
    int element() const { return pool_.element(); }
    const ReadThrough& pool() const { return pool_; }
    // The questions listed, as indexes into pool().questions().
    const std::vector<int>& listed() const { return listed_; }
    // The list row shown, or -1 when nothing is listed.
    int currentRow() const;
    void setCurrentRow(int row);
    // Flags the question on screen, or clears its flag.
    void toggleFlag();
    void openFigure();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void filter();
    void fillGroups();
    void showQuestion();
    void focusSearch();
    bool moveKey(QKeyEvent* event);
    QIcon standingIcon(const PoolQuestion& question);

    Session& session_;
    ReadThrough pool_;
    std::vector<int> elements_;
    std::vector<int> listed_;
    FigureOpener figureOpener_;
    std::array<QIcon, 6> icons_;

    MenuItems* elementItems_ = nullptr;
    PictureButtons* pictures_ = nullptr;
    QLineEdit* search_ = nullptr;
    QComboBox* sections_ = nullptr;
    QComboBox* groups_ = nullptr;
    QComboBox* show_ = nullptr;
    class Rows;
    Rows* rows_ = nullptr;
    QListView* list_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QWidget* pane_ = nullptr;
    QLabel* heading_ = nullptr;
    QLabel* standing_ = nullptr;
    QLabel* question_ = nullptr;
    QLabel* table_ = nullptr;
    std::vector<QLabel*> answers_;
    QLabel* rule_ = nullptr;
    QPushButton* figure_ = nullptr;
    QLabel* position_ = nullptr;
    QLabel* notice_ = nullptr;
};

}  // namespace quillet
