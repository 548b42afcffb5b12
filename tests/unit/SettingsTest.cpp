#include "shell/core/Settings.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quillet;

namespace {

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString path() const { return dir_.filePath("quillet.ini"); }

    void write(const QByteArray& text) {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }

    QByteArray contents() const {
        QFile f(path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir_;
};

TEST_F(SettingsFile, NoFileGivesEveryDefault) {
    EXPECT_EQ(ReadSetting(path(), "Sound", "OnOrOff", "On"), "On");
    EXPECT_TRUE(settings::ReadBlackBackgroundOn(path()));
    EXPECT_TRUE(settings::ReadSoundOn(path()));
    EXPECT_FALSE(settings::ReadShuffleOn(path()));
    EXPECT_TRUE(settings::ReadFiguresOn(path()));
    EXPECT_EQ(settings::ReadTestMode(path()), 1);
    EXPECT_FALSE(settings::ReadSectionChosen(path(), 3));
    EXPECT_FALSE(QFile::exists(path())) << "reading must not create the file";
}

TEST_F(SettingsFile, NamesAreCaseInsensitiveAndValuesTrimmed) {
    write("[sound]\nONORoff=  off  \n[TESTMODE]\ntestmode= 3\n");
    EXPECT_EQ(ReadSetting(path(), "Sound", "OnOrOff", "On"), "off");
    EXPECT_FALSE(settings::ReadSoundOn(path()));
    EXPECT_EQ(settings::ReadTestMode(path()), 3);
}

TEST_F(SettingsFile, EmptyValueGivesTheDefault) {
    write("[DUVBlackBackground]\nOnOrOff=\n[Figures]\nAskWithFigures=   \n");
    EXPECT_EQ(ReadSetting(path(), "DUVBlackBackground", "OnOrOff", "On"), "On");
    EXPECT_TRUE(settings::ReadBlackBackgroundOn(path()));
    EXPECT_TRUE(settings::ReadFiguresOn(path()));
}

TEST_F(SettingsFile, OnOffAndYesNoKeysAreUpperCasedBeforeComparing) {
    write("[Sound]\nOnOrOff=on\n[DUVBlackBackground]\nOnOrOff=No\n[Figures]\nAskWithFigures=nO\n"
          "[Shuffle]\nOnOrOff=oN\n");
    EXPECT_TRUE(settings::ReadSoundOn(path()));
    EXPECT_FALSE(settings::ReadBlackBackgroundOn(path()));
    EXPECT_FALSE(settings::ReadFiguresOn(path()));
    EXPECT_TRUE(settings::ReadShuffleOn(path()));

    write("[Sound]\nOnOrOff=1\n[Figures]\nAskWithFigures=yes\n");
    EXPECT_FALSE(settings::ReadSoundOn(path()));
    EXPECT_TRUE(settings::ReadFiguresOn(path()));
}

TEST_F(SettingsFile, SectionChoiceNeedsExactlyYes) {
    write("[Sections]\nAsk3=yes\nAsk4=YES\nAsk5=Yes\nask6= Yes \n");
    EXPECT_FALSE(settings::ReadSectionChosen(path(), 3));
    EXPECT_FALSE(settings::ReadSectionChosen(path(), 4));
    EXPECT_TRUE(settings::ReadSectionChosen(path(), 5));
    EXPECT_TRUE(settings::ReadSectionChosen(path(), 6)) << "key case and blanks around the value";
    EXPECT_EQ(settings::SectionKey(12), "Ask12");
}

TEST_F(SettingsFile, UnknownTestModeFallsBackToOne) {
    for (const char* value : {"6", "0", "-2", "two", "2x", "99999"}) {
        write(QByteArray("[TestMode]\nTestMode=") + value + "\n");
        EXPECT_EQ(settings::ReadTestMode(path()), 1) << value;
    }
    write("[TestMode]\nTestMode=5\n");
    EXPECT_EQ(settings::ReadTestMode(path()), 5);
    write("[TestMode]\nTestMode=4\n");
    EXPECT_EQ(settings::ReadTestMode(path()), 4);
    EXPECT_TRUE(contents().contains("TestMode=4")) << "the fallback is never written back";
}

TEST_F(SettingsFile, LongValuesAreCutTo253Characters) {
    const QByteArray longValue(400, 'x');
    write("[Long]\nKey=" + longValue + "\n");
    EXPECT_EQ(ReadSetting(path(), "Long", "Key", "d").size(), kMaxSettingLength);
    write("[Long]\nKey=" + QByteArray(253, 'y') + "\n");
    EXPECT_EQ(ReadSetting(path(), "Long", "Key", "d"), QString(253, 'y'));
}

TEST_F(SettingsFile, WriteCreatesFileSectionAndKey) {
    EXPECT_TRUE(WriteSetting(path(), "Sections", "Ask5", "Yes"));
    EXPECT_EQ(contents(), "[Sections]\nAsk5=Yes\n");
    EXPECT_TRUE(WriteSetting(path(), "TestMode", "TestMode", "4"));
    EXPECT_EQ(settings::ReadTestMode(path()), 4);
    EXPECT_TRUE(settings::ReadSectionChosen(path(), 5));
}

TEST_F(SettingsFile, WriteReplacesAValueAndKeepsEveryOtherLine) {
    write("; the student's choices\n"
          "[Sound]\nOnOrOff=ON\n\n"
          "; section choices follow\n"
          "[Sections]\nAsk1=Yes\nAsk2=No\n"
          "[Other]\nkey only line\nsomething=else\n");
    EXPECT_TRUE(WriteSetting(path(), "sections", "ASK2", "Yes"));
    const QByteArray after = contents();
    EXPECT_TRUE(after.contains("; the student's choices"));
    EXPECT_TRUE(after.contains("; section choices follow"));
    EXPECT_TRUE(after.contains("[Sound]\nOnOrOff=ON"));
    EXPECT_TRUE(after.contains("Ask1=Yes"));
    EXPECT_TRUE(after.contains("Ask2=Yes"));
    EXPECT_FALSE(after.contains("Ask2=No"));
    EXPECT_FALSE(after.contains("ASK2")) << "an existing key keeps its spelling";
    EXPECT_TRUE(after.contains("key only line"));
    EXPECT_TRUE(after.contains("something=else"));
}

TEST_F(SettingsFile, FailedWriteChangesNothing) {
    // A folder where the file should be: nothing can be written there.
    QDir(dir_.path()).mkdir("quillet.ini");
    EXPECT_FALSE(WriteSetting(path(), "Sound", "OnOrOff", "OFF"));
    EXPECT_TRUE(QFileInfo(path()).isDir());

    // A missing folder: the write fails quietly and creates nothing.
    const QString elsewhere = dir_.filePath("missing/quillet.ini");
    EXPECT_FALSE(WriteSetting(elsewhere, "Sound", "OnOrOff", "OFF"));
    EXPECT_FALSE(QFile::exists(elsewhere));
}

TEST_F(SettingsFile, UnreadableFileIsNeitherReadNorOverwritten) {
    write("[Sound]\nOnOrOff=OFF\n");
    QFile::setPermissions(path(), QFileDevice::WriteOwner);
    if (QFile(path()).open(QIODevice::ReadOnly)) GTEST_SKIP() << "running with rights to read any file";
    EXPECT_TRUE(settings::ReadSoundOn(path())) << "falls back to the default";
    EXPECT_FALSE(WriteSetting(path(), "Figures", "AskWithFigures", "NO"));
    QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(contents(), "[Sound]\nOnOrOff=OFF\n");
}

}  // namespace

namespace {

TEST_F(SettingsFile, RepeatedKeyReadsItsFirstValueAndSurvivesOtherWrites) {
    write("[Sections]\nAsk1=Yes\nAsk1=No\n[Sound]\nOnOrOff=ON\n");
    EXPECT_TRUE(settings::ReadSectionChosen(path(), 1));
    EXPECT_TRUE(WriteSetting(path(), "Sound", "OnOrOff", "OFF"));
    EXPECT_TRUE(contents().contains("Ask1=Yes\nAsk1=No"));
    EXPECT_TRUE(WriteSetting(path(), "Sections", "Ask1", "No"));
    EXPECT_FALSE(settings::ReadSectionChosen(path(), 1));
    EXPECT_FALSE(contents().contains("Ask1=Yes"));
}

}  // namespace
