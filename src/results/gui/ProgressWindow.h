// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QDialog>
#include <QStringList>
#include <vector>

#include "engine/core/Readiness.h"

class QLabel;

namespace quillet {

class ChancePlot;
class MenuItems;
class PictureButtons;
class SoundCues;
struct Session;

// Where the student stands for one element's real exam: the chance of
// passing today, the expected score, a bar per section, the groups whose
// study raises the chance most, and the chance over the days of study. Every
// figure is also a label's text or accessible name, for screen readers.
//
// "Study these" closes the window with the groups to review (studyGroups());
// the caller runs that review.
class ProgressWindow : public QDialog {
    Q_OBJECT
public:
    // Shows session.currentElement when the bank gives its exam, else the
    // first element that has one. The study record must be open.
    ProgressWindow(Session& session, const SoundCues& sounds, QWidget* parent = nullptr);
    ~ProgressWindow() override;

    int element() const { return element_; }
    // Shows another element's figures.
    void showElement(int element);
    const Readiness& readiness() const { return readiness_; }
    const std::vector<DayChance>& days() const { return days_; }
    // The groups "Study these" was chosen for; empty when the window was left.
    const QStringList& studyGroups() const { return studyGroups_; }

private:
    void study(int row);

    Session& session_;
    int element_ = 0;
    std::vector<int> elements_;  // the elements with an exam, in the chooser's order
    Readiness readiness_;
    std::vector<DayChance> days_;
    std::vector<const GroupStanding*> best_;
    QStringList studyGroups_;

    MenuItems* elementItems_ = nullptr;
    MenuItems* studyItems_ = nullptr;
    PictureButtons* pictures_ = nullptr;
    QLabel* headline_ = nullptr;
    QLabel* expected_ = nullptr;
    QLabel* sectionsTitle_ = nullptr;
    QWidget* sectionBars_ = nullptr;
    QLabel* groupsTitle_ = nullptr;
    std::vector<QLabel*> groupLines_;
    ChancePlot* plot_ = nullptr;
};

}  // namespace quillet
