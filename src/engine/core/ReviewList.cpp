// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "engine/core/ReviewList.h"

#include <algorithm>
#include <utility>

#include "shell/core/QuestionBank.h"

namespace quillet {

ReviewList PrepareReviewList(Session& session, RandomSource& random) {
    ReviewList list;
    const QHash<QString, LatestAnswer> latest =
        session.record.latest(PoolNameFor(session, session.currentElement));

    std::vector<std::pair<qint64, qint64>> missed;  // (answer order, question)
    QuestionIdList never;
    const bool readOk = ForEachAskableQuestion(session, [&](const AskableQuestion& q) {
        if (!ListsQuestion(session, q.element, q.sectionId)) return;
        ++list.chosen;
        const QString poolId = q.poolId.trimmed();
        const auto found = poolId.isEmpty() ? latest.end() : latest.find(poolId);
        if (found == latest.end()) {
            never.push_back(q.id);
        } else if (found->right) {
            ++list.rightLastTime;
        } else {
            missed.emplace_back(found->order, q.id);
        }
    });
    // A bank that fails part-way gives no list rather than part of one.
    if (!readOk)
        return ReviewList{{}, 0, 0, 0, false, session.bankFor(session.currentElement).lastError()};

    std::sort(missed.begin(), missed.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });
    list.missed = static_cast<int>(missed.size());
    list.questions.reserve(missed.size() + never.size());
    for (const auto& [order, id] : missed) list.questions.push_back(id);
    const QuestionIdList shuffled = InsertAtRandomPositions(never, random);
    list.questions.insert(list.questions.end(), shuffled.begin(), shuffled.end());
    return list;
}

PoolProgress PoolProgressFor(Session& session, int element) {
    PoolProgress progress;
    const QHash<QString, LatestAnswer> latest =
        session.record.latest(PoolNameFor(session, element));
    const bool readOk = ForEachAskableQuestion(session, [&](const AskableQuestion& q) {
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

QString ReviewSummaryMessage(const ReviewList& list) {
    const QString right =
        QStringLiteral("%1 of %2 chosen question%3 %4 answered right last time.")
            .arg(list.rightLastTime)
            .arg(list.chosen)
            .arg(list.chosen == 1 ? QString() : QStringLiteral("s"))
            .arg(list.rightLastTime == 1 ? QStringLiteral("was") : QStringLiteral("were"));
    const auto left = list.questions.size();
    if (left == 0) return QStringLiteral("Nothing left to review. ") + right;
    return QStringLiteral("Review finished. ") + right +
           QStringLiteral(" %1 still to review next time.")
               .arg(left == 1 ? QStringLiteral("1 is")
                              : QString::number(left) + QStringLiteral(" are"));
}

}  // namespace quillet
