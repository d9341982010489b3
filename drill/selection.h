#pragma once

#include "content/banks.h"
#include "drill/drill_set.h"
#include "drill/random_source.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace tavik {

// Free-word search: every word whose headword or meaning contains freeWord
// (plain, case-sensitive substring; the empty text matches every word), or
// its half-width form where it was typed in full-width letters, as an input
// method left on gives them, in random order, then the sentence list built
// from them.
void selectBySearch(DrillSet& set, const Banks& banks, const QString& freeWord,
                    RandomSource& random);

// Random pick: exactly parseQuestionCount(countText) distinct words, then the
// sentence list built from them.
void selectAtRandom(DrillSet& set, const Banks& banks, const QString& countText,
                    RandomSource& random);

// Every sentence of every word of set.drillWords, each once, in random order.
void buildSentenceList(DrillSet& set, const Banks& banks, RandomSource& random);

// count values drawn from lo..hi; with unique no value is drawn twice (and a
// count above the number of values gives an empty result). A range or count
// that does not fit the 16-bit lists also gives an empty result.
std::vector<std::int16_t> randomOrder(int hi, int lo, int count, bool unique, RandomSource& random);

// A position drawn uniformly from 1..size; 0 when size is below 1.
int randomInt(int size, RandomSource& random);

// The number of questions asked for by the random-pick text: every "問"
// removed, full-width digits read as digits, numeric prefix rounded half to
// even, limited to 0..141.
int parseQuestionCount(const QString& countText);

} // namespace tavik
