// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include <gtest/gtest.h>

#include <random>

#include "engine/core/Readiness.h"

using namespace quillet;

namespace {

// P(sum >= passMark) by going through every outcome of the groups.
double BruteForce(const std::vector<double>& p, int passMark) {
    const size_t n = p.size();
    double total = 0;
    for (unsigned mask = 0; mask < (1u << n); ++mask) {
        double chance = 1;
        int score = 0;
        for (size_t i = 0; i < n; ++i) {
            const bool right = (mask >> i) & 1u;
            chance *= right ? p[i] : 1 - p[i];
            score += right ? 1 : 0;
        }
        if (score >= passMark) total += chance;
    }
    return total;
}

GroupStanding Group(const QString& name, qint64 section, int questions) {
    GroupStanding group;
    group.group = name;
    group.sectionId = section;
    for (int i = 1; i <= questions; ++i)
        group.questions << name + QStringLiteral("%1").arg(i, 2, 10, QChar(u'0'));
    return group;
}

// Element 2's pool: groups A (4 questions, section 1), B (2, section 1), C (2, section 2).
PoolGroups SmallPool(int passMark) {
    PoolGroups pool;
    pool.element = 2;
    pool.pool = "Element 2";
    pool.passMark = passMark;
    pool.hasExam = true;
    pool.groups = {Group("T1A", 1, 4), Group("T1B", 1, 2), Group("T2A", 2, 2)};
    pool.sections = {{1, "T1 - One", 6, 0, 0}, {2, "T2 - Two", 2, 0, 0}};
    pool.sectionQuestions = {{"T1A01", "T1A02", "T1A03", "T1A04", "T1B01", "T1B02"},
                             {"T2A01", "T2A02"}};
    return pool;
}

LatestAnswer Latest(bool right, qint64 order = 1) { return {order, right, {}}; }

}  // namespace

TEST(Readiness, TheDynamicProgrammeMatchesEveryOutcomeCounted) {
    std::mt19937 random(2026);
    std::uniform_real_distribution<double> chance(0, 1);
    std::uniform_int_distribution<int> pick(0, 5);
    for (int round = 0; round < 300; ++round) {
        const size_t n = size_t(round % 11);
        std::vector<double> p(n);
        for (double& value : p) {
            // Certain and hopeless groups among the others.
            const int kind = pick(random);
            value = kind == 0 ? 0.0 : kind == 1 ? 1.0 : chance(random);
        }
        for (int passMark = -1; passMark <= int(n) + 1; ++passMark) {
            EXPECT_NEAR(PassChance(p, passMark), BruteForce(p, passMark), 1e-12)
                << "n=" << n << " pass mark " << passMark;
        }
        const std::vector<double> dist = ScoreDistribution(p);
        double sum = 0;
        for (double d : dist) sum += d;
        EXPECT_NEAR(sum, 1.0, 1e-12);
    }
    EXPECT_EQ(PassChance({}, 0), 1.0);
    EXPECT_EQ(PassChance({0.5, 0.5}, 3), 0.0);
    EXPECT_EQ(PassChance({1, 1, 1}, 3), 1.0);
    EXPECT_EQ(PassChance({1, 1, 0}, 3), 0.0);
}

TEST(Readiness, TheSameChanceInEveryGroupGivesTheBinomialTail) {
    EXPECT_NEAR(PassChance(std::vector<double>(35, 0.80), 26), 0.854, 0.0005);
    EXPECT_NEAR(PassChance(std::vector<double>(50, 0.80), 37), 0.889, 0.0005);
    // The expected score passes, yet the chance is little more than even.
    EXPECT_NEAR(PassChance(std::vector<double>(35, 0.74), 26), 0.573, 0.0005);
    EXPECT_NEAR(PassChance(std::vector<double>(50, 0.74), 37), 0.574, 0.0005);
}

TEST(Readiness, GainsRankTheGroupsThatRaiseTheChanceMost) {
    // Pass mark 3 of 4: a known group gains nothing; of the others, the
    // weakest gains most, since knowing it removes the likeliest failure.
    const std::vector<double> p{1.0, 0.9, 0.3, 0.6};
    const std::vector<double> gains = PassChanceGains(p, 3);
    ASSERT_EQ(gains.size(), 4u);
    EXPECT_EQ(gains[0], 0.0);
    EXPECT_GT(gains[2], gains[3]);
    EXPECT_GT(gains[3], gains[1]);
    for (size_t i = 0; i < p.size(); ++i) {
        std::vector<double> known = p;
        known[i] = 1;
        EXPECT_NEAR(gains[i], BruteForce(known, 3) - BruteForce(p, 3), 1e-12);
    }
    // Out of reach even with one more group known: nothing gains.
    for (double gain : PassChanceGains({0, 0, 0, 0}, 3)) EXPECT_EQ(gain, 0.0);
}

TEST(Readiness, GroupsTakeTheMeanOfTheirQuestionsWithAGuessForTheUnseen) {
    const PoolGroups pool = SmallPool(2);
    QHash<QString, LatestAnswer> latest{{"T1A01", Latest(true)},  {"T1A02", Latest(true)},
                                        {"T1A03", Latest(false)}, {"T1B01", Latest(false)},
                                        {"T1B02", Latest(false)}, {"X9Z99", Latest(true)}};
    const Readiness r = ReadinessFrom(pool, latest);
    ASSERT_TRUE(r.available);
    ASSERT_EQ(r.groupCount(), 3);
    EXPECT_DOUBLE_EQ(r.groups[0].chance, (1 + 1 + 0 + 0.25) / 4);
    EXPECT_DOUBLE_EQ(r.groups[1].chance, 0.0);
    EXPECT_DOUBLE_EQ(r.groups[2].chance, 0.25);
    EXPECT_EQ(r.groups[0].unseen(), 1);
    EXPECT_DOUBLE_EQ(r.expectedScore, 0.5625 + 0 + 0.25);
    EXPECT_NEAR(r.passChance, BruteForce({0.5625, 0.0, 0.25}, 2), 1e-12);
    EXPECT_EQ(r.sections[0].seen(), 5);
    EXPECT_EQ(r.sections[0].right, 2);
    EXPECT_EQ(r.sections[0].missed, 3);
    EXPECT_EQ(r.sections[1].seen(), 0);

    // T1B (nothing known) gains most, T2A next; a fully known group is never suggested.
    latest["T1A03"] = Latest(true);
    latest["T1A04"] = Latest(true);
    const Readiness better = ReadinessFrom(pool, latest);
    const auto best = better.bestGroups(5);
    ASSERT_EQ(best.size(), 2u);
    EXPECT_EQ(best[0]->group, "T1B");
    EXPECT_EQ(best[1]->group, "T2A");
    EXPECT_EQ(ExpectedScoreLine(better), "expected 1.3 of 3, 2 needed");

    PoolGroups noExam = pool;
    noExam.hasExam = false;
    EXPECT_FALSE(ReadinessFrom(noExam, latest).available);
}

// The history is replayed day by day: each day's chance is the chance of the
// record as it stood at the end of that day, a question's latest answer
// replacing its earlier ones.
TEST(Readiness, TheChanceOfEachDayIsTheRecordAsItStoodThatEvening) {
    const PoolGroups pool = SmallPool(2);
    const auto at = [](int day, int hour) {
        return QDateTime(QDate(2026, 12, day), QTime(hour, 0)).toMSecsSinceEpoch();
    };
    AnswerHistory history;
    history.questions = {"T1A01", "T1B01", "T1B02", "UNKNOWN", "T2A01"};
    history.answers = {
        {0, at(1, 9), false}, {0, at(1, 23), true},  // day 1
        {1, at(3, 0), true},  {2, at(3, 12), true},  // day 3
        {0, at(4, 8), false}, {3, at(5, 8), true},   // day 4; day 5 not in the pool
        {4, at(2, 8), true},                         // clock set back: counts with day 4
    };
    const std::vector<DayChance> days = ChanceByDay(pool, history);
    ASSERT_EQ(days.size(), 3u);
    EXPECT_EQ(days[0].day, QDate(2026, 12, 1));
    EXPECT_EQ(days[1].day, QDate(2026, 12, 3));
    EXPECT_EQ(days[2].day, QDate(2026, 12, 4));
    const double a1 = (1 + 3 * 0.25) / 4;
    EXPECT_NEAR(days[0].chance, BruteForce({a1, 0.25, 0.25}, 2), 1e-12);
    EXPECT_NEAR(days[1].chance, BruteForce({a1, 1, 0.25}, 2), 1e-12);
    EXPECT_NEAR(days[2].chance, BruteForce({0.75 / 4, 1, (1 + 0.25) / 2}, 2), 1e-12);
    EXPECT_EQ(ChanceHistoryText(days),
              "Chance of passing over 3 days of study: " + ChanceText(days[0].chance) +
                  " on 1 December 2026, " + ChanceText(days[2].chance) + " on 4 December 2026.");
    EXPECT_TRUE(ChanceByDay(pool, {}).empty());
}

TEST(Readiness, ChancesReadAsWholePercentsWithoutFalseCertainty) {
    EXPECT_EQ(ChanceText(0.0), "0 %");
    EXPECT_EQ(ChanceText(0.004), "under 1 %");
    EXPECT_EQ(ChanceText(0.4849), "48 %");
    EXPECT_EQ(ChanceText(0.996), "over 99 %");
    EXPECT_EQ(ChanceText(1.0), "100 %");
    EXPECT_EQ(ChanceChangeLine(0.48, 0.55), "Chance of passing: 48 % \u2192 55 %");
}
