// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "engine/core/Readiness.h"

#include <QDateTime>
#include <QLocale>
#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include "engine/core/QuestionList.h"
#include "shell/core/QuestionBank.h"

namespace quillet {

namespace {

// Adds one Bernoulli(p) variable to the distribution `dist` of a sum of
// `count` of them (dist has count + 2 entries, the last still 0).
void AddGroup(std::vector<double>& dist, int count, double p) {
    for (int k = count + 1; k >= 1; --k)
        dist[size_t(k)] = dist[size_t(k)] * (1 - p) + dist[size_t(k - 1)] * p;
    dist[0] *= 1 - p;
}

double TailFrom(const std::vector<double>& dist, int passMark) {
    if (passMark <= 0) return 1;
    double sum = 0;
    for (size_t k = size_t(passMark); k < dist.size(); ++k) sum += dist[k];
    return std::clamp(sum, 0.0, 1.0);
}

double GroupChance(const GroupStanding& group) {
    if (group.questions.isEmpty()) return kGuessChance;
    return (group.right + kGuessChance * group.unseen()) / double(group.questions.size());
}

QString DayText(const QDate& day) {
    return QLocale::c().toString(day, QStringLiteral("d MMMM yyyy"));
}

}  // namespace

std::vector<double> ScoreDistribution(const std::vector<double>& p) {
    std::vector<double> dist(p.size() + 1, 0.0);
    dist[0] = 1;
    for (size_t i = 0; i < p.size(); ++i) AddGroup(dist, int(i), std::clamp(p[i], 0.0, 1.0));
    return dist;
}

double PassChance(const std::vector<double>& p, int passMark) {
    if (passMark > int(p.size())) return 0;
    return TailFrom(ScoreDistribution(p), passMark);
}

std::vector<double> PassChanceGains(const std::vector<double>& p, int passMark) {
    const double now = PassChance(p, passMark);
    std::vector<double> gains(p.size(), 0.0);
    std::vector<double> known = p;
    for (size_t i = 0; i < p.size(); ++i) {
        known[i] = 1;
        gains[i] = std::max(0.0, PassChance(known, passMark) - now);
        known[i] = p[i];
    }
    return gains;
}

PoolGroups ReadPoolGroups(Session& session, int element) {
    PoolGroups pool;
    pool.element = element;
    pool.pool = PoolNameFor(session, element);
    if (const ExamInfo* exam = session.exams.find(element)) {
        pool.hasExam = true;
        pool.passMark = exam->passMark;
    }
    // Groups sort as the real exam draws them: by the first section they are
    // met in, then by their id; questions by their pool id.
    std::map<QString, GroupStanding> groups;
    std::map<qint64, SectionStanding> sections;
    QHash<qint64, QStringList> sectionQuestions;
    pool.readOk = ForEachAskableQuestion(session, element, [&](const AskableQuestion& q) {
        if (q.element != element) return;
        const SectionInfo* section = session.sections.withId(q.sectionId);
        const QString poolId = q.poolId.trimmed();
        if (!section || poolId.isEmpty()) return;
        GroupStanding& group = groups[QuestionGroup(poolId)];
        if (group.questions.isEmpty() || q.sectionId < group.sectionId)
            group.sectionId = q.sectionId;
        group.questions << poolId;
        SectionStanding& standing = sections[q.sectionId];
        standing.sectionId = q.sectionId;
        standing.name = section->Section + QStringLiteral(" - ") + section->Description;
        ++standing.questions;
        sectionQuestions[q.sectionId] << poolId;
    });
    if (!pool.readOk) {
        pool.fault = session.bankFor(element).lastError();
        return pool;
    }
    for (auto& [name, group] : groups) {
        group.group = name;
        group.questions.sort();
        pool.groups.push_back(std::move(group));
    }
    std::stable_sort(pool.groups.begin(), pool.groups.end(),
                     [](const GroupStanding& a, const GroupStanding& b) {
                         return std::tie(a.sectionId, a.group) < std::tie(b.sectionId, b.group);
                     });
    for (auto& [id, section] : sections) pool.sections.push_back(std::move(section));
    for (const SectionStanding& section : pool.sections) {
        pool.sectionQuestions.push_back(sectionQuestions.value(section.sectionId));
    }
    return pool;
}

Readiness ReadinessFrom(const PoolGroups& pool, const QHash<QString, LatestAnswer>& latest) {
    Readiness readiness;
    readiness.passMark = pool.passMark;
    readiness.groups = pool.groups;
    readiness.sections = pool.sections;
    readiness.available = pool.readOk && pool.hasExam && !pool.groups.empty();

    std::vector<double> p;
    p.reserve(readiness.groups.size());
    for (GroupStanding& group : readiness.groups) {
        for (const QString& id : group.questions) {
            const auto found = latest.find(id);
            if (found == latest.end()) continue;
            (found->right ? group.right : group.missed) += 1;
        }
        group.chance = GroupChance(group);
        p.push_back(group.chance);
        readiness.expectedScore += group.chance;
    }
    // A section counts its own questions (a group sits in one section in a
    // real pool, but the bank does not promise it).
    for (size_t i = 0; i < readiness.sections.size(); ++i) {
        SectionStanding& section = readiness.sections[i];
        for (const QString& id : pool.sectionQuestions[i]) {
            const auto found = latest.find(id);
            if (found != latest.end()) (found->right ? section.right : section.missed) += 1;
        }
    }

    readiness.passChance = PassChance(p, readiness.passMark);
    const std::vector<double> gains = PassChanceGains(p, readiness.passMark);
    for (size_t i = 0; i < gains.size(); ++i) readiness.groups[i].gain = gains[i];
    return readiness;
}

Readiness ReadinessFor(Session& session, int element) {
    const PoolGroups pool = ReadPoolGroups(session, element);
    return ReadinessFrom(pool, session.record.latest(pool.pool));
}

std::vector<const GroupStanding*> Readiness::bestGroups(int count) const {
    std::vector<const GroupStanding*> best;
    for (const GroupStanding& group : groups) {
        if (group.right < int(group.questions.size())) best.push_back(&group);
    }
    // Equal gains keep pool order; a pass already certain or out of reach
    // gains nothing anywhere, and then the least known groups come first.
    std::stable_sort(best.begin(), best.end(), [](const GroupStanding* a, const GroupStanding* b) {
        if (a->gain != b->gain) return a->gain > b->gain;
        return a->chance < b->chance;
    });
    if (int(best.size()) > count) best.resize(size_t(std::max(count, 0)));
    return best;
}

std::vector<DayChance> ChanceByDay(const PoolGroups& pool, const AnswerHistory& history) {
    std::vector<DayChance> days;
    if (!pool.readOk || pool.groups.empty()) return days;
    // Each question's state: -1 never answered, 0 wrong, 1 right at the latest try.
    struct Place {
        int group;
        int question;
    };
    QHash<QString, Place> places;
    std::vector<std::vector<signed char>> states(pool.groups.size());
    std::vector<int> right(pool.groups.size(), 0), seen(pool.groups.size(), 0);
    for (size_t g = 0; g < pool.groups.size(); ++g) {
        const QStringList& questions = pool.groups[g].questions;
        states[g].assign(size_t(questions.size()), -1);
        for (int q = 0; q < questions.size(); ++q) places.insert(questions[q], {int(g), q});
    }
    // Where each question of the history sits in the pool, if it does.
    std::vector<Place> placeOf(size_t(history.questions.size()), Place{-1, -1});
    for (qsizetype i = 0; i < history.questions.size(); ++i) {
        placeOf[size_t(i)] = places.value(history.questions[i], Place{-1, -1});
    }
    std::vector<double> p(pool.groups.size());
    const auto chanceNow = [&] {
        for (size_t g = 0; g < p.size(); ++g) {
            const double n = double(states[g].size());
            p[g] = (right[g] + kGuessChance * (n - seen[g])) / n;
        }
        return PassChance(p, pool.passMark);
    };

    // The local day is worked out once per day, not per answer: an answer
    // within [dayStart, dayEnd) belongs to the day in hand.
    QDate day;
    qint64 dayStart = 0, dayEnd = -1;
    for (const HistoryAnswer& answer : history.answers) {
        const Place place = placeOf[size_t(answer.question)];
        if (place.group < 0) continue;
        if (answer.msecsSinceEpoch < dayStart || answer.msecsSinceEpoch >= dayEnd) {
            const QDate next = QDateTime::fromMSecsSinceEpoch(answer.msecsSinceEpoch).date();
            if (day.isValid() && next != day) {
                const double chance = chanceNow();
                // A clock set back gives a day already passed: it counts with the one in hand.
                if (next > day) days.push_back({day, chance});
            }
            if (!day.isValid() || next > day) day = next;
            dayStart = QDateTime(next, QTime(0, 0)).toMSecsSinceEpoch();
            dayEnd = QDateTime(next.addDays(1), QTime(0, 0)).toMSecsSinceEpoch();
        }
        const size_t group = size_t(place.group);
        signed char& state = states[group][size_t(place.question)];
        if (state < 0) ++seen[group];
        if (state == 1) --right[group];
        state = answer.right ? 1 : 0;
        if (state == 1) ++right[group];
    }
    if (day.isValid()) days.push_back({day, chanceNow()});
    return days;
}

QString ChanceText(double chance) {
    long long percent = std::llround(chance * 100);
    if (chance > 0 && percent == 0) return QStringLiteral("under 1 %");
    if (chance < 1 && percent == 100) return QStringLiteral("over 99 %");
    return QStringLiteral("%1 %").arg(percent);
}

QString ChanceHeadline(const Readiness& readiness) {
    return QStringLiteral("Chance of passing the real exam today: ") +
           ChanceText(readiness.passChance);
}

QString ExpectedScoreLine(const Readiness& readiness) {
    return QStringLiteral("expected %1 of %2, %3 needed")
        .arg(QLocale::c().toString(readiness.expectedScore, 'f', 1))
        .arg(readiness.groupCount())
        .arg(readiness.passMark);
}

QString ChanceChangeLine(double before, double after) {
    return QStringLiteral("Chance of passing: %1 \u2192 %2")
        .arg(ChanceText(before), ChanceText(after));
}

QString GroupLine(const GroupStanding& group) {
    const int points = int(std::lround(group.gain * 100));
    return QStringLiteral("%1: %2 of %3 right, %4 missed, %5 unseen; adds %6")
        .arg(group.group)
        .arg(group.right)
        .arg(group.questions.size())
        .arg(group.missed)
        .arg(group.unseen())
        .arg(points >= 1 ? QStringLiteral("%1 point%2").arg(points).arg(points == 1 ? "" : "s")
                         : QStringLiteral("under 1 point"));
}

QString SectionLine(const SectionStanding& section) {
    return QStringLiteral("%1: %2 of %3 seen, %4 right, %5 missed")
        .arg(section.name)
        .arg(section.seen())
        .arg(section.questions)
        .arg(section.right)
        .arg(section.missed);
}

QString ChanceHistoryText(const std::vector<DayChance>& days) {
    if (days.empty()) return QStringLiteral("No days of study yet.");
    if (days.size() == 1) {
        return QStringLiteral("Chance of passing after 1 day of study: %1 on %2.")
            .arg(ChanceText(days.front().chance), DayText(days.front().day));
    }
    return QStringLiteral("Chance of passing over %1 days of study: %2 on %3, %4 on %5.")
        .arg(days.size())
        .arg(ChanceText(days.front().chance), DayText(days.front().day),
             ChanceText(days.back().chance), DayText(days.back().day));
}

}  // namespace quillet
