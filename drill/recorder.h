#pragma once

#include "history/answered_question.h"
#include "history/history_store.h"
#include "settings/settings_files.h"
#include "settings/settings_state.h"

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QString>
#include <QThread>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace tavik {

// Where every graded drill goes: the statistics in tavik.ini and each
// answer in the learning record. A grading is counted at once, so the score
// and the level never wait; the two files are written on the recorder's own
// thread, where a lock held by another copy is waited for without freezing
// the window. Whatever either file could not take waits there and is tried
// again every second, at each grading and at program end, and the line for
// the main window says exactly what is stored and what waits.
class Recorder {
public:
    Recorder(SettingsState& settings, const SettingsPaths& paths);
    ~Recorder();
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    // Opens the learning record where the paths say; see HistoryStore::open.
    void openRecord(const QHash<int, QString>& bankHeadwords);
    // Counts one graded drill in the statistics at once and hands it to the
    // recorder's thread to store in both files.
    void record(const std::vector<AnsweredQuestion>& graded, const QDateTime& when);
    // Called on this thread each time the files took, or could not take,
    // what was handed over.
    void setOnStored(std::function<void()> onStored) { m_onStored = std::move(onStored); }
    // Handles events until every grading handed over has been tried, or the
    // time is up; true when none is left untried.
    bool waitUntilTried(int milliseconds);
    // At program end: stores what waits, waiting a bounded time for the
    // files to become writable, and closes the record whole.
    void close();

    // The learning record as this thread reads it.
    HistoryStore& history() { return m_history; }

    // A short line for the main window on anything the learner should know
    // about the two stores, with what they can do; empty when all is well.
    QString healthLine() const;

private:
    class Store;
    // What the files hold after the recorder's thread tried the gradings
    // handed to it up to handled.
    struct Report {
        int handled = 0;
        SettingsState statistics;
        int statisticsWaiting = 0;
        HistoryStore::Health recordHealth = HistoryStore::Health::Closed;
        int recordWaiting = 0;
    };

    void startStore();
    void take(const Report& report);
    HistoryStore::Health recordHealth() const;

    SettingsState& m_settings;
    const SettingsPaths& m_paths;
    HistoryStore m_history;
    QHash<int, QString> m_headwords;
    QObject m_here;
    QThread m_thread;
    QObject* m_storeHome = nullptr;
    Store* m_store = nullptr;
    std::function<void()> m_reportBack;
    // The drills handed over and not yet reported, with their numbers.
    std::deque<std::pair<int, GradedDrill>> m_handed;
    int m_handedOver = 0;
    std::optional<Report> m_report;
    std::function<void()> m_onStored;
};

} // namespace tavik
