#include "drill/answered_questions.h"

#include "drill/grading.h"

#include <algorithm>

namespace tavik {

namespace {

const QString* bankField(const BankTable& table, int row, int column) {
    if (row < 1 || static_cast<std::size_t>(row) >= table.size() ||
        static_cast<std::size_t>(column) >= table[static_cast<std::size_t>(row)].size()) {
        return nullptr;
    }
    return &table[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

} // namespace

std::vector<AnsweredQuestion> answeredQuestions(const Banks& banks, const DrillSet& drill,
                                                bool wordDrill, const QStringList& typedAnswers) {
    const std::vector<std::int16_t>& rows = wordDrill ? drill.drillWords : drill.drillSentences;
    const int count = std::clamp(int{wordDrill ? drill.drillWordCount : drill.drillSentenceCount},
                                 0, static_cast<int>(rows.size()));
    std::vector<AnsweredQuestion> answered;
    answered.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const int row = rows[static_cast<std::size_t>(i)];
        const QString typed = i < typedAnswers.size() ? typedAnswers[i] : QString();
        const QString* answer = wordDrill
                                    ? bankField(banks.WordBank, row, WordField::Headword)
                                    : bankField(banks.SentenceBank, row, SentenceField::Answer);
        const QString* wordKey =
            wordDrill ? nullptr : bankField(banks.SentenceBank, row, SentenceField::WordKey);
        const int word = wordDrill ? row : (wordKey != nullptr ? wordKey->toInt() : 0);
        if (answer == nullptr || word < 1) {
            continue;
        }
        answered.push_back({word, wordDrill ? 0 : row, isRightAnswer(typed, *answer)});
    }
    return answered;
}

} // namespace tavik
