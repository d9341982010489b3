#include "drill/weak_word_pick.h"

#include "drill/drill_questions.h"
#include "drill/selection.h"

#include <algorithm>
#include <iterator>
#include <limits>

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

// The due words, weakest first.
std::vector<WordState> weakestDueWords(const std::vector<WordState>& states, QDate today) {
    std::vector<WordState> due;
    std::copy_if(states.begin(), states.end(), std::back_inserter(due),
                 [today](const WordState& state) {
                     return state.lastGraded.isValid() && dueDate(state) <= today;
                 });
    std::sort(due.begin(), due.end(), [](const WordState& a, const WordState& b) {
        if (a.box != b.box) {
            return a.box < b.box;
        }
        if (a.wrongAnswers != b.wrongAnswers) {
            return a.wrongAnswers > b.wrongAnswers;
        }
        // Never answered right counts as the longest ago.
        const qint64 aRight = a.lastRight.isValid() ? a.lastRight.toMSecsSinceEpoch() : -1;
        const qint64 bRight = b.lastRight.isValid() ? b.lastRight.toMSecsSinceEpoch() : -1;
        if (aRight != bRight) {
            return aRight < bRight;
        }
        return a.wordKey < b.wordKey;
    });
    return due;
}

} // namespace

std::vector<WordState> weakWordCandidates(const std::vector<WordState>& states, QDate today) {
    std::vector<WordState> candidates = weakestDueWords(states, today);
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
    std::shuffle(picked.begin(), picked.end(), random.engine());
    set.drillWords = std::move(picked);
    buildSentenceList(set, banks, random);
    return true;
}

QString nextDueText(const std::vector<WordState>& states, QDate today) {
    QDate next;
    for (const WordState& state : states) {
        const QDate due = state.lastGraded.isValid() ? dueDate(state) : QDate();
        if (due.isValid() && due > today && (!next.isValid() || due < next)) {
            next = due;
        }
    }
    if (!next.isValid()) {
        return {};
    }
    const qint64 days = today.daysTo(next);
    const QString when = days == 1 ? QStringLiteral("明日") : QStringLiteral("%1日後").arg(days);
    return QStringLiteral("次の単語は%1月%2日（%3）に復習できます")
        .arg(next.month())
        .arg(next.day())
        .arg(when);
}

} // namespace tavik
