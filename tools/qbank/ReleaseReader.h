// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "BankWriter.h"

namespace quillet::qbank {

struct Pool;

// In the refusal of a pool whose question names a figure that neither a figure file nor the
// document holds: a program may then ask for the figures' folder and read the pool again.
inline constexpr char kFigureLacking[] = "which the release lacks";

// What the student may say about a release beyond what the file says. Empty or zero fields
// leave the file's own word (or the element's usual exam) in force.
struct ReleaseOptions {
    QString figuresDir;  // where the figure files lie; empty: the folder of each release file
    QString pool;        // the pool's name, "technician-2026-2030"
    QDate validFrom;
    QDate validTo;
    int questions = 0;  // the real exam's size...
    int passMark = 0;   // ...and the number right needed to pass
};

// What one release file gave, for the student to check before it is added.
struct ReleaseSummary {
    QString file;  // the file's name
    int element = 0;
    QString pool;
    QDate validFrom;
    QDate validTo;
    int sections = 0;
    int questions = 0;
    int figures = 0;
    int withdrawn = 0;
    int examQuestions = 0;
    int passMark = 0;
};

struct ReleaseImport {
    BankContent content;  // numbered from 1, in the order of the files
    std::vector<ReleaseSummary> pools;
};

// Reads question pools as they are published: the Word document (.docx) or its text export
// (UTF-8, UTF-16 or Windows-1252, any line ends). One file is one pool. Figures come from the
// figure files (PNG, JPEG, SVG, or one-page PDF where a renderer is set; named "T-1", "t1",
// "Figure T-1" in any case) or from the pictures the document holds beside their captions.
// On any fault returns false and puts a message naming the file and line (or paragraph) and
// what was expected in `error`; `import` is then left unchanged.
// `progress`, when given, is told how far reading has come, in thousandths, rising to 1000:
// the files' text takes the first kReadingShare in equal shares, the figures the rest (their
// conversion takes about nine tenths of the time of a pool with its figures).
using ReleaseProgress = std::function<void(int permille)>;
inline constexpr int kReadingShare = 100;
bool ReadReleases(const QStringList& files, const ReleaseOptions& options, ReleaseImport& import,
                  QString* error = nullptr, const ReleaseProgress& progress = nullptr);

// "Technician pool technician-2027-2031, in force 1 July 2027 to 30 June 2031: 10 sections,
// 411 questions, 3 figures, 2 withdrawn questions left out; the exam asks 35, 26 to pass".
QString ReleaseSummaryText(const ReleaseSummary& summary);

// Reads one release file into a pool (throws InputError). `shownName` names it in messages.
Pool ReadReleaseFile(const QString& path, const QString& shownName, const ReleaseOptions& options);

}  // namespace quillet::qbank
