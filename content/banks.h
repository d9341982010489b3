#pragma once

#include <QString>
#include <vector>

namespace tavik {

// One row of a bank: its text fields in column order. Row 0 of each bank is
// the header row naming the columns and is never a question.
using BankRow = std::vector<QString>;
using BankTable = std::vector<BankRow>;

namespace WordField {
enum : int { Key = 0, Headword = 1, Meaning = 2, Count = 3 };
}

namespace SentenceField {
enum : int { Key = 0, WordKey = 1, Before = 2, Answer = 3, After = 4, Translation = 5, Count = 6 };
}

inline constexpr int kWordRows = 141;
inline constexpr int kSentenceRows = 144;

// The study content, filled once at start-up and read-only afterwards.
// Consumers address rows by row number: WordBank[r][WordField::Headword].
struct Banks {
    BankTable WordBank;
    BankTable SentenceBank;
};

void loadWordBank(BankTable& wordBank);
void loadSentenceBank(BankTable& sentenceBank);
void loadBanks(Banks& banks);

} // namespace tavik
