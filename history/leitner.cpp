#include "history/leitner.h"

#include <algorithm>
#include <array>

namespace tavik {

namespace {

// Days a word waits in each box before it is asked again.
constexpr std::array<int, kLastBox> kWaitDays{0, 1, 3, 7, 14};

} // namespace

void advance(WordState& state, bool right, const QDateTime& when) {
    if (!state.lastGraded.isValid()) {
        state.box = kFirstBox;
    }
    if (right) {
        const int raised = std::clamp(state.box + 1, kFirstBox, kLastBox);
        if (raised > state.box) {
            state.lastRaised = when;
        }
        state.box = raised;
    } else {
        state.box = kFirstBox;
        state.lastMissed = when;
    }
    state.lastGraded = when;
}

QDate dueDate(const WordState& state) {
    const int box = std::clamp(state.box, kFirstBox, kLastBox);
    return state.lastGraded.toLocalTime().date().addDays(
        kWaitDays[static_cast<std::size_t>(box - 1)]);
}

std::vector<int> dueWords(const std::vector<WordState>& states, QDate today) {
    std::vector<const WordState*> due;
    for (const WordState& state : states) {
        if (state.lastGraded.isValid() && dueDate(state) <= today) {
            due.push_back(&state);
        }
    }
    std::sort(due.begin(), due.end(), [](const WordState* a, const WordState* b) {
        if (a->box != b->box) {
            return a->box < b->box;
        }
        // An invalid time (never missed) counts as the oldest.
        const qint64 aMissed = a->lastMissed.isValid() ? a->lastMissed.toMSecsSinceEpoch() : -1;
        const qint64 bMissed = b->lastMissed.isValid() ? b->lastMissed.toMSecsSinceEpoch() : -1;
        if (aMissed != bMissed) {
            return aMissed > bMissed;
        }
        return a->wordKey < b->wordKey;
    });
    std::vector<int> keys;
    keys.reserve(due.size());
    for (const WordState* state : due) {
        keys.push_back(state->wordKey);
    }
    return keys;
}

} // namespace tavik
