#include "screens/ui/frmListI.h"
#include "shell/ui/picture_button.h"
#include "support/drill_screen_fixture.h"

#include <QtTest>

using namespace tavik;
using namespace tavik::testing;

class FrmListITest : public QObject {
    Q_OBJECT

private slots:
    void answerBoxStandsInTheSentence_data();
    void answerBoxStandsInTheSentence();
    void translationLineAndHints_data();
    void translationLineAndHints();
    void blankOpeningTheSentenceNeedsItsCapital();
    void lastPageHoldsOnlyTheRemainingQuestions();
    void gradedAnswerFollowsEachTranslationLine();
    void everySentenceFitsOnThePage();

private:
    // Sentence rows of the bank, picked by what the tests need.
    static int firstRowWithEmptyBefore(const Banks& banks);
    static int rowWithLongestBefore(const Banks& banks);
};

namespace {

QString field(const Banks& banks, int row, int column) {
    return banks.SentenceBank.at(static_cast<std::size_t>(row)).at(column);
}

QLabel* rowLabel(const QWidget* screen, const char* stem, int row) {
    return label(screen, QStringLiteral("%1_%2").arg(QLatin1String(stem)).arg(row));
}

int rightEdge(const QWidget* widget) {
    return widget->x() + widget->width();
}

} // namespace

int FrmListITest::firstRowWithEmptyBefore(const Banks& banks) {
    for (std::size_t row = 1; row < banks.SentenceBank.size(); ++row) {
        const BankRow& fields = banks.SentenceBank[row];
        if (fields[SentenceField::Before].isEmpty() && !fields[SentenceField::After].isEmpty()) {
            return static_cast<int>(row);
        }
    }
    return -1;
}

int FrmListITest::rowWithLongestBefore(const Banks& banks) {
    int longest = 1;
    for (std::size_t row = 1; row < banks.SentenceBank.size(); ++row) {
        if (banks.SentenceBank[row][SentenceField::Before].size() >
            field(banks, longest, SentenceField::Before).size()) {
            longest = static_cast<int>(row);
        }
    }
    return longest;
}

void FrmListITest::answerBoxStandsInTheSentence_data() {
    QTest::addColumn<bool>("emptyBefore");
    QTest::newRow("blank opens the sentence") << true;
    QTest::newRow("longest text before the blank") << false;
}

void FrmListITest::answerBoxStandsInTheSentence() {
    QFETCH(bool, emptyBefore);
    DrillScreenFixture fixture;
    const Banks& banks = fixture.state.banks;
    const int row = emptyBefore ? firstRowWithEmptyBefore(banks) : rowWithLongestBefore(banks);
    QVERIFY(row > 0);
    fixture.useSentences({row});
    frmListI screen(fixture.state, sharedArtwork());
    screen.show();

    const QLabel* former = rowLabel(&screen, "lblFormer", 0);
    const QLineEdit* box = answerBox(&screen, 0);
    const QLabel* latter = rowLabel(&screen, "lblLatter", 0);
    QVERIFY(box->isVisible());
    QCOMPARE(former->text(), field(banks, row, SentenceField::Before));
    QCOMPARE(latter->text(), field(banks, row, SentenceField::After));
    if (emptyBefore) {
        QCOMPARE(box->x(), former->x());
    } else {
        QCOMPARE(box->x(), rightEdge(former) + 1);
        QVERIFY(former->width() >= former->fontMetrics().horizontalAdvance(former->text()));
    }
    QCOMPARE(latter->x(), rightEdge(box) + 1);
    QVERIFY(rightEdge(latter) <= screen.width());
    // The box stands on the sentence line, clear of the translation below.
    QVERIFY(box->y() + box->height() <= rowLabel(&screen, "lblJp", 0)->y() + 2);
}

void FrmListITest::translationLineAndHints_data() {
    QTest::addColumn<QString>("level");
    QTest::addColumn<bool>("questionMode");
    QTest::addColumn<bool>("hint");
    QTest::addColumn<bool>("firstLetter");
    QTest::newRow("初級, solving") << "初級" << true << true << true;
    QTest::newRow("中級, solving") << "中級" << true << true << false;
    QTest::newRow("上級, solving") << "上級" << true << false << false;
    QTest::newRow("初級, sentence list") << "初級" << false << true << false;
    QTest::newRow("中級, sentence list") << "中級" << false << true << false;
    QTest::newRow("上級, sentence list") << "上級" << false << false << false;
}

void FrmListITest::translationLineAndHints() {
    QFETCH(QString, level);
    QFETCH(bool, questionMode);
    QFETCH(bool, hint);
    QFETCH(bool, firstLetter);
    DrillScreenFixture fixture;
    const int row = rowWithLongestBefore(fixture.state.banks);
    fixture.useSentences({row, 2, 3});
    fixture.state.settings.level = levelNamed(level);
    fixture.state.settings.optQuestion = questionMode;
    frmListI screen(fixture.state, sharedArtwork());
    screen.show();

    const Banks& banks = fixture.state.banks;
    const QString answer = field(banks, row, SentenceField::Answer);
    QString expected = QStringLiteral("　（") + field(banks, row, SentenceField::Translation) +
                       QStringLiteral("）");
    if (hint) {
        expected += QStringLiteral("【%1文字】").arg(answer.size());
    }
    QCOMPARE(rowLabel(&screen, "lblJp", 0)->text(), expected);
    QCOMPARE(answerBox(&screen, 0)->isVisible(), questionMode);
    if (questionMode) {
        QCOMPARE(answerBox(&screen, 0)->text(), firstLetter ? answer.left(1) : QString());
    } else {
        QCOMPARE(rowLabel(&screen, "lblFormer", 0)->text(),
                 field(banks, row, SentenceField::Before) + answer +
                     field(banks, row, SentenceField::After));
        QVERIFY(rowLabel(&screen, "lblLatter", 0)->text().isEmpty());
        QVERIFY(!control<PictureButton>(&screen, QStringLiteral("imgGrade"))->isVisible());
    }
}

void FrmListITest::blankOpeningTheSentenceNeedsItsCapital() {
    DrillScreenFixture fixture;
    const int row = firstRowWithEmptyBefore(fixture.state.banks);
    QVERIFY(row > 0);
    fixture.useSentences({row, row});
    fixture.state.settings.level = Level::Beginner;
    frmListI screen(fixture.state, sharedArtwork());
    screen.show();
    const QString answer = fixture.sentenceAnswer(0);
    QVERIFY(answer.at(0).isUpper());
    QCOMPARE(answerBox(&screen, 0)->text(), answer.left(1));

    answerBox(&screen, 0)->clear();
    QTest::keyClicks(answerBox(&screen, 0), answer.toLower());
    answerBox(&screen, 1)->clear();
    QTest::keyClicks(answerBox(&screen, 1), answer);
    QTest::keyClick(answerBox(&screen, 1), Qt::Key_Return);
    QCOMPARE(label(&screen, QStringLiteral("lblScore"))->text(), QStringLiteral("1／2点"));
    QCOMPARE(shownPicture(rowLabel(&screen, "imgMark", 0)),
             markAsShown(rowLabel(&screen, "imgMark", 0), 2));
    QCOMPARE(shownPicture(rowLabel(&screen, "imgMark", 1)),
             markAsShown(rowLabel(&screen, "imgMark", 1), 1));
}

void FrmListITest::lastPageHoldsOnlyTheRemainingQuestions() {
    DrillScreenFixture fixture;
    std::vector<int> rows;
    for (int row = 1; row <= 11; ++row) {
        rows.push_back(row);
    }
    fixture.useSentences(rows);
    frmListI screen(fixture.state, sharedArtwork());
    screen.show();
    QTest::keyClick(answerBox(&screen, 0), Qt::Key_PageUp);
    QCOMPARE(label(&screen, QStringLiteral("lblCPagenum"))->text(), QStringLiteral("2"));
    QCOMPARE(rowLabel(&screen, "lblNo", 0)->text(), QStringLiteral("11."));
    for (int row = 1; row < 10; ++row) {
        QVERIFY(rowLabel(&screen, "lblNo", row)->text().isEmpty());
        QVERIFY(rowLabel(&screen, "lblJp", row)->text().isEmpty());
        QVERIFY(rowLabel(&screen, "lblLatter", row)->text().isEmpty());
        QVERIFY(!answerBox(&screen, row)->isVisible());
    }
}

void FrmListITest::gradedAnswerFollowsEachTranslationLine() {
    DrillScreenFixture fixture;
    std::vector<int> rows;
    for (int row = 1; row <= 12; ++row) {
        rows.push_back(row);
    }
    fixture.useSentences(rows);
    frmListI screen(fixture.state, sharedArtwork());
    screen.show();
    QTest::keyClicks(answerBox(&screen, 0), fixture.sentenceAnswer(0));
    QTest::keyClick(&screen, Qt::Key_Return);
    QCOMPARE(label(&screen, QStringLiteral("lblScore"))->text(), QStringLiteral("1／12点"));

    for (int page = 1; page <= 2; ++page) {
        const int rowsOnPage = page == 1 ? 10 : 2;
        for (int row = 0; row < rowsOnPage; ++row) {
            const QLabel* translation = rowLabel(&screen, "lblJp", row);
            const QLabel* answer = rowLabel(&screen, "lblAnswer", row);
            QVERIFY(answer->isVisible());
            QCOMPARE(answer->text(), fixture.sentenceAnswer((page - 1) * 10 + row));
            QCOMPARE(answer->x(), rightEdge(translation) + 1);
            QCOMPARE(answer->y(), translation->y());
            QVERIFY(answerBox(&screen, row)->isReadOnly());
        }
        QTest::keyClick(&screen, Qt::Key_PageUp);
    }
    QVERIFY(!rowLabel(&screen, "lblAnswer", 2)->isVisible());
}

void FrmListITest::everySentenceFitsOnThePage() {
    DrillScreenFixture fixture;
    std::vector<int> rows;
    for (int row = 1; row < static_cast<int>(fixture.state.banks.SentenceBank.size()); ++row) {
        rows.push_back(row);
    }
    fixture.useSentences(rows);
    fixture.state.settings.level = Level::Beginner;
    frmListI screen(fixture.state, sharedArtwork());
    screen.show();
    QTest::keyClick(&screen, Qt::Key_Return);
    const int pages = (static_cast<int>(rows.size()) + 9) / 10;
    for (int page = 1; page <= pages; ++page) {
        for (int row = 0; row < 10; ++row) {
            const int question = (page - 1) * 10 + row;
            if (question >= static_cast<int>(rows.size())) {
                break;
            }
            const QString which = QStringLiteral("sentence row %1").arg(rows[question]);
            QVERIFY2(rightEdge(rowLabel(&screen, "lblLatter", row)) <= screen.width(),
                     qPrintable(which));
            QVERIFY2(rightEdge(rowLabel(&screen, "lblAnswer", row)) <= screen.width(),
                     qPrintable(which));
        }
        QTest::keyClick(&screen, Qt::Key_PageUp);
    }
}

QTEST_MAIN(FrmListITest)
#include "test_frmListI.moc"
