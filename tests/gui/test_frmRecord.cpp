#include "progress/learning_progress.h"
#include "progress/record_csv.h"
#include "progress/ui/frmRecord.h"
#include "settings/level.h"
#include "support/drill_screen_fixture.h"

#include <QCategoryAxis>
#include <QChartView>
#include <QFile>
#include <QScatterSeries>
#include <QTextDocument>
#include <QtTest>

using namespace tavik;
using namespace tavik::testing;

class FrmRecordTest : public QObject {
    Q_OBJECT

private slots:
    void figuresOfAKnownHistory();
    void emptyRecordSaysWhatWillShow();
    void levelLineIsWholeAtEveryLevel();
    void csvGivesTheSentenceAndKeepsFormulasAsText();
};

namespace {

QDateTime daysAgo(int days, int hour) {
    return QDateTime(QDate::currentDate().addDays(-days), QTime(hour, 0));
}

QString text(const QWidget* screen, const QString& name) {
    return label(screen, name)->text();
}

} // namespace

// Three words over three days: abolish missed twice, then right; acquit
// right twice; adapt right, then missed today; and gone, a word the book no
// longer has, one right and one wrong two days ago.
void FrmRecordTest::figuresOfAKnownHistory() {
    DrillScreenFixture fixture;
    const auto answer = [](int days, int word, const char* headword, bool right,
                           const char* wrong = "x, \"y\"") {
        return StoredAnswer{daysAgo(days, 10 + word),
                            word,
                            QString::fromLatin1(headword),
                            0,
                            QString::fromLatin1(right ? headword : wrong),
                            right};
    };
    LearningRecord record;
    record.readable = true;
    record.answers = {answer(2, 1, "abolish", false),
                      answer(2, 2, "acquit", true),
                      answer(1, 1, "abolish", false, "<b>x</b> &lt;"),
                      answer(1, 2, "acquit", true),
                      answer(1, 3, "adapt", true),
                      answer(0, 1, "abolish", true),
                      answer(0, 3, "adapt", false, "ADOPT"),
                      answer(2, 4, "gone", false),
                      answer(2, 4, "gone", true)};
    record.states = {{1, 2, daysAgo(0, 11), daysAgo(1, 11)},
                     {2, 3, daysAgo(1, 12), {}},
                     {3, 1, daysAgo(0, 13), daysAgo(0, 13)}};
    frmRecord screen(fixture.state, sharedArtwork(), record);
    screen.show();

    const auto* rates = control<QChartView>(&screen, QStringLiteral("chtRate"));
    // Each day's point stands on its own date's label.
    auto* dates = qobject_cast<QCategoryAxis*>(rates->chart()->axes(Qt::Horizontal).value(0));
    QVERIFY(dates != nullptr);
    QList<qreal> points;
    QStringList pointDates;
    for (QAbstractSeries* series : rates->chart()->series()) {
        if (auto* scatter = qobject_cast<QScatterSeries*>(series)) {
            for (const QPointF& point : scatter->points()) {
                points.append(point.y());
                for (const QString& date : dates->categoriesLabels()) {
                    if (dates->endValue(date) == point.x()) {
                        pointDates.append(date);
                    }
                }
            }
        }
    }
    QCOMPARE(points, (QList<qreal>{50, 66, 50}));
    // 最近30日 are the last days studied, not the first.
    const std::vector<DayRate> recent = lastDaysStudied(dailyRates(record.answers), 2);
    QCOMPARE(recent.size(), 2U);
    QCOMPARE(recent.front().day, QDate::currentDate().addDays(-1));
    QStringList days;
    for (int ago = 2; ago >= 0; --ago) {
        days.append(QDate::currentDate().addDays(-ago).toString(QStringLiteral("M/d")));
    }
    QCOMPARE(pointDates, days);
    QVERIFY(
        rates->accessibleDescription().contains(QStringLiteral("%1/%2 66%（3問）")
                                                    .arg(QDate::currentDate().addDays(-1).month())
                                                    .arg(QDate::currentDate().addDays(-1).day())));
    QCOMPARE(control<QChartView>(&screen, QStringLiteral("chtBoxes"))->accessibleDescription(),
             QStringLiteral("未出題 138語、箱1 1語、箱2 1語、箱3 1語、箱4 0語、箱5 0語"));
    QCOMPARE(text(&screen, QStringLiteral("lblDueToday")), QStringLiteral("今日 1語"));
    QCOMPARE(text(&screen, QStringLiteral("lblDueTomorrow")), QStringLiteral("明日 1語"));
    QCOMPARE(text(&screen, QStringLiteral("lblDueWeek")), QStringLiteral("7日以内 3語"));
    for (int ahead = 1; ahead <= 7; ++ahead) {
        const QDate day = QDate::currentDate().addDays(ahead);
        QCOMPARE(text(&screen, QStringLiteral("lblDueDay_%1").arg(ahead - 1)),
                 QStringLiteral("%1/%2\n%3語")
                     .arg(day.month())
                     .arg(day.day())
                     .arg(ahead == 1 || ahead == 5 ? 1 : 0));
    }
    // adapt answered with adopt, another word of the book.
    QCOMPARE(text(&screen, QStringLiteral("lblConfusions")),
             QStringLiteral("取り違えやすい組: adapt と adopt"));
    // The weakest first: adapt, missed today, has no recall yet; abolish,
    // right today, all of it. Due: adapt today; abolish tomorrow (S = 0.73
    // after two lapses); acquit in 5 days (S = 5.87).
    QCOMPARE(text(&screen, QStringLiteral("lblWeakWord_0")), QStringLiteral("adapt"));
    QCOMPARE(text(&screen, QStringLiteral("lblWeakCounts_0")), QStringLiteral("1/1"));
    QCOMPARE(text(&screen, QStringLiteral("lblWeakWord_1")), QStringLiteral("abolish"));
    QCOMPARE(text(&screen, QStringLiteral("lblWeakCounts_1")), QStringLiteral("1/2"));
    QCOMPARE(text(&screen, QStringLiteral("lblWeakBox_0")), QStringLiteral("0%"));
    QCOMPARE(text(&screen, QStringLiteral("lblWeakBox_1")), QStringLiteral("100%"));
    // None yet known a week ahead: acquit's recall a week ahead is 0.87.
    // gone, no longer in the book, is told apart and never due.
    QCOMPARE(text(&screen, QStringLiteral("lblKnown")),
             QStringLiteral("覚えた単語 0/141・本にない単語 1語"));
    // The last wrong answer, shown as typed, never read as markup.
    QTextDocument tip;
    tip.setHtml(label(&screen, QStringLiteral("lblWeakCounts_1"))->toolTip());
    QCOMPARE(tip.toPlainText(), QStringLiteral("最後の誤答：<b>x</b> &lt;"));
    QVERIFY(!label(&screen, QStringLiteral("lblWeakWord_2"))->isVisible());

    // The whole record as CSV: a byte-order mark, a heading, a row an answer.
    const QString path = fixture.directory.filePath(QStringLiteral("record.csv"));
    screen.setSaveFileChooser([&](QWidget*, const QString&) { return path; });
    ModalCloser closer([](QWidget*) {});
    QTest::mouseClick(label(&screen, QStringLiteral("lblCsv")), Qt::LeftButton);
    QFile csv(path);
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QByteArray saved = csv.readAll();
    QVERIFY(saved.startsWith("\xEF\xBB\xBF"));
    QCOMPARE(saved.count("\r\n"), 10);
    QVERIFY(saved.contains(",abolish,,,\"x, \"\"y\"\"\",誤\r\n"));
}

void FrmRecordTest::emptyRecordSaysWhatWillShow() {
    DrillScreenFixture fixture;
    LearningRecord record;
    record.readable = true;
    frmRecord screen(fixture.state, sharedArtwork(), record);
    screen.show();
    QVERIFY(label(&screen, QStringLiteral("lblEmpty"))->isVisible());
    QVERIFY(screen.findChild<QWidget*>(QStringLiteral("chtRate")) == nullptr);
    QVERIFY(!label(&screen, QStringLiteral("lblCsv"))->isVisible());
}

void FrmRecordTest::levelLineIsWholeAtEveryLevel() {
    for (const auto& [games, rate] : {std::pair{0, 0}, std::pair{6, 50}, std::pair{11, 80}}) {
        DrillScreenFixture fixture;
        fixture.state.settings.statGames = static_cast<std::int16_t>(games);
        fixture.state.settings.statRate = static_cast<std::int16_t>(rate);
        fixture.state.settings.statQuestions = 100;
        updateLevel(fixture.state.settings);
        LearningRecord record;
        record.readable = true;
        frmRecord screen(fixture.state, sharedArtwork(), record);
        const QLabel* line = label(&screen, QStringLiteral("lblNextLevel"));
        QVERIFY2(QFontMetricsF(line->font()).horizontalAdvance(line->text()) <=
                     line->contentsRect().width(),
                 qPrintable(line->text()));
    }
}

void FrmRecordTest::csvGivesTheSentenceAndKeepsFormulasAsText() {
    DrillScreenFixture fixture;
    const std::vector<StoredAnswer> answers = {
        {daysAgo(0, 9), 1, QStringLiteral("abolish"), 1, QStringLiteral("=1+1"), false},
        {daysAgo(0, 9), 1, QStringLiteral("abolish"), 0, QStringLiteral("=HYPERLINK(\"x\")"),
         false}};
    const QString csv = QString::fromUtf8(recordCsv(answers, fixture.state.banks));
    QVERIFY2(csv.contains(QStringLiteral(",abolish,1,The government abolished the sales tax on "
                                         "food last year.,'=1+1,誤\r\n")),
             qPrintable(csv));
    QVERIFY2(csv.contains(QStringLiteral(",abolish,,,\"'=HYPERLINK(\"\"x\"\")\",誤\r\n")),
             qPrintable(csv));
    // The longest name a file may have leaves no room for the temporary one
    // the replace goes through: refused at the commit, the older file stays
    // and the save is not reported done.
    const QString older = fixture.directory.filePath(QString(251, 'x') + ".csv");
    QFile file(older);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("older") == 5);
    file.close();
    QString error;
    QVERIFY(!saveRecordCsv(older, answers, fixture.state.banks, error));
    QVERIFY(!error.isEmpty());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("older"));
}

QTEST_MAIN(FrmRecordTest)
#include "test_frmRecord.moc"
