#include "drill/answered_questions.h"

#include "drill/drill_questions.h"
#include "drill/grading.h"

namespace tavik {

namespace {

QString typedAt(const QStringList& typedAnswers, int question) {
    return question < typedAnswers.size() ? typedAnswers[question] : QString();
}

} // namespace

std::vector<AnsweredQuestion> answeredQuestions(const Banks& banks, const DrillSet& drill,
                                                bool wordDrill, const QStringList& typedAnswers) {
    std::vector<AnsweredQuestion> answered;
    int question = 0;
    if (wordDrill) {
        for (const WordQuestion& word : wordQuestions(banks, drill)) {
            const bool right = isRightAnswer(typedAt(typedAnswers, question++), word.headword);
            if (word.key.toInt() > 0) {
                answered.push_back({word.key.toInt(), 0, right});
            }
        }
        return answered;
    }
    for (const SentenceQuestion& sentence : sentenceQuestions(banks, drill)) {
        const bool right = isRightAnswer(typedAt(typedAnswers, question++), sentence.answer);
        if (sentence.wordKey.toInt() > 0 && sentence.key.toInt() > 0) {
            answered.push_back({sentence.wordKey.toInt(), sentence.key.toInt(), right});
        }
    }
    return answered;
}

} // namespace tavik
