#include "drill/weak_word_pick.h"

#include "drill/selection.h"

#include <limits>

namespace tavik {

bool selectWeakWords(DrillSet& set, const Banks& banks, const std::vector<int>& dueWordKeys,
                     const QString& countText, RandomSource& random) {
    const int asked = parseQuestionCount(countText);
    const std::size_t wanted = asked > 0 ? static_cast<std::size_t>(asked) : kDefaultWeakWordCount;
    const int words = static_cast<int>(std::min<std::size_t>(
                          banks.WordBank.size(), std::numeric_limits<std::int16_t>::max())) -
                      1;
    std::vector<std::int16_t> picked;
    for (const int key : dueWordKeys) {
        if (picked.size() == wanted) {
            break;
        }
        if (key >= 1 && key <= words) {
            picked.push_back(static_cast<std::int16_t>(key));
        }
    }
    if (picked.empty()) {
        return false;
    }
    set.drillWords = std::move(picked);
    buildSentenceList(set, banks, random);
    return true;
}

} // namespace tavik
