#include "drill/book_memory_cache.h"

#include <QSet>
#include <algorithm>

namespace tavik {

void BookMemoryCache::forget() {
    m_parameters = {};
    m_fittedAt = 0;
    m_lastId = 0;
    m_newest = {};
    m_answers.clear();
    m_words.clear();
    m_indexOf.clear();
    m_asOf.reset();
}

QString BookMemoryCache::add(const StoredAnswer& answer) {
    const QString identity = wordIdentity(answer);
    auto found = m_indexOf.constFind(identity);
    if (found == m_indexOf.constEnd()) {
        found = m_indexOf.insert(identity, m_words.size());
        m_words.emplace_back();
    }
    m_words[found.value()].answers.push_back(m_answers.size());
    m_answers.push_back(answer);
    m_lastId = std::max(m_lastId, answer.id);
    if (answer.when.isValid() && (!m_newest.isValid() || answer.when > m_newest)) {
        m_newest = answer.when;
    }
    return identity;
}

bool BookMemoryCache::refresh(HistoryStore& history, const Banks& banks, double retention) {
    std::optional<std::vector<StoredAnswer>> fresh = history.answers(m_lastId);
    if (!fresh) {
        return false;
    }
    const bool sameFile = history.fileIdentity() == m_identity && m_lastId > 0;
    const bool inOrder =
        std::all_of(fresh->begin(), fresh->end(),
                    [this](const StoredAnswer& answer) { return answer.when > m_newest; });
    const bool replayAll = !sameFile || !inOrder;
    if (replayAll) {
        if (m_lastId > 0) {
            fresh = history.answers();
            if (!fresh) {
                return false;
            }
        }
        forget();
        m_identity = history.fileIdentity();
    }
    QSet<QString> moved;
    for (const StoredAnswer& answer : *fresh) {
        moved.insert(add(answer));
    }
    if (refit()) {
        moved = QSet<QString>(m_indexOf.keyBegin(), m_indexOf.keyEnd());
    }
    for (const QString& identity : std::as_const(moved)) {
        Word& word = m_words[m_indexOf.value(identity)];
        word.memory = replayAnswers(answersOf(word, {}), m_parameters).front();
    }
    if (replayAll || !moved.isEmpty() || m_banks != &banks || m_book.retention != retention) {
        m_asOf.reset();
        m_banks = &banks;
        rebuildBook(banks, retention);
    }
    return true;
}

bool BookMemoryCache::refit() {
    constexpr std::size_t kGrowthTenths = 11;
    if (m_answers.size() < kFittingAnswers ||
        (m_fittedAt > 0 && m_answers.size() * 10 < m_fittedAt * kGrowthTenths)) {
        return false;
    }
    m_parameters = learnerParameters(m_answers);
    m_fittedAt = m_answers.size();
    return true;
}

void BookMemoryCache::rebuildBook(const Banks& banks, double retention) {
    std::vector<WordMemory> memories;
    memories.reserve(m_words.size());
    for (const Word& word : m_words) {
        memories.push_back(word.memory);
    }
    m_book = bookOfMemories(banks, std::move(memories), retention);
    m_book.confusions = openConfusionPairs(banks, m_answers);
}

std::vector<StoredAnswer> BookMemoryCache::answersOf(const Word& word, QDate until) const {
    std::vector<StoredAnswer> answers;
    for (const std::size_t at : word.answers) {
        const StoredAnswer& answer = m_answers[at];
        if (!until.isValid() || answer.when.toLocalTime().date() <= until) {
            answers.push_back(answer);
        }
    }
    return answers;
}

const BookMemory& BookMemoryCache::bookAsOf(QDate day) {
    if (!m_asOf || m_asOf->first != day) {
        std::vector<WordMemory> memories;
        for (const Word& word : m_words) {
            const std::vector<WordMemory> replayed =
                replayAnswers(answersOf(word, day), m_parameters);
            if (!replayed.empty()) {
                memories.push_back(replayed.front());
            }
        }
        m_asOf.emplace(day, m_banks != nullptr
                                ? bookOfMemories(*m_banks, std::move(memories), m_book.retention)
                                : BookMemory{});
    }
    return m_asOf->second;
}

} // namespace tavik
