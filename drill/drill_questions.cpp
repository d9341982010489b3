#include "drill/drill_questions.h"

#include <algorithm>

namespace tavik {

namespace {

QString field(const BankTable& table, int row, int column) {
    if (row < 0 || static_cast<std::size_t>(row) >= table.size()) {
        return {};
    }
    const BankRow& fields = table[static_cast<std::size_t>(row)];
    if (column < 0 || static_cast<std::size_t>(column) >= fields.size()) {
        return {};
    }
    return fields[static_cast<std::size_t>(column)];
}

std::vector<int> questionRows(const std::vector<std::int16_t>& rows, int count) {
    const int usable = std::clamp(count, 0, static_cast<int>(rows.size()));
    return {rows.begin(), rows.begin() + usable};
}

} // namespace

std::vector<WordQuestion> wordQuestions(const Banks& banks, const DrillSet& drill) {
    std::vector<WordQuestion> questions;
    for (const int row : questionRows(drill.drillWords, drill.drillWordCount)) {
        questions.push_back({field(banks.WordBank, row, WordField::Meaning),
                             field(banks.WordBank, row, WordField::Headword)});
    }
    return questions;
}

std::vector<SentenceQuestion> sentenceQuestions(const Banks& banks, const DrillSet& drill) {
    std::vector<SentenceQuestion> questions;
    for (const int row : questionRows(drill.drillSentences, drill.drillSentenceCount)) {
        const BankTable& bank = banks.SentenceBank;
        questions.push_back(
            {field(bank, row, SentenceField::Before), field(bank, row, SentenceField::Answer),
             field(bank, row, SentenceField::After), field(bank, row, SentenceField::Translation)});
    }
    return questions;
}

} // namespace tavik
