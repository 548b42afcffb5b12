// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "shell/core/FileLocations.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "quillet/Config.h"
#include "shell/core/SharedRoutines.h"

namespace quillet {
namespace {

const QString kFixedName = QStringLiteral("quillet");

// The folder the program keeps under a per-user or system base folder.
QString Own(const QString& base) { return JoinPath(base, kFixedName); }

QString PerUserConfig() {
    return Own(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}
QString PerUserData() {
    return Own(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
}

bool HasBankBeside(const QString& programDir, const QString& programName) {
    for (const QString& name : BankFileNames(programName)) {
        if (QFileInfo(JoinPath(programDir, name)).isFile()) return true;
    }
    return false;
}

}  // namespace

QStringList BankFileNames(const QString& programName) {
    return {programName + QStringLiteral(".dat"), programName + QStringLiteral(".mdb"),
            kFixedName + QStringLiteral(".mdb"), kFixedName + QStringLiteral(".dat")};
}

QStringList BankFolders(const QString& programDir) {
    QStringList folders;
    // The installed data folder is often one of the system data folders too.
    const auto add = [&folders](const QString& folder) {
        const QString clean = QDir::cleanPath(folder);
        if (!folders.contains(clean)) folders << clean;
    };
    add(programDir);
    if (!programDir.isEmpty()) add(JoinPath(programDir, QStringLiteral(QUILLET_DATA_FROM_BIN)));
    for (const QString& base :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        add(Own(base));
    }
    return folders;
}

StudentFolders StudentFoldersFor(const QString& programDir, const QString& programName) {
    const bool settingsBeside =
        QFileInfo::exists(JoinPath(programDir, programName + QStringLiteral(".ini")));
    const bool writable = !programDir.isEmpty() && QFileInfo(programDir).isWritable();
    if (settingsBeside || (writable && HasBankBeside(programDir, programName))) {
        return {true, programDir, programDir};
    }
    return {false, PerUserConfig(), PerUserData()};
}

QString AddedBankFile(const QString& programDir, const QString& programName) {
    return JoinPath(StudentFoldersFor(programDir, programName).data,
                    programName + QStringLiteral("-added.dat"));
}

bool MakePerUserFolderFor(const QString& file) {
    const QString folder = QFileInfo(file).absolutePath();
    if (QFileInfo(folder).isDir()) return true;
    const QString clean = QDir::cleanPath(folder);
    if (clean != QDir::cleanPath(PerUserConfig()) && clean != QDir::cleanPath(PerUserData())) {
        return false;
    }
    return QDir().mkpath(folder);
}

QString SettingsFileFor(const QString& programDir, const QString& programName) {
    return JoinPath(StudentFoldersFor(programDir, programName).config,
                    programName + QStringLiteral(".ini"));
}

}  // namespace quillet
