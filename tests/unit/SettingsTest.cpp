// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <random>
#include <string>
#include <string_view>
#include <thread>
#include <tuple>

#include "shell/core/Settings.h"
#include "support/OneLineChange.h"
#include "support/Unprivileged.h"

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
    write(
        "[Sound]\nOnOrOff=on\n[DUVBlackBackground]\nOnOrOff=No\n[Figures]\nAskWithFigures=nO\n"
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
    for (const char* value : {"7", "0", "-2", "two", "2x", "99999"}) {
        write(QByteArray("[TestMode]\nTestMode=") + value + "\n");
        EXPECT_EQ(settings::ReadTestMode(path()), 1) << value;
    }
    write("[TestMode]\nTestMode=6\n");
    EXPECT_EQ(settings::ReadTestMode(path()), 6);
    write("[TestMode]\nTestMode=4\n");
    EXPECT_EQ(settings::ReadTestMode(path()), 4);
    EXPECT_TRUE(contents().contains("TestMode=4")) << "the fallback is never written back";
}

// Only the sizes the settings page offers scale the windows; anything else
// keeps them at the desktop's own scale.
TEST_F(SettingsFile, WindowSizeIsOneOfTheOfferedSizes) {
    EXPECT_EQ(settings::ReadWindowSize(path()), 100);
    for (const char* value : {"150", " 200 "}) {
        write(QByteArray("[WindowSize]\nPercent=") + value + "\n");
        EXPECT_EQ(settings::ReadWindowSize(path()), QByteArray(value).trimmed().toInt()) << value;
    }
    for (const char* value : {"130", "0", "-150", "1.5", "big", "150%", "99999999999"}) {
        write(QByteArray("[WindowSize]\nPercent=") + value + "\n");
        EXPECT_EQ(settings::ReadWindowSize(path()), 100) << value;
    }
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
    write(
        "; the student's choices\n"
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
    QUILLET_RUN_UNPRIVILEGED();
    write("[Sound]\nOnOrOff=OFF\n");
    QFile::setPermissions(path(), QFileDevice::WriteOwner);
    ASSERT_FALSE(QFile(path()).open(QIODevice::ReadOnly));
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

namespace {

using namespace std::literals;

QByteArray Bytes(std::string_view text) { return QByteArray(text.data(), qsizetype(text.size())); }

// Writes change only the key's line, or add one; nothing else in the file moves.
TEST_F(SettingsFile, WriteKeepsEveryOtherByte) {
    struct Case {
        std::string_view before, section, key, value, after;
    };
    const Case cases[] = {
        // An empty value stays a key of its own, and a bare key keeps its line.
        {"[Sections]\nAsk4=Yes\nAsk5=\nnoequals\n", "Shuffle", "OnOrOff", "ON",
         "[Sections]\nAsk4=Yes\nAsk5=\nnoequals\n[Shuffle]\nOnOrOff=ON\n"},
        {"[Sections]\nAsk4=Yes\nAsk5=\n", "Sections", "Ask5", "No",
         "[Sections]\nAsk4=Yes\nAsk5=No\n"},
        {"[Sections]\n  ask5  \nAsk5=Yes\n", "Sections", "Ask5", "No",
         "[Sections]\n  ask5=No\nAsk5=Yes\n"},
        // Spacing, CRLF, a BOM, comments and malformed lines stay; added lines use CRLF.
        {"\xEF\xBB\xBF[Sound]\r\nOnOrOff = ON\r\n\r\n=novalue\r\n[Sound\r\n; last\r\n", "sound",
         "onoroff", "OFF",
         "\xEF\xBB\xBF[Sound]\r\nOnOrOff = OFF\r\n\r\n=novalue\r\n[Sound\r\n; last\r\n"},
        {"[Sound]\r\nOnOrOff = ON\r\n\r\n=novalue\r\n[Sound\r\n; last\r\n\r\n[Next]\r\n", "Sound",
         "Volume", "5",
         "[Sound]\r\nOnOrOff = ON\r\n\r\n=novalue\r\n[Sound\r\nVolume=5\r\n; "
         "last\r\n\r\n[Next]\r\n"},
        // What follows a NUL is kept, and the lines after it are read and written as usual.
        {"[A]\nx=1\0junk\n[TestMode]\nTestMode=3"sv, "TestMode", "TestMode", "2",
         "[A]\nx=1\0junk\n[TestMode]\nTestMode=2"sv},
        {"[A]\nx=1\0junk\n[TestMode]\nTestMode=3"sv, "TestMode", "Other", "2",
         "[A]\nx=1\0junk\n[TestMode]\nTestMode=3\nOther=2\n"sv},
        {"[A]\nx=old\0junk\r\ny=2\r\n"sv, "A", "x", "new", "[A]\nx=new\r\ny=2\r\n"},
        // A section named twice: the key goes into the first, after its last entry.
        {"[A]\na=1\n; about B\n[B]\n[a]\nb=2\n", "A", "c", "3",
         "[A]\na=1\nc=3\n; about B\n[B]\n[a]\nb=2\n"},
        {"; no sections\nstray=1", "A", "b", "2", "; no sections\nstray=1\n[A]\nb=2\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Bytes(c.before).toStdString());
        write(Bytes(c.before));
        const QString section = QString::fromUtf8(Bytes(c.section));
        const QString key = QString::fromUtf8(Bytes(c.key));
        ASSERT_TRUE(WriteSetting(path(), section, key, QString::fromUtf8(Bytes(c.value))));
        EXPECT_EQ(contents(), Bytes(c.after));
        EXPECT_EQ(ReadSetting(path(), section, key, "default"), QString::fromUtf8(Bytes(c.value)));
    }
}

TEST_F(SettingsFile, ReadingFollowsTheSameLinesAsWriting) {
    write(
        Bytes("[Sections]\nAsk4=Yes\nAsk5=\nAsk6\nAsk6=Yes\n"
              "[TestMode\nTestMode=4\n"
              "[Figures]\nAsk\0WithFigures=No\nAskWithFigures=No\0\n"
              "\0\n[TestMode]\nTestMode=3\n"sv));
    EXPECT_FALSE(settings::ReadSectionChosen(path(), 5)) << "an empty value";
    EXPECT_FALSE(settings::ReadSectionChosen(path(), 6)) << "a bare key comes first";
    EXPECT_EQ(settings::ReadTestMode(path()), 3) << "the lines after a NUL count";
    EXPECT_FALSE(settings::ReadFiguresOn(path()))
        << "the text after a NUL on its line does not count";
    EXPECT_EQ(ReadSetting(path(), "Figures", "Ask", "d"), "d") << "a bare key up to the NUL";
}

// Values with their own leading blanks, and names and values starting with U+FEFF.
TEST_F(SettingsFile, UnusualValuesReadBackAndRewritesAreStable) {
    const QString bom(QChar(0xFEFF));
    for (const auto& [key, value] : {std::pair<QString, QString>{"k", "\tx"},
                                     {"k", "  "},
                                     {bom + "k", "v"},
                                     {"k", bom + "v"}}) {
        write("[A]\nk = old\n");
        ASSERT_TRUE(WriteSetting(path(), "A", key, value));
        const QByteArray once = contents();
        EXPECT_EQ(ReadSetting(path(), "A", key, "default"),
                  value.trimmed().isEmpty() ? "default" : value.trimmed());
        ASSERT_TRUE(WriteSetting(path(), "A", key, value));
        EXPECT_EQ(contents(), once) << "writing the same value again changes nothing";
    }
}

// Names and values a line cannot hold are refused rather than written wrongly.
TEST_F(SettingsFile, WriteRefusesWhatALineCannotHold) {
    write("[A]\nk=1\n");
    for (const auto& [section, key, value] :
         {std::tuple<QString, QString, QString>{"A", "k", "two\nlines"},
          {"A", "k", QString("nul") + QChar(0)},
          {"A", "k=v", "x"},
          {"A]", "k", "x"},
          {"A", "", "x"},
          {"", "k", "x"},
          {"A", " k", "x"},
          {"A", "[k]", "x"},
          {"A", ";k", "x"}}) {
        EXPECT_FALSE(WriteSetting(path(), section, key, value))
            << section.toStdString() << key.toStdString();
    }
    EXPECT_EQ(contents(), "[A]\nk=1\n");
}

}  // namespace

namespace {

// Random settings files made of the lines a user's disk may hold, with names drawn
// from a small set so that writes often hit existing sections and keys.
class RandomSettings {
public:
    explicit RandomSettings(unsigned seed) : rng_(seed) {}

    static inline const QStringList kSections = {"Sound", "Sections", "TestMode", "two words"};
    // "Aſk1" is "Ask1" to a reader that folds case: the long s folds to s.
    static inline const QStringList kKeys = {"OnOrOff", "Ask1", "Ask12", "TestMode",
                                             "k",       "Aſk1", "Ärger"};

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

    QString name(const QStringList& names) {
        QString n = names[below(names.size())];
        for (QChar& c : n) {
            if (below(3) == 0) c = below(2) ? c.toUpper() : c.toLower();
        }
        return n;
    }

    QByteArray value() {
        static const char kChars[] = "abcXYZ019 -_.";
        QByteArray v;
        for (int n = below(8); n > 0; --n) v += kChars[below(int(sizeof kChars) - 1)];
        return v;
    }

    QByteArray blanks() { return QByteArray(below(3) == 0 ? below(3) : 0, below(2) ? ' ' : '\t'); }

    QByteArray noise() {
        static const char kBytes[] = {'\0', '\r', '=', '[',    ']',   ';',
                                      '#',  ' ',  'a', '\xFF', '\xC3'};
        QByteArray b;
        for (int n = below(6); n > 0; --n) b += kBytes[below(int(sizeof kBytes))];
        return b;
    }

    QByteArray line() {
        switch (below(10)) {
            case 0:
                return blanks() + '[' + blanks() + name(kSections).toUtf8() + blanks() + ']' +
                       (below(4) == 0 ? noise() : QByteArray());
            case 1:
                return '[' + name(kSections).toUtf8();  // not a header
            case 2:
                return blanks() + (below(2) ? ";" : "#") + value() + noise();
            case 3:
                return blanks();
            case 4:
                return name(kKeys).toUtf8() + blanks();  // bare key
            case 5:
                return '=' + value();
            case 6:
                return noise();
            default:
                return blanks() + name(kKeys).toUtf8() + blanks() + '=' + blanks() + value() +
                       blanks() + (below(5) == 0 ? noise() : QByteArray());
        }
    }

    QByteArray file() {
        QByteArray text = below(10) == 0 ? "\xEF\xBB\xBF" : "";
        const bool crlf = below(3) == 0;
        for (int n = below(14); n > 0; --n) {
            text += line();
            if (n > 1 || below(4) != 0) text += below(10) == 0 ? "\n" : crlf ? "\r\n" : "\n";
        }
        return text;
    }

private:
    std::mt19937 rng_;
};

TEST(SettingsProperty, RandomWritesChangeOnlyTheirKey) {
    RandomSettings random(20261208);
    QTemporaryDir dir;
    const QString path = dir.filePath("quillet.ini");
    int added = 0, replaced = 0, newSections = 0;
    for (int round = 0; round < 4000; ++round) {
        QByteArray text = random.file();
        for (int write = random.below(3) + 1; write > 0; --write) {
            const QString section = random.name(RandomSettings::kSections);
            const QString key = random.name(RandomSettings::kKeys);
            const QString value = QString::fromUtf8(random.value());
            const QByteArray before = text;
            ASSERT_TRUE(EditSetting(text, section, key, value));
            SCOPED_TRACE(before.toPercentEncoding().toStdString() + " <- " + section.toStdString() +
                         "/" + key.toStdString() + "=" + value.toStdString());

            ASSERT_EQ(SettingValue(text, section, key), value.trimmed());
            for (const QString& s : RandomSettings::kSections) {
                for (const QString& k : RandomSettings::kKeys) {
                    if (s.compare(section, Qt::CaseInsensitive) == 0 &&
                        k.compare(key, Qt::CaseInsensitive) == 0) {
                        continue;
                    }
                    ASSERT_EQ(SettingValue(text, s, k), SettingValue(before, s, k))
                        << s.toStdString() << "/" << k.toStdString();
                }
            }
            // A header and a line at most, and a line break for a last line without one.
            const bool newSection = text.count('[') > before.count('[');
            const bool unterminated = !before.isEmpty() && !before.endsWith('\n');
            ASSERT_TRUE(DiffersInOneLine(before, text, 1 + newSection + unterminated))
                << text.toPercentEncoding().toStdString();
            if (text.count('\n') == before.count('\n'))
                ++replaced;
            else if (newSection)
                ++newSections;
            else
                ++added;
        }
        // Often through a real file: start-up's index of the file reads what the editor's
        // own reading finds, and a write gets exactly what the editor gives.
        if (round % 10 == 0) {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(text);
            f.close();
            const SettingsSnapshot stored(path);
            for (const QString& s : RandomSettings::kSections + QStringList{"sOUND", "absent"}) {
                for (const QString& k : RandomSettings::kKeys + QStringList{"ASK12", "absent"}) {
                    const QString found = SettingValue(text, s, k);
                    ASSERT_EQ(stored.read(s, k, "-"), found.isEmpty() ? "-" : found)
                        << s.toStdString() << "/" << k.toStdString() << " in "
                        << text.toPercentEncoding().toStdString();
                }
            }
        }
        if (round % 100 == 0) {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(text);
            f.close();
            QByteArray expected = text;
            ASSERT_TRUE(EditSetting(expected, "Sound", "OnOrOff", "OFF"));
            ASSERT_TRUE(WriteSetting(path, "Sound", "OnOrOff", "OFF"));
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            ASSERT_EQ(f.readAll(), expected);
            EXPECT_EQ(ReadSetting(path, "sound", "onoroff", "On"), "OFF");
        }
    }
    // The random files reach all three kinds of write.
    EXPECT_GT(replaced, 400);
    EXPECT_GT(added, 500);
    EXPECT_GT(newSections, 500);
}

}  // namespace

namespace {

// The kinds of file a settings path may name besides a regular file.
TEST_F(SettingsFile, PathsThatAreNotRegularFilesAreNeitherReadNorWritten) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(path()).constData(), 0644), 0);
    // Should a read or write block on the FIFO, a writer opened here releases it, so
    // that the test fails instead of hanging.
    std::atomic<bool> done = false;
    std::atomic<bool> released = false;
    std::thread guard([&] {
        for (int i = 0; i < 300 && !done; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (done) return;
        released = true;
        const int fd = ::open(QFile::encodeName(path()).constData(), O_RDWR | O_NONBLOCK);
        if (fd >= 0) ::close(fd);
    });
    EXPECT_EQ(ReadSetting(path(), "Sound", "OnOrOff", "On"), "On");
    EXPECT_FALSE(WriteSetting(path(), "Sound", "OnOrOff", "OFF"));
    done = true;
    guard.join();
    EXPECT_FALSE(released) << "a FIFO was opened and blocked";
    EXPECT_FALSE(QFileInfo(path()).isFile()) << "the FIFO is still there, not replaced";
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden).size(), 0);

    EXPECT_EQ(ReadSetting("/dev/zero", "Sound", "OnOrOff", "On"), "On");
}

TEST_F(SettingsFile, WritesThroughALinkKeepTheLink) {
    const QString target = dir_.filePath("real.ini");
    QFile f(target);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Sound]\nOnOrOff=ON\n");
    f.close();
    ASSERT_TRUE(QFile::link(target, path()));
    EXPECT_TRUE(WriteSetting(path(), "Sound", "OnOrOff", "OFF"));
    EXPECT_TRUE(QFileInfo(path()).isSymLink());
    EXPECT_EQ(contents(), "[Sound]\nOnOrOff=OFF\n");
}

TEST_F(SettingsFile, WriteKeepsPermissionsAndWritesInPlaceWhereTheFolderIsReadOnly) {
    QUILLET_RUN_UNPRIVILEGED();
    write("; mine\n[Sound]\nOnOrOff=ON\n");
    const auto mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(path(), mode));
    EXPECT_TRUE(WriteSetting(path(), "Sound", "OnOrOff", "OFF"));
    EXPECT_EQ(QFile::permissions(path()) & 0x7077, mode & 0x7077)
        << "the new file has the old permissions";

    const auto folderMode = QFile::permissions(dir_.path());
    QFile::setPermissions(dir_.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    ASSERT_FALSE(QFile(dir_.filePath("probe")).open(QIODevice::WriteOnly));
    const bool longer = WriteSetting(path(), "Sections", "Ask1", "Yes");
    const bool shorter = WriteSetting(path(), "Sound", "OnOrOff", "");
    QFile::setPermissions(dir_.path(), folderMode);
    EXPECT_TRUE(longer);
    EXPECT_TRUE(shorter);
    EXPECT_EQ(contents(), "; mine\n[Sound]\nOnOrOff=\n[Sections]\nAsk1=Yes\n");
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList({"quillet.ini", "quillet.ini.lock"}));
}

// A write killed at any moment leaves the old file or the new one, never a mixture,
// and what it leaves behind is gone after the next start's cleanup.
TEST_F(SettingsFile, KillDuringWritesLeavesTheOldOrTheNewFile) {
    // A long file, so that a kill often lands while it is being written.
    QByteArray start = "; the student's notes\n";
    for (int i = 0; i < 4000; ++i) start += "; line " + QByteArray::number(i) + " of notes\n";
    start += "[Sections]\nAsk7=start\n";
    QByteArray first = start, second = start;
    ASSERT_TRUE(EditSetting(first, "Sections", "Ask7", QString(300, 'a')));
    ASSERT_TRUE(EditSetting(second, "Sections", "Ask7", QString(3, 'b')));
    const QByteArray file = QFile::encodeName(path());
    write(start);

    std::mt19937 rng(7);
    int killedMidWrite = 0;
    // A hundred kills, and more where a slow build (the sanitizers) lets fewer of them land
    // inside a write, each further hundred spread over a longer time.
    for (int round = 0; round < 500 && (round < 100 || killedMidWrite <= 5); ++round) {
        int out[2];
        ASSERT_EQ(::pipe(out), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::dup2(out[1], STDOUT_FILENO);
            ::close(out[0]);
            const std::string a(300, 'a'), b(3, 'b');
            ::execl(SETTINGS_WRITER_PATH, SETTINGS_WRITER_PATH, file.constData(), a.c_str(),
                    b.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(out[1]);
        char ready = 0;
        const bool started = ::read(out[0], &ready, 1) == 1;
        ::close(out[0]);
        // Each further hundred kills may come later, for a writer slowed down by the build.
        const unsigned span = 2000u << std::min(round / 100, 4);
        std::this_thread::sleep_for(std::chrono::microseconds(rng() % span));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(started) << "the writer did not start";
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself: " << status;

        const QByteArray now = contents();
        ASSERT_TRUE(now == first || now == second)
            << "round " << round << ", " << now.size() << " bytes";
        const QStringList files = QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden);
        if (files.size() > 2) ++killedMidWrite;
        RemoveLeftoverSettingsFiles(path());
        ASSERT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList({"quillet.ini", "quillet.ini.lock"}));
    }
    // Enough kills landed inside a write to make the test mean something.
    EXPECT_GT(killedMidWrite, 5);
}

}  // namespace

namespace {

using namespace Qt::StringLiterals;

// A file far larger than any the program writes is read in one pass, and writes to it
// still change only their line.
TEST_F(SettingsFile, LargeFileReadsAndWritesAsASmallOne) {
    QByteArray text = "[Sound]\nOnOrOff=OFF\n";
    const QByteArray notes = "; a note the student kept, with a NUL \0 in it\n"_ba;
    while (text.size() < 10'000'000) text += notes;
    text += "[Sections]\nAsk3=Yes\n[TestMode]\nTestMode=5";
    write(text);
    const SettingsSnapshot stored(path());
    EXPECT_FALSE(settings::ReadSoundOn(stored));
    EXPECT_TRUE(settings::ReadSectionChosen(stored, 3));
    EXPECT_FALSE(settings::ReadSectionChosen(stored, 4));
    EXPECT_EQ(settings::ReadTestMode(stored), 5);
    EXPECT_EQ(settings::ReadTestMode(path()), 5);
    ASSERT_TRUE(WriteSetting(path(), "Sections", "Ask4", "Yes"));
    QByteArray expected = text;
    ASSERT_TRUE(EditSetting(expected, "Sections", "Ask4", "Yes"));
    EXPECT_TRUE(contents() == expected);
}

// The cut to kMaxSettingLength never leaves half of a character beyond U+FFFF.
TEST_F(SettingsFile, LongValuesAreCutBetweenCharacters) {
    const QString face = QString::fromUtf8("\xF0\x9F\x98\x80");  // two UTF-16 units
    for (int plain = 248; plain <= 254; ++plain) {
        const QString value = QString(plain, 'x') + face.repeated(4);
        write("[Long]\nKey=" + value.toUtf8() + "\n");
        const QString read = ReadSetting(path(), "Long", "Key", "d");
        EXPECT_TRUE(value.startsWith(read)) << plain;
        EXPECT_GE(read.size(), kMaxSettingLength - 1) << plain;
        EXPECT_LE(read.size(), kMaxSettingLength) << plain;
        EXPECT_FALSE(read.back().isHighSurrogate()) << plain;
        EXPECT_EQ(QString::fromUtf8(read.toUtf8()), read) << plain;
    }
}

// On a full disk the temporary file cannot be made, and the file is not rewritten in
// place instead: the write fails and the file keeps every byte. Needs a small tmpfs of
// its own, which only root (with the right to mount) can make.
TEST_F(SettingsFile, WriteOnAFullDiskLeavesTheFileAsItWas) {
    const QString mountPoint = dir_.filePath("full");
    ASSERT_TRUE(QDir(dir_.path()).mkdir("full"));
    const QByteArray where = QFile::encodeName(mountPoint);
    if (::mount("tmpfs", where.constData(), "tmpfs", 0, "size=64k,nr_inodes=8") != 0) {
        GTEST_SKIP() << "cannot mount a tmpfs here: " << std::strerror(errno);
    }
    struct Unmount {
        QByteArray where;
        ~Unmount() { ::umount2(where.constData(), MNT_DETACH); }
    } unmount{where};

    // A file that fills its page almost to the end, so that the longer file needs another.
    const QString file = mountPoint + "/quillet.ini";
    QByteArray text = "[Sound]\nOnOrOff=ON\n";
    while (text.size() < 4070) text += "; note\n";
    text += QByteArray(4090 - text.size(), ';') + '\n';
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(text), text.size());
    f.close();
    // The lock file is made by a first write, before the disk is full.
    ASSERT_TRUE(WriteSetting(file, "Sound", "OnOrOff", "OFF"));
    ASSERT_TRUE(WriteSetting(file, "Sound", "OnOrOff", "ON"));
    // Every inode and every page taken.
    for (int n = 0;; ++n) {
        QFile filler(mountPoint + "/inode" + QString::number(n));
        if (!filler.open(QIODevice::WriteOnly)) break;
        ASSERT_LT(n, 100);
    }
    QFile space(mountPoint + "/inode0");
    ASSERT_TRUE(space.open(QIODevice::WriteOnly));
    const QByteArray block(4096, 'z');
    while (space.write(block) == block.size() && space.flush()) {
    }
    space.close();

    EXPECT_FALSE(WriteSetting(file, "Sections", "Ask1", QString(200, 'y')));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll() == text) << "the file lost bytes";
}

// Where the folder refuses new files the file is written in place; a write there that
// stops short (here at a file size limit) leaves the old file, not part of the new one.
TEST_F(SettingsFile, ShortWriteInPlaceLeavesTheFileAsItWas) {
    QUILLET_RUN_UNPRIVILEGED();
    QByteArray text = "; mine\n[Sound]\nOnOrOff=ON\n";
    for (int i = 0; i < 50; ++i) text += "; note " + QByteArray::number(i) + "\n";
    write(text);
    const auto folderMode = QFile::permissions(dir_.path());
    QFile::setPermissions(dir_.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit limit = old;
    limit.rlim_cur = rlim_t(text.size() + 20);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    const bool longer = WriteSetting(path(), "Sound", "OnOrOff", QString(100, 'x'));
    const bool fitting = WriteSetting(path(), "Sound", "OnOrOff", "NO");
    ::setrlimit(RLIMIT_FSIZE, &old);
    QFile::setPermissions(dir_.path(), folderMode);
    EXPECT_FALSE(longer);
    EXPECT_TRUE(fitting) << "a write the limit allows still goes through";
    QByteArray expected = text;
    ASSERT_TRUE(EditSetting(expected, "Sound", "OnOrOff", "NO"));
    EXPECT_TRUE(contents() == expected) << contents().toStdString();
}

// A file the student made read-only is neither replaced nor rewritten.
TEST_F(SettingsFile, ReadOnlyFileIsLeftAlone) {
    QUILLET_RUN_UNPRIVILEGED();
    write("[Sound]\nOnOrOff=ON\n");
    const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(path(), readOnly));
    struct stat before {};
    ASSERT_EQ(::stat(QFile::encodeName(path()).constData(), &before), 0);
    EXPECT_FALSE(WriteSetting(path(), "Sound", "OnOrOff", "OFF"));
    struct stat after {};
    ASSERT_EQ(::stat(QFile::encodeName(path()).constData(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino) << "the file was replaced";
    EXPECT_EQ(after.st_mode & 07777, 0444u);
    EXPECT_EQ(contents(), "[Sound]\nOnOrOff=ON\n");
}

// A link to a file not made yet stays a link, and the file it names is made.
TEST_F(SettingsFile, WritesThroughADanglingLinkMakeItsFile) {
    ASSERT_TRUE(QDir(dir_.path()).mkdir("real"));
    const QString target = dir_.filePath("real/quillet.ini");
    ASSERT_EQ(::symlink("real/quillet.ini", QFile::encodeName(path()).constData()), 0);
    EXPECT_TRUE(WriteSetting(path(), "Sound", "OnOrOff", "OFF"));
    EXPECT_TRUE(WriteSetting(path(), "Sections", "Ask2", "Yes"));
    EXPECT_TRUE(QFileInfo(path()).isSymLink());
    QFile f(target);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "[Sound]\nOnOrOff=OFF\n[Sections]\nAsk2=Yes\n");
}

// Two copies of the program writing at once take turns: no write loses another's key.
TEST_F(SettingsFile, TwoCopiesWritingAtOnceKeepEveryKey) {
    write("; shared\n");
    constexpr int kKeys = 200;
    const QByteArray file = QFile::encodeName(path());
    const std::string count = std::to_string(kKeys);
    pid_t children[2] = {};
    const char* prefixes[2] = {"A", "B"};
    for (int i = 0; i < 2; ++i) {
        children[i] = ::fork();
        ASSERT_GE(children[i], 0);
        if (children[i] == 0) {
            ::execl(SETTINGS_WRITER_PATH, SETTINGS_WRITER_PATH, file.constData(), "--keys",
                    prefixes[i], count.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
    }
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "failed writes: " << status;
    }
    const SettingsSnapshot stored(path());
    int missing = 0;
    for (const char* prefix : prefixes) {
        for (int i = 0; i < kKeys; ++i) {
            const QString n = QString::number(i);
            if (stored.read("Sections", prefix + n, "none") != n) ++missing;
        }
    }
    EXPECT_EQ(missing, 0);
    EXPECT_TRUE(contents().startsWith("; shared\n"));
}

}  // namespace
