#include "drill/recorder.h"

#include "drill/grading.h"
#include "settings/statistics_recording.h"

#include <QFileInfo>
#include <algorithm>

namespace tavik {

Recorder::Recorder(SettingsState& settings, const SettingsPaths& paths)
    : m_settings(settings), m_paths(paths) {}

void Recorder::openRecord(const QHash<int, QString>& bankHeadwords) {
    if (!m_paths.historyFile.isEmpty()) {
        m_history.open(m_paths.historyFile, bankHeadwords);
    }
}

void Recorder::record(const std::vector<AnsweredQuestion>& graded, const QDateTime& when) {
    // Nothing asked is no drill to count. Each store keeps what it could
    // not write for the next grading and says why on standard error; the
    // health line tells the learner.
    if (graded.empty()) {
        return;
    }
    const GradedDrill counted = countOf(graded);
    recordGradingToFile(m_settings, m_paths, counted.questionCount, counted.correctCount);
    m_history.record(graded, when);
}

QString Recorder::healthLine() const {
    using H = HistoryStore::Health;
    switch (m_history.health()) {
    case H::ReadOnly:
        return QStringLiteral("学習記録に書き込めないため、今回の採点は閉じると消えます。"
                              "ファイルの書き込み権限をご確認ください。");
    case H::Newer:
        return QStringLiteral("学習記録は新しい版の Tavik のものなので、読むだけにしています。"
                              "新しい版でお使いください。");
    case H::Unavailable:
        return QStringLiteral("学習記録を開けませんでした。ドリルはそのまま続けられ、"
                              "次の採点でもう一度開きます。");
    case H::Renewed:
        return QStringLiteral("壊れていた学習記録を %1 として残し、新しい記録を始めました。")
            .arg(QFileInfo(m_history.setAsideFile()).fileName());
    case H::Recreated:
        return QStringLiteral("学習記録のファイルが移動か削除されていたので、"
                              "新しい記録を始めました。");
    case H::Closed:
    case H::Ready:
        break;
    }
    const int waiting =
        std::max(m_history.unsavedGradings(), static_cast<int>(m_settings.unsavedDrills.size()));
    if (waiting > 0) {
        return QStringLiteral("まだ保存できていない採点が %1 回分あります。"
                              "次の採点でもう一度保存します。")
            .arg(waiting);
    }
    if (!m_paths.movedFrom.isEmpty()) {
        return QStringLiteral("成績と学習記録は %1 に置いています。")
            .arg(QFileInfo(m_paths.historyFile).absolutePath());
    }
    return {};
}

} // namespace tavik
