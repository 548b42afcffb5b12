// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include <gtest/gtest.h>

#include <QFile>
#include <random>

#include "TestBank.h"
#include "shell/core/SharedRoutines.h"
#include "support/ReferenceReplace.h"

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

QString RandomText(std::mt19937& random, const std::vector<QString>& pieces, int maxPieces) {
    QString text;
    const int count = std::uniform_int_distribution<int>(0, maxPieces)(random);
    std::uniform_int_distribution<size_t> pick(0, pieces.size() - 1);
    for (int i = 0; i < count; ++i) text += pieces[pick(random)];
    return text;
}

TEST(ReplaceAll, AgreesWithSearchingAgainFromTheStartOnRandomMarkup) {
    std::mt19937 random(20261208);
    for (int i = 0; i < 4000; ++i) {
        const QString text = RandomText(random, quillet::testing::MarkupPieces(), 40);
        QString fast = text;
        QString slow = text;
        // Applied one after another, as the conversion does, so that each
        // replacement also meets what the ones before it made.
        for (const auto& [search, replacement] : quillet::testing::MarkupReplacements()) {
            fast = ReplaceAll(fast, search, replacement);
            slow = quillet::testing::ReferenceReplaceAll(slow, search, replacement);
            ASSERT_EQ(fast, slow) << "text: " << text.toStdString()
                                  << " search: " << search.toStdString();
        }
    }
}

TEST(ReplaceAll, AgreesWhenReplacementsOverlapOrCreateNewOccurrences) {
    // Search texts that overlap themselves, and replacements that make new
    // occurrences to the left and to the right.
    const std::vector<std::pair<QString, QString>> pairs = {
        {"aa", "a"}, {"ba", "ab"}, {"aba", "b"}, {"abab", "ab"}, {"aab", "ba"}, {"a", "bb"}};
    const std::vector<QString> pieces = {"a", "b", "ab", "ba", "c"};
    std::mt19937 random(7);
    for (int i = 0; i < 3000; ++i) {
        const QString text = RandomText(random, pieces, 16);
        for (const auto& [search, replacement] : pairs) {
            ASSERT_EQ(ReplaceAll(text, search, replacement),
                      quillet::testing::ReferenceReplaceAll(text, search, replacement))
                << text.toStdString() << " " << search.toStdString();
        }
    }
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

TEST(SoundCues, PlayOnlyWhenSoundIsOnAndTheFileExists) {
    quillet::testing::ProgramFolder folder;
    StudentOptions& options = folder.options;
    options.soundOn = true;
    folder.sounds.play("whoosh.wav");
    EXPECT_TRUE(folder.sound.played.isEmpty()) << "missing file";

    QFile f(folder.file("whoosh.wav"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    folder.sounds.play("whoosh.wav");
    EXPECT_EQ(folder.sound.played, QStringList{folder.file("whoosh.wav")});

    options.soundOn = false;
    folder.sounds.play("whoosh.wav");
    EXPECT_EQ(folder.sound.played.size(), 1);
}

}  // namespace
