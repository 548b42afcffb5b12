// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
// Where the program finds its bank and sounds and keeps the student's files, on real folder
// trees: a portable folder, and an installed tree with per-user folders.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "TestBank.h"
#include "shell/core/FileLocations.h"
#include "shell/core/QuestionBank.h"
#include "shell/core/Settings.h"
#include "shell/core/SharedRoutines.h"
#include "shell/core/StudyRecord.h"
#include "support/Unprivileged.h"

using namespace quillet;
using quillet::testing::RecordingFatal;
using quillet::testing::RecordingSound;
using quillet::testing::Sections;

namespace {

// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QString& value) : name_(name), old_(qgetenv(name)) {
        qputenv(name, QFile::encodeName(value));
    }
    ~ScopedEnv() { qputenv(name_, old_); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    QByteArray old_;
};

// prefix/bin holds the program, prefix/share/quillet its installed data; the student's
// per-user folders and two system data folders lie beside the prefix.
struct InstalledTree {
    QTemporaryDir dir;
    QString bin = dir.filePath("prefix/bin");
    QString shared = dir.filePath("prefix/share/quillet");
    QString dataHome = dir.filePath("home/data");
    QString configHome = dir.filePath("home/config");
    QString system1 = dir.filePath("system1");
    QString system2 = dir.filePath("system2");
    ScopedEnv config{"XDG_CONFIG_HOME", configHome};
    ScopedEnv data{"XDG_DATA_HOME", dataHome};
    ScopedEnv dirs{"XDG_DATA_DIRS", system1 + ":" + system2};
    Program program;
    Session& session = program.session;
    StudentOptions& options = program.options;
    Services& services = program.services;
    RecordingFatal fatal;
    RecordingSound sound;

    InstalledTree() {
        QDir().mkpath(bin);
        session.programDir = bin;
        session.programName = "quillet";
        services.fatal = &fatal;
        services.sound = &sound;
    }
    bool writeBank(const QString& folder, const QString& name = "quillet.dat") {
        return QDir().mkpath(folder) && qbank::WriteBank(JoinPath(folder, name), Sections(2));
    }
    // Opens the bank the way start-up does; gives the file it found, or "" when none.
    QString openBank() {
        session.database.close();
        return OpenQuestionBank(session).ok() ? session.databasePath : QString();
    }
};

TEST(BankSearch, BesideTheProgramThenTheInstalledFolderThenEachDataFolder) {
    InstalledTree tree;
    const QStringList folders = {tree.bin, tree.shared, tree.dataHome + "/quillet",
                                 tree.system1 + "/quillet", tree.system2 + "/quillet"};
    for (const QString& folder : folders) ASSERT_TRUE(tree.writeBank(folder));
    // A later name beside the program still comes before the installed folder.
    ASSERT_TRUE(
        QFile::rename(JoinPath(tree.bin, "quillet.dat"), JoinPath(tree.bin, "quillet.mdb")));

    QStringList found;
    for (const QString& folder : folders) {
        found << tree.openBank();
        // The sounds are the ones beside the bank that was found.
        QFile(JoinPath(folder, "bump.wav")).open(QIODevice::WriteOnly);
        tree.options.soundOn = true;
        tree.program.sounds.play("bump.wav");
        tree.session.database.close();
        for (const QString& name : QDir(folder).entryList(QDir::Files)) {
            QFile::remove(JoinPath(folder, name));
        }
    }
    EXPECT_EQ(
        found,
        QStringList({JoinPath(tree.bin, "quillet.mdb"), JoinPath(tree.shared, "quillet.dat"),
                     tree.dataHome + "/quillet/quillet.dat", tree.system1 + "/quillet/quillet.dat",
                     tree.system2 + "/quillet/quillet.dat"}));
    QStringList expectedSounds;
    for (const QString& folder : folders) expectedSounds << JoinPath(folder, "bump.wav");
    EXPECT_EQ(tree.sound.played, expectedSounds);
    EXPECT_EQ(tree.openBank(), QString());
}

TEST(StudentFiles, APortableFolderKeepsThemBesideTheProgram) {
    InstalledTree tree;
    // The build folder: writable, with its own bank.
    ASSERT_TRUE(tree.writeBank(tree.bin, "exam.mdb"));
    StudentFolders folders = StudentFoldersFor(tree.bin, "exam");
    EXPECT_TRUE(folders.portable);
    EXPECT_EQ(folders.config, tree.bin);
    EXPECT_EQ(folders.data, tree.bin);
    EXPECT_EQ(SettingsFileFor(tree.bin, "exam"), JoinPath(tree.bin, "exam.ini"));

    // A settings file beside the program keeps the copy portable without a bank there.
    QFile::remove(JoinPath(tree.bin, "exam.mdb"));
    EXPECT_FALSE(StudentFoldersFor(tree.bin, "exam").portable);
    QFile(JoinPath(tree.bin, "exam.ini")).open(QIODevice::WriteOnly);
    EXPECT_TRUE(StudentFoldersFor(tree.bin, "exam").portable);
}

TEST(StudentFiles, AnInstalledCopyKeepsSettingsInThePerUserFolderMadeByTheFirstWrite) {
    InstalledTree tree;
    ASSERT_TRUE(tree.writeBank(tree.shared));
    const StudentFolders folders = StudentFoldersFor(tree.bin, "quillet");
    EXPECT_FALSE(folders.portable);
    EXPECT_EQ(folders.config, tree.configHome + "/quillet");
    EXPECT_EQ(folders.data, tree.dataHome + "/quillet");

    ASSERT_TRUE(LoadProgram(tree.session, tree.options, tree.services.fatal))
        << tree.fatal.calls.size();
    const QString settings = tree.configHome + "/quillet/quillet.ini";
    EXPECT_EQ(tree.session.settingsPath, settings);
    EXPECT_FALSE(QFileInfo::exists(tree.configHome)) << "looking must not create folders";

    SelectSection(tree.session, 2);
    EXPECT_TRUE(QFileInfo(settings).isFile());
    EXPECT_EQ(QDir(tree.bin).entryList(QDir::Files), QStringList());
    EXPECT_TRUE(MakePerUserFolderFor(JoinPath(folders.data, "record")));
    EXPECT_TRUE(QFileInfo(folders.data).isDir());

    tree.session.database.close();
    Program again;
    again.session.programDir = tree.bin;
    again.session.programName = "quillet";
    ASSERT_TRUE(LoadProgram(again.session, again.options, &tree.fatal));
    EXPECT_FALSE(again.session.sections(1).Ask);
    EXPECT_TRUE(again.session.sections(2).Ask);
}

// Writes a record with `answers` answers at `path`.
void WriteRecord(const QString& path, int answers) {
    StudyRecord record;
    ASSERT_NE(record.open(path), StudyRecord::OpenStatus::InMemory);
    for (int n = 0; n < answers; ++n) {
        ASSERT_TRUE(record.add({"P", QString("T1A%1").arg(n), QDateTime::currentDateTime(), true}));
    }
}

TEST(StudentFiles, TheRecordLivesInAFolderOfItsOwnAndAnOldOneMovesThere) {
    InstalledTree tree;
    ASSERT_TRUE(tree.writeBank(tree.shared));
    const QString data = tree.dataHome + "/quillet";
    const QString old = data + "/quillet-record.db";
    const QString moved = data + "/record/quillet-record.db";

    // A first run makes the record in record/, and nothing else in the data folder.
    EXPECT_EQ(OpenStudyRecord(tree.session), StudyRecord::OpenStatus::Created);
    tree.session.record.close();
    EXPECT_TRUE(QFileInfo(moved).isFile());
    EXPECT_EQ(QDir(data).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"record"});

    // A record left by an earlier version moves with its journal and damaged copies, every
    // answer kept.
    QDir(data + "/record").removeRecursively();
    WriteRecord(old, 3);
    QFile(old + "-journal").open(QIODevice::WriteOnly);
    QFile(data + "/quillet-record.damaged-2026-01-02.db").open(QIODevice::WriteOnly);
    EXPECT_EQ(OpenStudyRecord(tree.session), StudyRecord::OpenStatus::Opened);
    EXPECT_EQ(tree.session.record.answerCount(), 3);
    tree.session.record.close();
    EXPECT_EQ(QDir(data).entryList(QDir::Files), QStringList());
    EXPECT_TRUE(QFileInfo::exists(data + "/record/quillet-record.damaged-2026-01-02.db"));

    // A record already in its folder wins; an old one found beside it is left as it is.
    WriteRecord(old, 1);
    EXPECT_EQ(OpenStudyRecord(tree.session), StudyRecord::OpenStatus::Opened);
    EXPECT_EQ(tree.session.record.answerCount(), 3);
    tree.session.record.close();
    EXPECT_TRUE(QFileInfo(old).isFile());

    // A record reached through a link is used where it lies rather than moved.
    QDir(data + "/record").removeRecursively();
    QFile::remove(old);
    const QString elsewhere = tree.dir.filePath("stick/quillet-record.db");
    QDir().mkpath(QFileInfo(elsewhere).path());
    WriteRecord(elsewhere, 2);
    ASSERT_TRUE(QFile::link(elsewhere, old));
    EXPECT_EQ(OpenStudyRecord(tree.session), StudyRecord::OpenStatus::Opened);
    EXPECT_EQ(tree.session.record.answerCount(), 2);
    EXPECT_TRUE(QFileInfo(old).isSymLink());
}

TEST(StudentFiles, AReadOnlyProgramFolderIsNotPortableEvenWithABank) {
    QUILLET_RUN_UNPRIVILEGED();
    InstalledTree tree;
    ASSERT_TRUE(tree.writeBank(tree.bin));
    QFile::setPermissions(tree.bin, QFile::ReadOwner | QFile::ExeOwner);
    const bool writable = access(QFile::encodeName(tree.bin).constData(), W_OK) == 0;
    const StudentFolders folders = StudentFoldersFor(tree.bin, "quillet");
    QFile::setPermissions(tree.bin, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ASSERT_FALSE(writable);
    EXPECT_FALSE(folders.portable);
    EXPECT_EQ(folders.config, tree.configHome + "/quillet");
}

}  // namespace
