#pragma once

#include "settings/settings_state.h"

namespace tavik {

// Adds one graded drill of questionCount questions, correctCount of them
// right, to the running statistics; returns the drill's whole percentage.
// Counters saturate at 32767.
int recordGrading(SettingsState& settings, int questionCount, int correctCount);

} // namespace tavik
