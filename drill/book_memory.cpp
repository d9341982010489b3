#include "drill/book_memory.h"

#include <QHash>
#include <algorithm>

namespace tavik {

BookMemory bookMemory(const Banks& banks, const std::vector<StoredAnswer>& answers,
                      double retention, const MemoryParameters& p) {
    BookMemory book = bookOfMemories(banks, replayAnswers(answers, p), retention);
    book.confusions = openConfusionPairs(banks, answers);
    return book;
}

BookRows::BookRows(const Banks& banks) : m_bankRows(banks.WordBank.size()) {
    for (std::size_t row = 1; row < banks.WordBank.size(); ++row) {
        const BankRow& word = banks.WordBank[row];
        if (word.size() > WordField::Headword) {
            m_rowByHeadword.insert(word[WordField::Headword], static_cast<int>(row));
        }
    }
}

int BookRows::rowOf(const QString& headword, int wordKey) const {
    if (!headword.isEmpty()) {
        return m_rowByHeadword.value(headword, 0);
    }
    return wordKey >= 1 && static_cast<std::size_t>(wordKey) < m_bankRows ? wordKey : 0;
}

BookMemory bookOfMemories(const Banks& banks, std::vector<WordMemory> memories, double retention) {
    const BookRows rows(banks);
    BookMemory book;
    book.bookWords = rows.words();
    book.retention = retention;
    std::vector<bool> taken(banks.WordBank.size(), false);
    for (WordMemory& memory : memories) {
        const int row = rows.rowOf(memory.headword, memory.wordKey);
        if (row == 0 || taken[static_cast<std::size_t>(row)]) {
            book.notInBook.push_back(std::move(memory));
            continue;
        }
        taken[static_cast<std::size_t>(row)] = true;
        book.words.push_back({row, std::move(memory)});
    }
    return book;
}

bool weakerThan(const BookWord& a, const BookWord& b, QDate day) {
    const double aRecall = recallOn(a.memory, day);
    const double bRecall = recallOn(b.memory, day);
    if (aRecall != bRecall) {
        return aRecall < bRecall;
    }
    if (a.memory.memory.stability != b.memory.memory.stability) {
        return a.memory.memory.stability < b.memory.memory.stability;
    }
    return a.row < b.row;
}

void sortWeakestFirst(std::vector<BookWord>& words, QDate day) {
    std::sort(words.begin(), words.end(),
              [day](const BookWord& a, const BookWord& b) { return weakerThan(a, b, day); });
}

std::vector<BookWord> dueBookWords(const BookMemory& book, QDate day) {
    std::vector<BookWord> due;
    std::copy_if(book.words.begin(), book.words.end(), std::back_inserter(due),
                 [&](const BookWord& word) { return isDue(word.memory, day, book.retention); });
    sortWeakestFirst(due, day);
    return due;
}

std::vector<StoredAnswer> answersUntil(const std::vector<StoredAnswer>& answers, QDate day) {
    std::vector<StoredAnswer> until;
    std::copy_if(
        answers.begin(), answers.end(), std::back_inserter(until),
        [day](const StoredAnswer& answer) { return answer.when.toLocalTime().date() <= day; });
    return until;
}

int knownWordCount(const BookMemory& book, QDate day) {
    return static_cast<int>(
        std::count_if(book.words.begin(), book.words.end(),
                      [day](const BookWord& word) { return isKnown(word.memory, day); }));
}

} // namespace tavik
