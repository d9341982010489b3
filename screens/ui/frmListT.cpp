#include "screens/ui/frmListT.h"

#include "drill/app_state.h"
#include "drill/drill_hints.h"
#include "shell/ui/fitted_label.h"
#include "shell/ui/fonts.h"
#include "shell/ui/twips.h"

#include <QLabel>
#include <QLineEdit>

namespace tavik {

namespace {

constexpr int kFirstRowTop = twipsToPixels(1680);
constexpr int kRowPitch = twipsToPixels(600);
constexpr int kNumberLeft = twipsToPixels(840);
constexpr int kMeaningLeft = twipsToPixels(1440);
constexpr int kBoxLeft = twipsToPixels(6480);
constexpr QSize kBoxSize(twipsToPixels(2100), twipsToPixels(360));
constexpr int kAnswerLeft = twipsToPixels(8880);
constexpr int kMarkSize = 40;

} // namespace

frmListT::frmListT(AppState& state, const Artwork& art)
    : DrillScreen(state, art, QStringLiteral("frmListT"), 97),
      m_questions(wordQuestions(state.banks, state.drill)) {
    const QFont rowFont = gothicFont(12, true);
    const QColor black(0, 0, 0);
    for (int row = 0; row < kRowsPerPage; ++row) {
        const int top = kFirstRowTop + row * kRowPitch;
        const auto name = [row](const char* stem) { return rowName(stem, row); };
        lblNo[row] = makeLabel(name("lblNo"), rowFont, black);
        lblNo[row]->move(kNumberLeft, top);
        lblFormer[row] = makeLabel(name("lblFormer"), rowFont, black);
        lblFormer[row]->move(kMeaningLeft, top);
        // The box is taller than the text, so it sits a little higher to
        // keep its text on the row's line.
        const int boxTop = top - (kBoxSize.height() - QFontMetrics(rowFont).height()) / 2;
        txtTerm[row] = makeAnswerBox(name("txtTerm"), rowFont, QRect({kBoxLeft, boxTop}, kBoxSize));
        lblLatter[row] = makeLabel(name("lblLatter"), rowFont, black);
        lblLatter[row]->move(kBoxLeft, top);
        imgMark[row] =
            makeMark(name("imgMark"), {kNumberLeft + 12 - kMarkSize / 2,
                                       top + QFontMetrics(rowFont).height() / 2 - kMarkSize / 2,
                                       kMarkSize, kMarkSize});
        lblAnswer[row] = makeLabel(name("lblAnswer"), rowFont, QColor(255, 0, 0));
        lblAnswer[row]->move(kAnswerLeft, top);
    }
    Form_Load();
}

int frmListT::questionCount() const {
    return static_cast<int>(m_questions.size());
}

AnsweredQuestion frmListT::asked(int question) const {
    return askedBy(m_questions[static_cast<std::size_t>(question)]);
}

QString frmListT::rightAnswer(int question) const {
    return m_questions[static_cast<std::size_t>(question)].headword;
}

void frmListT::buildWordPage() {
    showPageFrame();
    const bool questionMode = m_state.settings.optQuestion;
    for (int row = 0; row < kRowsPerPage; ++row) {
        const int question = questionIndex(currentPage(), row);
        if (!showRowNumber(row, question)) {
            continue;
        }
        const WordQuestion& word = m_questions[static_cast<std::size_t>(question)];
        setFittedText(lblFormer[row],
                      wordPrompt(word.meaning, word.headword, m_hintLevel, questionMode));
        if (questionMode) {
            lblLatter[row]->clear();
            showAnswerBox(row, question);
            markDifference(row, question);
        } else {
            txtTerm[row]->hide();
            setFittedText(lblLatter[row], word.headword);
        }
    }
}

void frmListT::saveWordAnswers() {
    saveShownAnswers();
}

} // namespace tavik
