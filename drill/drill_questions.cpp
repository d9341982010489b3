#include "drill/drill_questions.h"

#include <algorithm>

namespace tavik {

namespace {

// The row's fields, padded with empty texts to count; none for a row that
// is not a question row.
BankRow fields(const BankTable& table, int row, int count) {
    BankRow texts(static_cast<std::size_t>(count));
    if (row >= 1 && row < static_cast<int>(table.size())) {
        const BankRow& stored = table[static_cast<std::size_t>(row)];
        std::copy_n(stored.begin(), std::min(stored.size(), texts.size()), texts.begin());
    }
    return texts;
}

template <typename Question>
std::vector<Question> questionsAt(const Banks& banks, const std::vector<std::int16_t>& rows,
                                  Question (*at)(const Banks&, int)) {
    std::vector<Question> questions;
    questions.reserve(rows.size());
    for (const int row : rows) {
        questions.push_back(at(banks, row));
    }
    return questions;
}

} // namespace

WordQuestion wordAt(const Banks& banks, int row) {
    BankRow f = fields(banks.WordBank, row, WordField::Count);
    return {std::move(f[WordField::Key]), std::move(f[WordField::Headword]),
            std::move(f[WordField::Meaning])};
}

SentenceQuestion sentenceAt(const Banks& banks, int row) {
    BankRow f = fields(banks.SentenceBank, row, SentenceField::Count);
    return {std::move(f[SentenceField::Key]),    std::move(f[SentenceField::WordKey]),
            std::move(f[SentenceField::Before]), std::move(f[SentenceField::Answer]),
            std::move(f[SentenceField::After]),  std::move(f[SentenceField::Translation])};
}

std::vector<WordQuestion> wordQuestions(const Banks& banks, const DrillSet& drill) {
    return questionsAt(banks, drill.drillWords, &wordAt);
}

std::vector<SentenceQuestion> sentenceQuestions(const Banks& banks, const DrillSet& drill) {
    return questionsAt(banks, drill.drillSentences, &sentenceAt);
}

} // namespace tavik
