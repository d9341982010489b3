#include "screens/ui/frmListI.h"

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
constexpr int kTranslationDrop = twipsToPixels(270);
constexpr int kNumberLeft = twipsToPixels(840);
constexpr int kSentenceLeft = twipsToPixels(1320);
constexpr int kTranslationLeft = twipsToPixels(1560);
constexpr QSize kBoxSize(twipsToPixels(1500), twipsToPixels(300));
constexpr int kGapAroundBox = twipsToPixels(8);
constexpr int kGapBeforeAnswer = twipsToPixels(10);
constexpr int kMarkSize = 40;
constexpr int kGapBeforeNote = 6;

} // namespace

frmListI::frmListI(AppState& state, const Artwork& art)
    : DrillScreen(state, art, QStringLiteral("frmListI"), 57),
      m_questions(sentenceQuestions(state.banks, state.drill)) {
    const QFont lineFont = gothicFont(9.75, true);
    const QFont translationFont = gothicFont(9.75, false);
    const int lineHeight = QFontMetrics(lineFont).height();
    const QColor black(0, 0, 0);
    for (int row = 0; row < kRowsPerPage; ++row) {
        const int top = kFirstRowTop + row * kRowPitch;
        const auto name = [row](const char* stem) { return rowName(stem, row); };
        lblNo[row] = makeLabel(name("lblNo"), lineFont, black);
        lblNo[row]->move(kNumberLeft, top);
        lblFormer[row] = makeLabel(name("lblFormer"), lineFont, black);
        lblFormer[row]->move(kSentenceLeft, top);
        // The box is taller than the text, so it sits a little higher to
        // keep its text on the sentence's line.
        txtTerm[row] = makeAnswerBox(
            name("txtTerm"), lineFont,
            QRect({kSentenceLeft, top - (kBoxSize.height() - lineHeight) / 2}, kBoxSize));
        lblLatter[row] = makeLabel(name("lblLatter"), lineFont, black);
        lblLatter[row]->move(kSentenceLeft, top);
        imgMark[row] =
            makeMark(name("imgMark"), {kNumberLeft + 10 - kMarkSize / 2,
                                       top + lineHeight / 2 - kMarkSize / 2, kMarkSize, kMarkSize});
        lblJp[row] = makeLabel(name("lblJp"), translationFont, black);
        lblJp[row]->move(kTranslationLeft, top + kTranslationDrop);
        lblAnswer[row] = makeLabel(name("lblAnswer"), lineFont, QColor(255, 0, 0));
        lblAnswer[row]->move(kTranslationLeft, top + kTranslationDrop);
    }
    Form_Load();
}

int frmListI::questionCount() const {
    return static_cast<int>(m_questions.size());
}

AnsweredQuestion frmListI::asked(int question) const {
    return askedBy(m_questions[static_cast<std::size_t>(question)]);
}

QString frmListI::rightAnswer(int question) const {
    return m_questions[static_cast<std::size_t>(question)].answer;
}

QString frmListI::wholeSentence(int question) const {
    return m_questions[static_cast<std::size_t>(question)].wholeSentence();
}

void frmListI::buildSentencePage() {
    showPageFrame();
    const bool questionMode = m_state.settings.optQuestion;
    for (int row = 0; row < kRowsPerPage; ++row) {
        const int question = questionIndex(currentPage(), row);
        if (!showRowNumber(row, question)) {
            lblJp[row]->clear();
            continue;
        }
        const SentenceQuestion& sentence = m_questions[static_cast<std::size_t>(question)];
        setFittedText(lblJp[row],
                      translationLine(sentence.translation, sentence.answer, m_hintLevel));
        if (questionMode) {
            showSentenceAroundBox(row, sentence);
            showAnswerBox(row, question);
            lblAnswer[row]->move(lblJp[row]->x() + lblJp[row]->width() + kGapBeforeAnswer,
                                 lblJp[row]->y());
            markDifference(row, question);
        } else {
            setFittedText(lblFormer[row], sentence.wholeSentence());
            txtTerm[row]->hide();
            // Emptied to no width, so that it does not lie over the sentence
            // and take its clicks.
            setFittedText(lblLatter[row], QString());
        }
    }
}

// The box follows the text before the blank, and the rest of the sentence
// follows the box, so every sentence reads as one line with a gap in it.
void frmListI::showSentenceAroundBox(int row, const SentenceQuestion& sentence) {
    QLabel* former = lblFormer[row];
    setFittedText(former, sentence.before);
    QLineEdit* box = txtTerm[row];
    const int boxLeft =
        sentence.before.isEmpty() ? former->x() : former->x() + former->width() + kGapAroundBox;
    box->move(boxLeft, box->y());
    QLabel* latter = lblLatter[row];
    setFittedText(latter, sentence.after);
    latter->move(box->x() + box->width() + kGapAroundBox, latter->y());
}

// The sentence line is full; the note follows the right answer at the end
// of the translation line.
QPoint frmListI::notePlace(int row) const {
    const QLabel* answer = lblAnswer[row];
    return {answer->x() + answer->width() + kGapBeforeNote,
            answer->y() + answer->height() - lblNote[row]->height()};
}

// The sentence with its blank, then its translation line.
QString frmListI::spokenQuestion(int row) const {
    return lblFormer[row]->text() + QStringLiteral("＿＿") + lblLatter[row]->text() +
           lblJp[row]->text();
}

void frmListI::saveSentenceAnswers() {
    saveShownAnswers();
}

} // namespace tavik
