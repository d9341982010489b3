#pragma once

#include "history/leitner.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>
#include <optional>
#include <vector>

namespace tavik {

// One question of a graded drill: the word it asked for (a sentence question
// counts for the word its blank stands for), the sentence when it was one,
// and whether the answer was right.
struct AnsweredQuestion {
    int wordKey = 0;
    int sentenceKey = 0; // 0 for a word question
    bool right = false;
};

// The learner's record of every graded question, kept in an SQLite file
// beside the ini files, and the Leitner state each word has from it. The
// file may be shared by copies of Tavik grading at the same time: writes
// wait for each other, and each grading lands whole or not at all.
class HistoryStore {
public:
    enum class Health {
        Closed,      // not opened yet
        Ready,       // the record is open and was read
        Renewed,     // the file was unreadable: it was set aside, a new record begun
        Unavailable, // no record could be opened; gradings wait in memory
    };

    HistoryStore();
    ~HistoryStore();
    HistoryStore(const HistoryStore&) = delete;
    HistoryStore& operator=(const HistoryStore&) = delete;

    // Opens the record in the file, creating it when missing. A file that
    // cannot be opened, is not a database, is damaged or holds something else
    // is renamed aside, never deleted, and a new record is begun in its place.
    void open(const QString& path);
    Health health() const { return m_health; }
    // Where the unreadable file went; empty when none was set aside.
    const QString& setAsideFile() const { return m_setAside; }

    // Stores one graded drill, one row a question, and moves its words on in
    // their boxes, all in one transaction, together with the gradings that
    // could not be stored before. When the file cannot be written the drill
    // is kept in memory for the next grading, the failure is reported on
    // standard error, and false is returned.
    bool record(const std::vector<AnsweredQuestion>& questions, const QDateTime& when);
    int unsavedGradings() const { return static_cast<int>(m_unsaved.size()); }

    // The state of every word ever graded, as the file holds it now (another
    // copy may have graded meanwhile); none when the record cannot be read.
    std::optional<std::vector<WordState>> wordStates();

private:
    struct Grading {
        std::vector<AnsweredQuestion> questions;
        QDateTime when;
    };
    enum class Outcome { Done, Damaged, Failed };

    Outcome connect();
    Outcome prepareFile();
    Outcome writeUnsaved();
    Outcome storeGradings();
    void disconnect();
    // Opens the file; an unreadable one is set aside and a new one begun.
    bool openOrRenew();
    bool ensureOpen();

    QString m_path;
    QString m_connection;
    QSqlDatabase m_db;
    Health m_health = Health::Closed;
    QString m_setAside;
    std::vector<Grading> m_unsaved;
};

} // namespace tavik
