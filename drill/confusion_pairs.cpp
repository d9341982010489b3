#include "drill/confusion_pairs.h"

#include "drill/book_memory.h"

#include <QHash>
#include <QMultiHash>
#include <algorithm>

namespace tavik {

namespace {

QString comparable(const QString& word) {
    return word.trimmed().normalized(QString::NormalizationForm_KC).toLower();
}

struct OpenPair {
    ConfusionPair pair;
    QDate firstRight; // the last day each word was right since the mix-up
    QDate secondRight;
    bool open = true;
};

} // namespace

std::vector<ConfusionPair> openConfusionPairs(const Banks& banks,
                                              const std::vector<StoredAnswer>& answers) {
    const BookRows rows(banks);
    QHash<QString, int> rowByTyped;
    for (std::size_t row = 1; row < banks.WordBank.size(); ++row) {
        const BankRow& word = banks.WordBank[row];
        if (word.size() > WordField::Headword) {
            rowByTyped.insert(comparable(word[WordField::Headword]), static_cast<int>(row));
        }
    }
    std::vector<OpenPair> pairs;
    QHash<std::pair<int, int>, std::size_t> pairIndex;
    QMultiHash<int, std::size_t> pairsOfRow;
    for (const StoredAnswer& answer : answers) {
        const int row = rows.rowOf(answer.headword, answer.wordKey);
        if (row == 0) {
            continue;
        }
        const QDate day = answer.when.toLocalTime().date();
        if (!answer.right) {
            const int typedRow = rowByTyped.value(comparable(answer.typed), 0);
            if (typedRow != 0 && typedRow != row) {
                const std::pair<int, int> key{std::min(row, typedRow), std::max(row, typedRow)};
                auto found = pairIndex.constFind(key);
                if (found == pairIndex.constEnd()) {
                    found = pairIndex.insert(key, pairs.size());
                    pairs.push_back({{key.first, key.second, {}}, {}, {}, true});
                    pairsOfRow.insert(key.first, found.value());
                    pairsOfRow.insert(key.second, found.value());
                }
                pairs[found.value()] = {{key.first, key.second, answer.when}, {}, {}, true};
                continue;
            }
        }
        for (auto it = pairsOfRow.constFind(row); it != pairsOfRow.constEnd() && it.key() == row;
             ++it) {
            OpenPair& open = pairs[it.value()];
            QDate& mine = open.pair.first == row ? open.firstRight : open.secondRight;
            // A miss since undoes the day's right answer.
            mine = answer.right ? day : QDate();
            if (open.firstRight.isValid() && open.firstRight == open.secondRight) {
                open.open = false;
            }
        }
    }
    std::vector<ConfusionPair> open;
    for (const OpenPair& pair : pairs) {
        if (pair.open) {
            open.push_back(pair.pair);
        }
    }
    std::stable_sort(open.begin(), open.end(), [](const ConfusionPair& a, const ConfusionPair& b) {
        return a.confusedAt > b.confusedAt;
    });
    return open;
}

QString confusionText(const Banks& banks, const ConfusionPair& pair) {
    return QStringLiteral("%1 と %2")
        .arg(banks.WordBank[static_cast<std::size_t>(pair.first)][WordField::Headword],
             banks.WordBank[static_cast<std::size_t>(pair.second)][WordField::Headword]);
}

} // namespace tavik
