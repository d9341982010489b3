#include "screens/ui/drill_screen.h"

#include "drill/answer_difference.h"
#include "drill/app_state.h"
#include "drill/drill_hints.h"
#include "drill/grading.h"
#include "drill/ui/shared_speaker.h"
#include "screens/ui/marked_answer.h"
#include "settings/level.h"
#include "shell/ui/artwork.h"
#include "shell/ui/caption_label.h"
#include "shell/ui/fitted_label.h"
#include "shell/ui/fonts.h"
#include "shell/ui/frmHelp.h"
#include "shell/ui/picture_button.h"
#include "shell/ui/plain_tool_tip.h"
#include "shell/ui/screen_parts.h"
#include "shell/ui/screen_reader.h"
#include "speech/ui/spoken_labels.h"

#include <QDateTime>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace tavik {

namespace {

constexpr int kPageLabelsTop = 74;

const QColor kRed(255, 0, 0);
const QColor kBlack(0, 0, 0);
const QColor kNoteInk(176, 0, 0);
constexpr qreal kNotePoints = 9;
// Where the book's right-hand page ends.
constexpr int kPageRight = 760;

} // namespace

DrillScreen::DrillScreen(AppState& state, const Artwork& art, const QString& objectName,
                         int gradeCaptionWidth)
    : m_state(state), m_art(art) {
    setObjectName(objectName);
    setBackground(m_art.ilBg.picture(1));
    createPageLabels();
    createButtons(gradeCaptionWidth);
}

namespace {

// An answer box keeps what it holds when the learner tabs into it: the
// first letter given as a hint is to be continued. A learner who types the
// whole word anyway types that letter again, which then takes the given
// one's place rather than doubling it. Answers are English: the box keeps
// the input method out, which then leaves the keys alone here and takes
// them up again in the search box. fcitx5, IBus and Mozc ignore the Latin
// hints; a box that is not enabled for input methods they skip.
class AnswerBox final : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

    void setRetypableLetter(const QString& letter) { m_retypable = letter; }

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override {
        if (query == Qt::ImEnabled) {
            return false;
        }
        return QLineEdit::inputMethodQuery(query);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (!m_retypable.isEmpty() && !isReadOnly() && text() == m_retypable &&
            cursorPosition() == m_retypable.size() &&
            event->text().startsWith(m_retypable, Qt::CaseInsensitive)) {
            clear();
        }
        QLineEdit::keyPressEvent(event);
    }

    void focusInEvent(QFocusEvent* event) override {
        QLineEdit::focusInEvent(event);
        if (event->reason() != Qt::MouseFocusReason) {
            deselect();
            end(false);
        }
    }

private:
    QString m_retypable;
};

} // namespace

QString DrillScreen::rowName(const char* stem, int row) {
    return QStringLiteral("%1_%2").arg(QLatin1String(stem)).arg(row);
}

QLabel* DrillScreen::makeLabel(const QString& name, const QFont& font, const QColor& colour) {
    auto* label = new QLabel(this);
    label->setObjectName(name);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLineEdit* DrillScreen::makeAnswerBox(const QString& name, const QFont& font, QRect geometry) {
    auto* box = new AnswerBox(this);
    box->setObjectName(name);
    box->setFont(font);
    box->setGeometry(geometry);
    box->setTextMargins(1, 0, 1, 0);
    // English words go in here: no capital forced at the start, no
    // guessing, the Latin keyboard where the input method offers one.
    box->setInputMethodHints(Qt::ImhPreferLatin | Qt::ImhNoAutoUppercase | Qt::ImhNoPredictiveText);
    reportLockAsReadOnly(box);
    box->hide();
    return box;
}

QLabel* DrillScreen::makeMark(const QString& name, QRect geometry) {
    auto* mark = new QLabel(this);
    mark->setObjectName(name);
    mark->setGeometry(geometry);
    mark->hide();
    return mark;
}

void DrillScreen::createPageLabels() {
    const QFont pageFont = gothicFont(15.75, true);
    lblCountPrefix = makeLabel(QStringLiteral("lblCountPrefix"), pageFont, kBlack);
    lblCountPrefix->setText(QStringLiteral("総問題数："));
    lblCount = makeLabel(QStringLiteral("lblCount"), pageFont, kBlack);
    lblCountSuffix = makeLabel(QStringLiteral("lblCountSuffix"), pageFont, kBlack);
    lblCountSuffix->setText(QStringLiteral("問"));
    lblPage = makeLabel(QStringLiteral("lblPage"), pageFont, kBlack);
    lblPage->setText(QStringLiteral("page"));
    lblCPagenum = makeLabel(QStringLiteral("lblCPagenum"), pageFont, kBlack);
    lblTPagenum = makeLabel(QStringLiteral("lblTPagenum"), pageFont, kBlack);
    lblTPagenum->setText(QStringLiteral("/20"));
    // Each caption is said as one text where it starts.
    speakLabelAs(lblCountPrefix, [this] {
        return lblCountPrefix->text() + lblCount->text() + lblCountSuffix->text();
    });
    speakLabelAs(lblPage, [this] {
        return lblPage->text() + QLatin1Char(' ') + lblCPagenum->text() + lblTPagenum->text();
    });
    keepFromScreenReaders({lblCount, lblCountSuffix, lblCPagenum, lblTPagenum});
    lblScore = makeLabel(QStringLiteral("lblScore"), gothicFont(20.25, true), kRed);
    lblScore->move(560, kPageLabelsTop - 6);
    lblScore->hide();
}

void DrillScreen::createButtons(int gradeCaptionWidth) {
    imgBefore = makeBarButton(this, m_art, QStringLiteral("Before"), {48, 528}, 3,
                              QStringLiteral("前へ"), {104, 534, 49, 17});
    imgNext = makeBarButton(this, m_art, QStringLiteral("Next"), {200, 528}, 1,
                            QStringLiteral("次へ"), {242, 534, 57, 17});
    imgBack = makeBarButton(this, m_art, QStringLiteral("Back"), {368, 528}, 1,
                            QStringLiteral("再検索"), {410, 534, 57, 17});
    imgGrade =
        makeBarButton(this, m_art, QStringLiteral("Grade"), {552, 528}, 1, QStringLiteral("採点"),
                      {592, 534, gradeCaptionWidth, 17}, CaptionColour::Red);
    lblBefore = imgBefore->caption();
    lblNext = imgNext->caption();
    lblBack = imgBack->caption();
    lblGrade = imgGrade->caption();
    imgExit = makeExitButton(this, m_art, 33);
    imgHelp = makeHelpButton(this, m_art);

    connect(imgNext, &PictureButton::clicked, this, &DrillScreen::imgNext_Click);
    connect(imgBefore, &PictureButton::clicked, this, &DrillScreen::imgBefore_Click);
    connect(imgGrade, &PictureButton::clicked, this, &DrillScreen::imgGrade_Click);
    connect(imgBack, &PictureButton::clicked, this, &DrillScreen::imgBack_Click);
    connect(imgHelp, &PictureButton::clicked, this, &DrillScreen::imgHelp_Click);
}

void DrillScreen::scaleMarks() {
    const qreal ratio = devicePixelRatioF();
    const QSize shown = imgMark[0]->size() * ratio;
    for (int index = 0; index < 2; ++index) {
        m_marks[static_cast<std::size_t>(index)] =
            QPixmap::fromImage(m_art.ilMaruBatu.picture(index + 1).toImage().scaled(
                shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        m_marks[static_cast<std::size_t>(index)].setDevicePixelRatio(ratio);
    }
}

void DrillScreen::createDifferenceRows() {
    for (int row = 0; row < kRowsPerPage; ++row) {
        lblMarked[row] = new MarkedAnswer(rowName("lblMarked", row), this);
        lblNote[row] = makeLabel(rowName("lblNote", row), gothicFont(kNotePoints), kNoteInk);
        lblNote[row]->hide();
    }
}

QPoint DrillScreen::notePlace(int row) const {
    const QLabel* answer = lblAnswer[row];
    return {answer->x(), answer->y() + answer->height()};
}

void DrillScreen::showDifference(int row, const QString& typed, const QString& answer) {
    const AnswerDifference difference = answerDifference(typed, answer);
    lblMarked[row]->showOver(txtTerm[row], difference);
    QLabel* note = lblNote[row];
    if (difference.notes.isEmpty()) {
        note->hide();
        return;
    }
    // After a long translation line the notes may not all fit on the page:
    // the first ones show, and the tool tip and a screen reader have all.
    QStringList shown = difference.notes;
    const QString all = differenceNotes(difference);
    setFittedText(note, all);
    const QPoint place = notePlace(row);
    while (shown.size() > 1 && place.x() + note->width() > kPageRight) {
        shown.removeLast();
        setFittedText(note, shown.join(QStringLiteral("・")) + QStringLiteral("…"));
    }
    setPlainToolTip(note, all);
    note->setAccessibleName(all);
    note->move(place);
    note->show();
}

void DrillScreen::placeSelfSizedRun(const std::initializer_list<QLabel*>& labels, QPoint start) {
    QPoint place = start;
    for (QLabel* label : labels) {
        label->adjustSize();
        label->move(place);
        place.rx() += label->width() + 2;
    }
}

void DrillScreen::Form_Load() {
    DrillScreenState& screen = m_state.screen;
    const int count = questionCount();
    // The screen decides its mode from the option it opens with, so a mode
    // left over from an earlier drill cannot offer grading of a word list.
    screen.viewMode = m_state.settings.optQuestion ? ViewMode::Solving : ViewMode::Checking;
    lblCount->setText(QString::number(count));

    m_hintLevel = m_state.settings.level;
    screen.typedAnswers.clear();
    for (int question = 0; question < count; ++question) {
        screen.typedAnswers.append(prefilledAnswer(m_hintLevel, rightAnswer(question)));
    }
    resetPages(pageCountFor(count));
    lblTPagenum->setText(QStringLiteral("/%1").arg(pageCount()));
    placeSelfSizedRun({lblCountPrefix, lblCount, lblCountSuffix}, {56, kPageLabelsTop});
    lblPage->adjustSize();
    lblPage->move(420, kPageLabelsTop);

    lblScore->hide();
    for (int row = 0; row < kRowsPerPage; ++row) {
        imgMark[row]->hide();
        lblAnswer[row]->hide();
    }
    imgGrade->setShown(screen.viewMode == ViewMode::Solving);
    scaleMarks();
    createDifferenceRows();
    m_spoken = new SpokenLabels(
        sharedSpeaker(m_state), m_art.handPointer,
        [this](const QLabel* label) { return spokenText(label); }, this);
    for (int row = 0; row < kRowsPerPage; ++row) {
        for (QLabel* label : {lblFormer[row], lblLatter[row], lblAnswer[row]}) {
            m_spoken->watch(label);
        }
    }
    showPage();
    setKeyboardOrder();
    enableKeyPreview();
    if (screen.viewMode == ViewMode::Solving) {
        txtTerm[0]->setFocus();
    }
}

// The answer boxes top to bottom, then the buttons as they read on the bar,
// left to right, then help and close at the top corner.
void DrillScreen::setKeyboardOrder() {
    chainTabOrder({txtTerm[0], txtTerm[1], txtTerm[2], txtTerm[3], txtTerm[4], txtTerm[5],
                   txtTerm[6], txtTerm[7], txtTerm[8], txtTerm[9], imgBefore, imgNext, imgBack,
                   imgGrade, imgHelp, imgExit});
}

void DrillScreen::showPageFrame() {
    lblCPagenum->setText(QString::number(currentPage()));
    placeSelfSizedRun({lblCPagenum, lblTPagenum},
                      {lblPage->x() + lblPage->width() + 8, lblPage->y()});
    showPagingButtons();
}

bool DrillScreen::showRowNumber(int row, int question) {
    if (question >= questionCount()) {
        lblFormer[row]->clear();
        lblLatter[row]->clear();
        lblNo[row]->clear();
        // Hidden with the focus, the box would pass it on to a button as if
        // tabbed to, and Enter would press that button instead of grading.
        if (txtTerm[row]->hasFocus()) {
            txtTerm[0]->setFocus(Qt::OtherFocusReason);
        }
        txtTerm[row]->hide();
        lblMarked[row]->hide();
        lblNote[row]->hide();
        if (m_state.screen.viewMode == ViewMode::Graded) {
            imgMark[row]->clear();
            lblAnswer[row]->hide();
        }
        return false;
    }
    setFittedText(lblNo[row], QStringLiteral("%1.").arg(question + 1));
    return true;
}

void DrillScreen::showAnswerBox(int row, int question) {
    QLineEdit* box = txtTerm[row];
    // Said with its question, as the learner reads it beside the box.
    box->setAccessibleName(
        QStringLiteral("解答 %1：%2").arg(question + 1).arg(spokenQuestion(row)));
    box->setText(m_state.screen.typedAnswers.value(question));
    static_cast<AnswerBox*>(box)->setRetypableLetter(
        retypableLetter(m_hintLevel, rightAnswer(question)));
    box->show();
    if (m_state.screen.viewMode == ViewMode::Graded) {
        showGrade(row, question);
    }
}

void DrillScreen::showGrade(int row, int question) {
    const AnsweredQuestion& graded = m_graded[static_cast<std::size_t>(question)];
    const QString& answer = graded.rightAnswer;
    const bool right = graded.right;
    imgMark[row]->setPixmap(m_marks[right ? 0 : 1]);
    imgMark[row]->setAccessibleName(right ? QStringLiteral("正解") : QStringLiteral("不正解"));
    setFittedText(lblAnswer[row], answer);
    lblAnswer[row]->show();
}

// After the row is laid out, so the marks follow the box and the answer.
// The marks come from the one graded result, as the cross does.
void DrillScreen::markDifference(int row, int question) {
    if (m_state.screen.viewMode != ViewMode::Graded ||
        static_cast<std::size_t>(question) >= m_graded.size()) {
        return;
    }
    const AnsweredQuestion& graded = m_graded[static_cast<std::size_t>(question)];
    showDifference(row, graded.typed, graded.rightAnswer);
}

void DrillScreen::showGradesOnPage() {
    for (int row = 0; row < kRowsPerPage; ++row) {
        const int question = questionIndex(currentPage(), row);
        if (question < questionCount()) {
            showGrade(row, question);
            markDifference(row, question);
        }
    }
    m_spoken->refresh();
}

void DrillScreen::saveShownAnswers() {
    DrillScreenState& screen = m_state.screen;
    for (int row = 0; row < kRowsPerPage; ++row) {
        const int question = questionIndex(currentPage(), row);
        if (question < questionCount() && question < screen.typedAnswers.size()) {
            screen.typedAnswers[question] = txtTerm[row]->text();
        }
    }
}

void DrillScreen::showPage() {
    buildPage();
    m_spoken->refresh();
}

QString DrillScreen::spokenText(const QLabel* label) const {
    const DrillScreenState& screen = m_state.screen;
    if (screen.viewMode == ViewMode::Solving || label->isHidden() || label->text().isEmpty()) {
        return {};
    }
    for (int row = 0; row < kRowsPerPage; ++row) {
        if (label != lblAnswer[row] && label != lblFormer[row] && label != lblLatter[row]) {
            continue;
        }
        const int question = questionIndex(currentPage(), row);
        if (question >= questionCount()) {
            return {};
        }
        if (label == lblAnswer[row]) {
            return rightAnswer(question);
        }
        const QString sentence = wholeSentence(question);
        if (!sentence.isEmpty()) {
            return sentence;
        }
        // The word list shows each English word where the box would be.
        return label == lblLatter[row] ? rightAnswer(question) : QString();
    }
    return {};
}

void DrillScreen::speakFocusedRow(bool sentence) {
    const DrillScreenState& screen = m_state.screen;
    if (screen.viewMode == ViewMode::Solving) {
        return;
    }
    for (int row = 0; row < kRowsPerPage; ++row) {
        const int question = questionIndex(currentPage(), row);
        if (question < questionCount() && txtTerm[row]->hasFocus()) {
            const QString text = sentence ? wholeSentence(question) : QString();
            m_spoken->say(text.isEmpty() ? rightAnswer(question) : text);
            return;
        }
    }
}

QString DrillScreen::spokenQuestion(int row) const {
    return lblFormer[row]->text();
}

void DrillScreen::enterPressed() {
    const std::int16_t viewMode = m_state.screen.viewMode;
    if (viewMode == ViewMode::Solving) {
        imgGrade->click();
    } else if (viewMode == ViewMode::Graded) {
        imgBack->click();
    }
}

bool DrillScreen::formKeyDown(QKeyEvent* event) {
    if (event->key() == Qt::Key_F2) {
        speakFocusedRow(event->modifiers().testFlag(Qt::ShiftModifier));
        return true;
    }
    return PagedScreen::formKeyDown(event);
}

void DrillScreen::imgGrade_Click() {
    DrillScreenState& screen = m_state.screen;
    if (screen.viewMode != ViewMode::Solving) {
        return;
    }
    saveAnswers();
    std::vector<AnsweredQuestion> questions;
    for (int question = 0; question < questionCount(); ++question) {
        questions.push_back(asked(question));
    }
    m_graded = gradeDrill(screen, std::move(questions));
    m_state.recorder.record(m_graded, QDateTime::currentDateTimeUtc());
    updateLevel(m_state.settings);

    lblScore->setText(scoreText(screen.correctCount, questionCount()));
    lblScore->adjustSize();
    lblScore->show();
    imgGrade->setShown(false);
    for (int row = 0; row < kRowsPerPage; ++row) {
        txtTerm[row]->setReadOnly(true);
        imgMark[row]->show();
    }
    screen.viewMode = ViewMode::Graded;
    showGradesOnPage();
}

void DrillScreen::imgBack_Click() {
    close();
}

void DrillScreen::imgHelp_Click() {
    frmHelp help(m_art);
    help.exec();
}

} // namespace tavik
