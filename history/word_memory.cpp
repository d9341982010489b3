#include "history/word_memory.h"

#include <QHash>
#include <algorithm>
#include <cmath>

namespace tavik {

namespace {

// The forgetting curve R = (1 + kFactor · t / S)^kDecay, its factor chosen
// so that recall is 0.9 when t = S.
constexpr double kDecay = -0.5;
constexpr double kFactor = 19.0 / 81.0;
constexpr double kLowestStability = 0.01;
constexpr double kLowestDifficulty = 1;
constexpr double kHighestDifficulty = 10;
// A review the model thought certain still counts, if hardly.
constexpr double kLeastChance = 1e-6;

double clampDifficulty(double difficulty) {
    return std::clamp(difficulty, kLowestDifficulty, kHighestDifficulty);
}

double initialDifficulty(double grade, const MemoryParameters& p) {
    return p.w[4] - std::exp(p.w[5] * (grade - 1)) + 1;
}

double nextDifficulty(double difficulty, Grade grade, const MemoryParameters& p) {
    const double moved = difficulty - p.w[6] * (static_cast<double>(grade) - 3);
    // Mean reversion towards the difficulty of a word first answered "Easy".
    return clampDifficulty(p.w[7] * initialDifficulty(4, p) + (1 - p.w[7]) * moved);
}

// One grading of a word: the local day, and whether every answer in it was
// right.
struct Grading {
    QDate day;
    bool right = true;
};

// A word's stored answers as the gradings that move its memory, oldest
// first, beside what the record screen counts of them.
struct WordGradings {
    WordMemory word;
    std::vector<Grading> gradings;
};

// Moves the word's memory by one grading. A review on a later day adds the
// log of the chance the model gave its answer to `likelihood`.
void applyGrading(WordMemory& word, const Grading& grading, const MemoryParameters& p,
                  double* likelihood) {
    const Grade grade = grading.right ? Grade::Good : Grade::Again;
    if (!word.lastDay.isValid()) {
        word.memory = firstMemory(grade, p);
        word.firstDay = grading.day;
    } else if (grading.day == word.lastDay) {
        word.memory = sameDayMemory(word.memory, grade, p);
    } else {
        const double recall = recallAfter(static_cast<double>(word.lastDay.daysTo(grading.day)),
                                          word.memory.stability);
        if (likelihood != nullptr) {
            *likelihood +=
                std::log(std::clamp(grading.right ? recall : 1 - recall, kLeastChance, 1.0));
        }
        word.memory = reviewedMemory(word.memory, recall, grade, p);
    }
    word.lastDay = grading.day;
    word.missedLast = !grading.right;
}

} // namespace

QString wordIdentity(const StoredAnswer& answer) {
    return answer.headword.isEmpty() ? QStringLiteral("#%1").arg(answer.wordKey) : answer.headword;
}

double recallAfter(double days, double stability) {
    return std::pow(1 + kFactor * std::max(days, 0.0) / std::max(stability, kLowestStability),
                    kDecay);
}

double daysUntilRecall(double retention, double stability) {
    return std::max(stability, kLowestStability) / kFactor * (std::pow(retention, 1 / kDecay) - 1);
}

Memory firstMemory(Grade grade, const MemoryParameters& p) {
    const auto g = static_cast<int>(grade);
    return {std::max(p.w[static_cast<std::size_t>(g - 1)], kLowestStability),
            clampDifficulty(initialDifficulty(g, p))};
}

Memory reviewedMemory(const Memory& memory, double recall, Grade grade, const MemoryParameters& p) {
    const double s = std::max(memory.stability, kLowestStability);
    const double d = memory.difficulty;
    double stability = 0;
    if (grade == Grade::Again) {
        const double forgotten = p.w[11] * std::pow(d, -p.w[12]) * (std::pow(s + 1, p.w[13]) - 1) *
                                 std::exp(p.w[14] * (1 - recall));
        // A lapse never leaves the word stronger than a same-day miss would.
        stability = std::min(forgotten, s / std::exp(p.w[17] * p.w[18]));
    } else {
        const double growth = std::exp(p.w[8]) * (11 - d) * std::pow(s, -p.w[9]) *
                              (std::exp(p.w[10] * (1 - recall)) - 1);
        stability = s * (1 + growth);
    }
    return {std::max(stability, kLowestStability), nextDifficulty(d, grade, p)};
}

Memory sameDayMemory(const Memory& memory, Grade grade, const MemoryParameters& p) {
    const double s = std::max(memory.stability, kLowestStability);
    return {std::max(s * std::exp(p.w[17] * (static_cast<double>(grade) - 3 + p.w[18])),
                     kLowestStability),
            nextDifficulty(memory.difficulty, grade, p)};
}

namespace {

std::vector<WordGradings> gradingsOf(const std::vector<StoredAnswer>& answers) {
    QHash<QString, std::size_t> indexOf;
    std::vector<WordGradings> words;
    // The moment of each word's latest grading, still open to the answers
    // graded with it.
    std::vector<QDateTime> lastGrading;
    for (const StoredAnswer& answer : answers) {
        if (!answer.when.isValid()) {
            continue;
        }
        const QString identity = wordIdentity(answer);
        auto found = indexOf.constFind(identity);
        if (found == indexOf.constEnd()) {
            found = indexOf.insert(identity, words.size());
            WordGradings fresh;
            fresh.word.wordKey = answer.wordKey;
            fresh.word.headword = answer.headword;
            words.push_back(std::move(fresh));
            lastGrading.emplace_back();
        }
        WordGradings& word = words[found.value()];
        QDateTime& last = lastGrading[found.value()];
        word.word.right += answer.right ? 1 : 0;
        word.word.wrong += answer.right ? 0 : 1;
        if (!answer.right) {
            word.word.lastWrongTyped = answer.typed;
            word.word.lastWrongSentence = answer.sentenceKey;
        }
        if (last.isValid() && answer.when <= last) {
            // The same grading, or one that waited and arrived late.
            if (answer.when == last) {
                word.gradings.back().right = word.gradings.back().right && answer.right;
            }
            continue;
        }
        last = answer.when;
        word.gradings.push_back({answer.when.toLocalTime().date(), answer.right});
    }
    return words;
}

double likelihoodOf(const std::vector<WordGradings>& words, const MemoryParameters& p) {
    double likelihood = 0;
    for (const WordGradings& word : words) {
        WordMemory memory;
        for (const Grading& grading : word.gradings) {
            applyGrading(memory, grading, p, &likelihood);
        }
    }
    return likelihood;
}

// The learner's weights, as factors on the published ones in four groups
// that the answers in the record tell something of: the stability a first
// answer leaves (w0-w3), the words' difficulty (w4), the growth of
// stability after a right review (e^w8) and the stability a lapse leaves
// (w11).
enum FittedGroup { FirstStability, Difficulty, Growth, AfterLapse, kFittedGroups };

MemoryParameters scaledParameters(const std::array<double, kFittedGroups>& logScales) {
    MemoryParameters p;
    for (std::size_t i = 0; i < 4; ++i) {
        p.w[i] *= std::exp(logScales[FirstStability]);
    }
    p.w[4] *= std::exp(logScales[Difficulty]);
    p.w[8] += logScales[Growth];
    p.w[11] *= std::exp(logScales[AfterLapse]);
    return p;
}

// The published weights fit learners at large: a learner's factor is taken
// as a draw around 1, about one in three beyond a factor of 1.5 either way,
// so that a few hundred answers move it only as far as they show.
constexpr double kPriorSpread = 0.4;
// The search over each factor's logarithm: steps halved from the first to
// the last, each kept while it makes the record likelier.
constexpr double kFirstStep = 0.4;
constexpr double kLastStep = 0.02;

// A factor is taken only where it brings reviews sooner than the published
// weights would: a less stable first memory, slower growth, a deeper lapse,
// harder words. A few hundred answers barely tell a learner a fifth away
// from the published weights (the record's log-likelihoods under the two
// differ by a unit or so after a thousand answers), and
// the two mistakes do not cost alike: a wait too short spends a review on a
// word still well recalled, a wait too long lets words fall below the
// retention the learner asked for and lapse, which costs their stability.
bool shortensWaits(FittedGroup group, double logScale) {
    return group == Difficulty ? logScale >= 0 : logScale <= 0;
}

double posterior(const std::vector<WordGradings>& words,
                 const std::array<double, kFittedGroups>& logScales) {
    double prior = 0;
    for (const double logScale : logScales) {
        prior -= logScale * logScale / (2 * kPriorSpread * kPriorSpread);
    }
    return likelihoodOf(words, scaledParameters(logScales)) + prior;
}

} // namespace

std::vector<WordMemory> replayAnswers(const std::vector<StoredAnswer>& answers,
                                      const MemoryParameters& p) {
    std::vector<WordMemory> memories;
    for (WordGradings& word : gradingsOf(answers)) {
        for (const Grading& grading : word.gradings) {
            applyGrading(word.word, grading, p, nullptr);
        }
        memories.push_back(std::move(word.word));
    }
    return memories;
}

MemoryParameters learnerParameters(const std::vector<StoredAnswer>& answers) {
    if (answers.size() < kFittingAnswers) {
        return {};
    }
    const std::vector<WordGradings> words = gradingsOf(answers);
    std::array<double, kFittedGroups> best{};
    double bestPosterior = posterior(words, best);
    for (double step = kFirstStep; step >= kLastStep; step /= 2) {
        bool moved = true;
        while (moved) {
            moved = false;
            for (std::size_t group = 0; group < kFittedGroups; ++group) {
                for (const double direction : {-1.0, 1.0}) {
                    std::array<double, kFittedGroups> tried = best;
                    tried[group] += direction * step;
                    if (!shortensWaits(static_cast<FittedGroup>(group), tried[group])) {
                        continue;
                    }
                    const double tries = posterior(words, tried);
                    if (tries > bestPosterior) {
                        best = tried;
                        bestPosterior = tries;
                        moved = true;
                    }
                }
            }
        }
    }
    return scaledParameters(best);
}

double recallOn(const WordMemory& word, QDate day) {
    if (word.missedLast || !word.lastDay.isValid()) {
        return 0;
    }
    return recallAfter(static_cast<double>(word.lastDay.daysTo(day)), word.memory.stability);
}

QDate dueDate(const WordMemory& word, double retention) {
    if (word.missedLast) {
        return word.lastDay;
    }
    const double days = std::round(daysUntilRecall(retention, word.memory.stability));
    return word.lastDay.addDays(std::max<qint64>(1, static_cast<qint64>(days)));
}

bool isDue(const WordMemory& word, QDate day, double retention) {
    return word.lastDay.isValid() && dueDate(word, retention) <= day;
}

bool isKnown(const WordMemory& word, QDate day) {
    return word.lastDay.isValid() && recallOn(word, day.addDays(kKnownAheadDays)) >= kKnownRecall;
}

} // namespace tavik
