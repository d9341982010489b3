#include "print/sheet_composer.h"

#include "drill/drill_hints.h"
#include "drill/drill_paging.h"
#include "drill/drill_questions.h"
#include "print/drawing_surface.h"

#include <cmath>

namespace tavik {

namespace {

// Font sizes are fractions of the surface width: size N is width / N points,
// so text keeps its proportion to the page on every surface.
constexpr int Header = 600;
constexpr int Body = 1000;
constexpr int Footer = 1100;
constexpr int Translation = 1400;

const QString kFooterNotice = QStringLiteral("Tavik ビジネス英単語ドリル");

void setSize(DrawingSurface& surface, int divisor) {
    surface.setFontSize(static_cast<int>(std::floor(surface.scaleWidth() / divisor)));
}

void printAt(DrawingSurface& surface, int x, int y, const QString& text) {
    setCurrentXY(surface, x, y);
    surface.print(text);
}

// A rule from 6 % to 94 % of the width, its end given from its start.
void rule(DrawingSurface& surface, int y) {
    const double startX = surface.scaleWidth() * 6 / 100;
    const double startY = surface.scaleHeight() * y / 100;
    surface.line(startX, startY, startX + surface.scaleWidth() * 88 / 100, startY);
}

// Where the level gives the letter count, the blank follows the answer's
// length, shorter than the answer so that it hints without giving the length
// away; otherwise it is fixed.
QString blankText(const Sheet& sheet, const QString& answer) {
    if (!hintsFor(sheet.level).letterCount) {
        return QStringLiteral("＿＿＿＿＿＿");
    }
    const double factor = sheet.family == SheetFamily::Words ? 0.8 : 0.7;
    const auto length = static_cast<double>(answer.size());
    return QStringLiteral("＿").repeated(static_cast<int>(std::floor(length * factor)) + 1);
}

// The paper form of the count (the screen writes "【7文字】").
QString sheetLetterCount(const Sheet& sheet, const QString& answer) {
    if (!hintsFor(sheet.level).letterCount) {
        return {};
    }
    return QStringLiteral(" [%1文字]").arg(answer.size());
}

QString questionNumber(int question) {
    return QString::number(question + 1) + QLatin1Char('.');
}

void composeWordRow(DrawingSurface& surface, const Sheet& sheet, int row, int question,
                    const WordQuestion& word) {
    const int y = 4 * row + 11;
    printAt(surface, 8, y, questionNumber(question));
    printAt(surface, 14, y, word.meaning + sheetLetterCount(sheet, word.headword));
    printAt(surface, 66, y,
            sheet.kind == SheetKind::Question ? blankText(sheet, word.headword) : word.headword);
}

void composeSentenceRow(DrawingSurface& surface, const Sheet& sheet, int row, int question,
                        const SentenceQuestion& sentence) {
    const QString& answer = sentence.answer;
    const int y = 4 * row + 10;
    printAt(surface, 8, y, questionNumber(question));
    printAt(surface, 14, y,
            sentence.before +
                (sheet.kind == SheetKind::Question ? blankText(sheet, answer) : answer) +
                sentence.after);
    setCurrentXY(surface, 14, y + 2);
    setSize(surface, Translation);
    surface.print(QStringLiteral(" （") + sentence.translation + QStringLiteral("）") +
                  sheetLetterCount(sheet, answer));
    setSize(surface, Body);
}

// Composes the rows of the questions that fall on the page.
template <typename Question, typename ComposeRow>
void composeRows(DrawingSurface& surface, const Sheet& sheet, int sheetPage,
                 const std::vector<Question>& questions, ComposeRow composeRow) {
    for (int row = 0; row < kQuestionsPerSheetPage; ++row) {
        const int question = (sheetPage - 1) * kQuestionsPerSheetPage + row;
        if (question >= 0 && question < static_cast<int>(questions.size())) {
            composeRow(surface, sheet, row, question,
                       questions[static_cast<std::size_t>(question)]);
        }
    }
}

} // namespace

QString sheetName(const Sheet& sheet) {
    if (sheet.family == SheetFamily::Words) {
        return sheet.kind == SheetKind::Question ? QStringLiteral("単語問題")
                                                 : QStringLiteral("単語解答");
    }
    return sheet.kind == SheetKind::Question ? QStringLiteral("例文問題")
                                             : QStringLiteral("例文解答");
}

SheetKind sheetKindFor(bool optQuestion) {
    return optQuestion ? SheetKind::Question : SheetKind::Answer;
}

int sheetQuestionCount(SheetFamily family, const DrillSet& drill) {
    return static_cast<int>(family == SheetFamily::Words ? drill.drillWords.size()
                                                         : drill.drillSentences.size());
}

int sheetPageCountFor(int questionCount) {
    return pagesFor(questionCount, kQuestionsPerSheetPage);
}

void setCurrentXY(DrawingSurface& surface, int x, int y) {
    surface.setCurrentX(surface.scaleWidth() * x / 100.0);
    surface.setCurrentY(surface.scaleHeight() * y / 100.0);
}

void composeSheetPage(DrawingSurface& surface, const Sheet& sheet, int sheetPage,
                      int sheetPageCount, const DrillSet& drill, const Banks& banks) {
    setSize(surface, Body);
    rule(surface, 4);
    rule(surface, 8);
    rule(surface, 92);

    setSize(surface, Header);
    printAt(surface, 10, 5, QStringLiteral("Tavik  ") + sheetName(sheet));
    setSize(surface, Body);
    printAt(surface, 85, 5, QStringLiteral("%1/%2 Page").arg(sheetPage).arg(sheetPageCount));
    setCurrentXY(surface, 50, 93);
    setSize(surface, Footer);
    surface.print(kFooterNotice);
    setSize(surface, Body);

    if (sheet.family == SheetFamily::Words) {
        composeRows(surface, sheet, sheetPage, wordQuestions(banks, drill), composeWordRow);
    } else {
        composeRows(surface, sheet, sheetPage, sentenceQuestions(banks, drill), composeSentenceRow);
    }
}

} // namespace tavik
