#pragma once

#include "content/banks.h"
#include "drill/book_memory.h"
#include "history/history_store.h"
#include "history/stored_answer.h"
#include "history/word_memory.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <optional>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace tavik {

// The learner's memory of the book, kept between the main window's
// refreshes (after each drill, at each press, at midnight): replaying a
// long record every time would make the window wait longer than a drill.
// Only the words of the answers stored since the last refresh are replayed.
class BookMemoryCache {
public:
    // Brings the memory up to what the record holds now. A record put in
    // the file's place, or an answer older than the newest one read (a
    // grading that waited, another copy's), replays the whole record. False,
    // leaving the memory as it was, when the record cannot be read.
    bool refresh(HistoryStore& history, const Banks& banks, double retention);
    const BookMemory& book() const { return m_book; }
    // The learner's own weights once the record holds enough answers
    // (learnerParameters), refitted as it grows by a tenth.
    const MemoryParameters& parameters() const { return m_parameters; }
    // The memory as the answers up to the end of the day left it.
    const BookMemory& bookAsOf(QDate day);

private:
    struct Word {
        std::vector<std::size_t> answers; // in m_answers
        WordMemory memory;
    };

    void forget();
    // Returns the identity of the answer's word.
    QString add(const StoredAnswer& answer);
    std::vector<StoredAnswer> answersOf(const Word& word, QDate until) const;
    void rebuildBook(const Banks& banks, double retention);
    // Refits the weights when the record has grown enough; true when it did.
    bool refit();

    std::pair<dev_t, ino_t> m_identity{};
    MemoryParameters m_parameters;
    std::size_t m_fittedAt = 0; // the answers the weights were fitted to
    qint64 m_lastId = 0;
    QDateTime m_newest;
    std::vector<StoredAnswer> m_answers; // oldest first
    // Every word answered, in the order of its first answer.
    std::vector<Word> m_words;
    QHash<QString, std::size_t> m_indexOf;
    BookMemory m_book;
    const Banks* m_banks = nullptr;
    std::optional<std::pair<QDate, BookMemory>> m_asOf;
};

} // namespace tavik
