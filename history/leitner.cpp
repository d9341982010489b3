#include "history/leitner.h"

#include <algorithm>

namespace tavik {

void advance(WordState& state, bool right, const QDateTime& when) {
    if (!state.lastGraded.isValid()) {
        state.box = kFirstBox;
    }
    if (right) {
        // One box a calendar day at most: a word drilled twice in a row (its
        // word drill, then its sentence) has not been remembered any longer.
        const bool raisedThatDay =
            state.lastRaised.isValid() &&
            state.lastRaised.toLocalTime().date() == when.toLocalTime().date();
        const int raised = std::clamp(state.box + 1, kFirstBox, kLastBox);
        if (raised > state.box && !raisedThatDay) {
            state.lastRaised = when;
            state.box = raised;
        }
    } else {
        state.box = kFirstBox;
        state.lastMissed = when;
    }
    state.lastGraded = when;
}

} // namespace tavik
