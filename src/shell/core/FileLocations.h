// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QString>
#include <QStringList>

namespace quillet {

// Where the program finds its files and keeps the student's.
//
// A copy of the program is either portable (a folder the student can write,
// such as the build folder or a copy on a memory stick: everything lies beside
// the program) or installed (the program in a system folder such as /usr/bin,
// its bank and sounds in the shared data folder, the student's files in the
// per-user folders).

// The names the question bank may have, in the order they are tried in each
// folder: the program's own name (.dat, then .mdb), then the fixed names.
QStringList BankFileNames(const QString& programName);

// The folders searched for the question bank, in order: the program's folder,
// the installed data folder next to it (../share/quillet from bin/), then
// quillet/ in each per-user and system data folder ($XDG_DATA_HOME, then
// $XDG_DATA_DIRS). Each folder appears once.
QStringList BankFolders(const QString& programDir);

// The folders of the student's own files: the settings file, and the other
// files the program keeps for the student.
struct StudentFolders {
    // True when the files lie beside the program.
    bool portable = true;
    // Holds the settings file: the program's folder, or $XDG_CONFIG_HOME/quillet.
    QString config;
    // Holds the other files kept for the student: the program's folder, or
    // $XDG_DATA_HOME/quillet (the study record in its record/ folder).
    QString data;
};

// A copy is portable when its settings file already lies beside the program,
// or when the program's folder is writable and holds a question bank of its
// own. Otherwise (a read-only system folder, or a bin/ folder whose bank lies
// elsewhere, as in an install under ~/.local) the per-user folders are used.
// Nothing is created here: a per-user folder is made by the first write into it.
StudentFolders StudentFoldersFor(const QString& programDir, const QString& programName);

// The bank of the pools the student added (programName + "-added.dat"): among the student's
// own files, beside a portable copy or in $XDG_DATA_HOME/quillet, never in the installed bank's
// folder.
QString AddedBankFile(const QString& programDir, const QString& programName);

// Makes the folder of `file` when it is missing and is one of the per-user folders above
// ($XDG_CONFIG_HOME/quillet or $XDG_DATA_HOME/quillet). Any other missing folder (a removed
// memory stick, say) is left missing. Gives whether the file's folder exists afterwards.
bool MakePerUserFolderFor(const QString& file);

// The folder of the study record inside the data folder. A folder of its own keeps the record
// apart from installed files when the data folder holds both (an install under ~/.local), so
// that removing those files never touches it.
inline const QString kStudyRecordFolder = QStringLiteral("record");

// The settings file: the program's name + ".ini" in the config folder.
QString SettingsFileFor(const QString& programDir, const QString& programName);

}  // namespace quillet
