#pragma once

#include "history/answered_question.h"
#include "history/history_store.h"
#include "settings/settings_files.h"
#include "settings/settings_state.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <vector>

namespace tavik {

// Where every graded drill goes: the statistics in tavik.ini and each
// answer in the learning record. It keeps what either could not store yet
// for the next grading, and says in one line how the two stand, so that the
// learner is never left believing a grading was kept when it was not.
class Recorder {
public:
    Recorder(SettingsState& settings, const SettingsPaths& paths);

    // Opens the learning record where the paths say; see HistoryStore::open.
    void openRecord(const QHash<int, QString>& bankHeadwords);
    // Counts and stores one graded drill in both stores.
    void record(const std::vector<AnsweredQuestion>& graded, const QDateTime& when);
    // Folds the record's log into its file and closes it.
    void close() { m_history.close(); }

    HistoryStore& history() { return m_history; }

    // A short line for the main window on anything the learner should know
    // about the two stores, with what they can do; empty when all is well.
    QString healthLine() const;

private:
    SettingsState& m_settings;
    const SettingsPaths& m_paths;
    HistoryStore m_history;
};

} // namespace tavik
