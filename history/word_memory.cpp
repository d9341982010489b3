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
// The scales of stability growth tried: 2^(k/4) for k = -4 .. 4.
constexpr int kScaleSteps = 4;

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

struct Replayed {
    WordMemory word;
    QDateTime lastGrading;
    bool gradingRight = true;
};

void applyGrading(Replayed& replayed, const MemoryParameters& p, double* likelihood) {
    WordMemory& word = replayed.word;
    const QDate day = replayed.lastGrading.toLocalTime().date();
    const Grade grade = replayed.gradingRight ? Grade::Good : Grade::Again;
    if (!word.lastDay.isValid()) {
        word.memory = firstMemory(grade, p);
        word.firstDay = day;
    } else if (day == word.lastDay) {
        word.memory = sameDayMemory(word.memory, grade, p);
    } else {
        const double recall =
            recallAfter(static_cast<double>(word.lastDay.daysTo(day)), word.memory.stability);
        if (likelihood != nullptr) {
            *likelihood += std::log(
                std::clamp(replayed.gradingRight ? recall : 1 - recall, kLeastChance, 1.0));
        }
        word.memory = reviewedMemory(word.memory, recall, grade, p);
    }
    word.lastDay = day;
    word.missedLast = !replayed.gradingRight;
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
        stability = s * (1 + p.stabilityScale * growth);
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

std::vector<WordMemory> replay(const std::vector<StoredAnswer>& answers, const MemoryParameters& p,
                               double* likelihood) {
    QHash<QString, std::size_t> indexOf;
    std::vector<Replayed> words;
    for (const StoredAnswer& answer : answers) {
        if (!answer.when.isValid()) {
            continue;
        }
        const QString identity = wordIdentity(answer);
        auto found = indexOf.constFind(identity);
        if (found == indexOf.constEnd()) {
            found = indexOf.insert(identity, words.size());
            Replayed fresh;
            fresh.word.wordKey = answer.wordKey;
            fresh.word.headword = answer.headword;
            words.push_back(fresh);
        }
        Replayed& replayed = words[found.value()];
        replayed.word.right += answer.right ? 1 : 0;
        replayed.word.wrong += answer.right ? 0 : 1;
        if (!answer.right) {
            replayed.word.lastWrongTyped = answer.typed;
            replayed.word.lastWrongSentence = answer.sentenceKey;
        }
        if (replayed.lastGrading.isValid() && answer.when <= replayed.lastGrading) {
            // The same grading, or one that waited and arrived late.
            if (answer.when == replayed.lastGrading) {
                replayed.gradingRight = replayed.gradingRight && answer.right;
            }
            continue;
        }
        if (replayed.lastGrading.isValid()) {
            applyGrading(replayed, p, likelihood);
        }
        replayed.lastGrading = answer.when;
        replayed.gradingRight = answer.right;
    }
    std::vector<WordMemory> memories;
    memories.reserve(words.size());
    for (Replayed& replayed : words) {
        applyGrading(replayed, p, likelihood);
        memories.push_back(std::move(replayed.word));
    }
    return memories;
}

} // namespace

std::vector<WordMemory> replayAnswers(const std::vector<StoredAnswer>& answers,
                                      const MemoryParameters& p) {
    return replay(answers, p, nullptr);
}

double logLikelihood(const std::vector<StoredAnswer>& answers, const MemoryParameters& p) {
    double likelihood = 0;
    replay(answers, p, &likelihood);
    return likelihood;
}

MemoryParameters learnerParameters(const std::vector<StoredAnswer>& answers) {
    MemoryParameters best;
    if (answers.size() < kFittingAnswers) {
        return best;
    }
    double bestLikelihood = logLikelihood(answers, best);
    for (int step = -kScaleSteps; step <= kScaleSteps; ++step) {
        MemoryParameters tried;
        tried.stabilityScale = std::exp2(static_cast<double>(step) / kScaleSteps);
        const double likelihood = logLikelihood(answers, tried);
        if (likelihood > bestLikelihood) {
            best = tried;
            bestLikelihood = likelihood;
        }
    }
    return best;
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
