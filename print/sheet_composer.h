#pragma once

#include "content/banks.h"
#include "drill/drill_set.h"
#include "settings/settings_state.h"

#include <QString>

namespace tavik {

class DrawingSurface;

// Word sheets ask for the headword of a meaning; sentence sheets for the
// word missing from an example sentence.
enum class SheetFamily { Words, Sentences };

// Question sheets leave blanks; answer sheets show the answers.
enum class SheetKind { Question, Answer };

struct Sheet {
    SheetFamily family = SheetFamily::Words;
    SheetKind kind = SheetKind::Question;
    Level level = Level::Advanced;
};

inline constexpr int kQuestionsPerSheetPage = 20;

// What the sheet is: 単語問題, 単語解答, 例文問題 or 例文解答.
QString sheetName(const Sheet& sheet);

// The kind chosen on the main menu: to solve gives question sheets.
SheetKind sheetKindFor(bool optQuestion);

// The number of questions of the family in the drill set.
int sheetQuestionCount(SheetFamily family, const DrillSet& drill);

// Twenty questions a page, the last page taking the rest.
int sheetPageCountFor(int questionCount);

// Places the next text at x percent of the width and y percent of the height.
void setCurrentXY(DrawingSurface& surface, int x, int y);

// Draws page sheetPage (1-based) of the sheet: rules, header, page label,
// footer and the page's twenty question rows. It neither clears the surface
// nor starts a new page.
void composeSheetPage(DrawingSurface& surface, const Sheet& sheet, int sheetPage,
                      int sheetPageCount, const DrillSet& drill, const Banks& banks);

} // namespace tavik
