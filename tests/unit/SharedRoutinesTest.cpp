#include "shell/core/SharedRoutines.h"

#include "TestBank.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace quillet;

namespace {

TEST(JoinPath, PutsExactlyOneSlashBetween) {
    EXPECT_EQ(JoinPath("/opt/q/", "/quillet.ini"), "/opt/q/quillet.ini");
    EXPECT_EQ(JoinPath("/opt/q", "quillet.ini"), "/opt/q/quillet.ini");
    EXPECT_EQ(JoinPath("/opt/q//", "x"), "/opt/q//x") << "only one slash is trimmed";
    EXPECT_EQ(JoinPath("C:\\q\\", "x"), "C:\\q\\/x") << "a backslash is kept";
    EXPECT_EQ(JoinPath("", "x"), "/x");
}

TEST(ReplaceAll, SearchesAgainFromTheStartAfterEachReplacement) {
    EXPECT_EQ(ReplaceAll("a\\n\\nb", "\\n", "\n"), "a\n\nb");
    // Each replacement can make a new occurrence to its left; all are caught.
    EXPECT_EQ(ReplaceAll("aaaa", "aa", "a"), "a");
    EXPECT_EQ(ReplaceAll("Abc abc", "abc", "x"), "Abc x") << "case-sensitive";
    EXPECT_EQ(ReplaceAll("none here", "zz", "y"), "none here");
}

TEST(ReplaceAll, RefusesReplacementsThatWouldNeverEnd) {
    EXPECT_EQ(ReplaceAll("a&b", "&", "&&"), "a&b");
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
}

TEST(EscapeAmpersands, DoublesEveryAmpersandEvenInLongTexts) {
    EXPECT_EQ(EscapeAmpersands("R&D && more"), "R&&D &&&& more");
    EXPECT_EQ(EscapeAmpersands(""), "");
    const QString longText = QString(40000, 'x') + "&";
    EXPECT_TRUE(EscapeAmpersands(longText).endsWith("x&&"));
}

TEST(PlaySound, PlaysOnlyWhenSoundIsOnAndTheFileExists) {
    quillet::testing::ProgramFolder folder;
    AppState& state = folder.state;
    state.soundOn = true;
    PlaySound(state, "whoosh.wav");
    EXPECT_TRUE(folder.sound.played.isEmpty()) << "missing file";

    QFile f(folder.file("whoosh.wav"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    PlaySound(state, "whoosh.wav");
    EXPECT_EQ(folder.sound.played, QStringList{folder.file("whoosh.wav")});

    state.soundOn = false;
    PlaySound(state, "whoosh.wav");
    EXPECT_EQ(folder.sound.played.size(), 1);
}

}  // namespace
