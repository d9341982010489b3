#include "progress/ui/frmRecord.h"
#include "support/drill_screen_fixture.h"

#include <QChartView>
#include <QFile>
#include <QScatterSeries>
#include <QtTest>

using namespace tavik;
using namespace tavik::testing;

class FrmRecordTest : public QObject {
    Q_OBJECT

private slots:
    void figuresOfAKnownHistory();
    void emptyRecordSaysWhatWillShow();
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
    const auto answer = [](int days, int word, const char* headword, bool right) {
        return StoredAnswer{daysAgo(days, 10 + word),
                            word,
                            QString::fromLatin1(headword),
                            0,
                            right ? QString::fromLatin1(headword) : QStringLiteral("x, \"y\""),
                            right};
    };
    LearningRecord record;
    record.readable = true;
    record.answers = {answer(2, 1, "abolish", false), answer(2, 2, "acquit", true),
                      answer(1, 1, "abolish", false), answer(1, 2, "acquit", true),
                      answer(1, 3, "adapt", true),    answer(0, 1, "abolish", true),
                      answer(0, 3, "adapt", false),   answer(2, 4, "gone", false),
                      answer(2, 4, "gone", true)};
    record.states = {{1, 2, daysAgo(0, 11), daysAgo(1, 11)},
                     {2, 3, daysAgo(1, 12), {}},
                     {3, 1, daysAgo(0, 13), daysAgo(0, 13)}};
    frmRecord screen(fixture.state, sharedArtwork(), record);
    screen.show();

    const auto* rates = control<QChartView>(&screen, QStringLiteral("chtRate"));
    QList<qreal> points;
    for (QAbstractSeries* series : rates->chart()->series()) {
        if (auto* scatter = qobject_cast<QScatterSeries*>(series)) {
            for (const QPointF& point : scatter->points()) {
                points.append(point.y());
            }
        }
    }
    QCOMPARE(points, (QList<qreal>{50, 66, 50}));
    QVERIFY(
        rates->accessibleDescription().contains(QStringLiteral("%1/%2 66%（3問）")
                                                    .arg(QDate::currentDate().addDays(-1).month())
                                                    .arg(QDate::currentDate().addDays(-1).day())));
    QCOMPARE(control<QChartView>(&screen, QStringLiteral("chtBoxes"))->accessibleDescription(),
             QStringLiteral("未出題 138語、箱1 1語、箱2 1語、箱3 1語、箱4 0語、箱5 0語"));
    QCOMPARE(text(&screen, QStringLiteral("lblDueToday")), QStringLiteral("今日 1語"));
    QCOMPARE(text(&screen, QStringLiteral("lblDueTomorrow")), QStringLiteral("明日 1語"));
    QCOMPARE(text(&screen, QStringLiteral("lblDueWeek")), QStringLiteral("7日以内 3語"));
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
    QCOMPARE(label(&screen, QStringLiteral("lblWeakCounts_1"))->toolTip(),
             QStringLiteral("最後の誤答：x, \"y\""));
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
    QVERIFY(saved.contains(",abolish,,\"x, \"\"y\"\"\",誤\r\n"));
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

QTEST_MAIN(FrmRecordTest)
#include "test_frmRecord.moc"
