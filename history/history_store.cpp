#include "history/history_store.h"

#include "history/damaged_file.h"

#include <QDebug>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>
#include <algorithm>
#include <atomic>
#include <map>

namespace tavik {

namespace {

// How long a write waits while another copy of Tavik writes.
constexpr int kBusyTimeoutMs = 5000;

// SQLite's primary result codes that mean the file itself is unusable.
constexpr int kSqliteCorrupt = 11;
constexpr int kSqliteCantOpen = 14;
constexpr int kSqliteNotADatabase = 26;

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
    std::initializer_list<const char*> columns;
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
     " correct INTEGER NOT NULL)"},
    // Each word's box as its answers left it; written in the same
    // transaction as the answers, so the two always agree.
    {"words",
     {"word", "box", "last_graded", "last_missed"},
     "CREATE TABLE IF NOT EXISTS words ("
     " word INTEGER PRIMARY KEY,"
     " box INTEGER NOT NULL,"
     " last_graded INTEGER NOT NULL,"
     " last_missed INTEGER)"},
};

// Whether every table in the file is one of ours, with our columns.
bool holdsOnlyOurTables(QSqlQuery& query) {
    if (!query.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"))) {
        return false;
    }
    QStringList names;
    while (query.next()) {
        names.append(query.value(0).toString());
    }
    for (const QString& name : names) {
        const auto table =
            std::find_if(std::begin(kTables), std::end(kTables),
                         [&](const Table& t) { return name == QLatin1String(t.name); });
        if (table == std::end(kTables) ||
            !query.exec(QStringLiteral("PRAGMA table_info(%1)").arg(name))) {
            return false;
        }
        QStringList columns;
        while (query.next()) {
            columns.append(query.value(1).toString());
        }
        for (const char* column : table->columns) {
            if (!columns.contains(QLatin1String(column))) {
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

} // namespace

HistoryStore::HistoryStore() : m_connection(newConnectionName()) {}

HistoryStore::~HistoryStore() {
    disconnect();
}

void HistoryStore::open(const QString& path) {
    disconnect();
    m_path = path;
    m_setAside.clear();
    m_health = Health::Closed;
    openOrRenew();
}

bool HistoryStore::ensureOpen() {
    if (m_db.isOpen()) {
        return true;
    }
    return !m_path.isEmpty() && openOrRenew();
}

bool HistoryStore::openOrRenew() {
    Outcome outcome = connect();
    if (outcome == Outcome::Damaged) {
        disconnect();
        const QString aside = setDamagedFileAside(m_path);
        if (aside.isEmpty()) {
            qWarning().noquote() << "The learning record" << m_path
                                 << "cannot be read nor moved aside; grading goes on without it";
            m_health = Health::Unavailable;
            return false;
        }
        qWarning().noquote() << "The learning record" << m_path
                             << "could not be read; it was kept as" << aside
                             << "and a new record begun";
        m_setAside = aside;
        outcome = connect();
        if (outcome == Outcome::Done) {
            m_health = Health::Renewed;
            return true;
        }
    }
    if (outcome != Outcome::Done) {
        disconnect();
        m_health = Health::Unavailable;
        return false;
    }
    if (m_health != Health::Renewed) {
        m_health = Health::Ready;
    }
    return true;
}

void HistoryStore::disconnect() {
    if (!m_db.isValid()) {
        return;
    }
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connection);
}

HistoryStore::Outcome HistoryStore::connect() {
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    m_db.setDatabaseName(m_path);
    m_db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    if (!m_db.open()) {
        const QSqlError error = m_db.lastError();
        qWarning().noquote() << "Could not open the learning record" << m_path << "-"
                             << error.text();
        const QFileInfo file(m_path);
        return sqliteCode(error) == kSqliteCantOpen && file.exists() ? Outcome::Damaged
                                                                     : Outcome::Failed;
    }
    return prepareFile();
}

HistoryStore::Outcome HistoryStore::prepareFile() {
    QSqlQuery query(m_db);
    const auto failed = [&](const char* step) {
        const QSqlError error = query.lastError();
        const int code = sqliteCode(error);
        qWarning().noquote() << "The learning record" << m_path << "failed at" << step << "-"
                             << error.text();
        return code == kSqliteCorrupt || code == kSqliteNotADatabase ? Outcome::Damaged
                                                                     : Outcome::Failed;
    };
    // Only reads until the file is known to be ours: a file set aside must
    // stay exactly as it was found.
    if (!query.exec(QStringLiteral("PRAGMA quick_check")) || !query.next()) {
        return failed("checking the file");
    }
    if (query.value(0).toString() != QLatin1String("ok")) {
        qWarning().noquote() << "The learning record" << m_path
                             << "is damaged:" << query.value(0).toString();
        return Outcome::Damaged;
    }
    if (!holdsOnlyOurTables(query)) {
        qWarning().noquote() << "The file" << m_path
                             << "holds something other than the learning record";
        return Outcome::Damaged;
    }
    // Readers never wait for the writer, and a commit syncs once. Old pages
    // are copied back into the file here, at opening, rather than by
    // whichever grading happens to fill the log, so a grading never waits
    // for more than its own sync.
    for (const char* pragma :
         {"PRAGMA journal_mode=WAL", "PRAGMA synchronous=FULL", "PRAGMA wal_autocheckpoint=0"}) {
        if (!query.exec(QString::fromLatin1(pragma))) {
            return failed(pragma);
        }
    }
    for (const auto& table : kTables) {
        if (!query.exec(QString::fromLatin1(table.create))) {
            return failed("creating the tables");
        }
    }
    query.finish();
    query.exec(QStringLiteral("PRAGMA wal_checkpoint(PASSIVE)"));
    // The first write after a checkpoint starts the log afresh, which costs
    // a sync of its own; this one, at opening, spares the next grading it.
    // It also marks the file as a record of this layout.
    query.exec(QStringLiteral("PRAGMA user_version = 1"));
    return Outcome::Done;
}

bool HistoryStore::record(const std::vector<AnsweredQuestion>& questions, const QDateTime& when) {
    if (questions.empty()) {
        return true;
    }
    m_unsaved.push_back({questions, when});
    if (!ensureOpen()) {
        qWarning().noquote() << "The learning record" << m_path << "cannot be opened;"
                             << m_unsaved.size() << "graded drills wait in memory";
        return false;
    }
    Outcome outcome = writeUnsaved();
    if (outcome == Outcome::Damaged) {
        // The file went bad while the program ran: start again beside it.
        disconnect();
        m_health = Health::Closed;
        outcome = openOrRenew() ? writeUnsaved() : Outcome::Failed;
    }
    if (outcome != Outcome::Done) {
        qWarning().noquote() << "Could not write the learning record" << m_path << ";"
                             << m_unsaved.size() << "graded drills wait in memory";
        return false;
    }
    m_unsaved.clear();
    return true;
}

HistoryStore::Outcome HistoryStore::writeUnsaved() {
    QSqlQuery begin(m_db);
    // Take the write lock before reading the boxes: another copy may move
    // the same words on, and its changes must be read before they are built on.
    if (!begin.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        qWarning().noquote() << "The learning record" << m_path << "is not writable -"
                             << begin.lastError().text();
        const int code = sqliteCode(begin.lastError());
        return code == kSqliteCorrupt || code == kSqliteNotADatabase ? Outcome::Damaged
                                                                     : Outcome::Failed;
    }
    const Outcome outcome = storeGradings();
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
    return code == kSqliteCorrupt || code == kSqliteNotADatabase ? Outcome::Damaged
                                                                 : Outcome::Failed;
}

HistoryStore::Outcome HistoryStore::storeGradings() {
    QSqlQuery query(m_db);
    const auto failed = [&](const QSqlQuery& failing) {
        qWarning().noquote() << "The learning record" << m_path << "could not be written -"
                             << failing.lastError().text();
        const int code = sqliteCode(failing.lastError());
        return code == kSqliteCorrupt || code == kSqliteNotADatabase ? Outcome::Damaged
                                                                     : Outcome::Failed;
    };

    std::map<int, WordState> states;
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT word, box, last_graded, last_missed FROM words"))) {
        return failed(query);
    }
    while (query.next()) {
        const int word = query.value(0).toInt();
        states[word] = {word, query.value(1).toInt(), timeOf(query.value(2)),
                        timeOf(query.value(3))};
    }
    query.finish();

    QSqlQuery insert(m_db);
    insert.prepare(QStringLiteral(
        "INSERT INTO answers (graded_at, word, sentence, correct) VALUES (?, ?, ?, ?)"));
    std::map<int, bool> changed;
    for (const Grading& grading : m_unsaved) {
        const qint64 when = grading.when.toMSecsSinceEpoch();
        // A word asked twice in one drill (two of its sentences) moves once:
        // up when every answer was right, back to box 1 otherwise.
        std::map<int, bool> allRight;
        for (const AnsweredQuestion& question : grading.questions) {
            insert.bindValue(0, when);
            insert.bindValue(1, question.wordKey);
            insert.bindValue(2, question.sentenceKey > 0 ? QVariant(question.sentenceKey)
                                                         : QVariant());
            insert.bindValue(3, question.right ? 1 : 0);
            if (!insert.exec()) {
                return failed(insert);
            }
            const auto [entry, added] = allRight.try_emplace(question.wordKey, question.right);
            if (!added) {
                entry->second = entry->second && question.right;
            }
        }
        for (const auto& [word, right] : allRight) {
            WordState& state = states[word];
            state.wordKey = word;
            advance(state, right, grading.when);
            changed[word] = true;
        }
    }

    QSqlQuery update(m_db);
    update.prepare(QStringLiteral("INSERT OR REPLACE INTO words (word, box, last_graded, "
                                  "last_missed) VALUES (?, ?, ?, ?)"));
    for (const auto& entry : changed) {
        const WordState& state = states[entry.first];
        update.bindValue(0, state.wordKey);
        update.bindValue(1, state.box);
        update.bindValue(2, valueOf(state.lastGraded));
        update.bindValue(3, valueOf(state.lastMissed));
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
    if (!query.exec(QStringLiteral("SELECT word, box, last_graded, last_missed FROM words"))) {
        qWarning().noquote() << "Could not read the learning record" << m_path << "-"
                             << query.lastError().text();
        return std::nullopt;
    }
    std::vector<WordState> states;
    while (query.next()) {
        states.push_back({query.value(0).toInt(), query.value(1).toInt(), timeOf(query.value(2)),
                          timeOf(query.value(3))});
    }
    return states;
}

} // namespace tavik
