// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "engine/core/QuestionList.h"

#include <sqlcipher/sqlite3.h>

#include <algorithm>
#include <map>
#include <tuple>

#include "shell/core/Database.h"
#include "shell/core/Random.h"

namespace quillet {

namespace {

// Slots 0..n-1, each present or taken, that finds the k-th present slot and
// takes it in O(log n): a Fenwick tree of the counts of present slots.
class SlotPicker {
public:
    explicit SlotPicker(int n) : tree_(static_cast<size_t>(n) + 1) {
        for (int i = 1; i <= n; ++i) tree_[static_cast<size_t>(i)] = i & -i;
        top_ = 1;
        while (top_ * 2 <= n) top_ *= 2;
        size_ = n;
    }

    // Takes the present slot that has `rank` present slots before it; `rank`
    // must be below the number of present slots. Returns its index.
    int take(int rank) {
        int position = 0;
        int remaining = rank + 1;
        for (int step = top_; step > 0; step /= 2) {
            const int probe = position + step;
            if (probe <= size_ && tree_[static_cast<size_t>(probe)] < remaining) {
                position = probe;
                remaining -= tree_[static_cast<size_t>(probe)];
            }
        }
        for (int i = position + 1; i <= size_; i += i & -i) --tree_[static_cast<size_t>(i)];
        return position;
    }

private:
    std::vector<int> tree_;
    int top_ = 0;
    int size_ = 0;
};

}  // namespace

QString TestModeCaption(int mode) {
    switch (NormalizedTestMode(mode)) {
        case kModeUntilRight:
            return QStringLiteral("Asking each question once until answered correctly");
        case kModeContinuous:
            return QStringLiteral("Continuous questions");
        case kModeSimulatedExam:
            return QStringLiteral("Simulated Written Exam");
        case kModeRealExam:
            return QStringLiteral("Real exam: one question per group");
        case kModeReview:
            return QStringLiteral("Reviewing missed questions, then new ones");
        default:
            return QStringLiteral("Asking each question exactly once.");
    }
}

const char kQuestionListQuery[] =
    "SELECT QUESTIONS.QUESTIONID, QUESTIONS.SECTIONID, SECTIONS.TEST "
    " FROM Questions INNER JOIN Sections ON Questions.SectionID = Sections.SectionID "
    " WHERE "
    " ANSWER='A' OR ANSWER='B' OR ANSWER='C' OR ANSWER='D' ";

QString ShortExamMessage(int simulatedCount, int available) {
    return QStringLiteral("You have chosen to take a test of ") + QString::number(simulatedCount) +
           QStringLiteral(" questions.  However, based on the categories you chose, ") +
           QStringLiteral(" only ") + QString::number(available) + QStringLiteral(" question") +
           (available > 1 ? QStringLiteral("s are") : QStringLiteral(" is ")) +
           QStringLiteral(" available, so the test will only have that many questions.");
}

QuestionIdList InsertAtRandomPositions(const QuestionIdList& ids, RandomSource& random) {
    const int n = static_cast<int>(ids.size());
    // The k-th insertion goes to an index below k + 1 of the list as it is then.
    std::vector<int> positions(ids.size());
    for (int k = 0; k < n; ++k) positions[static_cast<size_t>(k)] = RandomIndexBelow(random, k + 1);

    // Going backwards, the last item inserted keeps its index for good; each
    // earlier one lands on the free slot of its index among the slots that later
    // insertions have not claimed.
    QuestionIdList result(ids.size());
    SlotPicker picker(n);
    for (int k = n - 1; k >= 0; --k) {
        const int slot = picker.take(positions[static_cast<size_t>(k)]);
        result[static_cast<size_t>(slot)] = ids[static_cast<size_t>(k)];
    }
    return result;
}

void MoveInRandomOrder(QuestionIdList& from, QuestionIdList& to, RandomSource& random) {
    const int n = static_cast<int>(from.size());
    SlotPicker picker(n);
    to.reserve(to.size() + from.size());
    for (int left = n; left > 0; --left) {
        const int slot = picker.take(RandomIndexBelow(random, left));
        to.push_back(from[static_cast<size_t>(slot)]);
    }
    from.clear();
}

bool ListsQuestion(const Session& session, qint64 element, qint64 sectionId) {
    if (element != session.currentElement) return false;
    const SectionInfo* section = session.sections.withId(sectionId);
    return section && section->Ask;
}

PreparedList PrepareQuestionList(const Session& session, int mode, RandomSource& random,
                                 QuestionIdList& questionList, QuestionIdList& scramble,
                                 int& simulatedCount) {
    PreparedList result;
    questionList.clear();
    scramble.clear();

    QuestionIdList found;
    Query query(session.bankFor(session.currentElement), kQuestionListQuery);
    while (query.next()) {
        if (!ListsQuestion(session, query.integer("TEST"), query.integer("SECTIONID"))) continue;
        found.push_back(query.integer("QUESTIONID"));
    }
    // A bank that fails part-way gives no list rather than part of one.
    if (query.code() != SQLITE_DONE) {
        found.clear();
        result.readOk = false;
        result.fault = session.bankFor(session.currentElement).lastError();
    }

    questionList = InsertAtRandomPositions(found, random);
    result.count = static_cast<int>(questionList.size());
    MoveInRandomOrder(questionList, scramble, random);
    MoveInRandomOrder(scramble, questionList, random);

    if (mode == kModeSimulatedExam && result.count < simulatedCount) {
        result.message = ShortExamMessage(simulatedCount, result.count);
        simulatedCount = result.count;
    }
    return result;
}

QString QuestionGroup(const QString& fccQuestionId) {
    const qsizetype n = fccQuestionId.size();
    if (n > 2 && fccQuestionId[n - 1].isDigit() && fccQuestionId[n - 2].isDigit()) {
        return fccQuestionId.left(n - 2);
    }
    return fccQuestionId;
}

QuestionIdList DrawOnePerGroup(const std::vector<GroupedQuestion>& questions,
                               RandomSource& random) {
    // A group sorts by the first section it is met in, then by its id, so that
    // "T1A" comes before "T1B" and every T1 group before the T2 ones.
    std::map<QString, std::pair<int, QuestionIdList>> groups;
    for (const GroupedQuestion& q : questions) {
        const auto it = groups.try_emplace(q.group, q.sectionId, QuestionIdList{}).first;
        it->second.first = std::min(it->second.first, q.sectionId);
        it->second.second.push_back(q.id);
    }
    std::vector<std::tuple<int, QString, const QuestionIdList*>> order;
    order.reserve(groups.size());
    for (const auto& [group, entry] : groups) order.emplace_back(entry.first, group, &entry.second);
    std::sort(order.begin(), order.end(), [](const auto& a, const auto& b) {
        return std::tie(std::get<0>(a), std::get<1>(a)) < std::tie(std::get<0>(b), std::get<1>(b));
    });

    QuestionIdList drawn;
    drawn.reserve(order.size());
    for (const auto& entry : order) {
        const QuestionIdList& members = *std::get<2>(entry);
        const int pick = RandomIndexBelow(random, static_cast<int>(members.size()));
        drawn.push_back(members[static_cast<size_t>(pick)]);
    }
    return drawn;
}

QString ShortRealExamMessage(int examQuestions, int groups) {
    return QStringLiteral(
               "The real examination has %1 questions, one from each group of the "
               "question pool.  This question bank has questions in only %2 "
               "group%3, so the test will have %2 question%3.")
        .arg(examQuestions)
        .arg(groups)
        .arg(groups == 1 ? QString() : QStringLiteral("s"));
}

bool ForEachAskableQuestion(const Session& session, int element,
                            const std::function<void(const AskableQuestion&)>& visit) {
    Query query(session.bankFor(element),
                "SELECT QUESTIONS.QUESTIONID, QUESTIONS.SECTIONID, SECTIONS.TEST, "
                " QUESTIONS.FCCQUESTIONID "
                " FROM Questions INNER JOIN Sections ON Questions.SectionID = Sections.SectionID "
                " WHERE ANSWER='A' OR ANSWER='B' OR ANSWER='C' OR ANSWER='D' ");
    AskableQuestion question;
    while (query.next()) {
        question.id = query.integer("QUESTIONID");
        question.sectionId = query.integer("SECTIONID");
        question.element = query.integer("TEST");
        question.poolId = query.text("FCCQUESTIONID");
        visit(question);
    }
    return query.code() == SQLITE_DONE;
}

PreparedList PrepareRealExamList(const Session& session, RandomSource& random,
                                 QuestionIdList& questionList, int& examCount) {
    PreparedList result;
    questionList.clear();

    std::vector<GroupedQuestion> found;
    if (examCount > 0) {
        const bool readOk =
            ForEachAskableQuestion(session, session.currentElement, [&](const AskableQuestion& q) {
                if (q.element != session.currentElement || !session.sections.withId(q.sectionId))
                    return;
                found.push_back({q.id, static_cast<int>(q.sectionId), QuestionGroup(q.poolId)});
            });
        if (!readOk) {
            found.clear();
            result.readOk = false;
            result.fault = session.bankFor(session.currentElement).lastError();
        }
    }

    questionList = DrawOnePerGroup(found, random);
    result.count = static_cast<int>(questionList.size());
    if (result.count > 0 && result.count < examCount) {
        result.message = ShortRealExamMessage(examCount, result.count);
    }
    // A bank with more groups than the exam has questions still asks every group.
    examCount = result.count;
    return result;
}

}  // namespace quillet
