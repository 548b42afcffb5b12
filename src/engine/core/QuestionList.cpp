#include "engine/core/QuestionList.h"

#include "shell/core/Random.h"
#include "shell/core/Database.h"

#include <sqlcipher/sqlite3.h>

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

int NormalizedTestMode(int mode) { return mode >= 1 && mode <= 4 ? mode : kModeEachOnce; }

QString TestModeCaption(int mode) {
    switch (NormalizedTestMode(mode)) {
        case kModeUntilRight:
            return QStringLiteral("Asking each question once until answered correctly");
        case kModeContinuous: return QStringLiteral("Continuous questions");
        case kModeSimulatedExam: return QStringLiteral("Simulated Written Exam");
        default: return QStringLiteral("Asking each question exactly once.");
    }
}

int SimulatedQuestionCount(int element) {
    constexpr int kCounts[] = {35, 30, 30, 50, 40};
    return element >= 1 && element <= 5 ? kCounts[element - 1] : 0;
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

PreparedList PrepareQuestionList(AppState& state, RandomSource& random,
                                 QuestionIdList& questionList, QuestionIdList& scramble,
                                 int& simulatedCount) {
    PreparedList result;
    questionList.clear();
    scramble.clear();

    QuestionIdList found;
    Query query(state.database, kQuestionListQuery);
    while (query.next()) {
        if (query.integer("TEST") != state.currentElement) continue;
        const SectionInfo* section = state.sections.withId(query.integer("SECTIONID"));
        if (!section || !section->Ask) continue;
        found.push_back(query.integer("QUESTIONID"));
    }
    // A bank that fails part-way gives no list rather than part of one.
    if (query.code() != SQLITE_DONE) {
        found.clear();
        result.readOk = false;
        result.fault = state.database.lastError();
    }

    questionList = InsertAtRandomPositions(found, random);
    result.count = static_cast<int>(questionList.size());
    if (result.count < 1 && result.readOk) state.questionsNotFound = true;

    MoveInRandomOrder(questionList, scramble, random);
    MoveInRandomOrder(scramble, questionList, random);

    if (state.testMode == kModeSimulatedExam && result.count < simulatedCount) {
        result.message = ShortExamMessage(simulatedCount, result.count);
        simulatedCount = result.count;
    }
    return result;
}

}  // namespace quillet
