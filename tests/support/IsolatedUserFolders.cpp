// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
// Points the per-user and system data and config folders at empty temporary folders, fresh
// for every test, so that no test reads or writes the files of the user running the tests, no
// installed question bank is found by a test that expects none, and no test sees a settings
// file or study record that an earlier test of the same process left behind.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

namespace {

class IsolatedUserFolders : public ::testing::EmptyTestEventListener {
public:
    // Code that runs before the first test (discovery, global set-up) is kept out too.
    void OnTestProgramStart(const ::testing::UnitTest&) override { point(); }
    void OnTestStart(const ::testing::TestInfo&) override { point(); }
    void OnTestProgramEnd(const ::testing::UnitTest&) override { dir_.reset(); }

private:
    void point() {
        dir_ = std::make_unique<QTemporaryDir>();
        if (!dir_->isValid()) {
            ADD_FAILURE() << "no temporary folder for the per-user folders";
            return;
        }
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME",
                                 "XDG_CONFIG_DIRS", "XDG_DATA_DIRS"}) {
            const QString path = dir_->filePath(QString::fromLatin1(name).toLower());
            if (!QDir().mkpath(path)) ADD_FAILURE() << "cannot make " << path.toStdString();
            qputenv(name, QFile::encodeName(path));
        }
    }

    std::unique_ptr<QTemporaryDir> dir_;
};

[[maybe_unused]] const bool kRegistered = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new IsolatedUserFolders);
    return true;
}();

}  // namespace
