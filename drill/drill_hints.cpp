#include "drill/drill_hints.h"

namespace tavik {

namespace {

const QString kBeginner = QStringLiteral("初級");
const QString kIntermediate = QStringLiteral("中級");

} // namespace

bool levelGivesLetterCount(const QString& levelText) {
    return levelText == kBeginner || levelText == kIntermediate;
}

bool levelGivesFirstLetter(const QString& levelText) {
    return levelText == kBeginner;
}

QString letterCountHint(const QString& levelText, const QString& answer) {
    if (!levelGivesLetterCount(levelText)) {
        return {};
    }
    return QStringLiteral("【%1文字】").arg(answer.size());
}

QString prefilledAnswer(const QString& levelText, const QString& answer) {
    if (!levelGivesFirstLetter(levelText)) {
        return {};
    }
    return answer.left(1);
}

QString wordPrompt(const QString& meaning, const QString& headword, const QString& levelText,
                   bool questionMode) {
    if (!questionMode) {
        return meaning;
    }
    return meaning + letterCountHint(levelText, headword);
}

QString translationLine(const QString& translation, const QString& answer,
                        const QString& levelText) {
    return QStringLiteral("　（") + translation + QStringLiteral("）") +
           letterCountHint(levelText, answer);
}

} // namespace tavik
