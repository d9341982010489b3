#pragma once

#include "drill/drill_screen_state.h"
#include "settings/settings_files.h"
#include "settings/settings_state.h"

#include <QString>
#include <QStringList>

namespace tavik {

// An answer is right only when it is exactly the answer: same letters, same
// case, no blanks added or trimmed. An empty answer is never right.
bool isRightAnswer(const QString& typed, const QString& answer);

// Grades the typed answers against the right answers, one per question:
// sets screen.correctCount and adds the drill to the statistics stored in
// the statistics file, on top of whatever another copy of the program stored
// there meanwhile; settings then holds the stored statistics. Returns false
// when the file could not be written (the drill still counts in settings).
bool gradeAnswers(DrillScreenState& screen, SettingsState& settings, const SettingsPaths& paths,
                  const QStringList& rightAnswers);

// "7／10点": right answers, a full-width slash, questions and "点".
QString scoreText(int correctCount, int questionCount);

} // namespace tavik
