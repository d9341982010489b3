#include "drill/drill_hints.h"

namespace tavik {

Hints hintsFor(Level level) {
    return {.firstLetter = level == Level::Beginner, .letterCount = level != Level::Advanced};
}

QString letterCountHint(Level level, const QString& answer) {
    if (!hintsFor(level).letterCount) {
        return {};
    }
    return QStringLiteral("【%1文字】").arg(answer.size());
}

QString prefilledAnswer(Level level, const QString& answer) {
    if (!hintsFor(level).firstLetter) {
        return {};
    }
    return answer.left(1);
}

QString retypableLetter(Level level, const QString& answer) {
    const QString given = prefilledAnswer(level, answer);
    if (given.isEmpty() || answer.mid(1, 1).compare(given, Qt::CaseInsensitive) == 0) {
        return {};
    }
    return given;
}

QString wordPrompt(const QString& meaning, const QString& headword, Level level,
                   bool questionMode) {
    if (!questionMode) {
        return meaning;
    }
    return meaning + letterCountHint(level, headword);
}

QString translationLine(const QString& translation, const QString& answer, Level level) {
    return QStringLiteral("　（") + translation + QStringLiteral("）") +
           letterCountHint(level, answer);
}

} // namespace tavik
