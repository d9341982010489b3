#include "history/history_store.h"

#include "history/damaged_file.h"
#include "history/network_folder.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QUrl>
#include <QVariant>
#include <algorithm>
#include <atomic>
#include <map>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavik {

namespace {

// How long a write waits while another copy of Tavik writes.
constexpr int kBusyTimeoutMs = 5000;
// How long closing waits for another copy to finish writing.
constexpr int kClosingWaitMs = 300;

// SQLite's primary result codes that tell what became of a step.
constexpr int kSqliteReadOnly = 8;
constexpr int kSqliteCorrupt = 11;
constexpr int kSqliteNotADatabase = 26;

// The layout this program writes. A record of version 1 (before answers
// kept their headword and typed text) or 2 (before each word kept the tally
// of its wrong answers and its last right one) is brought up to it at
// opening; a record of a later version is read and left as it is.
constexpr int kSchemaVersion = 3;
// The first version whose writers keep the words' tallies.
constexpr int kTalliedVersion = 3;

// A file's identity: the same path may come to name another file.
std::pair<dev_t, ino_t> identityOf(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
        return {0, 0};
    }
    return {info.st_dev, info.st_ino};
}

QString newConnectionName() {
    static std::atomic<int> next{0};
    return QStringLiteral("tavik-history-%1").arg(next++);
}

int sqliteCode(const QSqlError& error) {
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    return ok ? code & 0xff : 0;
}

struct Table {
    const char* name;
    std::initializer_list<const char*> columns; // every version has these
    const char* create;
};

const Table kTables[] = {
    {"answers",
     {"id", "graded_at", "word", "sentence", "correct"},
     "CREATE TABLE IF NOT EXISTS answers ("
     " id INTEGER PRIMARY KEY,"
     " graded_at INTEGER NOT NULL," // milliseconds since the epoch, UTC
     " word INTEGER NOT NULL,"
     " sentence INTEGER," // null for a word question
     " correct INTEGER NOT NULL,"
     " headword TEXT,"
     " typed TEXT)"},
    // Each word's box as its answers left it; written in the same
    // transaction as the answers, so the two always agree.
    {"words",
     {"word", "box", "last_graded", "last_missed"},
     "CREATE TABLE IF NOT EXISTS words ("
     " word INTEGER PRIMARY KEY,"
     " box INTEGER NOT NULL,"
     " last_graded INTEGER NOT NULL,"
     " last_missed INTEGER,"
     " last_raised INTEGER," // the last time a right answer moved it up a box
     " headword TEXT,"
     " wrong_answers INTEGER NOT NULL DEFAULT 0,"
     " last_right INTEGER)"},
};

// Columns version 2 added, each with its table.
const std::pair<const char*, const char*> kAddedColumns[] = {
    {"answers", "headword TEXT"},
    {"answers", "typed TEXT"},
    {"words", "last_raised INTEGER"},
    {"words", "headword TEXT"},
    {"words", "wrong_answers INTEGER NOT NULL DEFAULT 0"},
    {"words", "last_right INTEGER"},
};

QStringList columnsOf(QSqlQuery& query, const QString& table) {
    QStringList columns;
    if (query.exec(QStringLiteral("PRAGMA table_info(%1)").arg(table))) {
        while (query.next()) {
            columns.append(query.value(1).toString());
        }
    }
    return columns;
}

// Whether those of our tables that the file holds have the columns every
// version of the record had. Tables of others (SQLite's own statistics, or
// what a later version adds) are left alone.
bool ourTablesAreOurs(QSqlQuery& query) {
    for (const Table& table : kTables) {
        const QStringList columns = columnsOf(query, QString::fromLatin1(table.name));
        for (const char* column : table.columns) {
            if (!columns.isEmpty() && !columns.contains(QLatin1String(column))) {
                return false;
            }
        }
    }
    return true;
}

QDateTime timeOf(const QVariant& value) {
    return value.isNull() ? QDateTime()
                          : QDateTime::fromMSecsSinceEpoch(value.toLongLong(), Qt::UTC);
}

QVariant valueOf(const QDateTime& time) {
    return time.isValid() ? QVariant(time.toMSecsSinceEpoch()) : QVariant();
}

QVariant textOf(const QString& text) {
    return text.isNull() ? QVariant() : QVariant(text);
}

// A query of the columns, each read as null where the file's table lacks it
// (a record of version 1 that this user may only read).
QString selectFrom(QSqlQuery& query, const char* table, const QStringList& columns,
                   const char* rest = "") {
    const QStringList present = columnsOf(query, QString::fromLatin1(table));
    QStringList read;
    for (const QString& column : columns) {
        read.append(present.contains(column) ? column : QStringLiteral("NULL"));
    }
    return QStringLiteral("SELECT %1 FROM %2 %3")
        .arg(read.join(QStringLiteral(", ")), QLatin1String(table), QLatin1String(rest));
}

QString selectWords(QSqlQuery& query) {
    return selectFrom(query, "words",
                      {QStringLiteral("word"), QStringLiteral("box"), QStringLiteral("last_graded"),
                       QStringLiteral("last_missed"), QStringLiteral("last_raised"),
                       QStringLiteral("headword"), QStringLiteral("wrong_answers"),
                       QStringLiteral("last_right")});
}

WordState wordStateAt(const QSqlQuery& query) {
    return {query.value(0).toInt(), query.value(1).toInt(), timeOf(query.value(2)),
            timeOf(query.value(3)), timeOf(query.value(4)), query.value(5).toString(),
            query.value(6).toInt(), timeOf(query.value(7))};
}

} // namespace

HistoryStore::HistoryStore() : m_connection(newConnectionName()) {}

HistoryStore::~HistoryStore() {
    close();
}

void HistoryStore::open(const QString& path, const QHash<int, QString>& bankHeadwords) {
    disconnect();
    m_path = path;
    m_bankHeadwords = bankHeadwords;
    m_setAside.clear();
    m_health = Health::Closed;
    openOrRenew();
}

void HistoryStore::close() {
    if (m_db.isOpen() && m_health != Health::ReadOnly && m_health != Health::Newer) {
        QSqlQuery checkpoint(m_db);
        // Closing never waits long for another copy that is writing; its
        // own closing folds in whatever is left.
        checkpoint.exec(QStringLiteral("PRAGMA busy_timeout = %1").arg(kClosingWaitMs));
        if (!checkpoint.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"))) {
            qWarning().noquote() << "The learning record" << m_path
                                 << "could not be folded into one file -"
                                 << checkpoint.lastError().text();
        }
    }
    disconnect();
}

bool HistoryStore::ensureOpen() {
    if (m_db.isOpen() && !fileStillThere()) {
        // A backup restored, a sync folder's copy: the file now at the path
        // is the record from here on. None at all: a new one is begun.
        const bool replaced = QFileInfo::exists(m_path);
        qWarning().noquote() << "The learning record" << m_path << "was"
                             << (replaced ? "replaced" : "moved or deleted")
                             << "while Tavik ran; the file at its place is used";
        letGoOfChangedFile();
        if (openOrRenew() && m_health == Health::Ready && !replaced) {
            m_health = Health::Recreated;
        }
        return m_db.isOpen();
    }
    if (m_db.isOpen()) {
        return true;
    }
    return !m_path.isEmpty() && openOrRenew();
}

bool HistoryStore::fileStillThere() const {
    return identityOf(m_path) == m_identity;
}

// Closing a connection in WAL mode deletes the log and index by their names,
// which now may be those of the file put in the record's place; and a log of
// the old file left at the path would be read into the new one. So the
// closing leaves the files at the path alone, and only the companions that
// are still the very files this connection opened are removed: the old
// file's log was folded into it as it closed.
void HistoryStore::letGoOfChangedFile() {
    const QVariant handle = m_db.isOpen() ? m_db.driver()->handle() : QVariant();
    if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0) {
        int persist = 1;
        sqlite3_file_control(*static_cast<sqlite3* const*>(handle.constData()), "main",
                             SQLITE_FCNTL_PERSIST_WAL, &persist);
    }
    QStringList ours;
    for (const QString& companion : companionsOf(m_path)) {
        if (std::find(m_companions.begin(), m_companions.end(), identityOf(companion)) !=
            m_companions.end()) {
            ours.append(companion);
        }
    }
    disconnect();
    for (const QString& companion : ours) {
        QFile::remove(companion);
    }
}

// The file is first only read, so that a damaged one is set aside exactly as
// it was found: a connection that may write would fold its log into it on
// closing.
bool HistoryStore::openOrRenew() {
    const QStringList companions = companionsOf(m_path);
    Outcome outcome = QFileInfo::exists(m_path) ? connect(Access::Read) : Outcome::Done;
    if (outcome == Outcome::ReadOnly) {
        // A record in WAL mode needs its index file beside it even to be
        // read; where none exists nor can be made (another account's
        // folder), the file is read as it lies, without its log.
        outcome = connect(Access::ReadAsItLies);
        if (outcome == Outcome::Done) {
            outcome = Outcome::ReadOnly;
        }
    }
    if (outcome == Outcome::Damaged) {
        if (!setAside(companions)) {
            m_health = Health::Unavailable;
            return false;
        }
        outcome = Outcome::Done;
    }
    if (outcome == Outcome::Newer) {
        qWarning().noquote() << "The learning record" << m_path
                             << "was written by a later version of Tavik; it is only read";
        m_health = Health::Newer;
        return true;
    }
    if (outcome == Outcome::Done) {
        outcome = connect(Access::Write);
    }
    if (outcome == Outcome::ReadOnly) {
        qWarning().noquote() << "The learning record" << m_path
                             << "cannot be written; gradings wait in memory";
        m_health = Health::ReadOnly;
        return true;
    }
    if (outcome != Outcome::Done) {
        disconnect();
        m_health = Health::Unavailable;
        return false;
    }
    if (m_health != Health::Renewed && m_health != Health::Recreated) {
        m_health = Health::Ready;
    }
    return true;
}

// Two copies may find the same damaged file at once: the lock lets one set
// it aside, and the other, finding a sound record in its place afterwards,
// leaves that record alone.
bool HistoryStore::setAside(const QStringList& companions) {
    disconnect();
    QLockFile lock(m_path + QStringLiteral(".lock"));
    if (!lock.tryLock(kBusyTimeoutMs)) {
        qWarning().noquote() << "The learning record" << m_path
                             << "is damaged, and another copy of Tavik is busy with it";
        return false;
    }
    if (connect(Access::Read) != Outcome::Damaged) {
        disconnect();
        return true;
    }
    disconnect();
    const QString aside = setDamagedFileAside(m_path, companions);
    if (aside.isEmpty()) {
        qWarning().noquote() << "The learning record" << m_path
                             << "is damaged and cannot be moved aside; grading goes on without it";
        return false;
    }
    qWarning().noquote() << "The learning record" << m_path << "was damaged; it was kept as"
                         << aside << "and a new record begun";
    m_setAside = aside;
    m_health = Health::Renewed;
    return true;
}

// The file's columns are read once a connection, not at every grading.
const QString& HistoryStore::wordsQuery() {
    if (m_wordsQuery.isEmpty()) {
        QSqlQuery query(m_db);
        m_wordsQuery = selectWords(query);
    }
    return m_wordsQuery;
}

const QString& HistoryStore::answersQuery() {
    if (m_answersQuery.isEmpty()) {
        QSqlQuery query(m_db);
        m_answersQuery =
            selectFrom(query, "answers",
                       {QStringLiteral("graded_at"), QStringLiteral("word"),
                        QStringLiteral("headword"), QStringLiteral("sentence"),
                        QStringLiteral("typed"), QStringLiteral("correct"), QStringLiteral("id")},
                       "WHERE id > ? ORDER BY graded_at, id");
    }
    return m_answersQuery;
}

void HistoryStore::disconnect() {
    m_wordsQuery.clear();
    m_answersQuery.clear();
    if (!m_db.isValid()) {
        return;
    }
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connection);
}

HistoryStore::Outcome HistoryStore::connect(Access access) {
    disconnect();
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs);
    if (access == Access::ReadAsItLies) {
        QUrl file = QUrl::fromLocalFile(QFileInfo(m_path).absoluteFilePath());
        file.setQuery(QStringLiteral("immutable=1"));
        m_db.setDatabaseName(file.toString(QUrl::FullyEncoded));
        options += QStringLiteral(";QSQLITE_OPEN_URI");
    } else {
        m_db.setDatabaseName(m_path);
    }
    if (access != Access::Write) {
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    }
    m_db.setConnectOptions(options);
    if (!m_db.open()) {
        qWarning().noquote() << "Could not open the learning record" << m_path << "-"
                             << m_db.lastError().text();
        return Outcome::Failed;
    }
    m_identity = identityOf(m_path);
    m_companions.clear();
    const Outcome checked = checkFile();
    if (checked != Outcome::Done || access != Access::Write) {
        return checked;
    }
    const Outcome prepared = prepareFile();
    for (const QString& companion : companionsOf(m_path)) {
        m_companions.push_back(identityOf(companion));
    }
    return prepared;
}

// Only reads, so that a damaged file stays exactly as it was found.
HistoryStore::Outcome HistoryStore::checkFile() {
    QSqlQuery query(m_db);
    if (!query.exec(QStringLiteral("PRAGMA quick_check")) || !query.next()) {
        const QSqlError error = query.lastError();
        const int code = sqliteCode(error);
        qWarning().noquote() << "The learning record" << m_path << "cannot be read -"
                             << error.text();
        if (code == kSqliteReadOnly) {
            return Outcome::ReadOnly;
        }
        return code == kSqliteCorrupt || code == kSqliteNotADatabase ? Outcome::Damaged
                                                                     : Outcome::Failed;
    }
    if (query.value(0).toString() != QLatin1String("ok")) {
        qWarning().noquote() << "The learning record" << m_path
                             << "is damaged:" << query.value(0).toString();
        return Outcome::Damaged;
    }
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
        return Outcome::Failed;
    }
    if (query.value(0).toInt() > kSchemaVersion) {
        return Outcome::Newer;
    }
    if (!ourTablesAreOurs(query)) {
        qWarning().noquote() << "The file" << m_path
                             << "holds something other than the learning record";
        return Outcome::Failed;
    }
    return Outcome::Done;
}

HistoryStore::Outcome HistoryStore::prepareFile() {
    QSqlQuery query(m_db);
    const auto failed = [&](const char* step) {
        const QSqlError error = query.lastError();
        const int code = sqliteCode(error);
        qWarning().noquote() << "The learning record" << m_path << "failed at" << step << "-"
                             << error.text();
        if (code == kSqliteReadOnly) {
            return Outcome::ReadOnly;
        }
        return code == kSqliteCorrupt || code == kSqliteNotADatabase ? Outcome::Damaged
                                                                     : Outcome::Failed;
    };
    // Readers never wait for the writer, and a commit syncs once. Old pages
    // are copied back into the file here, at opening, rather than by
    // whichever grading happens to fill the log, so a grading never waits
    // for more than its own sync. A network folder's users share no memory,
    // which the log needs: there the rollback journal keeps the file safe.
    m_wal = !isOnNetworkFileSystem(QFileInfo(m_path).absolutePath());
    const QString journal = m_wal ? QStringLiteral("PRAGMA journal_mode=WAL")
                                  : QStringLiteral("PRAGMA journal_mode=DELETE");
    if (!query.exec(journal)) {
        return failed("choosing the journal");
    }
    for (const char* pragma : {"PRAGMA synchronous=FULL", "PRAGMA wal_autocheckpoint=0"}) {
        if (!query.exec(QString::fromLatin1(pragma))) {
            return failed(pragma);
        }
    }
    const Outcome migrated = migrate();
    if (migrated != Outcome::Done) {
        return migrated;
    }
    if (m_wal) {
        query.exec(QStringLiteral("PRAGMA wal_checkpoint(PASSIVE)"));
        // The first write after a checkpoint starts the log afresh, which
        // costs a sync of its own; this one, at opening, spares the next
        // grading it.
        if (!query.exec(QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion))) {
            return failed("starting the log");
        }
    }
    return Outcome::Done;
}

// Creates the tables, or brings a record of version 1 up to this layout,
// and marks the file with the version, all at once. Answers stored before
// headwords were kept get the headword their key has in the bank now, the
// bank they were graded against.
HistoryStore::Outcome HistoryStore::migrate() {
    QSqlQuery query(m_db);
    const auto failed = [&](const char* step, const QSqlQuery& failing) {
        const QSqlError error = failing.lastError();
        qWarning().noquote() << "The learning record" << m_path << "failed at" << step << "-"
                             << error.text();
        query.exec(QStringLiteral("ROLLBACK"));
        const int code = sqliteCode(error);
        if (code == kSqliteReadOnly) {
            return Outcome::ReadOnly;
        }
        return code == kSqliteCorrupt || code == kSqliteNotADatabase ? Outcome::Damaged
                                                                     : Outcome::Failed;
    };
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        return failed("taking the write lock", query);
    }
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
        return failed("reading the version", query);
    }
    // Writers of version 2 left the tallies as they were: counted again.
    const bool tallied = query.value(0).toInt() >= kTalliedVersion;
    for (const auto& table : kTables) {
        if (!query.exec(QString::fromLatin1(table.create))) {
            return failed("creating the tables", query);
        }
    }
    bool added = false;
    for (const auto& [table, column] : kAddedColumns) {
        const QString name = QString::fromLatin1(column).section(QLatin1Char(' '), 0, 0);
        if (!columnsOf(query, QString::fromLatin1(table)).contains(name)) {
            if (!query.exec(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2")
                                .arg(QLatin1String(table), QLatin1String(column)))) {
                return failed("adding a column", query);
            }
            added = true;
        }
    }
    if (!tallied && !query.exec(QStringLiteral(
                        "UPDATE words SET"
                        " wrong_answers = (SELECT count(*) FROM answers"
                        "                  WHERE answers.word = words.word AND correct = 0),"
                        " last_right = (SELECT max(graded_at) FROM answers"
                        "               WHERE answers.word = words.word AND correct = 1)"))) {
        return failed("counting the answers", query);
    }
    if (added) {
        QSqlQuery name(m_db);
        for (const QString& table : {QStringLiteral("answers"), QStringLiteral("words")}) {
            name.prepare(
                QStringLiteral("UPDATE %1 SET headword = ? WHERE word = ? AND headword IS NULL")
                    .arg(table));
            for (auto it = m_bankHeadwords.cbegin(); it != m_bankHeadwords.cend(); ++it) {
                name.bindValue(0, it.value());
                name.bindValue(1, it.key());
                if (!name.exec()) {
                    return failed("naming the words", name);
                }
            }
        }
    }
    // Written at every opening: where the user cannot write the file, this
    // is the step that finds out.
    if (!query.exec(QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion))) {
        return failed("marking the version", query);
    }
    if (!query.exec(QStringLiteral("COMMIT"))) {
        return failed("committing the layout", query);
    }
    return Outcome::Done;
}

bool HistoryStore::record(const std::vector<AnsweredQuestion>& questions, const QDateTime& when) {
    std::vector<AnsweredQuestion> kept;
    std::copy_if(questions.begin(), questions.end(), std::back_inserter(kept),
                 [](const AnsweredQuestion& question) { return question.wordKey > 0; });
    if (!kept.empty()) {
        m_unsaved.push_back({std::move(kept), when});
    }
    return storeWaiting();
}

bool HistoryStore::storeWaiting() {
    if (m_unsaved.empty()) {
        return true;
    }
    // Write permission given back while the program runs is found here,
    // not at the next start.
    if (m_health == Health::ReadOnly && writableNow()) {
        disconnect();
        m_health = Health::Closed;
    }
    if (m_health == Health::ReadOnly || m_health == Health::Newer || !ensureOpen()) {
        qWarning().noquote() << "The learning record" << m_path << "cannot be written;"
                             << m_unsaved.size() << "graded drills wait in memory";
        return false;
    }
    Outcome outcome = writeUnsaved();
    if (outcome == Outcome::Damaged) {
        // The file went bad while the program ran: start again beside it.
        m_health = Health::Closed;
        outcome = openOrRenew() ? writeUnsaved() : Outcome::Failed;
    }
    if (outcome != Outcome::Done) {
        if (outcome == Outcome::ReadOnly) {
            m_health = Health::ReadOnly;
        } else if (outcome == Outcome::Newer) {
            m_health = Health::Newer;
        }
        qWarning().noquote() << "Could not write the learning record" << m_path << ";"
                             << m_unsaved.size() << "graded drills wait in memory";
        return false;
    }
    m_unsaved.clear();
    return true;
}

// Whether this user may now write the file and make its companions beside it.
bool HistoryStore::writableNow() const {
    const QByteArray file = QFile::encodeName(m_path);
    const QByteArray folder = QFile::encodeName(QFileInfo(m_path).absolutePath());
    return ::access(file.constData(), R_OK | W_OK) == 0 &&
           ::access(folder.constData(), W_OK | X_OK) == 0;
}

HistoryStore::Outcome HistoryStore::writeUnsaved() {
    QSqlQuery begin(m_db);
    // Take the write lock before reading the boxes: another copy may move
    // the same words on, and its changes must be read before they are built on.
    if (!begin.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        qWarning().noquote() << "The learning record" << m_path << "is not writable -"
                             << begin.lastError().text();
        const int code = sqliteCode(begin.lastError());
        if (code == kSqliteReadOnly) {
            return Outcome::ReadOnly;
        }
        return code == kSqliteCorrupt || code == kSqliteNotADatabase ? Outcome::Damaged
                                                                     : Outcome::Failed;
    }
    // A later version may have upgraded the record since it was opened.
    QSqlQuery version(m_db);
    const bool newer = version.exec(QStringLiteral("PRAGMA user_version")) && version.next() &&
                       version.value(0).toInt() > kSchemaVersion;
    version.finish();
    const Outcome outcome = newer ? Outcome::Newer : storeGradings();
    QSqlQuery end(m_db);
    if (outcome == Outcome::Done && end.exec(QStringLiteral("COMMIT"))) {
        return Outcome::Done;
    }
    const QSqlError error = outcome == Outcome::Done ? end.lastError() : QSqlError();
    if (error.isValid()) {
        qWarning().noquote() << "The learning record" << m_path << "could not be committed -"
                             << error.text();
    }
    end.exec(QStringLiteral("ROLLBACK"));
    if (outcome != Outcome::Done) {
        return outcome;
    }
    const int code = sqliteCode(error);
    if (code == kSqliteReadOnly) {
        return Outcome::ReadOnly;
    }
    return code == kSqliteCorrupt || code == kSqliteNotADatabase ? Outcome::Damaged
                                                                 : Outcome::Failed;
}

HistoryStore::Outcome HistoryStore::storeGradings() {
    QSqlQuery query(m_db);
    const auto failed = [&](const QSqlQuery& failing) {
        qWarning().noquote() << "The learning record" << m_path << "could not be written -"
                             << failing.lastError().text();
        const int code = sqliteCode(failing.lastError());
        if (code == kSqliteReadOnly) {
            return Outcome::ReadOnly;
        }
        return code == kSqliteCorrupt || code == kSqliteNotADatabase ? Outcome::Damaged
                                                                     : Outcome::Failed;
    };

    std::map<int, WordState> states;
    query.setForwardOnly(true);
    if (!query.exec(wordsQuery())) {
        return failed(query);
    }
    while (query.next()) {
        const WordState state = wordStateAt(query);
        states[state.wordKey] = state;
    }
    query.finish();

    QSqlQuery insert(m_db);
    insert.prepare(QStringLiteral("INSERT INTO answers (graded_at, word, sentence, correct, "
                                  "headword, typed) VALUES (?, ?, ?, ?, ?, ?)"));
    std::map<int, bool> changed;
    for (const Grading& grading : m_unsaved) {
        std::map<int, int> wrongAnswers;
        std::map<int, bool> anyRight;
        const qint64 when = grading.when.toMSecsSinceEpoch();
        // A word asked twice in one drill (two of its sentences) moves once:
        // up when every answer was right, back to box 1 otherwise.
        std::map<int, bool> allRight;
        std::map<int, QString> headwords;
        for (const AnsweredQuestion& question : grading.questions) {
            insert.bindValue(0, when);
            insert.bindValue(1, question.wordKey);
            insert.bindValue(2, question.sentenceKey > 0 ? QVariant(question.sentenceKey)
                                                         : QVariant());
            insert.bindValue(3, question.right ? 1 : 0);
            insert.bindValue(4, textOf(question.headword));
            insert.bindValue(5, question.typed);
            if (!insert.exec()) {
                return failed(insert);
            }
            const auto [entry, added] = allRight.try_emplace(question.wordKey, question.right);
            if (!added) {
                entry->second = entry->second && question.right;
            }
            headwords[question.wordKey] = question.headword;
            wrongAnswers[question.wordKey] += question.right ? 0 : 1;
            anyRight[question.wordKey] = anyRight[question.wordKey] || question.right;
        }
        for (const auto& [word, right] : allRight) {
            WordState& state = states[word];
            // The tallies hold whatever order the gradings arrive in.
            state.wrongAnswers += wrongAnswers[word];
            if (anyRight[word] && (!state.lastRight.isValid() || state.lastRight < grading.when)) {
                state.lastRight = grading.when;
            }
            changed[word] = true;
            // Another copy graded the word later than this grading, which
            // waited in memory: its answers are kept, but the word's box
            // and days stay as the later grading left them.
            if (state.lastGraded.isValid() && grading.when < state.lastGraded) {
                continue;
            }
            state.wordKey = word;
            if (!headwords[word].isEmpty()) {
                state.headword = headwords[word];
            }
            advance(state, right, grading.when);
        }
    }

    QSqlQuery update(m_db);
    update.prepare(QStringLiteral("INSERT OR REPLACE INTO words (word, box, last_graded, "
                                  "last_missed, last_raised, headword, wrong_answers, last_right) "
                                  "VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
    for (const auto& entry : changed) {
        const WordState& state = states[entry.first];
        update.bindValue(0, state.wordKey);
        update.bindValue(1, state.box);
        update.bindValue(2, valueOf(state.lastGraded));
        update.bindValue(3, valueOf(state.lastMissed));
        update.bindValue(4, valueOf(state.lastRaised));
        update.bindValue(5, textOf(state.headword));
        update.bindValue(6, state.wrongAnswers);
        update.bindValue(7, valueOf(state.lastRight));
        if (!update.exec()) {
            return failed(update);
        }
    }
    return Outcome::Done;
}

std::optional<std::vector<WordState>> HistoryStore::wordStates() {
    if (!ensureOpen()) {
        return std::nullopt;
    }
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    if (!query.exec(wordsQuery())) {
        qWarning().noquote() << "Could not read the learning record" << m_path << "-"
                             << query.lastError().text();
        return std::nullopt;
    }
    std::vector<WordState> states;
    while (query.next()) {
        states.push_back(wordStateAt(query));
    }
    return states;
}

std::optional<std::vector<StoredAnswer>> HistoryStore::answers(qint64 afterId) {
    if (!ensureOpen()) {
        return std::nullopt;
    }
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    query.prepare(answersQuery());
    query.addBindValue(afterId);
    if (!query.exec()) {
        qWarning().noquote() << "Could not read the learning record" << m_path << "-"
                             << query.lastError().text();
        return std::nullopt;
    }
    std::vector<StoredAnswer> answers;
    while (query.next()) {
        answers.push_back({QDateTime::fromMSecsSinceEpoch(query.value(0).toLongLong()),
                           query.value(1).toInt(), query.value(2).toString(),
                           query.value(3).toInt(), query.value(4).toString(),
                           query.value(5).toInt() != 0, query.value(6).toLongLong()});
    }
    return answers;
}

} // namespace tavik
