#include "progress/learning_progress.h"

#include <algorithm>
#include <map>

namespace tavik {

std::vector<DayRate> dailyRates(const std::vector<StoredAnswer>& answers) {
    std::map<QDate, DayRate> byDay;
    for (const StoredAnswer& answer : answers) {
        const QDate day = answer.when.toLocalTime().date();
        if (!day.isValid()) {
            continue;
        }
        DayRate& rate = byDay[day];
        rate.day = day;
        ++rate.questions;
        rate.right += answer.right ? 1 : 0;
    }
    std::vector<DayRate> days;
    days.reserve(byDay.size());
    for (const auto& [day, rate] : byDay) {
        days.push_back(rate);
    }
    return days;
}

std::vector<DayRate> lastDaysStudied(const std::vector<DayRate>& days, int count) {
    const auto kept = static_cast<std::size_t>(std::max(count, 0));
    if (days.size() <= kept) {
        return days;
    }
    return {days.end() - static_cast<std::ptrdiff_t>(kept), days.end()};
}

BankWords::BankWords(const Banks& banks) : m_banks(banks) {
    for (std::size_t row = 1; row < banks.WordBank.size(); ++row) {
        const BankRow& word = banks.WordBank[row];
        if (word.size() > WordField::Headword) {
            m_rowByHeadword.insert(word[WordField::Headword], static_cast<int>(row));
        }
    }
}

int BankWords::rowOf(int wordKey, const QString& headword) const {
    if (!headword.isEmpty()) {
        return m_rowByHeadword.value(headword, 0);
    }
    const bool inBank = wordKey >= 1 && static_cast<std::size_t>(wordKey) < m_banks.WordBank.size();
    return inBank ? wordKey : 0;
}

std::vector<BankWordState> bankWordStates(const BankWords& words,
                                          const std::vector<WordState>& states) {
    std::vector<BankWordState> found;
    found.reserve(states.size());
    for (const WordState& state : states) {
        const int row = words.rowOf(state.wordKey, state.headword);
        if (row != 0 && state.lastGraded.isValid()) {
            found.push_back({row, state});
        }
    }
    return found;
}

BoxCounts boxCounts(const BankWords& words, const std::vector<BankWordState>& states) {
    BoxCounts counts;
    std::vector<bool> drilled(words.banks().WordBank.size(), false);
    for (const BankWordState& word : states) {
        const int box = std::clamp(word.state.box, kFirstBox, kLastBox);
        if (!drilled[static_cast<std::size_t>(word.wordRow)]) {
            drilled[static_cast<std::size_t>(word.wordRow)] = true;
            ++counts.boxes[static_cast<std::size_t>(box - 1)];
        }
    }
    const auto drilledWords = std::count(drilled.begin(), drilled.end(), true);
    counts.notYetDrilled = std::max(0, words.wordCount() - static_cast<int>(drilledWords));
    return counts;
}

DueCounts dueCounts(const BookMemory& book, QDate today) {
    DueCounts counts;
    for (const BookWord& word : book.words) {
        const QDate due = dueDate(word.memory, book.retention);
        if (due <= today) {
            ++counts.today;
        } else if (due == today.addDays(1)) {
            ++counts.tomorrow;
        }
        if (due <= today.addDays(kWeekDays)) {
            ++counts.withinWeek;
        }
        const qint64 ahead = today.daysTo(due);
        if (ahead >= 1 && ahead <= kWeekDays) {
            ++counts.days[static_cast<std::size_t>(ahead - 1)];
        }
    }
    return counts;
}

std::vector<WeakWord> weakestWords(const Banks& banks, const BookMemory& book, QDate today) {
    std::vector<BookWord> missed;
    std::copy_if(book.words.begin(), book.words.end(), std::back_inserter(missed),
                 [](const BookWord& word) { return word.memory.wrong > 0; });
    sortWeakestFirst(missed, today);
    std::vector<WeakWord> weakest;
    const BankTable& bank = banks.WordBank;
    for (const BookWord& word : missed) {
        if (weakest.size() == kWeakestWordCount) {
            break;
        }
        const BankRow& row = bank[static_cast<std::size_t>(word.row)];
        weakest.push_back({word.row, row.at(WordField::Headword),
                           row.size() > WordField::Meaning ? row[WordField::Meaning] : QString(),
                           word.memory.right, word.memory.wrong, recallOn(word.memory, today),
                           dueDate(word.memory, book.retention), word.memory.lastWrongTyped});
    }
    return weakest;
}

} // namespace tavik
