#include "drill/selection.h"

#include <QSet>
#include <algorithm>
#include <limits>

namespace tavik {

namespace {

const QString& field(const BankRow& row, int index) {
    static const QString missing;
    return index < static_cast<int>(row.size()) ? row[static_cast<std::size_t>(index)] : missing;
}

// Questions are the rows after the header row; their numbers must fit the
// 16-bit entries of the lists.
int questionRows(const BankTable& table) {
    const int rows = static_cast<int>(
        std::min<std::size_t>(table.size(), std::numeric_limits<std::int16_t>::max()));
    return std::max(0, rows - 1);
}

// A list without questions still holds one entry, the header row 0, so that
// its first entry can always be read.
void storeList(std::vector<std::int16_t>& list, std::int16_t& count,
               std::vector<std::int16_t> rows) {
    count = static_cast<std::int16_t>(rows.size());
    if (rows.empty()) {
        rows.push_back(0);
    }
    list = std::move(rows);
}

std::vector<std::int16_t> inRandomOrder(const std::vector<std::int16_t>& rows,
                                        RandomSource& random) {
    const int length = static_cast<int>(rows.size());
    std::vector<std::int16_t> reordered;
    reordered.reserve(rows.size());
    for (const std::int16_t position : randomOrder(length - 1, 0, length, true, random)) {
        reordered.push_back(rows[static_cast<std::size_t>(position)]);
    }
    return reordered;
}

} // namespace

void selectBySearch(DrillSet& set, const Banks& banks, const QString& freeWord,
                    RandomSource& random) {
    std::vector<std::int16_t> found;
    const int words = questionRows(banks.WordBank);
    for (int r = 1; r <= words; ++r) {
        const BankRow& row = banks.WordBank[static_cast<std::size_t>(r)];
        if (field(row, WordField::Headword).contains(freeWord, Qt::CaseSensitive) ||
            field(row, WordField::Meaning).contains(freeWord, Qt::CaseSensitive)) {
            found.push_back(static_cast<std::int16_t>(r));
        }
    }
    storeList(set.drillWords, set.drillWordCount, inRandomOrder(found, random));
    buildSentenceList(set, banks, random);
}

void selectAtRandom(DrillSet& set, const Banks& banks, const QString& countText,
                    RandomSource& random) {
    const int words = questionRows(banks.WordBank);
    const int count = std::min(parseQuestionCount(countText), words);
    storeList(set.drillWords, set.drillWordCount, randomOrder(words, 1, count, true, random));
    buildSentenceList(set, banks, random);
}

void buildSentenceList(DrillSet& set, const Banks& banks, RandomSource& random) {
    // Sentences name their word by its key text; collect the keys of the
    // asked words, ignoring entries that are not question rows.
    const int asked = std::clamp(static_cast<int>(set.drillWordCount), 0,
                                 static_cast<int>(set.drillWords.size()));
    const int words = questionRows(banks.WordBank);
    QSet<QString> wordKeys;
    for (int j = 0; j < asked; ++j) {
        const int r = set.drillWords[static_cast<std::size_t>(j)];
        if (r >= 1 && r <= words) {
            wordKeys.insert(field(banks.WordBank[static_cast<std::size_t>(r)], WordField::Key));
        }
    }

    std::vector<std::int16_t> found;
    const int sentences = questionRows(banks.SentenceBank);
    for (int s = 1; s <= sentences; ++s) {
        const BankRow& row = banks.SentenceBank[static_cast<std::size_t>(s)];
        if (wordKeys.contains(field(row, SentenceField::WordKey))) {
            found.push_back(static_cast<std::int16_t>(s));
        }
    }
    storeList(set.drillSentences, set.drillSentenceCount, inRandomOrder(found, random));
}

} // namespace tavik
