#include "progress/ui/frmRecord.h"

#include "drill/app_state.h"
#include "drill/todays_study.h"
#include "drill/ui/shared_speaker.h"
#include "progress/record_csv.h"
#include "progress/ui/chart_module.h"
#include "progress/ui/progress_charts.h"
#include "settings/level.h"
#include "shell/ui/artwork.h"
#include "shell/ui/fitted_label.h"
#include "shell/ui/fonts.h"
#include "shell/ui/frmHelp.h"
#include "shell/ui/picture_button.h"
#include "shell/ui/plain_tool_tip.h"
#include "shell/ui/save_file_dialog.h"
#include "shell/ui/screen_parts.h"
#include "speech/ui/spoken_labels.h"

#include <QDir>
#include <QKeyEvent>
#include <QLabel>

namespace tavik {

namespace {

constexpr qreal kHeadingPoints = 15.75;
constexpr qreal kSectionPoints = 9.75;
constexpr qreal kFigurePoints = 12;
constexpr qreal kSmallPoints = 9;

const QColor kInk(0, 0, 0);
const QColor kNavy(0, 0, 128);
const QColor kQuietInk(90, 80, 70);

constexpr QRect kRateChartPlace(44, 122, 340, 190);
constexpr QRect kBoxChartPlace(44, 352, 340, 164);

// The columns of the weakest words, on the right-hand page.
constexpr int kWeakTop = 280;
constexpr int kWeakPitch = 22;
constexpr int kWordLeft = 416;
constexpr int kWordWidth = 96;
constexpr int kMeaningLeft = 514;
constexpr int kMeaningWidth = 112;
constexpr int kCountsLeft = 628;
constexpr int kCountsWidth = 34;
// Wide enough for "100%".
constexpr int kBoxLeft = 664;
constexpr int kBoxWidth = 38;
constexpr int kDueLeft = 704;
constexpr int kDueWidth = 44;

ChartLook bookLook() {
    return {gothicFont(kSmallPoints), QColor(60, 50, 40), QColor(28, 63, 184), QColor(212, 0, 0),
            QColor(214, 204, 184)};
}

QString dayText(QDate day) {
    return QStringLiteral("%1/%2").arg(day.month()).arg(day.day());
}

// A long headword narrows to stay in its column.
void fitWord(QLabel* label, const QString& headword) {
    QFont font = gothicFont(kSectionPoints, true);
    const int fullSize = font.pixelSize();
    for (int size = fullSize; size > fullSize * 3 / 4; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).horizontalAdvance(headword) <= kWordWidth) {
            break;
        }
    }
    label->setFont(font);
    label->setText(headword);
}

QString boxName(int box) {
    return QStringLiteral("箱%1").arg(box);
}

// The figures of a chart for a screen reader, and for the page itself when
// the charts cannot be drawn.
QString rateFigures(const std::vector<DayRate>& days, int average) {
    QStringList points;
    for (const DayRate& day : days) {
        points.append(QStringLiteral("%1 %2%（%3問）")
                          .arg(dayText(day.day))
                          .arg(day.percent())
                          .arg(day.questions));
    }
    return QStringLiteral("%1。平均正答率 %2%").arg(points.join(QStringLiteral("、"))).arg(average);
}

QString boxFigures(const BoxCounts& counts) {
    QStringList parts{QStringLiteral("未出題 %1語").arg(counts.notYetDrilled)};
    for (int box = kFirstBox; box <= kLastBox; ++box) {
        parts.append(QStringLiteral("%1 %2語")
                         .arg(boxName(box))
                         .arg(counts.boxes[static_cast<std::size_t>(box - 1)]));
    }
    return parts.join(QStringLiteral("、"));
}

// The chart from the module, or its figures as text where the module is
// missing.
QWidget* chartOrFigures(QWidget* chart, const QString& figures, QWidget* parent) {
    if (chart != nullptr) {
        return chart;
    }
    auto* text = new QLabel(figures, parent);
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text->setFont(gothicFont(kSmallPoints));
    return text;
}

} // namespace

frmRecord::frmRecord(AppState& state, const Artwork& art, LearningRecord record)
    : m_state(state), m_art(art), m_record(std::move(record)),
      m_chooseSaveFile([](QWidget* parent, const QString& proposedPath) {
          return askSavePath(parent, QStringLiteral("CSVで保存"), proposedPath,
                             QStringLiteral("csv"));
      }) {
    setObjectName(QStringLiteral("frmRecord"));
    setBackground(m_art.ilBg.picture(1));
    createControls();
    enableKeyPreview();
    Form_Load();
}

void frmRecord::setSaveFileChooser(SaveFileChooser chooser) {
    m_chooseSaveFile = std::move(chooser);
}

QLabel* frmRecord::makeText(const QString& name, QRect place, qreal points, bool bold) {
    auto* label = new QLabel(this);
    label->setObjectName(name);
    label->setFont(gothicFont(points, bold));
    label->setGeometry(place);
    label->setTextFormat(Qt::PlainText);
    label->setAttribute(Qt::WA_TranslucentBackground);
    return label;
}

void frmRecord::createControls() {
    lblTitle = makeText(QStringLiteral("lblTitle"), {56, 72, 300, 26}, kHeadingPoints, true);
    lblTitle->setText(QStringLiteral("学習記録"));

    lblRateHeading =
        makeText(QStringLiteral("lblRateHeading"), {56, 104, 230, 17}, kSectionPoints, true);
    lblRateRange = makeText(QStringLiteral("lblRateRange"), {258, 104, 122, 17}, kSmallPoints);
    lblRateRange->setTextFormat(Qt::RichText);
    lblRateRange->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblRateRange->setTextInteractionFlags(Qt::LinksAccessibleByMouse |
                                          Qt::LinksAccessibleByKeyboard);
    lblRateRange->setCursor(m_art.handPointer);
    lblRateRange->hide();
    connect(lblRateRange, &QLabel::linkActivated, this, &frmRecord::lblRateRange_Click);
    lblAverage = makeText(QStringLiteral("lblAverage"), {60, 308, 320, 15}, kSmallPoints);
    QPalette red = lblAverage->palette();
    red.setColor(QPalette::WindowText, QColor(212, 0, 0));
    lblAverage->setPalette(red);
    lblBoxHeading =
        makeText(QStringLiteral("lblBoxHeading"), {56, 334, 300, 17}, kSectionPoints, true);
    lblBoxHeading->setText(QStringLiteral("単語の箱（正解するたびに上の箱へ）"));

    lblLevel = makeText(QStringLiteral("lblLevel"), {416, 100, 330, 20}, kFigurePoints, true);
    lblNextLevel = makeText(QStringLiteral("lblNextLevel"), {416, 124, 334, 16}, kSmallPoints);
    QPalette navy = lblNextLevel->palette();
    navy.setColor(QPalette::WindowText, kNavy);
    lblNextLevel->setPalette(navy);
    lblLevelRule = makeText(QStringLiteral("lblLevelRule"), {416, 142, 334, 16}, kSmallPoints);
    QPalette quiet = lblLevelRule->palette();
    quiet.setColor(QPalette::WindowText, kQuietInk);
    lblLevelRule->setPalette(quiet);

    lblDueHeading =
        makeText(QStringLiteral("lblDueHeading"), {416, 170, 300, 17}, kSectionPoints, true);
    lblDueHeading->setText(QStringLiteral("復習の予定"));
    lblDueToday = makeText(QStringLiteral("lblDueToday"), {416, 190, 104, 22}, kFigurePoints, true);
    lblDueTomorrow =
        makeText(QStringLiteral("lblDueTomorrow"), {524, 190, 104, 22}, kFigurePoints, true);
    lblDueWeek = makeText(QStringLiteral("lblDueWeek"), {628, 190, 122, 22}, kFigurePoints, true);
    // Each of the next days: its date over the words due on it.
    for (int day = 0; day < kWeekDays; ++day) {
        QLabel*& label = lblDueDay[static_cast<std::size_t>(day)];
        label = makeText(QStringLiteral("lblDueDay_%1").arg(day), {416 + day * 47, 213, 46, 30},
                         kSmallPoints);
        label->setAlignment(Qt::AlignCenter);
        label->setPalette(quiet);
    }

    // The words known, beside the days to come; the rule is told with it.
    lblKnown = makeText(QStringLiteral("lblKnown"), {504, 171, 246, 17}, kSmallPoints);
    lblKnown->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblKnown->setPalette(navy);
    lblKnown->setToolTip(knownRuleText());
    lblKnown->setAccessibleDescription(knownRuleText());

    lblWeakHeading =
        makeText(QStringLiteral("lblWeakHeading"), {416, 246, 334, 17}, kSectionPoints, true);
    lblWeakHeading->setText(QStringLiteral("苦手な単語（単語をクリックすると発音）"));
    const std::array<std::pair<int, QString>, kWeakColumns> columns{
        {{kWordLeft, QStringLiteral("単語")},
         {kMeaningLeft, QStringLiteral("意味")},
         {kCountsLeft, QStringLiteral("正/誤")},
         {kBoxLeft, QStringLiteral("記憶")},
         {kDueLeft, QStringLiteral("次回")}}};
    for (std::size_t column = 0; column < columns.size(); ++column) {
        const auto& [left, heading] = columns[column];
        lblWeakColumn[column] = makeText(QStringLiteral("lblWeakColumn_%1").arg(column),
                                         {left, 263, 60, 16}, kSmallPoints);
        lblWeakColumn[column]->setPalette(quiet);
        lblWeakColumn[column]->setText(heading);
    }

    m_spoken = new SpokenLabels(
        sharedSpeaker(m_state), m_art.handPointer,
        [](const QLabel* label) { return label->isVisible() ? label->text() : QString(); }, this);
    for (int row = 0; row < kWeakRows; ++row) {
        const int top = kWeakTop + row * kWeakPitch;
        const auto name = [row](const char* stem) {
            return QStringLiteral("%1_%2").arg(QLatin1String(stem)).arg(row);
        };
        lblWeakWord[row] =
            makeText(name("lblWeakWord"), {kWordLeft, top, kWordWidth, 18}, kSectionPoints, true);
        QPalette wordInk = lblWeakWord[row]->palette();
        wordInk.setColor(QPalette::WindowText, kNavy);
        lblWeakWord[row]->setPalette(wordInk);
        m_spoken->watch(lblWeakWord[row]);
        lblWeakMeaning[row] = makeText(name("lblWeakMeaning"),
                                       {kMeaningLeft, top + 1, kMeaningWidth, 17}, kSmallPoints);
        lblWeakCounts[row] =
            makeText(name("lblWeakCounts"), {kCountsLeft, top + 1, kCountsWidth, 17}, kSmallPoints);
        lblWeakBox[row] =
            makeText(name("lblWeakBox"), {kBoxLeft, top + 1, kBoxWidth, 17}, kSmallPoints);
        lblWeakDue[row] =
            makeText(name("lblWeakDue"), {kDueLeft, top + 1, kDueWidth, 17}, kSmallPoints);
    }

    // Under the weakest words: the words the learner mixes up.
    lblConfusions =
        makeText(QStringLiteral("lblConfusions"),
                 {kWordLeft, kWeakTop + kWeakRows * kWeakPitch + 4, 334, 16}, kSmallPoints);
    lblConfusions->setPalette(navy);

    lblEmpty = makeText(QStringLiteral("lblEmpty"), {72, 230, 300, 160}, kFigurePoints);
    lblEmpty->setWordWrap(true);
    lblEmpty->setAlignment(Qt::AlignCenter);
    lblEmpty->hide();

    imgCsv = makeBarButton(this, m_art, QStringLiteral("Csv"), {200, 528}, 1,
                           QStringLiteral("CSVで保存"), {232, 534, 100, 17});
    imgBack = makeBarButton(this, m_art, QStringLiteral("Back"), {368, 528}, 1,
                            QStringLiteral("戻る"), {410, 534, 57, 17});
    imgHelp = makeHelpButton(this, m_art);
    imgExit = makeExitButton(this, m_art, 33);
    connect(imgCsv, &PictureButton::clicked, this, &frmRecord::imgCsv_Click);
    connect(imgBack, &PictureButton::clicked, this, &frmRecord::imgBack_Click);
    connect(imgHelp, &PictureButton::clicked, this, &frmRecord::imgHelp_Click);
    chainTabOrder({lblRateRange, imgCsv, imgBack, imgHelp, imgExit});
}

void frmRecord::Form_Load() {
    showLevel();
    if (!m_record.readable || m_record.answers.empty()) {
        showEmptyRecord();
        return;
    }
    const QDate today = QDate::currentDate();
    const BankWords words(m_state.banks);
    const std::vector<BankWordState> states = bankWordStates(words, m_record.states);
    const double retention = m_state.settings.desiredRetention;
    // With the weights the main window schedules with.
    const MemoryParameters& weights = m_state.bookMemory.parameters();
    const BookMemory book = bookMemory(m_state.banks, m_record.answers, retention, weights);
    m_days = dailyRates(m_record.answers);
    showRates();
    showBoxes(boxCounts(words, states));
    showDue(dueCounts(book, today), today);
    const BookMemory weekAgo =
        bookMemory(m_state.banks, answersUntil(m_record.answers, today.addDays(-kPaceDays)),
                   retention, weights);
    // Words the record holds that the book no longer has are told apart,
    // never counted as due.
    // With a finish date, or words no longer in the book, the line is long:
    // it narrows rather than running into the heading beside it.
    setTextWithinWidth(lblKnown,
                       book.notInBook.empty() ? knownLine(book, weekAgo, today)
                                              : QStringLiteral("%1・本にない単語 %2語")
                                                    .arg(knownLine(book, weekAgo, today))
                                                    .arg(book.notInBook.size()),
                       kSmallPoints);
    showWeakest(weakestWords(m_state.banks, book, today));
    showConfusions(book.confusions);
    m_spoken->refresh();
}

void frmRecord::showLevel() {
    const SettingsState& settings = m_state.settings;
    lblLevel->setText(QStringLiteral("レベル：%1").arg(levelName(settings.level)));
    setTextWithinWidth(lblNextLevel, nextLevelText(settings), kSmallPoints);
    lblLevelRule->setText(levelRuleText());
}

void frmRecord::showRates() {
    const bool more = static_cast<int>(m_days.size()) > kRecentDaysStudied;
    lblRateRange->setVisible(more);
    placeRateChart();
}

void frmRecord::placeRateChart() {
    const std::vector<DayRate> shown =
        m_wholePeriod ? m_days : lastDaysStudied(m_days, kRecentDaysStudied);
    const int average = m_state.settings.statQuestions != 0 ? m_state.settings.statRate : 0;
    lblAverage->setText(QStringLiteral("- - -  平均正答率 %1%").arg(average));
    lblRateHeading->setText(
        m_wholePeriod ? QStringLiteral("日ごとの正答率（全期間）")
                      : QStringLiteral("日ごとの正答率（最近%1日）").arg(kRecentDaysStudied));
    lblRateRange->setText(QStringLiteral("<a href=\"range\" style=\"color:#000080;\">%1</a>")
                              .arg(m_wholePeriod
                                       ? QStringLiteral("最近%1日を見る").arg(kRecentDaysStudied)
                                       : QStringLiteral("全期間を見る")));
    delete chtRate;
    ProgressCharts* charts = progressCharts();
    const QString figures = rateFigures(shown, average);
    chtRate = chartOrFigures(charts != nullptr ? charts->rateChart(shown, average, bookLook(), this)
                                               : nullptr,
                             figures, this);
    chtRate->setObjectName(QStringLiteral("chtRate"));
    chtRate->setGeometry(kRateChartPlace);
    chtRate->setAccessibleName(lblRateHeading->text());
    chtRate->setAccessibleDescription(figures);
    chtRate->show();
}

void frmRecord::showBoxes(const BoxCounts& counts) {
    ProgressCharts* charts = progressCharts();
    const QString figures = boxFigures(counts);
    chtBoxes = chartOrFigures(
        charts != nullptr ? charts->boxChart(counts, bookLook(), this) : nullptr, figures, this);
    chtBoxes->setObjectName(QStringLiteral("chtBoxes"));
    chtBoxes->setGeometry(kBoxChartPlace);
    chtBoxes->setAccessibleName(QStringLiteral("単語の箱"));
    chtBoxes->setAccessibleDescription(figures);
    chtBoxes->show();
}

void frmRecord::showDue(const DueCounts& due, QDate today) {
    lblDueToday->setText(QStringLiteral("今日 %1語").arg(due.today));
    lblDueTomorrow->setText(QStringLiteral("明日 %1語").arg(due.tomorrow));
    lblDueWeek->setText(QStringLiteral("7日以内 %1語").arg(due.withinWeek));
    for (std::size_t day = 0; day < lblDueDay.size(); ++day) {
        const QString date = dayText(today.addDays(static_cast<qint64>(day) + 1));
        lblDueDay[day]->setText(QStringLiteral("%1\n%2語").arg(date).arg(due.days[day]));
        lblDueDay[day]->setAccessibleName(QStringLiteral("%1に%2語").arg(date).arg(due.days[day]));
    }
}

void frmRecord::showConfusions(const std::vector<ConfusionPair>& pairs) {
    QStringList all;
    for (const ConfusionPair& pair : pairs) {
        all.append(confusionText(m_state.banks, pair));
    }
    const auto lineOf = [&all](qsizetype shown) {
        QString line = QStringLiteral("取り違えやすい組: %1")
                           .arg(QStringList(all.mid(0, shown)).join(QStringLiteral("、")));
        return shown < all.size() ? line + QStringLiteral("、ほか%1組").arg(all.size() - shown)
                                  : line;
    };
    // As many pairs as the line holds; every pair is in its tool tip.
    const QFontMetrics metrics(gothicFont(kSmallPoints));
    qsizetype shown = all.size();
    while (shown > 1 && metrics.horizontalAdvance(lineOf(shown)) > lblConfusions->width()) {
        --shown;
    }
    setTextWithinWidth(lblConfusions, lineOf(shown), kSmallPoints);
    setPlainToolTip(lblConfusions, lineOf(all.size()));
    lblConfusions->setAccessibleName(lineOf(all.size()));
    lblConfusions->setVisible(!pairs.empty());
}

void frmRecord::showWeakest(const std::vector<WeakWord>& weakest) {
    for (int row = 0; row < kWeakRows; ++row) {
        const bool shown = static_cast<std::size_t>(row) < weakest.size();
        for (QLabel* label : {lblWeakWord[row], lblWeakMeaning[row], lblWeakCounts[row],
                              lblWeakBox[row], lblWeakDue[row]}) {
            label->setVisible(shown);
        }
        if (!shown) {
            continue;
        }
        const WeakWord& word = weakest[static_cast<std::size_t>(row)];
        fitWord(lblWeakWord[row], word.headword);
        lblWeakWord[row]->setAccessibleDescription(QStringLiteral("発音を聞く"));
        const QFontMetrics meaning(lblWeakMeaning[row]->font());
        lblWeakMeaning[row]->setText(
            meaning.elidedText(word.meaning, Qt::ElideRight, kMeaningWidth));
        setPlainToolTip(lblWeakMeaning[row], word.meaning);
        lblWeakMeaning[row]->setAccessibleName(word.meaning);
        lblWeakCounts[row]->setText(QStringLiteral("%1/%2").arg(word.right).arg(word.wrong));
        lblWeakCounts[row]->setAccessibleName(
            QStringLiteral("正解%1回、不正解%2回").arg(word.right).arg(word.wrong));
        const QString lastMiss = word.lastWrongTyped.isEmpty()
                                     ? QStringLiteral("最後の誤答：（空欄）")
                                     : QStringLiteral("最後の誤答：%1").arg(word.lastWrongTyped);
        setPlainToolTip(lblWeakCounts[row], lastMiss);
        lblWeakCounts[row]->setAccessibleDescription(lastMiss);
        const int percent = static_cast<int>(word.recall * 100);
        lblWeakBox[row]->setText(QStringLiteral("%1%").arg(percent));
        lblWeakBox[row]->setAccessibleName(QStringLiteral("思い出せる見込み %1%").arg(percent));
        lblWeakDue[row]->setText(dayText(word.due));
        lblWeakDue[row]->setAccessibleName(QStringLiteral("次回 %1").arg(dayText(word.due)));
    }
    if (weakest.empty()) {
        for (QLabel* column : lblWeakColumn) {
            column->hide();
        }
        lblWeakWord[0]->setVisible(false);
        lblWeakMeaning[0]->setText(QStringLiteral("まだ間違えた単語はありません"));
        lblWeakMeaning[0]->setGeometry(kWordLeft, kWeakTop, 330, 17);
        lblWeakMeaning[0]->show();
    }
}

void frmRecord::showEmptyRecord() {
    lblEmpty->setText(m_record.readable ? QStringLiteral("まだ採点の記録がありません。\n\n"
                                                         "ドリルを採点すると、ここに\n"
                                                         "日ごとの正答率、単語の箱、\n"
                                                         "復習の予定と苦手な単語が出ます。")
                                        : QStringLiteral("学習記録を読み込めませんでした"));
    lblEmpty->show();
    for (QWidget* part : std::initializer_list<QWidget*>{
             lblRateHeading, lblRateRange, lblAverage, lblBoxHeading, lblDueHeading, lblDueToday,
             lblDueTomorrow, lblDueWeek, lblKnown, lblConfusions, lblWeakHeading}) {
        part->hide();
    }
    for (QLabel* label : lblWeakColumn) {
        label->hide();
    }
    for (QLabel* label : lblDueDay) {
        label->hide();
    }
    for (int row = 0; row < kWeakRows; ++row) {
        for (QLabel* label : {lblWeakWord[row], lblWeakMeaning[row], lblWeakCounts[row],
                              lblWeakBox[row], lblWeakDue[row]}) {
            label->hide();
        }
    }
    imgCsv->setShown(false);
}

void frmRecord::imgCsv_Click() {
    const QString path = m_chooseSaveFile(this, proposedCsvPath(QDate::currentDate()));
    if (path.isEmpty()) {
        return;
    }
    QString error;
    if (saveRecordCsv(path, m_record.answers, m_state.banks, error)) {
        showMessage(QMessageBox::Information,
                    QStringLiteral("CSVを保存しました\n\n") + QDir::toNativeSeparators(path));
    } else {
        showMessage(QMessageBox::Warning, QStringLiteral("CSVを保存できませんでした\n\n") + error);
    }
}

void frmRecord::imgBack_Click() {
    close();
}

void frmRecord::imgHelp_Click() {
    frmHelp help(m_art);
    help.exec();
}

void frmRecord::lblRateRange_Click() {
    m_wholePeriod = !m_wholePeriod;
    placeRateChart();
}

bool frmRecord::formKeyDown(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        imgBack_Click();
        return true;
    }
    return false;
}

void frmRecord::showMessage(QMessageBox::Icon icon, const QString& text) {
    showMessageBox(this, icon, text);
}

} // namespace tavik
