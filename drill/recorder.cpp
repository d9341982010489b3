#include "drill/recorder.h"

#include "drill/grading.h"
#include "settings/statistics_recording.h"
#include "settings/statistics_update.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <utility>

namespace tavik {

namespace {

using namespace std::chrono_literals;

// While anything waits, the files are tried again this often.
constexpr auto kRetryEvery = 1s;
// How long a grading waits for another copy's lock on tavik.ini; a retry,
// which comes again soon, waits less.
constexpr auto kGradingLockWait = 5s;
constexpr auto kRetryLockWait = 500ms;
// At program end: how long what waits is tried, and how long the window's
// thread waits for the recorder's thread in all (an attempt under way may
// be waiting on the record's own busy timeout).
constexpr auto kEndRetries = 2s;
constexpr auto kEndWait = 8s;

void copyStatistics(const SettingsState& from, SettingsState& to) {
    to.userName = from.userName;
    to.statScore = from.statScore;
    to.statQuestions = from.statQuestions;
    to.statRate = from.statRate;
    to.statGames = from.statGames;
    to.unsavedDrills = from.unsavedDrills;
}

} // namespace

// Everything that writes the two files, living on the recorder's thread.
class Recorder::Store {
public:
    Store(const SettingsPaths& paths, const SettingsState& statistics)
        : m_paths(paths), m_statistics(statistics) {}

    void store(int number, const GradedDrill& drill, const std::vector<AnsweredQuestion>& graded,
               const QDateTime& when, const QString& recordPath) {
        m_handled = number;
        storeStatistics(m_statistics, m_paths, drill, kGradingLockWait);
        // The record is written only once this program opened it.
        if (!recordPath.isEmpty() && m_record.path() != recordPath) {
            m_record.open(recordPath);
        }
        m_record.record(graded, when);
    }

    void retry(std::chrono::milliseconds lockWait) {
        if (!m_statistics.unsavedDrills.isEmpty()) {
            storeStatistics(m_statistics, m_paths, std::nullopt, lockWait);
        }
        m_record.storeWaiting();
    }

    // A record of a later version is never written: what waits for it is
    // not tried again.
    bool waiting() const {
        return !m_statistics.unsavedDrills.isEmpty() ||
               (m_record.unsavedGradings() > 0 && !m_record.path().isEmpty() &&
                m_record.health() != HistoryStore::Health::Newer);
    }

    Report report() const {
        return {m_handled, m_statistics, static_cast<int>(m_statistics.unsavedDrills.size()),
                m_record.health(), m_record.unsavedGradings()};
    }

    void finish(const QDeadlineTimer& deadline) {
        while (waiting() && !deadline.hasExpired()) {
            retry(std::min(std::chrono::milliseconds(deadline.remainingTime()),
                           std::chrono::milliseconds(kRetryLockWait)));
            if (waiting()) {
                QThread::msleep(100);
            }
        }
        if (waiting()) {
            qWarning().noquote() << "Tavik ends with"
                                 << m_statistics.unsavedDrills.size() + m_record.unsavedGradings()
                                 << "gradings that the files could not take";
        }
        m_record.close();
    }

    QTimer* retryTimer = nullptr;

private:
    SettingsPaths m_paths;
    SettingsState m_statistics;
    HistoryStore m_record;
    int m_handled = 0;
};

Recorder::Recorder(SettingsState& settings, const SettingsPaths& paths)
    : m_settings(settings), m_paths(paths) {}

Recorder::~Recorder() {
    close();
    m_thread.wait();
}

void Recorder::openRecord(const QHash<int, QString>& bankHeadwords) {
    m_headwords = bankHeadwords;
    if (!m_paths.historyFile.isEmpty()) {
        m_history.open(m_paths.historyFile, bankHeadwords);
    }
}

void Recorder::startStore() {
    m_store = new Store(m_paths, m_settings);
    m_storeHome = new QObject;
    m_storeHome->moveToThread(&m_thread);
    m_thread.setObjectName(QStringLiteral("tavik-recorder"));
    m_thread.start();
    Store* store = m_store;
    QObject* home = m_storeHome;
    QObject* here = &m_here;
    // Run on the recorder's thread after each try: the report goes to this
    // thread, and the next try is planned while anything waits.
    m_reportBack = [this, store, here] {
        QMetaObject::invokeMethod(
            here, [this, report = store->report()] { take(report); }, Qt::QueuedConnection);
        if (store->waiting()) {
            store->retryTimer->start();
        } else {
            store->retryTimer->stop();
        }
    };
    QMetaObject::invokeMethod(home, [store, home, reportBack = m_reportBack] {
        store->retryTimer = new QTimer(home);
        store->retryTimer->setSingleShot(true);
        store->retryTimer->setInterval(kRetryEvery);
        QObject::connect(store->retryTimer, &QTimer::timeout, home, [store, reportBack] {
            store->retry(kRetryLockWait);
            reportBack();
        });
    });
}

void Recorder::record(const std::vector<AnsweredQuestion>& graded, const QDateTime& when) {
    // Nothing asked is no drill to count.
    if (graded.empty()) {
        return;
    }
    if (m_store == nullptr) {
        startStore();
    }
    const GradedDrill counted = countOf(graded);
    recordGrading(m_settings, counted.questionCount, counted.correctCount);
    const int number = ++m_handedOver;
    m_handed.emplace_back(number, counted);
    QMetaObject::invokeMethod(m_storeHome, [store = m_store, reportBack = m_reportBack, number,
                                            counted, graded, when, path = m_history.path()] {
        store->store(number, counted, graded, when, path);
        reportBack();
    });
}

// The thread's statistics are the file's with the drills that wait there;
// drills handed over since are counted again on top, so the counts the
// window shows never go back.
void Recorder::take(const Report& report) {
    copyStatistics(report.statistics, m_settings);
    while (!m_handed.empty() && m_handed.front().first <= report.handled) {
        m_handed.pop_front();
    }
    for (const auto& [number, drill] : m_handed) {
        recordGrading(m_settings, drill.questionCount, drill.correctCount);
    }
    m_report = report;
    // The record became writable: what this thread reads is opened anew,
    // so that it sees what was stored.
    using H = HistoryStore::Health;
    if (report.recordHealth == H::Ready &&
        (m_history.health() == H::ReadOnly || m_history.health() == H::Unavailable)) {
        m_history.open(m_history.path(), m_headwords);
    }
    if (m_onStored) {
        m_onStored();
    }
}

bool Recorder::waitUntilTried(int milliseconds) {
    const QDeadlineTimer deadline(milliseconds);
    while (!m_handed.empty() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (!m_handed.empty()) {
            QThread::msleep(1);
        }
    }
    return m_handed.empty();
}

void Recorder::close() {
    if (m_store != nullptr) {
        const QDeadlineTimer retries(kEndRetries);
        Store* store = std::exchange(m_store, nullptr);
        QObject* home = std::exchange(m_storeHome, nullptr);
        QMetaObject::invokeMethod(
            home,
            [store, home, retries] {
                store->finish(retries);
                delete store;
                delete home;
                QThread::currentThread()->quit();
            },
            Qt::QueuedConnection);
        if (!m_thread.wait(QDeadlineTimer(kEndWait))) {
            qWarning().noquote() << "The learning record and statistics were still busy at the end";
        }
    }
    m_history.close();
}

HistoryStore::Health Recorder::recordHealth() const {
    using H = HistoryStore::Health;
    const H opened = m_history.health();
    if (!m_report || m_report->recordHealth == H::Closed) {
        return opened;
    }
    // The record set aside at opening stays worth saying for the run.
    if (m_report->recordHealth == H::Ready && opened == H::Renewed) {
        return opened;
    }
    return m_report->recordHealth;
}

QString Recorder::healthLine() const {
    using H = HistoryStore::Health;
    const H health = recordHealth();
    const int recordWaiting = m_report ? m_report->recordWaiting : m_history.unsavedGradings();
    const int statisticsWaiting =
        m_report ? m_report->statisticsWaiting : static_cast<int>(m_settings.unsavedDrills.size());
    const QString retried = health == H::ReadOnly
                                ? QStringLiteral("ファイルの書き込み権限をご確認ください。")
                                : QStringLiteral("書き込めるようになりしだい保存します。");
    switch (health) {
    case H::Newer:
        return QStringLiteral("学習記録は新しい版の Tavik で作られたため、読むだけです。\n"
                              "新しい版の Tavik でお使いください。");
    case H::Renewed:
        return QStringLiteral("壊れていた学習記録を別名で残し、新しい記録を始めました：\n%1")
            .arg(QFileInfo(m_history.setAsideFile()).fileName());
    case H::Recreated:
        return QStringLiteral("学習記録のファイルが見つからなくなったため、\n"
                              "新しい記録を始めました。");
    case H::Closed:
    case H::Ready:
    case H::ReadOnly:
    case H::Unavailable:
        break;
    }
    if (recordWaiting > 0 && statisticsWaiting > 0) {
        return QStringLiteral("採点 %1 回分が、成績にも学習記録にもまだ保存できていません。\n%2")
            .arg(std::max(recordWaiting, statisticsWaiting))
            .arg(retried);
    }
    if (recordWaiting > 0) {
        return QStringLiteral("成績は保存しました。学習記録に採点 %1 回分が未保存です。\n%2")
            .arg(recordWaiting)
            .arg(retried);
    }
    if (statisticsWaiting > 0) {
        return QStringLiteral("学習記録は保存しました。成績に採点 %1 回分が未保存です。\n%2")
            .arg(statisticsWaiting)
            .arg(retried);
    }
    if (health == H::ReadOnly) {
        return QStringLiteral("学習記録に書き込めません。採点は保存できるまで待たせます。\n%1")
            .arg(retried);
    }
    if (health == H::Unavailable) {
        return QStringLiteral("学習記録を開けませんでした。ドリルは続けられます。\n"
                              "次の採点のときに、もう一度開きます。");
    }
    if (!m_paths.movedFrom.isEmpty()) {
        return QStringLiteral("成績と学習記録は、次のフォルダに置いています：\n%1")
            .arg(QDir::toNativeSeparators(QFileInfo(m_paths.historyFile).absolutePath()));
    }
    return {};
}

} // namespace tavik
