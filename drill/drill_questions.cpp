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

// The headword of the word with the key; empty when the bank has none. Keys
// are row numbers in today's bank, which is tried first.
QString headwordOf(const Banks& banks, const QString& key) {
    const BankTable& words = banks.WordBank;
    const int row = key.toInt();
    if (row >= 1 && row < static_cast<int>(words.size()) &&
        words[static_cast<std::size_t>(row)].size() > WordField::Headword &&
        words[static_cast<std::size_t>(row)][WordField::Key] == key) {
        return words[static_cast<std::size_t>(row)][WordField::Headword];
    }
    for (std::size_t r = 1; r < words.size(); ++r) {
        if (words[r].size() > WordField::Headword && words[r][WordField::Key] == key) {
            return words[r][WordField::Headword];
        }
    }
    return {};
}

} // namespace

WordQuestion wordAt(const Banks& banks, int row) {
    BankRow f = fields(banks.WordBank, row, WordField::Count);
    return {std::move(f[WordField::Key]), std::move(f[WordField::Headword]),
            std::move(f[WordField::Meaning])};
}

SentenceQuestion sentenceAt(const Banks& banks, int row) {
    BankRow f = fields(banks.SentenceBank, row, SentenceField::Count);
    QString headword = f[SentenceField::WordKey].isEmpty()
                           ? QString()
                           : headwordOf(banks, f[SentenceField::WordKey]);
    return {std::move(f[SentenceField::Key]),
            std::move(f[SentenceField::WordKey]),
            std::move(headword),
            std::move(f[SentenceField::Before]),
            std::move(f[SentenceField::Answer]),
            std::move(f[SentenceField::After]),
            std::move(f[SentenceField::Translation])};
}

AnsweredQuestion askedBy(const WordQuestion& word) {
    return {.wordKey = word.key.toInt(), .headword = word.headword, .rightAnswer = word.headword};
}

AnsweredQuestion askedBy(const SentenceQuestion& sentence) {
    // A sentence whose word is not in the bank is no word's answer.
    const int wordKey = sentence.headword.isEmpty() ? 0 : sentence.wordKey.toInt();
    return {.wordKey = wordKey,
            .sentenceKey = sentence.key.toInt(),
            .headword = sentence.headword,
            .rightAnswer = sentence.answer};
}

QHash<int, QString> bankHeadwords(const Banks& banks) {
    QHash<int, QString> headwords;
    for (int row = 1; row < static_cast<int>(banks.WordBank.size()); ++row) {
        const WordQuestion word = wordAt(banks, row);
        if (word.key.toInt() > 0) {
            headwords.insert(word.key.toInt(), word.headword);
        }
    }
    return headwords;
}

std::vector<WordQuestion> wordQuestions(const Banks& banks, const DrillSet& drill) {
    return questionsAt(banks, drill.drillWords, &wordAt);
}

std::vector<SentenceQuestion> sentenceQuestions(const Banks& banks, const DrillSet& drill) {
    return questionsAt(banks, drill.drillSentences, &sentenceAt);
}

} // namespace tavik
