#include "drill/weak_word_pick.h"

#include "drill/selection.h"

#include <algorithm>

namespace tavik {

namespace {

// The first day after `today` on which a word falls due; invalid when none.
QDate nextDueDay(const BookMemory& book, QDate today) {
    QDate next;
    for (const BookWord& word : book.words) {
        const QDate due = dueDate(word.memory, book.retention);
        if (due > today && (!next.isValid() || due < next)) {
            next = due;
        }
    }
    return next;
}

} // namespace

std::vector<BookWord> weakWordCandidates(const BookMemory& book, QDate today) {
    std::vector<BookWord> candidates = dueBookWords(book, today);
    if (candidates.size() == 1) {
        const BookWord* next = nullptr;
        for (const BookWord& word : book.words) {
            if (word.row == candidates.front().row) {
                continue;
            }
            const QDate due = dueDate(word.memory, book.retention);
            const QDate nextDue = next ? dueDate(next->memory, book.retention) : QDate();
            if (next == nullptr || due < nextDue ||
                (due == nextDue && weakerThan(word, *next, today))) {
                next = &word;
            }
        }
        if (next != nullptr) {
            candidates.push_back(*next);
        }
    }
    return candidates;
}

bool selectWeakWords(DrillSet& set, const Banks& banks, const std::vector<BookWord>& candidates,
                     const QString& countText, RandomSource& random) {
    const int asked = parseQuestionCount(countText);
    const std::size_t wanted = asked > 0 ? static_cast<std::size_t>(asked) : kDefaultWeakWordCount;
    std::vector<std::int16_t> picked;
    for (const BookWord& word : candidates) {
        if (picked.size() == wanted) {
            break;
        }
        picked.push_back(static_cast<std::int16_t>(word.row));
    }
    if (picked.empty()) {
        return false;
    }
    std::shuffle(picked.begin(), picked.end(), random.engine());
    set.drillWords = std::move(picked);
    buildSentenceList(set, banks, random);
    return true;
}

QString nextDueText(const BookMemory& book, QDate today) {
    const QDate next = nextDueDay(book, today);
    if (!next.isValid()) {
        return {};
    }
    const qint64 days = today.daysTo(next);
    const QString when = days == 1 ? QStringLiteral("明日") : QStringLiteral("%1日後").arg(days);
    return QStringLiteral("次の単語は%1月%2日（%3）に復習できます")
        .arg(next.month())
        .arg(next.day())
        .arg(when);
}

} // namespace tavik
