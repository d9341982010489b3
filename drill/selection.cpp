#include "drill/selection.h"

#include "drill/drill_questions.h"

#include <QSet>
#include <algorithm>
#include <limits>

namespace tavik {

namespace {

// Questions are the rows after the header row; their numbers must fit the
// 16-bit entries of the lists.
int questionRows(const BankTable& table) {
    const int rows = static_cast<int>(
        std::min<std::size_t>(table.size(), std::numeric_limits<std::int16_t>::max()));
    return std::max(0, rows - 1);
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

// Full-width letters, digits and blanks as their half-width selves.
QString narrowed(const QString& text) {
    QString result = text;
    for (QChar& letter : result) {
        if (letter.decompositionTag() == QChar::Wide) {
            const QString narrow = letter.decomposition();
            if (narrow.size() == 1) {
                letter = narrow.front();
            }
        }
    }
    return result;
}

} // namespace

void selectBySearch(DrillSet& set, const Banks& banks, const QString& freeWord,
                    RandomSource& random) {
    std::vector<std::int16_t> found;
    const QString narrowWord = narrowed(freeWord);
    const int words = questionRows(banks.WordBank);
    for (int r = 1; r <= words; ++r) {
        const WordQuestion word = wordAt(banks, r);
        if (word.headword.contains(freeWord, Qt::CaseSensitive) ||
            word.meaning.contains(freeWord, Qt::CaseSensitive) ||
            (narrowWord != freeWord && (word.headword.contains(narrowWord, Qt::CaseSensitive) ||
                                        word.meaning.contains(narrowWord, Qt::CaseSensitive)))) {
            found.push_back(static_cast<std::int16_t>(r));
        }
    }
    set.drillWords = inRandomOrder(found, random);
    buildSentenceList(set, banks, random);
}

void selectAtRandom(DrillSet& set, const Banks& banks, const QString& countText,
                    RandomSource& random) {
    const int words = questionRows(banks.WordBank);
    const int count = std::min(parseQuestionCount(countText), words);
    set.drillWords = randomOrder(words, 1, count, true, random);
    buildSentenceList(set, banks, random);
}

void buildSentenceList(DrillSet& set, const Banks& banks, RandomSource& random) {
    // Sentences name their word by its key text; collect the keys of the
    // asked words, ignoring entries that are not question rows.
    const int words = questionRows(banks.WordBank);
    QSet<QString> wordKeys;
    for (const int r : set.drillWords) {
        if (r >= 1 && r <= words) {
            wordKeys.insert(wordAt(banks, r).key);
        }
    }

    std::vector<std::int16_t> found;
    const int sentences = questionRows(banks.SentenceBank);
    for (int s = 1; s <= sentences; ++s) {
        if (wordKeys.contains(sentenceAt(banks, s).wordKey)) {
            found.push_back(static_cast<std::int16_t>(s));
        }
    }
    set.drillSentences = inRandomOrder(found, random);
}

} // namespace tavik
