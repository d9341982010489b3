#pragma once

#include "history/answered_question.h"
#include "history/leitner.h"
#include "history/stored_answer.h"

#include <QDateTime>
#include <QHash>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <optional>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace tavik {

// The learner's record of every graded question, kept in an SQLite file
// beside the ini files, and the Leitner state each word has from it. The
// file may be shared by copies of Tavik grading at the same time: writes
// wait for each other, and each grading lands whole or not at all.
class HistoryStore {
public:
    enum class Health {
        Closed,      // not opened yet
        Ready,       // the record is open and was read
        ReadOnly,    // readable, but this user cannot write it; gradings wait in memory
        Newer,       // written by a later version of Tavik: read, never written
        Renewed,     // the file was damaged: it was set aside, a new record begun
        Recreated,   // the file went away while the program ran: a new one was begun
        Unavailable, // the file cannot be opened now; gradings wait in memory
    };

    HistoryStore();
    explicit HistoryStore(const QString& path) : HistoryStore() { open(path); }
    ~HistoryStore();
    HistoryStore(const HistoryStore&) = delete;
    HistoryStore& operator=(const HistoryStore&) = delete;

    // Opens the record in the file, creating it when missing. Only a file
    // SQLite finds damaged or not a database is renamed aside (never
    // deleted, companions and all) and a new record begun in its place; a
    // file that merely cannot be opened now is left where it is and tried
    // again at the next grading. bankHeadwords, word key to headword, names
    // the words of answers stored before the record kept headwords.
    void open(const QString& path, const QHash<int, QString>& bankHeadwords = {});
    Health health() const { return m_health; }
    // Where the damaged file went; empty when none was set aside.
    const QString& setAsideFile() const { return m_setAside; }
    // Whether the record is in WAL mode (false: SQLite's rollback journal,
    // as on a network folder, where WAL is unsafe).
    bool usesWriteAheadLog() const { return m_wal; }

    // Stores one graded drill, one row a question, and moves its words on in
    // their boxes, all in one transaction, together with the gradings that
    // could not be stored before, oldest first. Questions without a word of
    // the bank are left out. When the file cannot be written the drill is
    // kept in memory for the next grading, the failure is reported on
    // standard error, and false is returned.
    bool record(const std::vector<AnsweredQuestion>& questions, const QDateTime& when);
    // Tries again to store the gradings that wait in memory; true when none
    // is left waiting.
    bool storeWaiting();
    int unsavedGradings() const { return static_cast<int>(m_unsaved.size()); }
    const QString& path() const { return m_path; }

    // The state of every word ever graded, as the file holds it now (another
    // copy may have graded meanwhile); none when the record cannot be read.
    std::optional<std::vector<WordState>> wordStates();
    // Every stored answer of a row after afterId, oldest first; none when
    // the record cannot be read.
    std::optional<std::vector<StoredAnswer>> answers(qint64 afterId = 0);
    // The file the record was last read from or written to: a record put in
    // its place has ids of its own.
    std::pair<dev_t, ino_t> fileIdentity() const { return m_identity; }

    // Copies everything the log holds into the record file itself and
    // closes it, so that the one file is a whole backup.
    void close();

private:
    struct Grading {
        std::vector<AnsweredQuestion> questions;
        QDateTime when;
    };
    enum class Outcome { Done, ReadOnly, Newer, Damaged, Failed };
    enum class Access { Write, Read, ReadAsItLies };

    Outcome connect(Access access);
    Outcome checkFile();
    Outcome prepareFile();
    Outcome migrate();
    Outcome writeUnsaved();
    Outcome storeGradings();
    void disconnect();
    // Opens the file; a damaged one is set aside and a new one begun.
    bool openOrRenew();
    // companions: the files beside the record before it was first read.
    bool setAside(const QStringList& companions);
    bool ensureOpen();
    // Whether the file opened is still the one at m_path.
    bool fileStillThere() const;
    void letGoOfChangedFile();
    bool writableNow() const;
    const QString& wordsQuery();
    const QString& answersQuery();

    QString m_path;
    QString m_connection;
    QSqlDatabase m_db;
    QHash<int, QString> m_bankHeadwords;
    QString m_wordsQuery;
    QString m_answersQuery;
    Health m_health = Health::Closed;
    QString m_setAside;
    bool m_wal = true;
    std::pair<dev_t, ino_t> m_identity;
    // The log and index files the write connection found or made.
    std::vector<std::pair<dev_t, ino_t>> m_companions;
    std::vector<Grading> m_unsaved;
};

} // namespace tavik
