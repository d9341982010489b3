#include "content/banks.h"
#include "drill/app_state.h"
#include "menu/ui/frmSearch.h"
#include "screens/ui/frmListT.h"
#include "settings/settings_files.h"
#include "shell/ui/artwork.h"
#include "shell/ui/program_exit.h"
#include "support/drill_screen_fixture.h"
#include "support/search_window_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace tavik;
using tavik::testing::readBytes;
using tavik::testing::writeBytes;

namespace {

const QByteArray
    keptStatistics("[STATISTICS]\nNAME=花子\nSCORE= 21\nQUESTIONS= 30\nRATE= 70\nNOG= 3\n");

} // namespace

// Odd text typed or pasted anywhere on the main window, and odd values in
// the ini files, through the real widgets: each gives the behaviour the
// window promises for it and leaves the learner's statistics as they were.
class TestBadInput : public QObject, private testing::SearchWindowFixture {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void searchTexts_data();
    void searchTexts();
    void countTexts_data();
    void countTexts();
    void iniValues_data();
    void iniValues();
    void pastedAnswers_data();
    void pastedAnswers();

private:
    void clickOn(const QString& controlName);
};

void TestBadInput::initTestCase() {
    m_art.loadScreens(1.0);
    failOnProgramEnd();
}

void TestBadInput::init() {
    setUpState();
    writeBytes(m_state->paths.statisticsFile, keptStatistics);
}

void TestBadInput::cleanup() {
    tearDown();
}

void TestBadInput::clickOn(const QString& controlName) {
    const QPoint point = control<QWidget>(controlName)->geometry().topLeft() + QPoint(5, 5);
    QTest::mouseClick(m_menu->windowHandle(), Qt::LeftButton, {}, point);
}

void TestBadInput::searchTexts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("words"); // -1: not checked beyond being a count

    QTest::newRow("empty") << "" << 141;
    QTest::newRow("10,000 characters") << QString(10000, u'a') << 0;
    QTest::newRow("emoji") << u"😀📚"_qs << 0;
    QTest::newRow("emoji halves") << QString(QChar(0xd83d)) << 0;
    QTest::newRow("control characters") << u"\u0001\u001b[31m\u007f"_qs << 0;
    QTest::newRow("NUL") << QString(QChar(0)) << 0;
    QTest::newRow("right-to-left") << u"\u202eabolish مرحبا"_qs << 0;
    QTest::newRow("full-width letters: as half-width") << u"ａｂｏｌｉｓｈ"_qs << 1;
    QTest::newRow("half-width katakana") << u"ﾊｲｼ"_qs << 0;
    QTest::newRow("Japanese meaning") << u"廃止"_qs << 2;
    QTest::newRow("regular expression signs") << ".*[(" << 0;
    QTest::newRow("one word") << "abolish" << 1;
}

void TestBadInput::searchTexts() {
    QFETCH(QString, text);
    QFETCH(int, words);
    openMenu();
    control<QLineEdit>(QStringLiteral("txtFreeWord"))->setText(text);
    clickOn(QStringLiteral("imgS1"));

    QCOMPARE(labelText(QStringLiteral("lblCount")), QString::number(words));
    QCOMPARE(panelRevealed(), words >= 2);
    QVERIFY(labelText(QStringLiteral("lblCount_is")).toInt() >= words);
    QVERIFY(m_menu->messages.isEmpty());
    QCOMPARE(readBytes(m_state->paths.statisticsFile), keptStatistics);
}

void TestBadInput::countTexts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("words"); // -1: the prompt's message, nothing drawn

    QTest::newRow("the prompt") << u"問題数を選んでください"_qs << -1;
    QTest::newRow("the prompt and a blank") << u"問題数を選んでください "_qs << 0;
    QTest::newRow("0問") << u"0問"_qs << 0;
    QTest::newRow("-1問") << u"-1問"_qs << 0;
    QTest::newRow("99999999999問") << u"99999999999問"_qs << 141;
    QTest::newRow("142問") << u"142問"_qs << 141;
    QTest::newRow("141問") << u"141問"_qs << 141;
    QTest::newRow("1e3問") << u"1e3問"_qs << 141;
    QTest::newRow("full-width digits") << u"１０問"_qs << 10;
    QTest::newRow("blanks around") << " 10 " << 10;
    QTest::newRow("kanji numeral") << u"十問"_qs << 0;
    QTest::newRow("問 alone") << u"問"_qs << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("5問") << u"5問"_qs << 5;
    QTest::newRow("10,000 characters") << QString(10000, u'9') << 141;
    QTest::newRow("emoji") << u"😀問"_qs << 0;
}

// A count of 0 or less draws nothing usable and leaves the panel masked, a
// count above the bank's 141 words is limited to 141, and only the prompt
// itself brings up the message.
void TestBadInput::countTexts() {
    QFETCH(QString, text);
    QFETCH(int, words);
    openMenu();
    control<QComboBox>(QStringLiteral("cmbRandom"))->setEditText(text);
    clickOn(QStringLiteral("imgS2"));

    if (words < 0) {
        QCOMPARE(m_menu->messages, QStringList{frmSearch::countPrompt()});
        QCOMPARE(labelText(QStringLiteral("lblCount")), QStringLiteral("0"));
        QVERIFY(!panelRevealed());
    } else {
        QVERIFY(m_menu->messages.isEmpty());
        QCOMPARE(labelText(QStringLiteral("lblCount")), QString::number(words));
        QCOMPARE(panelRevealed(), words >= 2);
        QCOMPARE(int(m_state->drill.drillWords.size()), int(words));
    }
    QCOMPARE(readBytes(m_state->paths.statisticsFile), keptStatistics);
}

void TestBadInput::iniValues_data() {
    QTest::addColumn<QByteArray>("value"); // stored as every counter
    QTest::addColumn<QByteArray>("flag");  // stored as every option
    QTest::addColumn<QString>("shown");    // lblNog
    QTest::addColumn<bool>("option");
    QTest::addColumn<int>("gamesAfter"); // NOG stored by the next grading

    QTest::newRow("above 16 bits")
        << QByteArray("99999") << QByteArray("True") << "32767" << true << 32767;
    QTest::newRow("below 16 bits")
        << QByteArray("-99999") << QByteArray("False") << "-32768" << false << -32767;
    QTest::newRow("negative") << QByteArray("-5") << QByteArray("false") << "-5" << true << -4;
    QTest::newRow("NaN") << QByteArray("NaN") << QByteArray("0") << "0" << true << 1;
    QTest::newRow("infinity") << QByteArray("1e999") << QByteArray("") << "32767" << true << 32767;
    QTest::newRow("12abc") << QByteArray("12abc") << QByteArray("FALSE") << "12" << true << 13;
    QTest::newRow("empty") << QByteArray("") << QByteArray("False ") << "0" << false << 1;
    QTest::newRow("False with tabs")
        << QByteArray("\t7\t") << QByteArray("\tFalse\t") << "7" << false << 8;
    QTest::newRow("full-width digits")
        << QByteArray("１２") << QByteArray("Ｆａｌｓｅ") << "0" << true << 1;
}

// Whatever the files hold, the window opens and shows what the readers make
// of it, and the next grading builds on that and keeps the learner's name.
void TestBadInput::iniValues() {
    QFETCH(QByteArray, value);
    QFETCH(QByteArray, flag);
    QFETCH(QString, shown);
    QFETCH(bool, option);
    QFETCH(int, gamesAfter);
    writeBytes(m_state->paths.statisticsFile, "[STATISTICS]\nNAME=花子\nSCORE=" + value +
                                                  "\nQUESTIONS=" + value + "\nRATE=" + value +
                                                  "\nNOG=" + value + "\n");
    writeBytes(m_state->paths.configFile,
               "[CONFIG]\nTERMS=" + flag + "\nPC=" + flag + "\nQUESTION=" + flag + "\n");
    openMenu();
    QCOMPARE(labelText(QStringLiteral("lblNog")), shown);
    QCOMPARE(m_state->settings.optTerms, option);
    QCOMPARE(m_state->settings.optPc, option);
    QCOMPARE(m_state->settings.optQuestion, option);
    QVERIFY(!labelText(QStringLiteral("lblLevel")).isEmpty());
    QCOMPARE(m_state->settings.userName, QStringLiteral("花子"));

    m_state->drill.drillWords = {1, 2};
    m_state->settings.optQuestion = true;
    frmListT drill(*m_state, m_art);
    drill.show();
    QTest::keyClick(&drill, Qt::Key_Return);
    QCOMPARE(m_state->screen.viewMode, ViewMode::Graded);
    QVERIFY(m_state->recorder.waitUntilTried(5000));
    SettingsState stored;
    readStatistics(stored, m_state->paths);
    QCOMPARE(stored.statGames, gamesAfter);
    QCOMPARE(stored.userName, QStringLiteral("花子"));
}

void TestBadInput::pastedAnswers_data() {
    QTest::addColumn<QString>("pasted"); // "%1" stands for the right answer
    QTest::addColumn<bool>("right");

    QTest::newRow("the answer") << "%1" << true;
    QTest::newRow("10,000 characters") << QString(10000, u'a') << false;
    QTest::newRow("line breaks") << "%1\n%1\r\n" << false;
    QTest::newRow("trailing tab") << "%1\t" << false;
    QTest::newRow("emoji") << u"%1😀"_qs << false;
    QTest::newRow("right-to-left override") << u"\u202e%1"_qs << false;
    QTest::newRow("NUL") << QString(QChar(0)) + QStringLiteral("%1") << false;
    QTest::newRow("full-width") << u"ａｂｏｌｉｓｈ"_qs << false;
}

// Whatever is pasted into an answer box, grading marks it by the exact
// comparison, shows the score and stores the drill on top of the file.
void TestBadInput::pastedAnswers() {
    QFETCH(QString, pasted);
    QFETCH(bool, right);
    testing::DrillScreenFixture fixture;
    fixture.useWords(2);
    writeBytes(fixture.state.paths.statisticsFile, keptStatistics);
    frmListT drill(fixture.state, testing::sharedArtwork());
    drill.show();
    QVERIFY(QTest::qWaitForWindowExposed(&drill));
    QLineEdit* box = testing::answerBox(&drill, 0);
    box->setFocus();
    if (pasted.contains(QStringLiteral("%1"))) {
        pasted = pasted.arg(fixture.headword(0));
    }
    QGuiApplication::clipboard()->setText(pasted);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QVERIFY(!box->text().isEmpty());
    QTest::keyClick(&drill, Qt::Key_Return);

    QCOMPARE(testing::label(&drill, QStringLiteral("lblScore"))->text(),
             right ? QStringLiteral("1／2点") : QStringLiteral("0／2点"));
    QCOMPARE(box->text() == fixture.headword(0), right);
    QVERIFY(fixture.state.recorder.waitUntilTried(5000));
    SettingsState stored;
    readStatistics(stored, fixture.state.paths);
    QCOMPARE(stored.statGames, 4);
    QCOMPARE(stored.statQuestions, 32);
    QCOMPARE(stored.userName, QStringLiteral("花子"));
}

QTEST_MAIN(TestBadInput)
#include "test_bad_input.moc"
