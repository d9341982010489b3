#include "drill/todays_study.h"

#include "drill/drill_questions.h"
#include "drill/selection.h"
#include "drill/weak_word_pick.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <map>
#include <set>

namespace tavik {

namespace {

// New words have at least a third of the day's goal, and no more than this
// many words of it: at 15 answers a day that meets the whole book within a
// month, and a larger goal spends its rest on new words only when nothing
// is due.
constexpr std::size_t kNewShare = 3;
constexpr std::size_t kMostKeptForNew = 5;

QString dayText(QDate day) {
    return QStringLiteral("%1月%2日").arg(day.month()).arg(day.day());
}

} // namespace

TodaysStudy planToday(const BookMemory& book, const Banks& banks, QDate today, int goal) {
    TodaysStudy study;
    const auto wanted = static_cast<std::size_t>(std::max(goal, 0));
    std::vector<bool> asked(banks.WordBank.size(), false);
    std::size_t metToday = 0;
    for (const BookWord& word : book.words) {
        asked[static_cast<std::size_t>(word.row)] = true;
        if (word.memory.lastDay == today && !word.memory.missedLast) {
            ++study.answeredToday;
        }
        metToday += word.memory.firstDay == today ? 1 : 0;
    }
    std::vector<int> neverAsked;
    for (std::size_t row = 1; row < banks.WordBank.size(); ++row) {
        if (!asked[row]) {
            neverAsked.push_back(static_cast<int>(row));
        }
    }
    // A share of each day is kept for new words while the book has them, so
    // that words due never crowd the rest of the book out.
    const std::size_t share =
        std::min({neverAsked.size(), (wanted + kNewShare - 1) / kNewShare, kMostKeptForNew});
    const std::size_t kept = share > metToday ? share - metToday : 0;
    const auto take = [&](int row) {
        if (study.due.size() + kept >= wanted ||
            std::find(study.due.begin(), study.due.end(), row) != study.due.end()) {
            return false;
        }
        study.due.push_back(row);
        return true;
    };
    for (const ConfusionPair& pair : book.confusions) {
        // Both words of a pair or neither.
        if (study.due.size() + kept + 2 <= wanted) {
            take(pair.first);
            take(pair.second);
            study.pairs.push_back(pair);
        }
    }
    for (const BookWord& word : dueBookWords(book, today)) {
        take(word.row);
    }
    const std::size_t spent = study.due.size() + static_cast<std::size_t>(study.answeredToday);
    const std::size_t fresh =
        std::min(neverAsked.size(), std::max(kept, spent < wanted ? wanted - spent : 0));
    // The i-th of n words taken from the middle of its n-th of the book.
    for (std::size_t i = 0; i < fresh; ++i) {
        const std::size_t at = (2 * i + 1) * neverAsked.size() / (2 * fresh);
        study.fresh.push_back(neverAsked[at]);
    }
    // A drill needs two words: a lone one is paired as the 苦手 pick pairs it.
    if (study.due.size() == 1 && study.fresh.empty()) {
        const std::vector<BookWord> paired = weakWordCandidates(book, today);
        if (paired.size() == 2) {
            study.due.push_back(paired[1].row);
        }
    }
    return study;
}

bool selectToday(DrillSet& set, const Banks& banks, const TodaysStudy& study,
                 RandomSource& random) {
    // The drill is shuffled a unit at a time: a confusion pair is one unit.
    std::vector<std::vector<std::int16_t>> units;
    std::set<int> placed;
    for (const ConfusionPair& pair : study.pairs) {
        std::vector<std::int16_t> unit;
        for (const int row : {pair.first, pair.second}) {
            if (placed.insert(row).second) {
                unit.push_back(static_cast<std::int16_t>(row));
            }
        }
        if (!unit.empty()) {
            units.push_back(std::move(unit));
        }
    }
    for (const std::vector<int>* part : {&study.due, &study.fresh}) {
        for (const int row : *part) {
            if (placed.insert(row).second) {
                units.push_back({static_cast<std::int16_t>(row)});
            }
        }
    }
    if (units.empty()) {
        return false;
    }
    std::shuffle(units.begin(), units.end(), random.engine());
    set.drillWords.clear();
    for (const std::vector<std::int16_t>& unit : units) {
        set.drillWords.insert(set.drillWords.end(), unit.begin(), unit.end());
    }
    buildSentenceList(set, banks, random);
    // The sentences follow their words, so a pair's stay side by side too.
    QHash<QString, std::size_t> positionOf;
    for (std::size_t at = 0; at < set.drillWords.size(); ++at) {
        positionOf.insert(wordAt(banks, set.drillWords[at]).key, at);
    }
    std::stable_sort(set.drillSentences.begin(), set.drillSentences.end(),
                     [&](std::int16_t a, std::int16_t b) {
                         return positionOf.value(sentenceAt(banks, a).wordKey) <
                                positionOf.value(sentenceAt(banks, b).wordKey);
                     });
    return true;
}

bool askInOtherForm(const TodaysStudy& study, const BookMemory& book, const Banks& banks,
                    QDate today, bool wordsChosen) {
    if (!study.fresh.empty() || study.due.empty()) {
        return false;
    }
    bool missedToday = false;
    for (const BookWord& word : book.words) {
        const WordMemory& memory = word.memory;
        if (memory.lastDay != today || !memory.missedLast ||
            std::find(study.due.begin(), study.due.end(), word.row) == study.due.end()) {
            continue;
        }
        if ((memory.lastWrongSentence == 0) != wordsChosen) {
            return false;
        }
        missedToday = true;
    }
    if (!missedToday || !wordsChosen) {
        return missedToday;
    }
    QSet<QString> withSentence;
    for (std::size_t row = 1; row < banks.SentenceBank.size(); ++row) {
        withSentence.insert(sentenceAt(banks, static_cast<int>(row)).wordKey);
    }
    return std::all_of(study.due.begin(), study.due.end(),
                       [&](int row) { return withSentence.contains(wordAt(banks, row).key); });
}

QString todayLine(const TodaysStudy& study, const BookMemory& book, QDate today) {
    if (!study.due.empty() || !study.fresh.empty()) {
        return QStringLiteral("今日: 復習 %1語＋新出 %2語")
            .arg(study.due.size())
            .arg(study.fresh.size());
    }
    std::map<QDate, int> dueOn;
    for (const BookWord& word : book.words) {
        const QDate due = dueDate(word.memory, book.retention);
        if (due > today) {
            ++dueOn[due];
        }
    }
    if (dueOn.empty()) {
        return QStringLiteral("今日の学習は終わりました");
    }
    const auto& [next, count] = *dueOn.begin();
    return QStringLiteral("今日の学習は終わりました。次は%1に%2語")
        .arg(next == today.addDays(1) ? QStringLiteral("明日") : dayText(next))
        .arg(count);
}

QString knownLine(const BookMemory& book, const BookMemory& weekAgo, QDate today) {
    const int known = knownWordCount(book, today);
    QString line = QStringLiteral("覚えた単語 %1/%2").arg(known).arg(book.bookWords);
    if (known >= book.bookWords) {
        return line;
    }
    const double pace =
        static_cast<double>(known - knownWordCount(weekAgo, today.addDays(-kPaceDays))) / kPaceDays;
    if (pace <= 0) {
        return line;
    }
    const auto days = static_cast<qint64>(std::ceil((book.bookWords - known) / pace));
    return line + QStringLiteral("（このペースで%1に全語）").arg(dayText(today.addDays(days)));
}

} // namespace tavik

namespace tavik {

QString knownRuleText() {
    return QStringLiteral("覚えた単語: %1日後も%2割以上の見込みで思い出せる単語")
        .arg(kKnownAheadDays)
        .arg(static_cast<int>(kKnownRecall * 10));
}

} // namespace tavik
