#include "progress/learning_record.h"

#include "history/history_store.h"

namespace tavik {

LearningRecord readLearningRecord(HistoryStore& history) {
    LearningRecord record;
    std::optional<std::vector<WordState>> states = history.wordStates();
    std::optional<std::vector<StoredAnswer>> answers = history.answers();
    if (!states || !answers) {
        return record;
    }
    record.readable = true;
    record.states = std::move(*states);
    record.answers = std::move(*answers);
    return record;
}

} // namespace tavik
