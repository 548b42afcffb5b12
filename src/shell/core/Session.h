// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <set>
#include <vector>

#include "shell/core/Database.h"
#include "shell/core/Exams.h"
#include "shell/core/Settings.h"
#include "shell/core/StudyRecord.h"

namespace quillet {

// One section of the question bank, with the student's choice and the score of
// the current test.
struct SectionInfo {
    QString Description;
    QString Section;
    bool Ask = false;
    int AskedCount = 0;
    int CorrectCount = 0;
    int Test = 0;
    qint64 Id = 0;  // SECTIONID: what questions name, and the key of the choice
};

// Sections indexed from 1 to count() in the order of their SECTIONID, which
// may have gaps. Indexes outside that range are refused (find() gives nullptr);
// questions find their section by id with withId().
class SectionTable {
public:
    void reset(int count) { rows_.assign(static_cast<size_t>(count), SectionInfo{}); }
    int count() const { return static_cast<int>(rows_.size()); }
    bool contains(int index) const { return index >= 1 && index <= count(); }
    SectionInfo* find(int index) {
        return contains(index) ? &rows_[static_cast<size_t>(index - 1)] : nullptr;
    }
    const SectionInfo* find(int index) const {
        return contains(index) ? &rows_[static_cast<size_t>(index - 1)] : nullptr;
    }
    // The section with SECTIONID `id`, or nullptr.
    SectionInfo* withId(qint64 id) {
        for (SectionInfo& row : rows_) {
            if (row.Id == id) return &row;
        }
        return nullptr;
    }
    const SectionInfo* withId(qint64 id) const {
        return const_cast<SectionTable*>(this)->withId(id);
    }
    // For a valid index only.
    SectionInfo& operator()(int index) { return rows_.at(static_cast<size_t>(index - 1)); }
    const SectionInfo& operator()(int index) const {
        return rows_.at(static_cast<size_t>(index - 1));
    }
    std::vector<SectionInfo>::iterator begin() { return rows_.begin(); }
    std::vector<SectionInfo>::iterator end() { return rows_.end(); }
    std::vector<SectionInfo>::const_iterator begin() const { return rows_.begin(); }
    std::vector<SectionInfo>::const_iterator end() const { return rows_.end(); }

private:
    std::vector<SectionInfo> rows_;
};

// One run of the program: where it lives, its question bank and the study
// record, from start-up until the program ends. main() owns it.
struct Session {
    // Where the program lives and what it is called ("quillet"): the settings
    // file, the question bank and the sound files are looked for from here
    // (see FileLocations.h).
    QString programDir;
    QString programName;

    QString settingsPath;
    // The settings file as read for the black background, kept until start-up has read
    // the other settings from it, so that a large file is read and indexed once.
    std::unique_ptr<const SettingsSnapshot> settingsAtStart;
    QString databasePath;
    Database database;
    // The student's own bank of added pools (AddedBankFile), open when there is one, and the
    // elements whose pool comes from it rather than from the installed bank.
    QString addedBankPath;
    Database addedBank;
    std::set<int> addedElements;
    SectionTable sections;
    ExamTable exams;
    // The student's answers across runs, opened before the first test.
    StudyRecord record;

    // The element of the test being started or run (1 Novice .. 5 Extra).
    int currentElement = 1;
    // Pool groups ("T1A") a review is limited to while it runs ("Study these"
    // on the progress screen); empty for every other test.
    QStringList reviewGroups;
    // Questions (bank ids) a retry of missed questions asks while it runs, whatever
    // sections are chosen; empty for every other test.
    std::vector<qint64> retryQuestions;
    // Consecutive right answers in the modes that mark each question. Kept
    // here, not in the test, so that it carries over from one test to the next
    // of the same program run.
    int currentRun = 0;
    // Elements whose pool has been reported as not in force in this run, so
    // that the warning comes once per element, not before every test.
    std::set<int> poolWarningsGiven;

    // The bank that holds `element`'s questions and figures, and its file.
    const Database& bankFor(int element) const {
        return addedElements.count(element) ? addedBank : database;
    }
    const QString& bankPathFor(int element) const {
        return addedElements.count(element) ? addedBankPath : databasePath;
    }
};

// The settings file: program name + ".ini", beside a portable program or in the
// per-user config folder of an installed one.
QString SettingsPathFor(const Session& session);

// The sound files lie beside the question bank (the program's folder until the
// bank has been found).
QString SoundFolder(const Session& session);

}  // namespace quillet
