#include "drill/drill_questions.h"
#include "screens/ui/frmListT.h"
#include "shell/ui/picture_button.h"
#include "shell/ui/program_exit.h"
#include "support/drill_screen_fixture.h"

#include <QApplication>
#include <QTimer>
#include <QtTest>

using namespace tavik;
using namespace tavik::testing;

class FrmListTTest : public QObject {
    Q_OBJECT

private slots:
    void paging_data();
    void paging();
    void lastPageHoldsOnlyTheRemainingQuestions();
    void typedAnswersSurvivePaging();
    void gradingCountsTheTextOnTheShownPage();
    void hintsFollowTheLevel_data();
    void hintsFollowTheLevel();
    void onlyTheExactAnswerIsRight_data();
    void onlyTheExactAnswerIsRight();
    void wordListOffersNoAnswersAndNoGrading();
    void gradedScreenShowsMarksOnEveryPage();
    void gradingStoresTheStatistics();
    void unwritableStatisticsFileStillGrades();
    void gradingReachesTheRecord_data();
    void gradingReachesTheRecord();
    void gradedPageKeepsTheHintsAnsweredWith_data();
    void gradedPageKeepsTheHintsAnsweredWith();
    void helpReturnsToTheSamePage();
    void exitEndsTheProgram();
    void buttonsLightUnderThePointer();
    void tabWalksTheAnswerBoxesAndKeepsTheGivenLetter();
    void pagingLeadsTheFocusToTheTopOfThePage_data();
    void pagingLeadsTheFocusToTheTopOfThePage();
    void everyMeaningEndsBeforeItsAnswerBox();
};

namespace {

QString pageShown(const QWidget* screen) {
    return label(screen, QStringLiteral("lblCPagenum"))->text();
}

bool buttonShown(const QWidget* screen, const QString& name) {
    return control<PictureButton>(screen, name)->isVisibleTo(screen);
}

} // namespace

void FrmListTTest::paging_data() {
    QTest::addColumn<int>("questions");
    QTest::addColumn<int>("pageUps");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("total");
    QTest::addColumn<bool>("nextShown");
    QTest::addColumn<bool>("beforeShown");

    QTest::newRow("10 questions, one page, Page Up inert") << 10 << 1 << "1"
                                                           << "/1" << false << false;
    QTest::newRow("25 questions, first page") << 25 << 0 << "1"
                                              << "/3" << true << false;
    QTest::newRow("25 questions, middle page") << 25 << 1 << "2"
                                               << "/3" << true << true;
    QTest::newRow("25 questions, last page") << 25 << 2 << "3"
                                             << "/3" << false << true;
    QTest::newRow("25 questions, Page Up stops at the last") << 25 << 4 << "3"
                                                             << "/3" << false << true;
    QTest::newRow("30 questions make three pages") << 30 << 0 << "1"
                                                   << "/3" << true << false;
}

void FrmListTTest::paging() {
    QFETCH(int, questions);
    QFETCH(int, pageUps);
    QFETCH(QString, page);
    QFETCH(QString, total);
    QFETCH(bool, nextShown);
    QFETCH(bool, beforeShown);
    DrillScreenFixture fixture;
    fixture.useWords(questions);
    frmListT screen(fixture.state, sharedArtwork());
    screen.show();
    for (int i = 0; i < pageUps; ++i) {
        QTest::keyClick(answerBox(&screen, 0), Qt::Key_PageUp);
    }
    QCOMPARE(pageShown(&screen), page);
    QCOMPARE(label(&screen, QStringLiteral("lblTPagenum"))->text(), total);
    QCOMPARE(buttonShown(&screen, QStringLiteral("imgNext")), nextShown);
    QCOMPARE(buttonShown(&screen, QStringLiteral("imgBefore")), beforeShown);
    QCOMPARE(label(&screen, QStringLiteral("lblCount"))->text(), QString::number(questions));

    // Page Down goes back one page at a time and never before the first.
    QTest::keyClick(&screen, Qt::Key_PageDown);
    const int expected = std::max(1, page.toInt() - 1);
    QCOMPARE(pageShown(&screen), QString::number(expected));
}

void FrmListTTest::lastPageHoldsOnlyTheRemainingQuestions() {
    DrillScreenFixture fixture;
    fixture.useWords(11);
    frmListT screen(fixture.state, sharedArtwork());
    screen.show();
    QTest::keyClick(&screen, Qt::Key_PageUp);
    QCOMPARE(pageShown(&screen), QStringLiteral("2"));
    QCOMPARE(label(&screen, QStringLiteral("lblNo_0"))->text(), QStringLiteral("11."));
    QVERIFY(answerBox(&screen, 0)->isVisible());
    for (int row = 1; row < 10; ++row) {
        QVERIFY2(label(&screen, QStringLiteral("lblNo_%1").arg(row))->text().isEmpty(),
                 qPrintable(QString::number(row)));
        QVERIFY(label(&screen, QStringLiteral("lblFormer_%1").arg(row))->text().isEmpty());
        QVERIFY(!answerBox(&screen, row)->isVisible());
    }
}

void FrmListTTest::typedAnswersSurvivePaging() {
    DrillScreenFixture fixture;
    fixture.useWords(15);
    frmListT screen(fixture.state, sharedArtwork());
    screen.show();
    QTest::keyClicks(answerBox(&screen, 3), QStringLiteral("first"));
    QTest::mouseClick(label(&screen, QStringLiteral("lblNext")), Qt::LeftButton);
    QCOMPARE(answerBox(&screen, 3)->text(), QString());
    QTest::keyClicks(answerBox(&screen, 3), QStringLiteral("second"));
    QTest::mouseClick(label(&screen, QStringLiteral("lblBefore")), Qt::LeftButton);
    QCOMPARE(answerBox(&screen, 3)->text(), QStringLiteral("first"));
    QTest::keyClick(&screen, Qt::Key_PageUp);
    QCOMPARE(answerBox(&screen, 3)->text(), QStringLiteral("second"));
    QCOMPARE(fixture.state.screen.typedAnswers.at(3), QStringLiteral("first"));
}

void FrmListTTest::gradingCountsTheTextOnTheShownPage() {
    DrillScreenFixture fixture;
    fixture.useWords(11);
    frmListT screen(fixture.state, sharedArtwork());
    screen.show();
    QTest::keyClick(&screen, Qt::Key_PageUp);
    QTest::keyClicks(answerBox(&screen, 0), fixture.headword(10));
    QTest::keyClick(answerBox(&screen, 0), Qt::Key_Return);
    QCOMPARE(label(&screen, QStringLiteral("lblScore"))->text(), QStringLiteral("1／11点"));
    QVERIFY(screen.isVisible());
}

void FrmListTTest::hintsFollowTheLevel_data() {
    QTest::addColumn<QString>("level");
    QTest::addColumn<bool>("firstLetter");
    QTest::addColumn<bool>("letterCount");
    QTest::newRow("初級") << "初級" << true << true;
    QTest::newRow("中級") << "中級" << false << true;
    QTest::newRow("上級") << "上級" << false << false;
}

void FrmListTTest::hintsFollowTheLevel() {
    QFETCH(QString, level);
    QFETCH(bool, firstLetter);
    QFETCH(bool, letterCount);
    DrillScreenFixture fixture;
    fixture.useWords(12);
    fixture.state.settings.level = levelNamed(level);
    frmListT screen(fixture.state, sharedArtwork());
    screen.show();
    QTest::keyClick(&screen, Qt::Key_PageUp);
    for (int row = 0; row < 2; ++row) {
        const QString headword = fixture.headword(10 + row);
        const QString hint = QStringLiteral("【%1文字】").arg(headword.size());
        QCOMPARE(answerBox(&screen, row)->text(), firstLetter ? headword.left(1) : QString());
        QCOMPARE(label(&screen, QStringLiteral("lblFormer_%1").arg(row))->text().endsWith(hint),
                 letterCount);
    }
}

void FrmListTTest::onlyTheExactAnswerIsRight_data() {
    QTest::addColumn<int>("change");
    QTest::addColumn<bool>("right");
    // What the row then shows beside the marks: the typed answer marked,
    // and the note on what cannot be seen.
    QTest::addColumn<bool>("marked");
    QTest::addColumn<QString>("note");
    QTest::newRow("exact") << 0 << true << false << "";
    QTest::newRow("capital first letter") << 1 << false << true << "大文字/小文字";
    QTest::newRow("trailing space") << 2 << false << true << "末尾に空白";
    QTest::newRow("leading space") << 3 << false << true << "先頭に空白";
    QTest::newRow("nothing typed") << 4 << false << false << "";
}

void FrmListTTest::onlyTheExactAnswerIsRight() {
    QFETCH(int, change);
    QFETCH(bool, right);
    QFETCH(bool, marked);
    QFETCH(QString, note);
    DrillScreenFixture fixture;
    fixture.useWords(3);
    const QString headword = fixture.headword(0);
    const QString typed[] = {headword, headword.left(1).toUpper() + headword.mid(1),
                             headword + QLatin1Char(' '), QLatin1Char(' ') + headword, QString()};
    frmListT screen(fixture.state, sharedArtwork());
    screen.show();
    QTest::keyClicks(answerBox(&screen, 0), typed[change]);
    QTest::mouseClick(label(&screen, QStringLiteral("lblGrade")), Qt::LeftButton);

    QCOMPARE(label(&screen, QStringLiteral("lblScore"))->text(),
             right ? QStringLiteral("1／3点") : QStringLiteral("0／3点"));
    QCOMPARE(shownPicture(label(&screen, QStringLiteral("imgMark_0"))),
             markAsShown(label(&screen, QStringLiteral("imgMark_0")), right ? 1 : 2));
    QCOMPARE(label(&screen, QStringLiteral("lblAnswer_0"))->text(), headword);
    QCOMPARE(label(&screen, QStringLiteral("lblMarked_0"))->isVisible(), marked);
    const QLabel* shownNote = label(&screen, QStringLiteral("lblNote_0"));
    QCOMPARE(shownNote->isVisible() ? shownNote->text() : QString(), note);
}

void FrmListTTest::wordListOffersNoAnswersAndNoGrading() {
    DrillScreenFixture fixture;
    fixture.useWords(4);
    fixture.state.settings.optQuestion = false;
    fixture.state.settings.level = Level::Beginner;
    frmListT screen(fixture.state, sharedArtwork());
    screen.show();
    for (int row = 0; row < 10; ++row) {
        QVERIFY(!answerBox(&screen, row)->isVisible());
    }
    QCOMPARE(label(&screen, QStringLiteral("lblLatter_2"))->text(), fixture.headword(2));
    QVERIFY(
        !label(&screen, QStringLiteral("lblFormer_2"))->text().contains(QStringLiteral("文字")));
    QVERIFY(!buttonShown(&screen, QStringLiteral("imgGrade")));
    QVERIFY(!label(&screen, QStringLiteral("lblGrade"))->isVisible());

    QTest::keyClick(&screen, Qt::Key_Return);
    QVERIFY(screen.isVisible());
    QVERIFY(!label(&screen, QStringLiteral("lblScore"))->isVisible());
    QVERIFY(!QFile::exists(fixture.state.paths.statisticsFile));
    QTest::keyClick(&screen, Qt::Key_Escape);
    QVERIFY(!screen.isVisible());
}

void FrmListTTest::gradedScreenShowsMarksOnEveryPage() {
    DrillScreenFixture fixture;
    fixture.useWords(13);
    frmListT screen(fixture.state, sharedArtwork());
    screen.show();
    QTest::keyClicks(answerBox(&screen, 0), fixture.headword(0));
    QTest::keyClick(&screen, Qt::Key_PageUp);
    QTest::keyClicks(answerBox(&screen, 1), fixture.headword(11));
    QTest::keyClick(&screen, Qt::Key_PageDown);
    QTest::keyClick(&screen, Qt::Key_Return);

    QCOMPARE(label(&screen, QStringLiteral("lblScore"))->text(), QStringLiteral("2／13点"));
    QVERIFY(label(&screen, QStringLiteral("lblScore"))->isVisible());
    QVERIFY(!buttonShown(&screen, QStringLiteral("imgGrade")));
    QCOMPARE(fixture.state.screen.viewMode, ViewMode::Graded);

    QTest::keyClick(&screen, Qt::Key_PageUp);
    const QImage right = markAsShown(label(&screen, QStringLiteral("imgMark_0")), 1);
    const QImage wrong = markAsShown(label(&screen, QStringLiteral("imgMark_0")), 2);
    const QImage expected[] = {wrong, right, wrong};
    for (int row = 0; row < 3; ++row) {
        const QLabel* mark = label(&screen, QStringLiteral("imgMark_%1").arg(row));
        QVERIFY(mark->isVisible());
        QCOMPARE(shownPicture(mark), expected[row]);
        QCOMPARE(label(&screen, QStringLiteral("lblAnswer_%1").arg(row))->text(),
                 fixture.headword(10 + row));
        QVERIFY(answerBox(&screen, row)->isReadOnly());
    }
    for (int row = 3; row < 10; ++row) {
        QVERIFY(label(&screen, QStringLiteral("imgMark_%1").arg(row))->pixmap().isNull());
        QVERIFY(!label(&screen, QStringLiteral("lblAnswer_%1").arg(row))->isVisible());
    }
    QTest::keyClicks(answerBox(&screen, 0), QStringLiteral("late"));
    QCOMPARE(answerBox(&screen, 0)->text(), QString());

    QTest::keyClick(answerBox(&screen, 0), Qt::Key_Return);
    QVERIFY(!screen.isVisible());
}

void FrmListTTest::gradingStoresTheStatistics() {
    DrillScreenFixture fixture;
    fixture.useWords(10);
    fixture.state.settings.statGames = 2;
    fixture.state.settings.statRate = 55;
    fixture.state.settings.statQuestions = 20;
    fixture.state.settings.statScore = 11;
    frmListT screen(fixture.state, sharedArtwork());
    screen.show();
    for (int row = 0; row < 7; ++row) {
        QTest::keyClicks(answerBox(&screen, row), fixture.headword(row));
    }
    QTest::keyClick(&screen, Qt::Key_Enter);

    QCOMPARE(label(&screen, QStringLiteral("lblScore"))->text(), QStringLiteral("7／10点"));
    QVERIFY(fixture.state.recorder.waitUntilTried(5000));
    const QString ini = fixture.state.paths.statisticsFile;
    QCOMPARE(statisticsValue(ini, QStringLiteral("RATE")), QStringLiteral("60"));
    QCOMPARE(statisticsValue(ini, QStringLiteral("NOG")), QStringLiteral("3"));
    QCOMPARE(statisticsValue(ini, QStringLiteral("SCORE")), QStringLiteral("18"));
    QCOMPARE(statisticsValue(ini, QStringLiteral("QUESTIONS")), QStringLiteral("30"));
    QCOMPARE(fixture.state.screen.correctCount, std::int16_t{7});
}

void FrmListTTest::unwritableStatisticsFileStillGrades() {
    DrillScreenFixture fixture;
    fixture.useWords(2);
    // A directory where the file should be: no file can be written there.
    fixture.state.paths.statisticsFile = fixture.directory.path();
    frmListT screen(fixture.state, sharedArtwork());
    screen.show();
    QTest::keyClicks(answerBox(&screen, 1), fixture.headword(1));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Could not write")));
    QTest::keyClick(&screen, Qt::Key_Return);
    QCOMPARE(label(&screen, QStringLiteral("lblScore"))->text(), QStringLiteral("1／2点"));
    QVERIFY(fixture.state.recorder.waitUntilTried(5000));
    QCOMPARE(fixture.state.settings.statGames, std::int16_t{1});
    QCOMPARE(fixture.state.screen.viewMode, ViewMode::Graded);
    QVERIFY(QFileInfo(fixture.directory.path()).isDir());
}

void FrmListTTest::gradingReachesTheRecord_data() {
    QTest::addColumn<bool>("words");
    QTest::newRow("word drill") << true;
    // Sentences 26 to 28 drill words 25 to 27: a key in the wrong field shows.
    QTest::newRow("sentence drill") << false;
}

// What a drill screen hands the learning record, read back from the file:
// one answer per question, as typed and as marked.
void FrmListTTest::gradingReachesTheRecord() {
    QFETCH(bool, words);
    DrillScreenFixture fixture;
    fixture.useWords(3);
    fixture.useSentences({26, 27, 28});
    fixture.state.history.open(fixture.state.paths.historyFile, bankHeadwords(fixture.state.banks));
    const auto screen = fixture.openDrill(words);
    screen->show();
    const QString right = words ? fixture.headword(0) : fixture.sentenceAnswer(0);
    QTest::keyClicks(answerBox(screen.get(), 0), right);
    QTest::keyClicks(answerBox(screen.get(), 1), right);
    QTest::keyClick(screen.get(), Qt::Key_Return);
    QVERIFY(fixture.state.recorder.waitUntilTried(5000));

    const auto stored = fixture.state.history.answers();
    QVERIFY(stored);
    QCOMPARE(stored->size(), std::size_t{3});
    const BankTable& bank = fixture.state.banks.WordBank;
    for (int question = 0; question < 3; ++question) {
        const StoredAnswer& answer = (*stored)[static_cast<std::size_t>(question)];
        const int sentence = words ? 0 : 26 + question;
        const int word = words ? question + 1 : sentence - 1;
        QCOMPARE(answer.wordKey, word);
        QCOMPARE(answer.sentenceKey, sentence);
        QCOMPARE(answer.headword, bank[static_cast<std::size_t>(word)][WordField::Headword]);
        QCOMPARE(answer.typed, question < 2 ? right : QString());
        QCOMPARE(answer.right, question == 0);
    }
}

void FrmListTTest::gradedPageKeepsTheHintsAnsweredWith_data() {
    QTest::addColumn<int>("rate");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("up to 上級: the counts stay") << 100 << "中級"
                                                 << "上級";
    QTest::newRow("down to 中級: no counts come") << 60 << "上級"
                                                  << "中級";
}

void FrmListTTest::gradedPageKeepsTheHintsAnsweredWith() {
    QFETCH(int, rate);
    QFETCH(QString, before);
    QFETCH(QString, after);
    DrillScreenFixture fixture;
    fixture.useWords(2);
    fixture.state.settings.statGames = 10;
    fixture.state.settings.statRate = static_cast<std::int16_t>(rate);
    fixture.state.settings.statQuestions = 10;
    fixture.state.settings.level = levelNamed(before);
    frmListT screen(fixture.state, sharedArtwork());
    screen.show();
    const QString asked = label(&screen, QStringLiteral("lblFormer_0"))->text();
    QTest::keyClicks(answerBox(&screen, 0), rate == 100 ? fixture.headword(0) : QString());
    QTest::keyClick(&screen, Qt::Key_Return);
    QCOMPARE(levelName(fixture.state.settings.level), after);
    QCOMPARE(label(&screen, QStringLiteral("lblFormer_0"))->text(), asked);
}

void FrmListTTest::helpReturnsToTheSamePage() {
    DrillScreenFixture fixture;
    fixture.useWords(20);
    frmListT screen(fixture.state, sharedArtwork());
    showActive(&screen);
    QTest::keyClick(&screen, Qt::Key_PageUp);
    QTest::keyClicks(answerBox(&screen, 4), QStringLiteral("kept"));
    answerBox(&screen, 4)->setFocus();
    bool helpShown = false;
    bool closedByBack = false;
    const ModalCloser closer([&helpShown, &closedByBack](QWidget* help) {
        helpShown = help->objectName() == QStringLiteral("frmHelp");
        QTest::mouseClick(label(help, QStringLiteral("lblBack")), Qt::LeftButton);
        closedByBack = !help->isVisible();
    });
    QTest::mouseClick(control<PictureButton>(&screen, QStringLiteral("imgHelp")), Qt::LeftButton);
    QVERIFY(helpShown);
    QVERIFY(closedByBack);
    QCOMPARE(pageShown(&screen), QStringLiteral("2"));
    QCOMPARE(answerBox(&screen, 4)->text(), QStringLiteral("kept"));
    QVERIFY(screen.isVisible());
    // The click left the focus on the help button; back in front (as the
    // window system brings it), the focus is where it was.
    showActive(&screen);
    QCOMPARE(QApplication::focusWidget(), answerBox(&screen, 4));
}

void FrmListTTest::exitEndsTheProgram() {
    DrillScreenFixture fixture;
    fixture.useWords(3);
    frmListT screen(fixture.state, sharedArtwork());
    screen.show();
    int ended = 0;
    setProgramEndHandler([&ended] { ++ended; });
    QTest::mouseClick(control<PictureButton>(&screen, QStringLiteral("imgExit")), Qt::LeftButton);
    setProgramEndHandler({});
    QCOMPARE(ended, 1);
    QVERIFY(!QFile::exists(fixture.state.paths.statisticsFile));
}

void FrmListTTest::buttonsLightUnderThePointer() {
    DrillScreenFixture fixture;
    fixture.useWords(25);
    frmListT screen(fixture.state, sharedArtwork());
    screen.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen));
    auto* next = control<PictureButton>(&screen, QStringLiteral("imgNext"));
    auto* grade = control<PictureButton>(&screen, QStringLiteral("imgGrade"));
    QTest::mouseMove(label(&screen, QStringLiteral("lblNext")), QPoint(5, 5));
    QTest::mouseMove(grade, QPoint(5, 5));
    QVERIFY(next->isHighlighted());
    QVERIFY(grade->isHighlighted());
    QTest::mouseMove(answerBox(&screen, 0), QPoint(5, 5));
    QVERIFY(grade->isHighlighted());
    QTest::mouseMove(&screen, QPoint(20, 590));
    QVERIFY(!next->isHighlighted());
    QVERIFY(!grade->isHighlighted());
}

void FrmListTTest::tabWalksTheAnswerBoxesAndKeepsTheGivenLetter() {
    DrillScreenFixture fixture;
    fixture.useWords(12);
    fixture.state.settings.level = Level::Beginner;
    frmListT screen(fixture.state, sharedArtwork());
    showActive(&screen);
    QCOMPARE(QApplication::focusWidget(), answerBox(&screen, 0));
    QTest::keyClick(answerBox(&screen, 0), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), answerBox(&screen, 1));
    // The given first letter is continued, not typed over.
    QTest::keyClicks(answerBox(&screen, 1), fixture.headword(1).mid(1));
    QCOMPARE(answerBox(&screen, 1)->text(), fixture.headword(1));
    QTest::keyClick(answerBox(&screen, 1), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), answerBox(&screen, 0));
    QVERIFY(!answerBox(&screen, 0)->hasSelectedText());
    QTest::keyClick(answerBox(&screen, 0), Qt::Key_PageUp);
    answerBox(&screen, 0)->setFocus();
    QTest::keyClick(answerBox(&screen, 0), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), answerBox(&screen, 1));
    // Typed whole, the word is not doubled at its start.
    QTest::keyClicks(answerBox(&screen, 1), fixture.headword(11));
    QCOMPARE(answerBox(&screen, 1)->text(), fixture.headword(11));
}

void FrmListTTest::pagingLeadsTheFocusToTheTopOfThePage_data() {
    QTest::addColumn<bool>("answering");
    QTest::addColumn<bool>("graded");
    QTest::addColumn<bool>("byButton");
    QTest::addColumn<QString>("focused");

    QTest::newRow("answering, Page Up: the first box")
        << true << false << false << QStringLiteral("txtTerm_0");
    QTest::newRow("answering, 次へ clicked: the first box")
        << true << false << true << QStringLiteral("txtTerm_0");
    QTest::newRow("graded, Page Up: the first box, read only")
        << true << true << false << QStringLiteral("txtTerm_0");
    QTest::newRow("word list, Page Up: 前へ, the first control on show")
        << false << false << false << QStringLiteral("imgBefore");
}

void FrmListTTest::pagingLeadsTheFocusToTheTopOfThePage() {
    QFETCH(bool, answering);
    QFETCH(bool, graded);
    QFETCH(bool, byButton);
    QFETCH(QString, focused);
    DrillScreenFixture fixture;
    fixture.useWords(25);
    fixture.state.settings.optQuestion = answering;
    frmListT screen(fixture.state, sharedArtwork());
    showActive(&screen);
    if (graded) {
        QTest::keyClick(&screen, Qt::Key_Return);
    }
    if (answering) {
        answerBox(&screen, 3)->setFocus();
    }
    if (byButton) {
        QTest::mouseClick(control<PictureButton>(&screen, QStringLiteral("imgNext")),
                          Qt::LeftButton);
    } else {
        QTest::keyClick(&screen, Qt::Key_PageUp);
    }
    QCOMPARE(pageShown(&screen), QStringLiteral("2"));
    QVERIFY(QApplication::focusWidget() != nullptr);
    QCOMPARE(QApplication::focusWidget()->objectName(), focused);
    // Enter keeps its meaning: it grades, or leads back once graded.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(label(&screen, QStringLiteral("lblScore"))->isVisibleTo(&screen), answering);
    QCOMPARE(screen.isVisible(), !graded);
}

void FrmListTTest::everyMeaningEndsBeforeItsAnswerBox() {
    DrillScreenFixture fixture;
    const int words = static_cast<int>(fixture.state.banks.WordBank.size()) - 1;
    fixture.useWords(words);
    fixture.state.settings.level = Level::Beginner;
    frmListT screen(fixture.state, sharedArtwork());
    screen.show();
    QTest::keyClick(&screen, Qt::Key_Return);
    for (int page = 1; page <= (words + 9) / 10; ++page) {
        for (int row = 0; row < 10 && (page - 1) * 10 + row < words; ++row) {
            const QLabel* meaning = label(&screen, QStringLiteral("lblFormer_%1").arg(row));
            const QLabel* answer = label(&screen, QStringLiteral("lblAnswer_%1").arg(row));
            const QString which = QStringLiteral("word %1").arg((page - 1) * 10 + row + 1);
            QVERIFY2(meaning->x() + meaning->width() < answerBox(&screen, row)->x(),
                     qPrintable(which));
            QVERIFY2(answer->x() + answer->width() <= screen.width(), qPrintable(which));
        }
        QTest::keyClick(&screen, Qt::Key_PageUp);
    }
}

QTEST_MAIN(FrmListTTest)
#include "test_frmListT.moc"
