#include "drill/weak_word_pick.h"

#include "drill/drill_questions.h"
#include "drill/selection.h"

#include <algorithm>
#include <limits>
#include <map>

namespace tavik {

namespace {

// The bank row of a stored word, or 0 when the bank no longer has it.
int bankRowOf(const WordState& word, const BankTable& bank, int rows) {
    for (int row = 1; row <= rows; ++row) {
        const BankRow& fields = bank[static_cast<std::size_t>(row)];
        if (fields.size() <= WordField::Headword) {
            continue;
        }
        if (word.headword.isEmpty() ? fields[WordField::Key] == QString::number(word.wordKey)
                                    : fields[WordField::Headword] == word.headword) {
            return row;
        }
    }
    return 0;
}

} // namespace

std::vector<WordState> weakWordCandidates(const std::vector<WordState>& states, QDate today) {
    std::map<int, const WordState*> byKey;
    for (const WordState& state : states) {
        byKey[state.wordKey] = &state;
    }
    std::vector<WordState> candidates;
    for (const int key : dueWords(states, today)) {
        candidates.push_back(*byKey[key]);
    }
    if (candidates.size() == 1) {
        const WordState* next = nullptr;
        for (const WordState& state : states) {
            if (state.wordKey != candidates.front().wordKey &&
                (next == nullptr || dueDate(state) < dueDate(*next) ||
                 (dueDate(state) == dueDate(*next) && state.box < next->box))) {
                next = &state;
            }
        }
        if (next != nullptr) {
            candidates.push_back(*next);
        }
    }
    return candidates;
}

bool selectWeakWords(DrillSet& set, const Banks& banks, const std::vector<WordState>& candidates,
                     const QString& countText, RandomSource& random) {
    const int asked = parseQuestionCount(countText);
    const std::size_t wanted = asked > 0 ? static_cast<std::size_t>(asked) : kDefaultWeakWordCount;
    const int rows = static_cast<int>(std::min<std::size_t>(
                         banks.WordBank.size(), std::numeric_limits<std::int16_t>::max())) -
                     1;
    std::vector<std::int16_t> picked;
    for (const WordState& word : candidates) {
        if (picked.size() == wanted) {
            break;
        }
        const int row = bankRowOf(word, banks.WordBank, rows);
        if (row > 0 && std::find(picked.begin(), picked.end(), row) == picked.end()) {
            picked.push_back(static_cast<std::int16_t>(row));
        }
    }
    if (picked.empty()) {
        return false;
    }
    set.drillWords = std::move(picked);
    buildSentenceList(set, banks, random);
    return true;
}

} // namespace tavik
