#include "print/sheet_composer.h"

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

const QString kAdvancedLevel = QStringLiteral("上級");
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

// A drill that points past its bank shows empty texts rather than failing.
QString bankText(const BankTable& table, int row, int column) {
    if (row < 1 || row >= static_cast<int>(table.size())) {
        return {};
    }
    const BankRow& fields = table[static_cast<std::size_t>(row)];
    if (column < 0 || column >= static_cast<int>(fields.size())) {
        return {};
    }
    return fields[static_cast<std::size_t>(column)];
}

bool isAdvanced(const Sheet& sheet) {
    return sheet.levelText == kAdvancedLevel;
}

// The blank follows the answer's length, shorter than the answer so that it
// hints without giving the length away; at the advanced level it is fixed.
QString blankText(const Sheet& sheet, const QString& answer) {
    if (isAdvanced(sheet)) {
        return QStringLiteral("＿＿＿＿＿＿");
    }
    const double factor = sheet.family == SheetFamily::Words ? 0.8 : 0.7;
    const auto length = static_cast<double>(answer.size());
    return QStringLiteral("＿").repeated(static_cast<int>(std::floor(length * factor)) + 1);
}

QString letterCountHint(const Sheet& sheet, const QString& answer) {
    if (isAdvanced(sheet)) {
        return {};
    }
    return QStringLiteral(" [%1文字]").arg(answer.size());
}

QString questionNumber(int question) {
    return QString::number(question + 1) + QLatin1Char('.');
}

void composeWordRow(DrawingSurface& surface, const Sheet& sheet, int row, int question, int bankRow,
                    const Banks& banks) {
    const QString headword = bankText(banks.WordBank, bankRow, WordField::Headword);
    const QString meaning = bankText(banks.WordBank, bankRow, WordField::Meaning);
    const int y = 4 * row + 11;
    printAt(surface, 8, y, questionNumber(question));
    printAt(surface, 14, y, meaning + letterCountHint(sheet, headword));
    printAt(surface, 66, y,
            sheet.kind == SheetKind::Question ? blankText(sheet, headword) : headword);
}

void composeSentenceRow(DrawingSurface& surface, const Sheet& sheet, int row, int question,
                        int bankRow, const Banks& banks) {
    const BankTable& bank = banks.SentenceBank;
    const QString before = bankText(bank, bankRow, SentenceField::Before);
    const QString answer = bankText(bank, bankRow, SentenceField::Answer);
    const QString after = bankText(bank, bankRow, SentenceField::After);
    const QString translation = bankText(bank, bankRow, SentenceField::Translation);
    const int y = 4 * row + 10;
    printAt(surface, 8, y, questionNumber(question));
    printAt(surface, 14, y,
            before + (sheet.kind == SheetKind::Question ? blankText(sheet, answer) : answer) +
                after);
    setCurrentXY(surface, 14, y + 2);
    setSize(surface, Translation);
    surface.print(QStringLiteral(" （") + translation + QStringLiteral("）") +
                  letterCountHint(sheet, answer));
    setSize(surface, Body);
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
    return family == SheetFamily::Words ? drill.drillWordCount : drill.drillSentenceCount;
}

int sheetPageCountFor(int questionCount) {
    if (questionCount <= 0) {
        return 0;
    }
    return (questionCount + kQuestionsPerSheetPage - 1) / kQuestionsPerSheetPage;
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

    const std::vector<std::int16_t>& questions =
        sheet.family == SheetFamily::Words ? drill.drillWords : drill.drillSentences;
    const int questionCount = sheetQuestionCount(sheet.family, drill);
    for (int row = 0; row < kQuestionsPerSheetPage; ++row) {
        const int question = (sheetPage - 1) * kQuestionsPerSheetPage + row;
        if (question < 0 || question >= questionCount ||
            question >= static_cast<int>(questions.size())) {
            continue;
        }
        const int bankRow = questions[static_cast<std::size_t>(question)];
        if (sheet.family == SheetFamily::Words) {
            composeWordRow(surface, sheet, row, question, bankRow, banks);
        } else {
            composeSentenceRow(surface, sheet, row, question, bankRow, banks);
        }
    }
}

} // namespace tavik
