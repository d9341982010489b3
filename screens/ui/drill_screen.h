#pragma once

#include "drill/drill_paging.h"
#include "drill/ui/paged_screen.h"
#include "history/answered_question.h"
#include "settings/settings_state.h"

#include <QPixmap>
#include <QStringList>
#include <array>
#include <vector>

class QLabel;
class QLineEdit;

namespace tavik {

struct AppState;
struct Artwork;
class MarkedAnswer;
class PictureButton;
class SpokenLabels;

// What the word and sentence drill screens share: ten question rows, the
// count and page labels, grading, help, back and exit. A screen adds the
// contents of its rows and where its answers come from; it lays its rows out
// in its constructor and then calls Form_Load().
class DrillScreen : public PagedScreen {
    Q_OBJECT
public:
    template <typename T> using Row = std::array<T*, kRowsPerPage>;

protected:
    DrillScreen(AppState& state, const Artwork& art, const QString& objectName,
                int gradeCaptionWidth);

    virtual int questionCount() const = 0;
    virtual QString rightAnswer(int question) const = 0;
    // What the question asks, for grading.
    virtual AnsweredQuestion asked(int question) const = 0;
    // The whole sentence of a question, answer in place; empty on a screen
    // of words.
    virtual QString wholeSentence(int /*question*/) const { return {}; }
    // Where the row's note on differences the learner cannot see goes: under
    // the right answer unless the screen has a better place.
    virtual QPoint notePlace(int row) const;
    // The question of a row on show, as a screen reader says it with the
    // row's answer box.
    virtual QString spokenQuestion(int row) const;
    // Fills the rows of the page on show (currentPage()) from the shared state.
    virtual void buildPage() = 0;
    // Keeps what the learner typed on the page on show.
    virtual void saveAnswers() = 0;

    // Prepares a fresh drill and shows its first page.
    void Form_Load();

    // The page number and the paging buttons of the page on show.
    void showPageFrame();
    // Sets the row's number, or empties the row when the page has no
    // question for it; returns whether the row holds a question.
    bool showRowNumber(int row, int question);
    // Puts the typed answer in the row's box and, once graded, marks it and
    // shows the right answer.
    void showAnswerBox(int row, int question);
    // Once graded, marks where the row's wrong answer went astray; call it
    // when the row's box and right answer stand where they will be shown.
    void markDifference(int row, int question);
    // Once graded, the row's mark and right answer.
    void showGrade(int row, int question);
    // The page on show just graded: its questions and boxes stand as they
    // are, the marks, the right answers and the differences are added.
    void showGradesOnPage();
    // Copies the boxes of the page on show into the typed answers.
    void saveShownAnswers();

    // Builds the page on show and lets its English be heard where it shows
    // as an answer.
    void showPage() override;
    void leavePage() override { saveAnswers(); }
    void enterPressed() override;
    // The learner goes on at the top of the new page, in its first answer
    // box, whatever had the focus before.
    void focusNewPage(QWidget* /*focusedBefore*/) override { focusFirstControl(); }
    bool formKeyDown(QKeyEvent* event) override;

    // Members of a control array are named like "txtTerm_3".
    static QString rowName(const char* stem, int row);
    QLabel* makeLabel(const QString& name, const QFont& font, const QColor& colour);
    QLineEdit* makeAnswerBox(const QString& name, const QFont& font, QRect geometry);
    QLabel* makeMark(const QString& name, QRect geometry);

    AppState& m_state;
    const Artwork& m_art;
    // The level whose hints the questions were answered with: a level that
    // grading changes does not change them on the graded page.
    Level m_hintLevel = Level::Advanced;

    Row<QLabel> lblNo{};
    Row<QLabel> lblFormer{};
    Row<QLineEdit> txtTerm{};
    Row<QLabel> lblLatter{};
    Row<QLabel> imgMark{};
    Row<QLabel> lblAnswer{};
    // A wrong answer with its differences marked, over the row's box, and
    // the note on blanks, widths and case that go with it.
    Row<MarkedAnswer> lblMarked{};
    Row<QLabel> lblNote{};

    QLabel* lblCountPrefix = nullptr;
    QLabel* lblCount = nullptr;
    QLabel* lblCountSuffix = nullptr;
    QLabel* lblPage = nullptr;
    QLabel* lblCPagenum = nullptr;
    QLabel* lblTPagenum = nullptr;
    QLabel* lblScore = nullptr;

    PictureButton* imgBack = nullptr;
    PictureButton* imgGrade = nullptr;
    PictureButton* imgExit = nullptr;
    PictureButton* imgHelp = nullptr;
    QLabel* lblBefore = nullptr;
    QLabel* lblNext = nullptr;
    QLabel* lblBack = nullptr;
    QLabel* lblGrade = nullptr;

private slots:
    void imgGrade_Click();
    void imgBack_Click();
    void imgHelp_Click();

private:
    void createPageLabels();
    void createButtons(int gradeCaptionWidth);
    void createDifferenceRows();
    void scaleMarks();
    // Marks where a wrong answer went astray; hides the marks otherwise.
    void showDifference(int row, const QString& typed, const QString& answer);
    void setKeyboardOrder();
    void placeSelfSizedRun(const std::initializer_list<QLabel*>& labels, QPoint start);
    // The English a row's label stands for: the answer, once it shows as
    // one, or the whole sentence for the sentence line; nothing while the
    // learner is still answering.
    QString spokenText(const QLabel* label) const;
    void speakFocusedRow(bool wholeSentence);

    SpokenLabels* m_spoken = nullptr;
    // The drill as graded, one per question; empty until then.
    std::vector<AnsweredQuestion> m_graded;
    // The circle and the cross at the size the rows show them, scaled once
    // for the screen rather than by each row at its first paint.
    std::array<QPixmap, 2> m_marks;
};

} // namespace tavik
