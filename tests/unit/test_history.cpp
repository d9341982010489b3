#include "content/banks.h"
#include "drill/book_memory_cache.h"
#include "history/damaged_file.h"
#include "history/history_store.h"
#include "history/network_folder.h"
#include "history/word_memory.h"
#include "support/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <ctime>
#include <linux/magic.h>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace tavik;
using tavik::testing::readBytes;
using tavik::testing::writeBytes;

namespace {

const QDate kFirstDay(2026, 3, 2);

// While it lives, files are opened as the account nobody (the tests run as
// root, whom no permission stops); or, with noHandles, no file at all.
struct Learner {
    explicit Learner(bool noHandles = false) {
        ::getrlimit(RLIMIT_NOFILE, &m_handles);
        rlimit none = m_handles;
        // Every descriptor open now is in use, less the listing's own.
        none.rlim_cur = static_cast<rlim_t>(QDir(QStringLiteral("/proc/self/fd"))
                                                .entryList(QDir::AllEntries | QDir::NoDotAndDotDot)
                                                .size() -
                                            1);
        QVERIFY(noHandles ? ::setrlimit(RLIMIT_NOFILE, &none) == 0 : ::seteuid(65534) == 0);
    }
    ~Learner() { QVERIFY(::setrlimit(RLIMIT_NOFILE, &m_handles) == 0 && ::seteuid(0) == 0); }
    Learner(const Learner&) = delete;
    Learner& operator=(const Learner&) = delete;

private:
    rlimit m_handles{};
};

QDateTime localTime(int day, QTime time = QTime(12, 0)) {
    return QDateTime(kFirstDay.addDays(day), time).toUTC();
}

std::optional<WordState> stateOf(HistoryStore& store, int word) {
    const auto states = store.wordStates();
    if (states) {
        for (const WordState& state : *states) {
            if (state.wordKey == word) {
                return state;
            }
        }
    }
    return std::nullopt;
}

// The answers of a learner whose memory is the model with `truth`'s
// weights: each word met on a day of its own, then asked after gaps long
// enough for its recall to fall well below 0.9.
std::vector<StoredAnswer> simulatedAnswers(int words, const MemoryParameters& truth) {
    static constexpr std::array<int, 6> kGaps{5, 5, 10, 20, 30, 45};
    std::mt19937 random(7);
    const auto chance = [&random](double p) { return random() < p * 4294967296.0; };
    std::vector<StoredAnswer> answers;
    for (int word = 1; word <= words; ++word) {
        int day = word / 10;
        bool right = chance(0.6);
        Memory memory = firstMemory(right ? Grade::Good : Grade::Again, truth);
        answers.push_back({localTime(day), word, QString(), 0, QString(), right});
        for (const int gap : kGaps) {
            const double recall = recallAfter(gap, memory.stability);
            right = chance(recall);
            memory = reviewedMemory(memory, recall, right ? Grade::Good : Grade::Again, truth);
            day += gap;
            answers.push_back({localTime(day), word, QString(), 0, QString(), right});
        }
    }
    return answers;
}

void ignoreWarnings() {
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral(".*")));
}

} // namespace

class TestHistory : public QObject {
    Q_OBJECT

private slots:
    // Days are the learner's calendar days: far from UTC they differ.
    void initTestCase() {
        qputenv("TZ", "Asia/Tokyo");
        tzset();
    }
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }
    void boxesAndDueDays_data();
    void boxesAndDueDays();
    void fittingFollowsTheLearner_data();
    void fittingFollowsTheLearner();
    void unreadableFileIsKeptAsideAndRenewed_data();
    void unreadableFileIsKeptAsideAndRenewed();
    void recordFoundAtOpening_data();
    void recordFoundAtOpening();
    void unwritableRecordKeepsGradingsForTheNext_data();
    void unwritableRecordKeepsGradingsForTheNext();
    void recordGoneWhileOpenIsBegunAnew_data();
    void recordGoneWhileOpenIsBegunAnew();
    void memoryKeptUpWithTheRecord_data();
    void memoryKeptUpWithTheRecord();
    void closedRecordIsWholeInItsOneFile();
    void twoCopiesSetADamagedRecordAsideOnce();
    void companionThatCannotMoveLeavesTheRecordInPlace();
    void writePermissionGivenBackStoresWhatWaits();
    void networkFolderToldByItsFileSystemType_data();
    void networkFolderToldByItsFileSystemType();

private:
    QString path() const { return m_dir->filePath(QStringLiteral("history.sqlite")); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestHistory::boxesAndDueDays_data() {
    // Each grading: its day, an optional local time, then one letter for each
    // question of word 7 in it (R right, W wrong). The word's memory is
    // replayed from the answers the record stored; stability, difficulty
    // and due day worked by hand from the FSRS-5 formulas and weights.
    QTest::addColumn<QString>("gradings");
    QTest::addColumn<int>("box");
    QTest::addColumn<int>("dueDay");
    QTest::addColumn<double>("stability");
    QTest::addColumn<double>("difficulty");
    QTest::addColumn<double>("retention");

    // S0(Again) = w0; D0(Again) = w4.
    QTest::newRow("first answer wrong") << "0 W" << 1 << 0 << 0.40255 << 7.1949 << 0.9;
    // S0(Good) = w2; D0(Good) = w4 - e^(2 w5) + 1; at 0.9 the wait is S days,
    // rounded.
    QTest::newRow("first answer right") << "0 R" << 2 << 3 << 3.173 << 5.282434 << 0.9;
    // R(1, 3.173) = 0.964968; S' = S (1 + e^w8 (11 - D) S^-w9 (e^(w10 (1 - R)) - 1)).
    QTest::newRow("right again next day") << "0 R, 1 R" << 3 << 7 << 5.869142 << 5.272968 << 0.9;
    QTest::newRow("up to the last box")
        << "0 R, 1 R, 4 R, 11 R" << 5 << 40 << 28.841797 << 5.254165 << 0.9;
    QTest::newRow("no box past the last")
        << "0 R, 1 R, 4 R, 11 R, 25 R, 39 R" << 5 << 124 << 84.577968 << 5.235535 << 0.9;
    // A lapse: w11 D^-w12 ((S + 1)^w13 - 1) e^(w14 (1 - R)), at most S / e^(w17 w18).
    QTest::newRow("wrong goes back to box 1")
        << "0 R, 1 R, 4 W" << 1 << 4 << 1.40779 << 8.170909 << 0.9;
    QTest::newRow("early morning counts for its own day")
        << "1@07:30 R" << 2 << 4 << 3.173 << 5.282434 << 0.9;
    QTest::newRow("two sentences, one wrong") << "0 RW" << 1 << 0 << 0.40255 << 7.1949 << 0.9;
    QTest::newRow("two sentences right move once") << "0 RR" << 2 << 3 << 3.173 << 5.282434 << 0.9;
    // The same day: S e^(w17 (G - 3 + w18)).
    QTest::newRow("word and sentence drill the same day move once")
        << "0@12:00 R, 0@12:10 R" << 2 << 4 << 4.466858 << 5.272968 << 0.9;
    QTest::newRow("right after a miss the same day stays down")
        << "0@12:00 R, 0@12:10 W, 0@12:20 R" << 1 << 2 << 2.238023 << 8.157535 << 0.9;
    QTest::newRow("missed, then right the same day")
        << "0@12:00 W, 0@12:10 R" << 2 << 1 << 0.566698 << 7.176636 << 0.9;
    QTest::newRow("late evening, then the next morning")
        << "0@23:30 R, 1@07:00 R" << 3 << 7 << 5.869142 << 5.272968 << 0.9;
    // I(r, S) = S / (19/81) (r^-2 - 1), rounded to whole days, one at least:
    // 7.609, 1.461, 0.261.
    QTest::newRow("0.8 waits longer") << "0 R" << 2 << 8 << 3.173 << 5.282434 << 0.8;
    QTest::newRow("0.95 waits less") << "0 R" << 2 << 1 << 3.173 << 5.282434 << 0.95;
    QTest::newRow("a day at least")
        << "0@12:00 W, 0@12:10 R" << 2 << 1 << 0.566698 << 7.176636 << 0.95;
}

void TestHistory::boxesAndDueDays() {
    QFETCH(QString, gradings);
    QFETCH(int, box);
    QFETCH(int, dueDay);
    QFETCH(double, stability);
    QFETCH(double, difficulty);
    QFETCH(double, retention);
    HistoryStore store;
    store.open(path());
    QCOMPARE(store.health(), HistoryStore::Health::Ready);
    for (const QString& grading : gradings.split(QStringLiteral(", "))) {
        const QStringList parts = grading.split(QLatin1Char(' '));
        const QStringList day = parts[0].split(QLatin1Char('@'));
        const QTime time =
            day.size() > 1 ? QTime::fromString(day[1], QStringLiteral("hh:mm")) : QTime(12, 0);
        std::vector<AnsweredQuestion> questions{{3, 0, true}};
        for (const QChar answer : parts[1]) {
            questions.push_back({7, 10, answer == QLatin1Char('R')});
        }
        QVERIFY(store.record(questions, localTime(day[0].toInt(), time)));
    }
    const std::optional<WordState> state = stateOf(store, 7);
    QVERIFY(state);
    QCOMPARE(state->box, box);
    const std::optional<std::vector<StoredAnswer>> answers = store.answers();
    QVERIFY(answers);
    const std::vector<WordMemory> memories = replayAnswers(*answers);
    const auto word = std::find_if(memories.begin(), memories.end(),
                                   [](const WordMemory& memory) { return memory.wordKey == 7; });
    QVERIFY(word != memories.end());
    QVERIFY(std::abs(word->memory.stability - stability) < 1e-6);
    QVERIFY(std::abs(word->memory.difficulty - difficulty) < 1e-6);
    QCOMPARE(dueDate(*word, retention), kFirstDay.addDays(dueDay));
    QVERIFY(isDue(*word, kFirstDay.addDays(dueDay), retention));
    QVERIFY(!isDue(*word, kFirstDay.addDays(dueDay - 1), retention));
}

void TestHistory::fittingFollowsTheLearner_data() {
    // The learner's true factors on the growth of stability (e^w8) and on
    // the stability a first answer leaves (w0-w3), seven answers to each
    // word. A factor below 1 is found at least half of the way from 1
    // (the prior holds the rest back), one above 1 not at all.
    QTest::addColumn<int>("words");
    QTest::addColumn<double>("growth");
    QTest::addColumn<double>("firstStability");
    QTest::newRow("fewer answers than the fit needs: the published weights") << 42 << 0.6 << 0.6;
    QTest::newRow("the published learner") << 300 << 1.0 << 1.0;
    QTest::newRow("slower growth") << 300 << 0.6 << 1.0;
    QTest::newRow("weaker first memory") << 300 << 1.0 << 0.6;
    QTest::newRow("stronger: never scheduled later than the published weights")
        << 300 << 2.0 << 2.0;
}

void TestHistory::fittingFollowsTheLearner() {
    QFETCH(int, words);
    QFETCH(double, growth);
    QFETCH(double, firstStability);
    const MemoryParameters published;
    MemoryParameters truth;
    truth.w[8] += std::log(growth);
    for (std::size_t i = 0; i < 4; ++i) {
        truth.w[i] *= firstStability;
    }
    const MemoryParameters fitted = learnerParameters(simulatedAnswers(words, truth));
    const bool enough = static_cast<std::size_t>(words) * 7 >= kFittingAnswers;
    for (const auto& [found, learner] : {std::pair{std::exp(fitted.w[8] - published.w[8]), growth},
                                         {fitted.w[2] / published.w[2], firstStability}}) {
        const double expected = enough ? std::min(learner, 1.0) : 1.0;
        QVERIFY2(found >= expected - 0.05 && found <= 1 - 0.5 * (1 - expected),
                 qPrintable(QString::number(found)));
    }
}

void TestHistory::unreadableFileIsKeptAsideAndRenewed_data() {
    QTest::addColumn<QString>("damage");
    QTest::newRow("database cut short") << "cut";
    QTest::newRow("damaged while another copy holds it, its log beside it") << "held";
    QTest::newRow("damaged, its log left by a copy that was killed") << "killed";
}

void TestHistory::unreadableFileIsKeptAsideAndRenewed() {
    QFETCH(QString, damage);
    // Another copy of Tavik, still running: its last grading is in the log.
    HistoryStore other;
    if (damage != QLatin1String("cut")) {
        const QString live =
            damage == QLatin1String("held") ? path() : m_dir->filePath(QStringLiteral("live"));
        other.open(live);
        QVERIFY(other.record({{4, 0, true}}, localTime(0)));
        // Both copies of the first page, the file's and the log's (after
        // the log's header and the frame's), spoilt.
        for (const auto& [file, at] : {std::pair{live, 0}, {live + QStringLiteral("-wal"), 56}}) {
            QFile damaged(file);
            QVERIFY(damaged.open(QIODevice::ReadWrite) && damaged.seek(at));
            QCOMPARE(damaged.write(QByteArray(100, 'Z')), 100);
        }
        // A copy killed in the middle leaves the file and its log alone.
        if (live != path()) {
            QVERIFY(QFile::copy(live, path()));
            QVERIFY(QFile::copy(live + QStringLiteral("-wal"), path() + QStringLiteral("-wal")));
        }
    } else {
        {
            HistoryStore full;
            full.open(path());
            std::vector<AnsweredQuestion> many;
            for (int word = 1; word <= 2000; ++word) {
                many.push_back({word, word, word % 3 == 0});
            }
            QVERIFY(full.record(many, localTime(0)));
        }
        writeBytes(path(), readBytes(path()).left(40000));
    }
    const QString wal = QStringLiteral("-wal");
    const QByteArray before = readBytes(path());
    const QByteArray log = readBytes(path() + wal);
    QCOMPARE(log.isEmpty(), damage == QLatin1String("cut"));

    HistoryStore store;
    ignoreWarnings();
    store.open(path());

    QCOMPARE(store.health(), HistoryStore::Health::Renewed);
    QVERIFY(store.setAsideFile().contains(QStringLiteral("history-damaged-")));
    QCOMPARE(readBytes(store.setAsideFile()), before);
    QCOMPARE(readBytes(store.setAsideFile() + wal), log);
    QCOMPARE(QFileInfo::exists(store.setAsideFile() + QStringLiteral("-shm")),
             damage == QLatin1String("held"));
    QVERIFY(store.record({{5, 6, false}}, localTime(0)));
    QVERIFY(stateOf(store, 5));
}

void TestHistory::recordFoundAtOpening_data() {
    QTest::addColumn<QString>("found");
    QTest::addColumn<HistoryStore::Health>("health");
    QTest::addColumn<bool>("writable");

    using H = HistoryStore::Health;
    QTest::newRow("version 1, brought up to date") << "version 1" << H::Ready << true;
    // A writer of version 2 left the tallies behind its answers.
    QTest::newRow("version 2, tallies counted again") << "version 2" << H::Ready << true;
    QTest::newRow("SQLite's own statistics left alone") << "analyzed" << H::Ready << true;
    QTest::newRow("later version only read") << "version 9" << H::Newer << false;
    QTest::newRow("someone else's tables left in place") << "foreign" << H::Unavailable << false;
    QTest::newRow("a folder left in place") << "folder" << H::Unavailable << false;
    // A copy once run with sudo, or another account's files in a shared
    // folder: this user may read the record, or not even that.
    QTest::newRow("another account's file only read") << "others' file" << H::ReadOnly << false;
    QTest::newRow("another account's file in its folder only read")
        << "others' folder" << H::ReadOnly << false;
    QTest::newRow("another account's private file left in place")
        << "others' private file" << H::Unavailable << false;
}

// What opening does with a record it finds: the stored answers and boxes
// stay readable wherever the file is the learner's record, and nothing is
// renamed, rewritten or reported stored that was not.
void TestHistory::recordFoundAtOpening() {
    QFETCH(QString, found);
    QFETCH(HistoryStore::Health, health);
    QFETCH(bool, writable);
    if (found == QLatin1String("folder")) {
        QVERIFY(QDir().mkdir(path()));
    } else {
        auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), found);
        db.setDatabaseName(path());
        QVERIFY(db.open());
        QSqlQuery query(db);
        // The layout of version 1, as its program created it, with one
        // answer: word 2 missed on day 0.
        for (const char* sql :
             {"PRAGMA journal_mode=WAL",
              "CREATE TABLE answers (id INTEGER PRIMARY KEY, graded_at INTEGER NOT NULL,"
              " word INTEGER NOT NULL, sentence INTEGER, correct INTEGER NOT NULL)",
              "CREATE TABLE words (word INTEGER PRIMARY KEY, box INTEGER NOT NULL,"
              " last_graded INTEGER NOT NULL, last_missed INTEGER)",
              "PRAGMA user_version = 1"}) {
            QVERIFY(query.exec(QString::fromLatin1(sql)));
        }
        const qint64 day0 = localTime(0).toMSecsSinceEpoch();
        QVERIFY(
            query.exec(QStringLiteral("INSERT INTO answers VALUES (1, %1, 2, NULL, 0)").arg(day0)));
        QVERIFY(query.exec(QStringLiteral("INSERT INTO words VALUES (2, 1, %1, %1)").arg(day0)));
        if (found == QLatin1String("analyzed")) {
            QVERIFY(query.exec(QStringLiteral("ANALYZE")));
        } else if (found == QLatin1String("version 2")) {
            for (const char* sql :
                 {"ALTER TABLE answers ADD COLUMN headword TEXT",
                  "ALTER TABLE answers ADD COLUMN typed TEXT",
                  "ALTER TABLE words ADD COLUMN last_raised INTEGER",
                  "ALTER TABLE words ADD COLUMN headword TEXT",
                  "ALTER TABLE words ADD COLUMN wrong_answers INTEGER NOT NULL"
                  " DEFAULT 0",
                  "ALTER TABLE words ADD COLUMN last_right INTEGER",
                  "UPDATE answers SET headword = 'acquit'", "PRAGMA user_version = 2"}) {
                QVERIFY(query.exec(QString::fromLatin1(sql)));
            }
        } else if (found == QLatin1String("version 9")) {
            for (const char* sql : {"ALTER TABLE answers ADD COLUMN headword TEXT",
                                    "ALTER TABLE answers ADD COLUMN typed TEXT",
                                    "ALTER TABLE words ADD COLUMN last_raised INTEGER",
                                    "ALTER TABLE words ADD COLUMN headword TEXT",
                                    "CREATE TABLE goals (day INTEGER)"}) {
                QVERIFY(query.exec(QString::fromLatin1(sql)));
            }
            QVERIFY(query.exec(QStringLiteral("PRAGMA user_version = 9")));
        } else if (found == QLatin1String("foreign")) {
            QVERIFY(query.exec(QStringLiteral("DROP TABLE words")));
            QVERIFY(query.exec(QStringLiteral("CREATE TABLE words (x, y)")));
        }
        QVERIFY(query.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)")));
        query.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(found);
    const QByteArray before = readBytes(path());
    std::optional<Learner> learner;
    if (found.startsWith(QLatin1String("others'"))) {
        const bool folder = found == QLatin1String("others' folder");
        QCOMPARE(::chmod(QFile::encodeName(m_dir->path()), folder ? 0755 : 0777), 0);
        QCOMPARE(::chmod(QFile::encodeName(path()),
                         found.endsWith(QLatin1String("private file")) ? 0600 : 0644),
                 0);
        learner.emplace();
    }

    HistoryStore store;
    if (health != HistoryStore::Health::Ready) {
        ignoreWarnings();
    }
    store.open(path(), {{2, QStringLiteral("acquit")}});
    QCOMPARE(store.health(), health);
    QCOMPARE(QDir(m_dir->path()).entryList({QStringLiteral("*damaged*")}), QStringList());
    const bool ours = health != HistoryStore::Health::Unavailable;
    const auto stored = store.answers();
    QCOMPARE(bool(stored), ours);
    if (ours) {
        QCOMPARE(stored->size(), std::size_t{1});
        QCOMPARE(stored->front().wordKey, 2);
        QCOMPARE(stored->front().right, false);
        QCOMPARE(stored->front().headword, writable ? QStringLiteral("acquit") : QString());
        QCOMPARE(stateOf(store, 2)->lastMissed, localTime(0));
    }
    QCOMPARE(store.record({{2, 0, true, QStringLiteral("acquit"), QStringLiteral("acquit")}},
                          localTime(1)),
             writable);
    QCOMPARE(store.health(), health);
    QCOMPARE(store.unsavedGradings(), writable ? 0 : 1);
    if (writable) {
        const std::optional<WordState> state = stateOf(store, 2);
        QCOMPARE(state->box, 2);
        QCOMPARE(state->lastRaised, localTime(1));
        QCOMPARE(state->headword, QStringLiteral("acquit"));
        // The miss stored before the tallies were kept still counts for the 苦手 pick.
        QCOMPARE(state->wrongAnswers, 1);
        QCOMPARE(state->lastRight, localTime(1));
        QCOMPARE(store.answers()->back().typed, QStringLiteral("acquit"));
        // The record's answers, older and newer, replay as one memory:
        // missed on day 0 (S = w0), right on day 1 at R = 0.795.
        const std::vector<WordMemory> memories = replayAnswers(*store.answers());
        QCOMPARE(memories.size(), std::size_t{1});
        QVERIFY(std::abs(memories.front().memory.stability - 2.265009) < 1e-6);
        QCOMPARE(dueDate(memories.front(), 0.9), kFirstDay.addDays(3));
    } else {
        store.close();
        learner.reset();
        QCOMPARE(readBytes(path()), before);
    }
}

void TestHistory::unwritableRecordKeepsGradingsForTheNext_data() {
    QTest::addColumn<bool>("noHandles");
    QTest::newRow("folder not made yet") << false;
    QTest::newRow("no file handles left") << true;
}

void TestHistory::unwritableRecordKeepsGradingsForTheNext() {
    QFETCH(bool, noHandles);
    const QString folder = m_dir->filePath(QStringLiteral("record"));
    const QString file = folder + QStringLiteral("/history.sqlite");
    if (noHandles) {
        QVERIFY(QDir().mkdir(folder));
    }
    HistoryStore store;
    ignoreWarnings();
    {
        std::optional<Learner> limit;
        if (noHandles) {
            limit.emplace(true);
        }
        store.open(file);
        QCOMPARE(store.health(), HistoryStore::Health::Unavailable);
        QVERIFY(!store.wordStates());
        QVERIFY(!store.record({{9, 0, false}}, localTime(0)));
    }
    QCOMPARE(store.unsavedGradings(), 1);
    QVERIFY(QDir().mkpath(folder));
    QCOMPARE(QDir(folder).entryList({QStringLiteral("*damaged*")}), QStringList());

    // Another copy grades the word meanwhile, later than the grading that
    // waits here: that grading's answer is stored, but cannot take the
    // word's last grading back in time.
    {
        HistoryStore other;
        other.open(file);
        QVERIFY(other.record({{9, 0, true}}, localTime(2)));
    }
    QVERIFY(store.record({{5, 0, true}}, localTime(3)));
    QCOMPARE(store.unsavedGradings(), 0);
    const std::optional<WordState> state = stateOf(store, 9);
    QVERIFY(state);
    QCOMPARE(state->lastGraded, localTime(2));
    QCOMPARE(state->box, 2);
    const auto answers = store.answers();
    QVERIFY(answers);
    std::vector<std::pair<int, bool>> stored;
    for (const StoredAnswer& answer : *answers) {
        stored.emplace_back(answer.wordKey, answer.right);
    }
    QCOMPARE(stored, (std::vector<std::pair<int, bool>>{{9, false}, {9, true}, {5, true}}));
}

void TestHistory::recordGoneWhileOpenIsBegunAnew_data() {
    // What happens to the open record's files; the words then in the file.
    QTest::addColumn<QString>("change");
    QTest::addColumn<QList<int>>("words");
    QTest::addColumn<HistoryStore::Health>("health");
    using H = HistoryStore::Health;
    QTest::newRow("deleted") << "deleted" << QList<int>{4} << H::Recreated;
    QTest::newRow("moved") << "moved" << QList<int>{4} << H::Recreated;
    // A backup put in its place, the open record's log left beside it.
    QTest::newRow("restored by rename") << "renamed" << QList<int>{9, 4} << H::Ready;
    QTest::newRow("replaced by a new file") << "copied" << QList<int>{9, 4} << H::Ready;
    QTest::newRow("upgraded by a later version") << "upgraded" << QList<int>{3} << H::Newer;
}

void TestHistory::recordGoneWhileOpenIsBegunAnew() {
    QFETCH(QString, change);
    QFETCH(QList<int>, words);
    QFETCH(HistoryStore::Health, health);
    const QString backup = m_dir->filePath(QStringLiteral("backup.sqlite"));
    HistoryStore(backup).record({{9, 0, true}}, localTime(0));
    HistoryStore store(path());
    QVERIFY(store.record({{3, 0, true}}, localTime(0)));
    for (const QString& file : QDir(m_dir->path()).entryList({QStringLiteral("history.sqlite*")})) {
        const QString from = m_dir->filePath(file);
        QVERIFY(change == QLatin1String("deleted") ? QFile::remove(from)
                : change == QLatin1String("moved")
                    ? QFile::rename(from, from + QStringLiteral(".old"))
                    : true);
    }
    if (change == QLatin1String("renamed")) {
        QCOMPARE(
            ::rename(QFile::encodeName(backup).constData(), QFile::encodeName(path()).constData()),
            0);
    } else if (change == QLatin1String("copied")) {
        QVERIFY(QFile::remove(path()) && QFile::copy(backup, path()));
    } else if (change == QLatin1String("upgraded")) {
        auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), change);
        db.setDatabaseName(path());
        QVERIFY(db.open() && QSqlQuery(db).exec(QStringLiteral("PRAGMA user_version = 9")));
        db.close();
    }
    QSqlDatabase::removeDatabase(change);
    ignoreWarnings();
    QCOMPARE(store.record({{4, 0, true}}, localTime(1)), health != HistoryStore::Health::Newer);
    QCOMPARE(store.health(), health);
    store.close();
    QList<int> stored;
    for (const StoredAnswer& answer :
         HistoryStore(path()).answers().value_or(std::vector<StoredAnswer>{})) {
        stored.append(answer.wordKey);
    }
    QCOMPARE(stored, words);
}

void TestHistory::memoryKeptUpWithTheRecord_data() {
    QTest::addColumn<QString>("change");
    QTest::newRow("a later grading") << "later";
    QTest::newRow("a grading that waited, older than the newest") << "waited";
    QTest::newRow("another record put in the file's place") << "replaced";
    // 4 + 141 + 141 + 14 answers: exactly as many as a fit needs.
    QTest::newRow("the record reaching the answers a fit needs") << "fitted";
}

// The main window's memory, brought up to the record a grading at a time,
// is the memory of the whole record replayed.
void TestHistory::memoryKeptUpWithTheRecord() {
    QFETCH(QString, change);
    Banks banks;
    loadBanks(banks);
    HistoryStore store(path());
    QVERIFY(store.record({{1, 0, true}, {26, 0, false, {}, QStringLiteral("compliment")}},
                         localTime(0)));
    QVERIFY(store.record({{1, 0, true}, {2, 0, false}}, localTime(3)));
    BookMemoryCache cache;
    QVERIFY(cache.refresh(store, banks, kDefaultRetention));
    if (change == QLatin1String("replaced")) {
        const QString other = m_dir->filePath(QStringLiteral("other.sqlite"));
        HistoryStore(other).record({{5, 0, true}, {3, 0, false}}, localTime(1));
        ignoreWarnings();
        QCOMPARE(
            ::rename(QFile::encodeName(other).constData(), QFile::encodeName(path()).constData()),
            0);
    } else if (change == QLatin1String("fitted")) {
        // Right on the next day, then all forgotten: a learner slower than
        // the published weights, whose own weights differ from them.
        for (const auto& [day, words, right] :
             {std::tuple{4, 141, true}, {8, 141, false}, {9, 14, false}}) {
            std::vector<AnsweredQuestion> drill;
            for (int word = 1; word <= words; ++word) {
                drill.push_back({word, 0, right});
            }
            QVERIFY(store.record(drill, localTime(day)));
            // The fit comes with the last 14: every word is replayed anew.
            QVERIFY(cache.refresh(store, banks, kDefaultRetention));
        }
    } else {
        QVERIFY(store.record({{2, 0, true}, {26, 0, true}, {27, 0, true}},
                             localTime(change == QLatin1String("later") ? 4 : 2)));
    }
    QVERIFY(cache.refresh(store, banks, kDefaultRetention));
    const std::vector<StoredAnswer> answers = store.answers().value();
    const BookMemory whole =
        bookMemory(banks, answers, kDefaultRetention, learnerParameters(answers));
    const BookMemory& kept = cache.book();
    QCOMPARE(kept.words.size(), whole.words.size());
    for (std::size_t at = 0; at < whole.words.size(); ++at) {
        QCOMPARE(kept.words[at].row, whole.words[at].row);
        QCOMPARE(kept.words[at].memory.memory.stability, whole.words[at].memory.memory.stability);
        QCOMPARE(kept.words[at].memory.lastDay, whole.words[at].memory.lastDay);
        QCOMPARE(kept.words[at].memory.right, whole.words[at].memory.right);
    }
    QCOMPARE(kept.confusions.size(), whole.confusions.size());
}

// A learner who copies history.sqlite alone as a backup has every answer,
// even while another copy of Tavik keeps the record open.
void TestHistory::closedRecordIsWholeInItsOneFile() {
    HistoryStore other;
    other.open(path());
    HistoryStore store;
    store.open(path());
    QVERIFY(store.record({{3, 0, true}}, localTime(0)));
    store.close();
    const QString backup = m_dir->filePath(QStringLiteral("backup.sqlite"));
    QVERIFY(QFile::copy(path(), backup));
    HistoryStore restored;
    restored.open(backup);
    QCOMPARE(restored.answers()->size(), std::size_t{1});
}

// Two copies find one damaged record: the first sets it aside and begins a
// new one while the second waits for the lock, then leaves that one alone.
void TestHistory::twoCopiesSetADamagedRecordAsideOnce() {
    writeBytes(path(), QByteArray(4096, '\x5a'));
    QLockFile firstCopy(path() + QStringLiteral(".lock"));
    QVERIFY(firstCopy.lock());
    ignoreWarnings();
    HistoryStore second;
    std::thread opening([&] { second.open(path()), second.close(); });
    QThread::msleep(1000); // the second finds the damage and waits for the lock
    QVERIFY(QFile::rename(path(), path() + QStringLiteral("-damaged-first")));
    QVERIFY(HistoryStore(path()).record({{3, 0, true}}, localTime(0)));
    firstCopy.unlock();
    opening.join();
    QCOMPARE(QDir(m_dir->path()).entryList({QStringLiteral("*damaged*")}).size(), 1);
    QCOMPARE(HistoryStore(path()).answers()->size(), std::size_t{1});
}

// Another account's log in a folder with the sticky bit cannot be moved:
// the record stays where it was, beside its log.
void TestHistory::companionThatCannotMoveLeavesTheRecordInPlace() {
    writeBytes(path(), "damaged");
    writeBytes(path() + QStringLiteral("-wal"), "log");
    QCOMPARE(::chmod(QFile::encodeName(m_dir->path()), 01777), 0);
    QCOMPARE(::chown(QFile::encodeName(path()), 65534, 65534), 0);
    ignoreWarnings();
    {
        Learner learner;
        QCOMPARE(setDamagedFileAside(path(), companionsOf(path())), QString());
    }
    QCOMPARE(readBytes(path()), QByteArray("damaged"));
    QCOMPARE(QDir(m_dir->path()).entryList({QStringLiteral("*damaged*")}), QStringList());
}

// Write permission given back while the program runs: what waited is
// stored without a restart.
void TestHistory::writePermissionGivenBackStoresWhatWaits() {
    HistoryStore(path()).record({{2, 0, false}}, localTime(0));
    QCOMPARE(::chmod(QFile::encodeName(m_dir->path()), 0777) +
                 ::chmod(QFile::encodeName(path()), 0644),
             0);
    ignoreWarnings();
    HistoryStore store;
    {
        Learner learner;
        store.open(path());
        QVERIFY(!store.record({{3, 0, true}}, localTime(1)));
    }
    QCOMPARE(::chmod(QFile::encodeName(path()), 0666), 0);
    Learner learner;
    QVERIFY(store.storeWaiting());
    QCOMPARE(store.answers()->size(), std::size_t{2});
}

void TestHistory::networkFolderToldByItsFileSystemType_data() {
    QTest::addColumn<long>("type");
    QTest::addColumn<bool>("network");
    QTest::newRow("NFS") << long{NFS_SUPER_MAGIC} << true;
    QTest::newRow("SMB") << long{SMB_SUPER_MAGIC} << true;
    QTest::newRow("ext4") << long{EXT4_SUPER_MAGIC} << false;
    QTest::newRow("tmpfs") << long{TMPFS_MAGIC} << false;
}

void TestHistory::networkFolderToldByItsFileSystemType() {
    QFETCH(long, type);
    QFETCH(bool, network);
    QCOMPARE(isNetworkFileSystemType(static_cast<unsigned long>(type)), network);
}

QTEST_GUILESS_MAIN(TestHistory)
#include "test_history.moc"
