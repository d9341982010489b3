#pragma once

#include "history/leitner.h"
#include "history/stored_answer.h"

#include <vector>

namespace tavik {

class HistoryStore;

// What the learning-record screen shows, as the record holds it now.
struct LearningRecord {
    bool readable = false;
    std::vector<StoredAnswer> answers; // oldest first
    std::vector<WordState> states;
};

// Reads every stored answer and every word's state; not readable when the
// record cannot be read.
LearningRecord readLearningRecord(HistoryStore& history);

} // namespace tavik
