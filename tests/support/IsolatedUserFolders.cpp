// Points the per-user and system data and config folders of every test program at an empty
// temporary folder, so that no test reads or writes the files of the user running the
// tests, and no installed question bank is found by a test that expects none.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

namespace {

class IsolatedUserFolders : public ::testing::Environment {
public:
    void SetUp() override {
        dir_ = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(dir_->isValid());
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME",
                                 "XDG_CONFIG_DIRS", "XDG_DATA_DIRS"}) {
            const QString path = dir_->filePath(QString::fromLatin1(name).toLower());
            ASSERT_TRUE(QDir().mkpath(path));
            qputenv(name, QFile::encodeName(path));
        }
    }
    void TearDown() override { dir_.reset(); }

private:
    std::unique_ptr<QTemporaryDir> dir_;
};

[[maybe_unused]] const auto* const kRegistered =
    ::testing::AddGlobalTestEnvironment(new IsolatedUserFolders);

}  // namespace
