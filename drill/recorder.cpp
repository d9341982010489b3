#include "drill/recorder.h"

#include "drill/grading.h"
#include "settings/statistics_recording.h"

#include <QDir>
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
        return QStringLiteral("学習記録に書き込めないため、採点は保存されません。\n"
                              "ファイルの書き込み権限をご確認ください。");
    case H::Newer:
        return QStringLiteral("学習記録は新しい版の Tavik で作られたため、読むだけです。\n"
                              "新しい版の Tavik でお使いください。");
    case H::Unavailable:
        return QStringLiteral("学習記録を開けませんでした。ドリルは続けられます。\n"
                              "次の採点のときに、もう一度開きます。");
    case H::Renewed:
        return QStringLiteral("壊れていた学習記録を別名で残し、新しい記録を始めました：\n%1")
            .arg(QFileInfo(m_history.setAsideFile()).fileName());
    case H::Recreated:
        return QStringLiteral("学習記録のファイルが見つからなくなったため、\n"
                              "新しい記録を始めました。");
    case H::Closed:
    case H::Ready:
        break;
    }
    const int waiting =
        std::max(m_history.unsavedGradings(), static_cast<int>(m_settings.unsavedDrills.size()));
    if (waiting > 0) {
        return QStringLiteral("まだ保存できていない採点が %1 回分あります。\n"
                              "次の採点のときに、もう一度保存します。")
            .arg(waiting);
    }
    if (!m_paths.movedFrom.isEmpty()) {
        return QStringLiteral("成績と学習記録は、次のフォルダに置いています：\n%1")
            .arg(QDir::toNativeSeparators(QFileInfo(m_paths.historyFile).absolutePath()));
    }
    return {};
}

} // namespace tavik
