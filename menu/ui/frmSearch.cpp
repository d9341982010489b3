#include "menu/ui/frmSearch.h"

#include "drill/app_state.h"
#include "drill/drill_questions.h"
#include "drill/selection.h"
#include "drill/todays_study.h"
#include "drill/weak_word_pick.h"
#include "menu/ui/option_hotspot.h"
#include "print/ui/frmPrintI.h"
#include "print/ui/frmPrintT.h"
#include "progress/learning_record.h"
#include "progress/ui/frmRecord.h"
#include "screens/ui/frmListI.h"
#include "screens/ui/frmListT.h"
#include "settings/level.h"
#include "settings/settings_files.h"
#include "shell/ui/artwork.h"
#include "shell/ui/caption_label.h"
#include "shell/ui/fitted_label.h"
#include "shell/ui/fonts.h"
#include "shell/ui/frmHelp.h"
#include "shell/ui/picture_button.h"
#include "shell/ui/screen_parts.h"
#include "shell/ui/screen_reader.h"
#include "shell/ui/startup_trace.h"

#include <QComboBox>
#include <QDate>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <limits>
#include <memory>

namespace tavik {

namespace {

constexpr qreal kNumberPoints = 20.25;
constexpr qreal kInputPoints = 9.75;
constexpr qreal kHealthPoints = 9;
constexpr QRect kRecordHealthPlace{340, 70, 350, 31};
// Today's study at the top of the left page, its two lines beside it.
constexpr QRect kTodayPlace{92, 64, 120, 29};
constexpr QRect kTodayLinePlace{218, 62, 165, 17};
constexpr QRect kKnownLinePlace{218, 79, 165, 17};
// The deep blue of the book's lettering.
const QColor kHealthInk(30, 40, 120);

// A drill needs at least two word questions; one word alone is no drill.
constexpr int kFewestDrillWords = 2;

// The option hotspots, in pairs: the even member of a pair sets its option
// to true, the odd member to false.
constexpr std::array<QRect, 6> kOptionPlaces{{
    {104, 408, 60, 52}, // 単語
    {168, 408, 60, 52}, // 例文
    {256, 408, 60, 52}, // PC
    {304, 408, 60, 52}, // 紙
    {384, 408, 60, 52}, // 解く
    {456, 408, 100, 52} // 確認する
}};

// What each hotspot chooses, as a screen reader says it.
constexpr std::array<const char*, 6> kOptionNames{"単語を選択", "例文を選択", "PCで解く",
                                                  "紙に印刷",   "問題を解く", "答えを確認する"};

const QStringList& questionCounts() {
    static const QStringList counts{QStringLiteral("5問"),  QStringLiteral("10問"),
                                    QStringLiteral("15問"), QStringLiteral("20問"),
                                    QStringLiteral("25問"), QStringLiteral("30問"),
                                    QStringLiteral("35問"), QStringLiteral("40問")};
    return counts;
}

std::unique_ptr<ScreenWindow> createDrillScreen(AppState& state, const Artwork& art) {
    const SettingsState& options = state.settings;
    if (options.optTerms) {
        if (options.optPc) {
            return std::make_unique<frmListT>(state, art);
        }
        return std::make_unique<frmPrintT>(state, art);
    }
    if (options.optPc) {
        return std::make_unique<frmListI>(state, art);
    }
    return std::make_unique<frmPrintI>(state, art);
}

} // namespace

frmSearch::frmSearch(AppState& state, const Artwork& art) : m_state(state), m_art(art) {
    setObjectName(QStringLiteral("frmSearch"));
    setBackground(m_art.searchBackground);
    createControls();
    enableKeyPreview();
    Form_Load();
    // Gradings are stored after their screen has shown them: the 苦手 count
    // and the line follow when the files have taken them.
    m_state.recorder.setOnStored([this] { refreshWeakWordCount(); });
}

frmSearch::~frmSearch() {
    m_state.recorder.setOnStored({});
}

QString frmSearch::countPrompt() {
    return QStringLiteral("問題数を選んでください");
}

QString frmSearch::noWeakWordsMessage() {
    return QStringLiteral("復習する単語はありません");
}

QString frmSearch::unreadableRecordMessage() {
    return QStringLiteral("学習記録を読み込めませんでした");
}

QString frmSearch::newRecordMessage() {
    return QStringLiteral("以前の学習記録は壊れていたため別名で残し、新しい記録を始めました。"
                          "新しい記録には、まだ復習する単語がありません");
}

QString frmSearch::todayDoneMessage() {
    return QStringLiteral("今日の学習は終わりました");
}

QString frmSearch::oneWeakWordMessage() {
    return QStringLiteral("学習記録にはまだ1語しかありません。ドリルは2語から始められます");
}

QLabel* frmSearch::createNumberLabel(const QString& name, QRect geometry, const QString& text,
                                     const QString& caption, const QString& unit) {
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    // What it counts is painted around it; a screen reader says it with the
    // number.
    speakAsFigure(label, caption, unit);
    label->setGeometry(geometry);
    label->setFont(gothicFont(kNumberPoints, true));
    // Right-aligned, so the number ends just left of its unit in the picture.
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

void frmSearch::createControls() {
    const QPixmap none;

    lblLevel = createNumberLabel(QStringLiteral("lblLevel"), {232, 105, 57, 25},
                                 QStringLiteral("初級"), QStringLiteral("レベル"), QString());
    lblNog = createNumberLabel(QStringLiteral("lblNog"), {312, 141, 57, 25}, QStringLiteral("0"),
                               QStringLiteral("総採点回数"), QStringLiteral("回"));
    lblRate = createNumberLabel(QStringLiteral("lblRate"), {600, 141, 57, 25}, QStringLiteral("0"),
                                QStringLiteral("平均正答率"), QStringLiteral("%"));

    txtFreeWord = new QLineEdit(this);
    txtFreeWord->setObjectName(QStringLiteral("txtFreeWord"));
    txtFreeWord->setGeometry(304, 200, 129, 19);
    txtFreeWord->setFont(gothicFont(kInputPoints));
    txtFreeWord->setAccessibleName(QStringLiteral("検索する語"));

    Label1 = new QLabel(QStringLiteral("（英語・日本語可能）"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(304, 224, 161, 17);
    Label1->setFont(gothicFont(kInputPoints));

    imgS1 = makeBarButton(this, m_art, QStringLiteral("S1"), {552, 200}, 1, QStringLiteral("検索"),
                          {592, 206, 57, 17});
    imgS1->setAccessibleName(QStringLiteral("自由検索"));
    connect(imgS1, &PictureButton::clicked, this, &frmSearch::imgS1_Click);

    cmbRandom = new QComboBox(this);
    cmbRandom->setObjectName(QStringLiteral("cmbRandom"));
    cmbRandom->setGeometry(304, 264, 161, 21);
    cmbRandom->setFont(gothicFont(kInputPoints));
    cmbRandom->setEditable(true);
    // What the learner types is a count to draw, not a new entry of the list.
    cmbRandom->setInsertPolicy(QComboBox::NoInsert);
    // Nor is a typed "1" to be completed to "10問" behind the learner's back.
    cmbRandom->setCompleter(nullptr);
    cmbRandom->addItems(questionCounts());
    cmbRandom->setCurrentIndex(-1);
    cmbRandom->setEditText(countPrompt());
    cmbRandom->setAccessibleDescription(QStringLiteral("問題数"));

    imgS2 = makeBarButton(this, m_art, QStringLiteral("S2"), {552, 259}, 1, QStringLiteral("検索"),
                          {592, 265, 49, 17});
    imgS2->setAccessibleName(QStringLiteral("ランダム検索"));
    connect(imgS2, &PictureButton::clicked, this, &frmSearch::imgS2_Click);

    // The bar and its lettering are painted in the background; the count of
    // due words follows the lettering in a label of its own.
    imgWeak = new PictureButton(this, QStringLiteral("imgWeak"), {510, 103, 180, 29}, none,
                                m_art.weakWordsHover, m_art.handPointer);
    lblWeakCount = makeCaption(this, QStringLiteral("lblWeakCount"), QString(), {634, 109, 52, 17});
    lblWeakCount->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    speakLabelAs(lblWeakCount, [this] {
        return QStringLiteral("復習する単語 %1語")
            .arg(lblWeakCount->text().remove('(').remove(')'));
    });
    imgWeak->attachCaption(lblWeakCount);
    imgWeak->setAccessibleName(QStringLiteral("苦手な単語"));
    connect(imgWeak, &PictureButton::clicked, this, &frmSearch::imgWeak_Click);

    imgToday = new PictureButton(this, QStringLiteral("imgToday"), kTodayPlace, m_art.todayBar,
                                 m_art.todayBarHover, m_art.handPointer);
    imgToday->setAccessibleName(QStringLiteral("今日の学習"));
    connect(imgToday, &PictureButton::clicked, this, &frmSearch::imgToday_Click);
    for (QLabel** line : {&lblToday, &lblKnown}) {
        *line = new QLabel(this);
        (*line)->setFont(gothicFont(kHealthPoints));
        (*line)->setTextFormat(Qt::PlainText);
        QPalette ink = (*line)->palette();
        ink.setColor(QPalette::WindowText, kHealthInk);
        (*line)->setPalette(ink);
    }
    lblToday->setObjectName(QStringLiteral("lblToday"));
    lblToday->setGeometry(kTodayLinePlace);
    lblKnown->setObjectName(QStringLiteral("lblKnown"));
    lblKnown->setGeometry(kKnownLinePlace);
    lblKnown->setToolTip(knownRuleText());
    lblKnown->setAccessibleDescription(knownRuleText());

    // Above the bar whose words come from the learning record: how the
    // record stands, when the learner should know.
    lblRecordHealth = new QLabel(this);
    lblRecordHealth->setObjectName(QStringLiteral("lblRecordHealth"));
    lblRecordHealth->setGeometry(kRecordHealthPlace);
    lblRecordHealth->setFont(gothicFont(kHealthPoints));
    lblRecordHealth->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    lblRecordHealth->setTextFormat(Qt::PlainText);
    QPalette ink = lblRecordHealth->palette();
    ink.setColor(QPalette::WindowText, kHealthInk);
    lblRecordHealth->setPalette(ink);
    lblRecordHealth->hide();

    for (int index = 0; index < static_cast<int>(imgRP.size()); ++index) {
        auto* hotspot =
            new OptionHotspot(this, QStringLiteral("imgRP_%1").arg(index),
                              kOptionPlaces[static_cast<std::size_t>(index)], m_art.handPointer);
        hotspot->setAccessibleName(
            QString::fromUtf8(kOptionNames[static_cast<std::size_t>(index)]));
        connect(hotspot, &OptionHotspot::clicked, this, [this, index] { imgRP_Click(index); });
        imgRP[static_cast<std::size_t>(index)] = hotspot;
    }

    // In the page's lower corner, clear of the mask and the start button.
    imgRecord = new PictureButton(this, QStringLiteral("imgRecord"), {630, 524, 120, 29},
                                  m_art.recordBar, m_art.recordBarHover, m_art.handPointer);
    imgRecord->setAccessibleName(QStringLiteral("学習記録"));
    connect(imgRecord, &PictureButton::clicked, this, &frmSearch::imgRecord_Click);

    imgHWG = new PictureButton(this, QStringLiteral("imgHWG"), {248, 477, 241, 81}, none,
                               m_art.ilBtn.picture(5), m_art.handPointer);
    imgHWG->setAccessibleName(QStringLiteral("開始"));
    connect(imgHWG, &PictureButton::clicked, this, &frmSearch::imgHWG_Click);

    // Which selection the start button starts; under the mask with the
    // start button while no drill can start.
    lblSelection = makeCaption(this, QStringLiteral("lblSelection"), QString(), {160, 374, 0, 17});
    lblSelection->setFont(gothicFont(kInputPoints));
    lblSelection->setTextFormat(Qt::PlainText);

    imgSmask = new QLabel(this);
    imgSmask->setObjectName(QStringLiteral("imgSmask"));
    imgSmask->setGeometry(81, 314, 545, 252);
    imgSmask->setPixmap(m_art.searchMask);

    // Created after the mask, so they lie above it: a search that found too
    // few words still shows what it found.
    lblCount =
        createNumberLabel(QStringLiteral("lblCount"), {264, 344, 57, 25}, QStringLiteral("0"),
                          QStringLiteral("検索結果"), QStringLiteral("単語"));
    lblCount_is =
        createNumberLabel(QStringLiteral("lblCount_is"), {408, 344, 57, 25}, QStringLiteral("0"),
                          QStringLiteral("検索結果"), QStringLiteral("例文"));

    lblLevelChange =
        makeCaption(this, QStringLiteral("lblLevelChange"), QString(), {296, 111, 210, 17});
    lblLevelChange->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lblLevelChange->hide();

    imgHelp = makeHelpButton(this, m_art);
    connect(imgHelp, &PictureButton::clicked, this, &frmSearch::imgHelp_Click);

    imgExit = makeExitButton(this, m_art, 33);

    // Never shown and never read: the window has always carried this label,
    // hidden, and keeps it so that its controls stay as they always were.
    lblParam = new QLabel(QStringLiteral("Label7"), this);
    lblParam->setObjectName(QStringLiteral("lblParam"));
    lblParam->setGeometry(24, 536, 33, 17);
    lblParam->hide();

    registerButton(imgHWG);
    registerButton(imgWeak);
    registerButton(imgRecord);
    registerButton(imgToday);

    // The two inputs first, then the buttons in reading order.
    chainTabOrder({txtFreeWord, cmbRandom, imgToday, imgS1, imgS2, imgWeak, imgRP[0], imgRP[1],
                   imgRP[2], imgRP[3], imgRP[4], imgRP[5], imgHWG, imgRecord, imgHelp, imgExit});
    txtFreeWord->setFocus();
}

void frmSearch::Form_Load() {
    readStatistics(m_state.settings, m_state.paths);
    readConfig(m_state.settings, m_state.paths);

    const SettingsState& options = m_state.settings;
    markOption(options.optTerms ? 0 : 1);
    markOption(options.optPc ? 2 : 3);
    markOption(options.optQuestion ? 4 : 5);

    refreshLevelPanel();
    maskLowerPanel();
}

void frmSearch::refreshLevelPanel() {
    const LevelLabels labels = updateLevel(m_state.settings);
    lblNog->setText(labels.lblNog);
    lblRate->setText(labels.lblRate);
    lblLevel->setText(labels.lblLevel);
}

void frmSearch::imgS1_Click() {
    const QString text = txtFreeWord->text();
    selectBySearch(m_state.drill, m_state.banks, text, m_state.random);
    showSelection(text.isEmpty() ? QStringLiteral("すべての単語から出題します")
                                 : QStringLiteral("「%1」の検索結果から出題します").arg(text));
}

void frmSearch::imgS2_Click() {
    const QString countText = cmbRandom->currentText();
    if (countText == countPrompt()) {
        showMessage(countPrompt());
        return;
    }
    selectAtRandom(m_state.drill, m_state.banks, countText, m_state.random);
    showSelection(
        QStringLiteral("ランダムに選んだ%1語から出題します").arg(m_state.drill.drillWords.size()));
}

const BookMemory* frmSearch::readBookMemory() {
    if (!m_state.bookMemory.refresh(m_state.history, m_state.banks,
                                    m_state.settings.desiredRetention)) {
        return nullptr;
    }
    return &m_state.bookMemory.book();
}

const BookMemory* frmSearch::bookMemoryForPress() {
    const BookMemory* book = readBookMemory();
    refreshRecordHealth();
    if (book == nullptr) {
        showMessage(unreadableRecordMessage());
    }
    return book;
}

void frmSearch::imgWeak_Click() {
    HistoryStore& history = m_state.history;
    const QDate today = QDate::currentDate();
    const BookMemory* book = bookMemoryForPress();
    if (book == nullptr) {
        return;
    }
    const std::vector<BookWord> candidates = weakWordCandidates(*book, today);
    if (candidates.empty()) {
        // A record begun afresh beside a damaged one has nothing due yet;
        // the old words are in the file set aside, not gone.
        const QString next = nextDueText(*book, today);
        if (history.health() == HistoryStore::Health::Renewed) {
            showMessage(newRecordMessage());
        } else {
            showMessage(next.isEmpty() ? noWeakWordsMessage()
                                       : noWeakWordsMessage() + QStringLiteral("\n\n") + next);
        }
        return;
    }
    if (candidates.size() < kFewestDrillWords) {
        showMessage(oneWeakWordMessage());
        return;
    }
    if (!selectWeakWords(m_state.drill, m_state.banks, candidates, cmbRandom->currentText(),
                         m_state.random)) {
        showMessage(noWeakWordsMessage());
        return;
    }
    showSelection(
        QStringLiteral("苦手な単語%1語から出題します").arg(m_state.drill.drillWords.size()));
}

void frmSearch::imgToday_Click() {
    const QDate today = QDate::currentDate();
    const BookMemory* book = bookMemoryForPress();
    if (book == nullptr) {
        return;
    }
    const TodaysStudy study = planToday(*book, m_state.banks, today, m_state.settings.dailyGoal);
    if (!selectToday(m_state.drill, m_state.banks, study, m_state.random)) {
        showMessage(todayDoneMessage() + QStringLiteral("\n\n") + todayLine(study, *book, today));
        return;
    }
    const bool wordsChosen = m_state.settings.optTerms;
    if (askInOtherForm(study, *book, m_state.banks, today, wordsChosen)) {
        // As a click on the other form's option would: the learner sees
        // the form change and can change it back.
        imgRP_Click(wordsChosen ? 1 : 0);
        showSelection(QStringLiteral("今日の学習: 間違えた単語を%1でもう一度（%2語）")
                          .arg(wordsChosen ? QStringLiteral("例文") : QStringLiteral("単語"))
                          .arg(study.due.size()));
        return;
    }
    showSelection(QStringLiteral("今日の学習: 復習%1語と新出%2語から出題します")
                      .arg(study.due.size())
                      .arg(study.fresh.size()));
}

void frmSearch::imgRecord_Click() {
    frmRecord record(m_state, m_art, readLearningRecord(m_state.history));
    openScreen(record);
}

void frmSearch::refreshWeakWordCount() {
    if (m_state.history.health() == HistoryStore::Health::Closed) {
        return;
    }
    const QDate today = QDate::currentDate();
    const BookMemory* book = readBookMemory();
    if (book == nullptr) {
        for (QLabel* label : {lblWeakCount, lblToday, lblKnown}) {
            label->clear();
        }
        refreshRecordHealth();
        return;
    }
    lblWeakCount->setText(QStringLiteral("(%1)").arg(dueBookWords(*book, today).size()));
    setFittedText(lblToday,
                  todayLine(planToday(*book, m_state.banks, today, m_state.settings.dailyGoal),
                            *book, today));
    setFittedText(lblKnown,
                  knownLine(*book, m_state.bookMemory.bookAsOf(today.addDays(-kPaceDays)), today));
    refreshRecordHealth();
}

void frmSearch::waitForMidnight() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDateTime midnight(now.date().addDays(1), QTime(0, 0));
    // A second after, so that the new day has surely begun.
    m_midnight->start(static_cast<int>(
        std::min<qint64>(now.msecsTo(midnight) + 1000, std::numeric_limits<int>::max())));
}

void frmSearch::refreshRecordHealth() {
    const QString line = m_state.recorder.healthLine();
    lblRecordHealth->setText(line);
    lblRecordHealth->setAccessibleName(line);
    lblRecordHealth->setVisible(!line.isEmpty());
}

void frmSearch::paintEvent(QPaintEvent* event) {
    ScreenWindow::paintEvent(event);
    // The record is opened once the window is on show, so opening it never
    // delays the first picture the learner sees.
    if (!m_historyOpening) {
        m_historyOpening = true;
        QTimer::singleShot(0, this, &frmSearch::openHistory);
    }
}

void frmSearch::openHistory() {
    m_state.recorder.openRecord(bankHeadwords(m_state.banks));
    refreshWeakWordCount();
    // The counts follow the calendar day while the program runs.
    m_midnight = new QTimer(this);
    m_midnight->setSingleShot(true);
    connect(m_midnight, &QTimer::timeout, this, [this] {
        refreshWeakWordCount();
        waitForMidnight();
    });
    waitForMidnight();
    StartupTrace::mark("history");
}

void frmSearch::showSelection(const QString& source) {
    const auto words = static_cast<int>(m_state.drill.drillWords.size());
    setFittedText(lblSelection, source);
    lblCount->setText(QString::number(words));
    lblCount_is->setText(QString::number(m_state.drill.drillSentences.size()));
    if (words >= kFewestDrillWords) {
        revealLowerPanel();
    } else {
        maskLowerPanel();
    }
}

void frmSearch::imgRP_Click(int Index) {
    const bool chosen = Index % 2 == 0;
    imgRP[static_cast<std::size_t>(chosen ? Index + 1 : Index - 1)]->showMark(QPixmap());
    markOption(Index);
    SettingsState& options = m_state.settings;
    switch (Index / 2) {
    case 0:
        options.optTerms = chosen;
        break;
    case 1:
        options.optPc = chosen;
        break;
    default:
        options.optQuestion = chosen;
        break;
    }
}

void frmSearch::markOption(int Index) {
    imgRP[static_cast<std::size_t>(Index)]->showMark(m_art.ilMaruBatu.picture(1));
}

void frmSearch::imgHWG_Click() {
    // A failed write loses only the choice of options for the next run; the
    // drill itself can still go ahead.
    writeConfig(m_state.settings, m_state.paths);
    m_state.screen.viewMode = m_state.settings.optQuestion ? ViewMode::Solving : ViewMode::Checking;

    const Level before = m_state.settings.level;
    std::unique_ptr<ScreenWindow> screen = createDrillScreen(m_state, m_art);
    openScreen(*screen);
    screen.reset();

    // A grading on the drill screen has changed the statistics meanwhile.
    refreshLevelPanel();
    refreshWeakWordCount();
    const QString change = levelChangeText(before, m_state.settings.level);
    lblLevelChange->setText(change);
    lblLevelChange->setVisible(!change.isEmpty());
}

void frmSearch::imgHelp_Click() {
    frmHelp help(m_art);
    openScreen(help);
}

void frmSearch::maskLowerPanel() {
    imgSmask->show();
    imgHWG->setShown(false);
    for (OptionHotspot* hotspot : imgRP) {
        hotspot->hide();
    }
}

void frmSearch::revealLowerPanel() {
    imgSmask->hide();
    imgHWG->setShown(true);
    for (OptionHotspot* hotspot : imgRP) {
        hotspot->show();
    }
}

bool frmSearch::formKeyDown(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        imgS1_Click();
        return true;
    }
    return false;
}

void frmSearch::openScreen(ScreenWindow& screen) {
    screen.exec();
}

void frmSearch::showMessage(const QString& text) {
    showMessageBox(this, QMessageBox::NoIcon, text);
}

} // namespace tavik
