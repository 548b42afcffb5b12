// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

#include "shell/core/Session.h"
#include "shell/core/StudyRecord.h"

namespace quillet {

// How ready the student is for the real exam, from his own record.
//
// The real exam asks one question of each group of the pool. If the student
// answers a group's question right with probability p_g, independently of the
// other groups, the score is a sum of Bernoulli(p_g) variables; its exact
// distribution comes from a dynamic programme over the groups. p_g is the
// mean over the group's questions of 1 (latest answer right at the first try),
// 0 (latest answer wrong) or 1/4 (never answered: a guess among four).

// P(score = k) for k = 0..p.size().
std::vector<double> ScoreDistribution(const std::vector<double>& p);
// P(score >= passMark): 1 for a pass mark of 0 or below, 0 above p.size().
double PassChance(const std::vector<double>& p, int passMark);
// For each group, how much PassChance rises if its p becomes 1.
std::vector<double> PassChanceGains(const std::vector<double>& p, int passMark);

// The chance of answering right a question never answered.
inline constexpr double kGuessChance = 0.25;

// One group of the pool, as the study record stands.
struct GroupStanding {
    QString group;  // "T1A"
    qint64 sectionId = 0;
    QStringList questions;  // pool ids ("T1A01"), in pool order
    int right = 0;          // latest answer right
    int missed = 0;         // latest answer wrong
    int unseen() const { return int(questions.size()) - right - missed; }
    double chance = 0;  // p_g
    double gain = 0;    // rise of the chance of passing if the group were known
};

// One section of the pool: questions seen, right and missed at the latest try.
struct SectionStanding {
    qint64 sectionId = 0;
    QString name;  // "T1 - Commission's Rules"
    int questions = 0;
    int right = 0;
    int missed = 0;
    int seen() const { return right + missed; }
};

// The groups of an element's pool, read from the bank once: what the figures
// and the history are computed over.
struct PoolGroups {
    int element = 0;
    QString pool;  // the record's name for it ("Element 2")
    int passMark = 0;
    std::vector<GroupStanding> groups;  // pool order, no answers yet
    std::vector<SectionStanding> sections;
    std::vector<QStringList> sectionQuestions;  // pool ids of each of `sections`
    bool hasExam = false;                       // the bank gives the element's exam (its pass mark)
    bool readOk = true;
    QString fault;
};
PoolGroups ReadPoolGroups(Session& session, int element);

struct Readiness {
    int passMark = 0;
    std::vector<GroupStanding> groups;
    std::vector<SectionStanding> sections;
    double passChance = 0;
    double expectedScore = 0;
    // There is a chance to tell: the element has an exam and its pool groups.
    bool available = false;
    int groupCount() const { return int(groups.size()); }
    // The groups whose study raises the chance most, best first: at most
    // `count`, and only those with something left to learn.
    std::vector<const GroupStanding*> bestGroups(int count = 5) const;
};

// The figures from the latest answers of each question.
Readiness ReadinessFrom(const PoolGroups& pool, const QHash<QString, LatestAnswer>& latest);
// The same, reading the bank and the study record.
Readiness ReadinessFor(Session& session, int element);

// The chance of passing as the record stood at the end of a day of study.
struct DayChance {
    QDate day;
    double chance = 0;
};
// One entry per day (the student's local day) with at least one answer of
// the pool, in order.
std::vector<DayChance> ChanceByDay(const PoolGroups& pool, const AnswerHistory& history);

// "62 %"; a chance that is neither 0 nor 1 never shows as "0 %" or "100 %".
QString ChanceText(double chance);
// "Chance of passing the real exam today: 62 %"
QString ChanceHeadline(const Readiness& readiness);
// "expected 27.4 of 35, 26 needed"
QString ExpectedScoreLine(const Readiness& readiness);
// "Chance of passing: 48 % → 55 %"
QString ChanceChangeLine(double before, double after);
// "T1A: 3 of 11 right, 2 missed, 6 unseen; adds 4 points" (to the chance of
// passing, in percentage points, if all its questions were known)
QString GroupLine(const GroupStanding& group);
// "T1 - Commission's Rules: 40 of 67 seen, 31 right, 9 missed"
QString SectionLine(const SectionStanding& section);
// The plot as a sentence: "Chance of passing over 12 days of study: 5 % on
// 28 November 2026, 62 % on 9 December 2026."
QString ChanceHistoryText(const std::vector<DayChance>& days);

}  // namespace quillet
