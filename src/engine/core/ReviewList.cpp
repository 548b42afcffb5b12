// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "engine/core/ReviewList.h"

#include <algorithm>
#include <tuple>
#include <utility>

#include "shell/core/QuestionBank.h"

namespace quillet {

ReviewList PrepareReviewList(Session& session, RandomSource& random, const QDate& today,
                             const QStringList& groups) {
    ReviewList list;
    const QString pool = PoolNameFor(session, session.currentElement);
    const QHash<QString, LatestAnswer> latest = session.record.latest(pool);
    const QSet<QString> flagged = session.record.flags(pool);
    const QDate tomorrow = today.addDays(1);

    std::vector<std::tuple<QDate, qint64, qint64>> due;  // (due day, answer order, question)
    std::vector<std::pair<qint64, qint64>> missed;       // (answer order, question)
    QuestionIdList never;
    const bool readOk =
        ForEachAskableQuestion(session, session.currentElement, [&](const AskableQuestion& q) {
            const QString poolId = q.poolId.trimmed();
            if (groups.isEmpty()) {
                if (!ListsQuestion(session, q.element, q.sectionId)) return;
            } else if (q.element != session.currentElement ||
                       !session.sections.withId(q.sectionId) || poolId.isEmpty() ||
                       !groups.contains(QuestionGroup(poolId))) {
                return;
            }
            ++list.chosen;
            const auto found = poolId.isEmpty() ? latest.end() : latest.find(poolId);
            if (found != latest.end() && found->right) ++list.rightLastTime;
            // A flagged question is due today whatever its box, and never waits.
            if (groups.isEmpty() && flagged.contains(poolId)) {
                const bool known = found != latest.end() && found->right;
                due.emplace_back(known ? std::min(found->spacing.due, today) : today,
                                 found != latest.end() ? found->order : 0, q.id);
                return;
            }
            if (found == latest.end()) {
                never.push_back(q.id);
            } else if (found->right) {
                if (!groups.isEmpty()) return;
                if (found->spacing.due <= today) {
                    due.emplace_back(found->spacing.due, found->order, q.id);
                } else if (found->spacing.due == tomorrow) {
                    ++list.dueTomorrow;
                }
            } else {
                missed.emplace_back(found->order, q.id);
            }
        });
    // A bank that fails part-way gives no list rather than part of one.
    if (!readOk) {
        ReviewList failed;
        failed.readOk = false;
        failed.fault = session.bankFor(session.currentElement).lastError();
        return failed;
    }

    // The longest overdue first; of those due the same day, the one answered first.
    std::sort(due.begin(), due.end());
    std::sort(missed.begin(), missed.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });
    list.due = static_cast<int>(due.size());
    list.missed = static_cast<int>(missed.size());
    list.never = static_cast<int>(never.size());
    list.questions.reserve(due.size() + missed.size() + never.size());
    for (const auto& entry : due) list.questions.push_back(std::get<2>(entry));
    for (const auto& [order, id] : missed) list.questions.push_back(id);
    const QuestionIdList shuffled = InsertAtRandomPositions(never, random);
    list.questions.insert(list.questions.end(), shuffled.begin(), shuffled.end());
    return list;
}

PoolProgress PoolProgressFor(Session& session, int element) {
    PoolProgress progress;
    const QHash<QString, LatestAnswer> latest =
        session.record.latest(PoolNameFor(session, element));
    const bool readOk = ForEachAskableQuestion(session, element, [&](const AskableQuestion& q) {
        if (q.element != element) return;
        ++progress.questions;
        const QString poolId = q.poolId.trimmed();
        const auto found = poolId.isEmpty() ? latest.end() : latest.find(poolId);
        if (found != latest.end() && found->right) ++progress.right;
    });
    if (!readOk) return PoolProgress{0, 0, false};
    return progress;
}

QString PoolProgressLine(const PoolProgress& progress) {
    return QStringLiteral("POOL: %1 of %2 right at your latest try")
        .arg(progress.right)
        .arg(progress.questions);
}

QString ReviewCaption(const ReviewList& list) {
    QString caption = QStringLiteral("Review: %1 due, %2 missed, %3 new")
                          .arg(list.due)
                          .arg(list.missed)
                          .arg(list.never);
    if (list.dueTomorrow > 0) {
        caption += QStringLiteral("; %1 more due tomorrow").arg(list.dueTomorrow);
    }
    return caption;
}

QString ReviewSummaryMessage(const ReviewList& list) {
    const QString right =
        QStringLiteral("%1 of %2 chosen question%3 %4 answered right last time.")
            .arg(list.rightLastTime)
            .arg(list.chosen)
            .arg(list.chosen == 1 ? QString() : QStringLiteral("s"))
            .arg(list.rightLastTime == 1 ? QStringLiteral("was") : QStringLiteral("were"));
    const auto left = list.questions.size();
    const QString tomorrow =
        list.dueTomorrow == 0 ? QString()
        : list.dueTomorrow == 1
            ? QStringLiteral(" 1 question falls due again tomorrow.")
            : QStringLiteral(" %1 questions fall due again tomorrow.").arg(list.dueTomorrow);
    if (left == 0) return QStringLiteral("Nothing left to review. ") + right + tomorrow;
    return QStringLiteral("Review finished. ") + right +
           QStringLiteral(" %1 still to review next time.")
               .arg(left == 1 ? QStringLiteral("1 is")
                              : QString::number(left) + QStringLiteral(" are")) +
           tomorrow;
}

}  // namespace quillet
