#include "screens/ui/drill_screen.h"

#include "app/app_state.h"
#include "drill/drill_hints.h"
#include "drill/grading.h"
#include "settings/level.h"
#include "shell/ui/artwork.h"
#include "shell/ui/caption_label.h"
#include "shell/ui/fitted_label.h"
#include "shell/ui/fonts.h"
#include "shell/ui/frmHelp.h"
#include "shell/ui/picture_button.h"
#include "shell/ui/program_exit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace tavik {

namespace {

constexpr QSize kClientSize(780, 600);
constexpr QSize kBarSize(138, 29);
constexpr int kPageLabelsTop = 74;

const QColor kRed(255, 0, 0);
const QColor kBlack(0, 0, 0);

} // namespace

DrillScreen::DrillScreen(AppState& state, const Artwork& art, const QString& objectName,
                         int gradeCaptionWidth)
    : ScreenWindow(kClientSize), m_state(state), m_art(art) {
    setObjectName(objectName);
    setBackground(m_art.ilBg.picture(1));
    createPageLabels();
    createButtons(gradeCaptionWidth);
}

namespace {

// An answer box keeps what it holds when the learner tabs into it: the
// first letter given as a hint is to be continued, not typed over.
class AnswerBox final : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void focusInEvent(QFocusEvent* event) override {
        QLineEdit::focusInEvent(event);
        if (event->reason() != Qt::MouseFocusReason) {
            deselect();
            end(false);
        }
    }
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
    box->hide();
    return box;
}

QLabel* DrillScreen::makeMark(const QString& name, QRect geometry) {
    auto* mark = new QLabel(this);
    mark->setObjectName(name);
    mark->setGeometry(geometry);
    mark->setScaledContents(true);
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
    lblScore = makeLabel(QStringLiteral("lblScore"), gothicFont(20.25, true), kRed);
    lblScore->move(560, kPageLabelsTop - 6);
    lblScore->hide();
}

PictureButton* DrillScreen::makeBarButton(const QString& stem, QPoint place, int normalPicture,
                                          const QString& caption, QRect captionPlace,
                                          CaptionColour captionColour, QLabel*& captionLabel) {
    auto* button = new PictureButton(this, QStringLiteral("img") + stem, QRect(place, kBarSize),
                                     m_art.ilBtn.picture(normalPicture),
                                     m_art.ilBtn.picture(normalPicture + 1), m_art.handPointer);
    captionLabel =
        makeCaption(this, QStringLiteral("lbl") + stem, caption, captionPlace, captionColour);
    button->attachCaption(captionLabel);
    button->setAccessibleName(caption);
    registerButton(button);
    return button;
}

void DrillScreen::createButtons(int gradeCaptionWidth) {
    imgBefore = makeBarButton(QStringLiteral("Before"), {48, 528}, 3, QStringLiteral("前へ"),
                              {104, 534, 49, 17}, CaptionColour::Navy, lblBefore);
    imgNext = makeBarButton(QStringLiteral("Next"), {200, 528}, 1, QStringLiteral("次へ"),
                            {242, 534, 57, 17}, CaptionColour::Navy, lblNext);
    imgBack = makeBarButton(QStringLiteral("Back"), {368, 528}, 1, QStringLiteral("再検索"),
                            {410, 534, 57, 17}, CaptionColour::Navy, lblBack);
    imgGrade = makeBarButton(QStringLiteral("Grade"), {552, 528}, 1, QStringLiteral("採点"),
                             {592, 534, gradeCaptionWidth, 17}, CaptionColour::Red, lblGrade);
    imgExit = new PictureButton(this, QStringLiteral("imgExit"), {698, 20, 33, 33}, QPixmap(),
                                m_art.ilBtn.picture(6), m_art.handPointer);
    imgExit->setAccessibleName(QStringLiteral("終了"));
    registerButton(imgExit);
    imgHelp = new PictureButton(this, QStringLiteral("imgHelp"), {664, 21, 33, 33},
                                m_art.ilBtn.picture(7), m_art.ilBtn.picture(8), m_art.handPointer);
    imgHelp->setAccessibleName(QStringLiteral("ヘルプ"));
    registerButton(imgHelp);

    connect(imgNext, &PictureButton::clicked, this, &DrillScreen::imgNext_Click);
    connect(imgBefore, &PictureButton::clicked, this, &DrillScreen::imgBefore_Click);
    connect(imgGrade, &PictureButton::clicked, this, &DrillScreen::imgGrade_Click);
    connect(imgBack, &PictureButton::clicked, this, &DrillScreen::imgBack_Click);
    connect(imgExit, &PictureButton::clicked, this, &DrillScreen::imgExit_Click);
    connect(imgHelp, &PictureButton::clicked, this, &DrillScreen::imgHelp_Click);
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

    screen.typedAnswers.clear();
    for (int question = 0; question < count; ++question) {
        screen.typedAnswers.append(
            prefilledAnswer(m_state.settings.levelText, rightAnswer(question)));
    }
    screen.currentPage = 1;
    screen.pageCount = static_cast<std::int16_t>(pageCountFor(count));
    lblTPagenum->setText(QStringLiteral("/%1").arg(screen.pageCount));
    placeSelfSizedRun({lblCountPrefix, lblCount, lblCountSuffix}, {56, kPageLabelsTop});
    lblPage->adjustSize();
    lblPage->move(420, kPageLabelsTop);

    lblScore->hide();
    for (int row = 0; row < kRowsPerPage; ++row) {
        imgMark[row]->hide();
        lblAnswer[row]->hide();
    }
    imgGrade->setShown(screen.viewMode == ViewMode::Solving);
    buildPage();
    setKeyboardOrder();
    enableKeyPreview();
    if (screen.viewMode == ViewMode::Solving) {
        txtTerm[0]->setFocus();
    }
}

// The answer boxes top to bottom, then the buttons as they read on the bar.
void DrillScreen::setKeyboardOrder() {
    QWidget* previous = txtTerm[0];
    for (QWidget* next : std::initializer_list<QWidget*>{
             txtTerm[1], txtTerm[2], txtTerm[3], txtTerm[4], txtTerm[5], txtTerm[6], txtTerm[7],
             txtTerm[8], txtTerm[9], imgBefore, imgNext, imgGrade, imgBack, imgHelp, imgExit}) {
        setTabOrder(previous, next);
        previous = next;
    }
}

void DrillScreen::showPageFrame() {
    const DrillScreenState& screen = m_state.screen;
    lblCPagenum->setText(QString::number(screen.currentPage));
    placeSelfSizedRun({lblCPagenum, lblTPagenum},
                      {lblPage->x() + lblPage->width() + 8, lblPage->y()});
    const PagingButtons paging = pagingButtonsFor(screen.currentPage, screen.pageCount);
    imgNext->setShown(paging.next);
    imgBefore->setShown(paging.before);
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
    box->setAccessibleName(QStringLiteral("解答 %1").arg(question + 1));
    box->setText(m_state.screen.typedAnswers.value(question));
    box->show();
    if (m_state.screen.viewMode != ViewMode::Graded) {
        return;
    }
    const QString answer = rightAnswer(question);
    const bool right = isRightAnswer(box->text(), answer);
    imgMark[row]->setPixmap(m_art.ilMaruBatu.picture(right ? 1 : 2));
    imgMark[row]->setAccessibleName(right ? QStringLiteral("正解") : QStringLiteral("不正解"));
    setFittedText(lblAnswer[row], answer);
    lblAnswer[row]->show();
}

void DrillScreen::saveShownAnswers() {
    DrillScreenState& screen = m_state.screen;
    for (int row = 0; row < kRowsPerPage; ++row) {
        const int question = questionIndex(screen.currentPage, row);
        if (question < questionCount() && question < screen.typedAnswers.size()) {
            screen.typedAnswers[question] = txtTerm[row]->text();
        }
    }
}

QStringList DrillScreen::rightAnswers() const {
    QStringList answers;
    for (int question = 0; question < questionCount(); ++question) {
        answers.append(rightAnswer(question));
    }
    return answers;
}

bool DrillScreen::formKeyDown(QKeyEvent* event) {
    const DrillScreenState& screen = m_state.screen;
    switch (event->key()) {
    case Qt::Key_PageUp:
        if (screen.currentPage < screen.pageCount) {
            imgNext->click();
        }
        return true;
    case Qt::Key_PageDown:
        if (screen.currentPage > 1) {
            imgBefore->click();
        }
        return true;
    case Qt::Key_Escape:
        imgBack->click();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (screen.viewMode == ViewMode::Solving) {
            imgGrade->click();
        } else if (screen.viewMode == ViewMode::Graded) {
            imgBack->click();
        }
        return true;
    default:
        return false;
    }
}

void DrillScreen::imgNext_Click() {
    saveAnswers();
    ++m_state.screen.currentPage;
    buildPage();
}

void DrillScreen::imgBefore_Click() {
    saveAnswers();
    --m_state.screen.currentPage;
    buildPage();
}

void DrillScreen::imgGrade_Click() {
    DrillScreenState& screen = m_state.screen;
    if (screen.viewMode != ViewMode::Solving) {
        return;
    }
    saveAnswers();
    // A failed write is not the learner's concern here; the settings code
    // reports it, keeps the drill for the next grading, and the graded drill
    // is still shown.
    gradeAnswers(screen, m_state.settings, m_state.paths, rightAnswers());
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
    buildPage();
}

void DrillScreen::imgBack_Click() {
    close();
}

void DrillScreen::imgExit_Click() {
    endProgram();
}

void DrillScreen::imgHelp_Click() {
    frmHelp help(m_state, m_art);
    help.exec();
}

} // namespace tavik
