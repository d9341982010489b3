#include "menu/ui/frmSearch.h"
#include "screens/ui/frmListT.h"
#include "shell/ui/program_exit.h"
#include "support/drill_screen_fixture.h"
#include "support/search_window_fixture.h"

#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QtTest>
#include <memory>
#include <utility>

using namespace tavik;
using namespace tavik::testing;

namespace {

// What an input method sends while the learner converts: the text being
// composed, shown underlined in the box, and at last the confirmed text.
void sendPreedit(QWidget* control, const QString& composing) {
    QInputMethodEvent preedit(composing, {});
    QApplication::sendEvent(control, &preedit);
}

void sendCommit(QWidget* control, const QString& confirmed) {
    QInputMethodEvent commit;
    commit.setCommitString(confirmed);
    QApplication::sendEvent(control, &commit);
}

// What fcitx5 and IBus do with a word still being converted when its box
// loses the focus: they hand it over as typed text. Nothing else does.
class ComposingInputMethod : public QObject {
public:
    ComposingInputMethod(QWidget* box, const QString& word) : m_word(word) {
        box->installEventFilter(this);
        sendPreedit(box, word);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusOut && !m_word.isEmpty()) {
            sendCommit(static_cast<QWidget*>(watched), std::exchange(m_word, QString()));
        }
        return false;
    }

private:
    QString m_word;
};

} // namespace

class TestInputMethod : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        setProgramEndHandler([] {});
    }

    void enterThatConfirmsAConversionDoesNotSearch_data();
    void enterThatConfirmsAConversionDoesNotSearch();
    void enterThatConfirmsAConversionDoesNotGrade_data();
    void enterThatConfirmsAConversionDoesNotGrade();
    void answerBoxesAskForLatinLetters_data();
    void answerBoxesAskForLatinLetters();
    void gradingStaysExact();
    void aClickOnTheMenuTakesInTheConversion_data();
    void aClickOnTheMenuTakesInTheConversion();
    void aClickOnADrillTakesInTheConversion_data();
    void aClickOnADrillTakesInTheConversion();
};

void TestInputMethod::enterThatConfirmsAConversionDoesNotSearch_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("key");
    QTest::newRow("search box, Return") << "txtFreeWord" << int(Qt::Key_Return);
    QTest::newRow("search box, keypad Enter") << "txtFreeWord" << int(Qt::Key_Enter);
    QTest::newRow("question count, Return") << "cmbRandom" << int(Qt::Key_Return);
}

void TestInputMethod::enterThatConfirmsAConversionDoesNotSearch() {
    QFETCH(QString, control);
    QFETCH(int, key);
    DrillScreenFixture fixture;
    RecordingSearch menu(fixture.state, sharedArtwork());
    showActive(&menu);
    auto* box = menu.findChild<QWidget*>(control);
    box->setFocus();
    QWidget* typing = QApplication::focusWidget();
    auto* found = menu.findChild<QLabel*>(QStringLiteral("lblCount"));
    const Qt::KeyboardModifiers modifiers =
        key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;

    sendPreedit(typing, QStringLiteral("せいさん"));
    QTest::keyClick(typing, Qt::Key(key), modifiers);
    QCOMPARE(found->text(), QStringLiteral("0"));
    sendCommit(typing, QStringLiteral("生産"));
    QCOMPARE(found->text(), QStringLiteral("0"));

    // Outside composition Enter searches (the free-word search, from either box).
    QTest::keyClick(typing, Qt::Key(key), modifiers);
    const QString expected =
        control == QLatin1String("txtFreeWord") ? QStringLiteral("3") : QStringLiteral("141");
    QCOMPARE(found->text(), expected);
}

void TestInputMethod::enterThatConfirmsAConversionDoesNotGrade_data() {
    QTest::addColumn<bool>("words");
    QTest::newRow("word drill") << true;
    QTest::newRow("sentence drill") << false;
}

void TestInputMethod::enterThatConfirmsAConversionDoesNotGrade() {
    QFETCH(bool, words);
    DrillScreenFixture fixture;
    fixture.useWords(3);
    fixture.useSentences({1, 2, 3});
    const std::unique_ptr<QWidget> screen = fixture.openDrill(words);
    showActive(screen.get());
    QLineEdit* box = answerBox(screen.get(), 1);
    box->setFocus();

    sendPreedit(box, QStringLiteral("ａｂ"));
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(fixture.state.screen.viewMode, ViewMode::Solving);
    sendCommit(box, QStringLiteral("ab"));
    QCOMPARE(box->text(), QStringLiteral("ab"));
    QCOMPARE(fixture.state.screen.viewMode, ViewMode::Solving);

    // A composition given up (preedit emptied without a commit) ends it too.
    sendPreedit(box, QStringLiteral("ｃ"));
    sendPreedit(box, QString());
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(fixture.state.screen.viewMode, ViewMode::Graded);
    QCOMPARE(fixture.state.screen.typedAnswers.value(1), QStringLiteral("ab"));
}

void TestInputMethod::answerBoxesAskForLatinLetters_data() {
    QTest::addColumn<bool>("words");
    QTest::newRow("word drill") << true;
    QTest::newRow("sentence drill") << false;
}

void TestInputMethod::answerBoxesAskForLatinLetters() {
    QFETCH(bool, words);
    DrillScreenFixture fixture;
    fixture.useWords(12);
    fixture.useSentences({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    const std::unique_ptr<QWidget> screen = fixture.openDrill(words);
    for (int row = 0; row < 10; ++row) {
        const Qt::InputMethodHints hints = answerBox(screen.get(), row)->inputMethodHints();
        QVERIFY(hints.testFlag(Qt::ImhPreferLatin));
        QVERIFY(hints.testFlag(Qt::ImhNoAutoUppercase));
        QVERIFY(hints.testFlag(Qt::ImhNoPredictiveText));
        // What the input method is asked, not only what the box holds.
        const auto asked = Qt::InputMethodHints(
            answerBox(screen.get(), row)->inputMethodQuery(Qt::ImHints).toInt());
        QVERIFY(asked.testFlag(Qt::ImhPreferLatin));
        // The hints alone no input method heeds: it is kept out.
        QVERIFY(!answerBox(screen.get(), row)->inputMethodQuery(Qt::ImEnabled).toBool());
    }
}

// The hint asks for Latin letters; it never turns full-width letters into
// right answers behind the learner's back.
void TestInputMethod::gradingStaysExact() {
    DrillScreenFixture fixture;
    fixture.useWords(2);
    frmListT screen(fixture.state, sharedArtwork());
    answerBox(&screen, 0)->setText(fixture.headword(0));
    QString fullWidth;
    for (const QChar letter : fixture.headword(1)) {
        fullWidth += QChar(letter.unicode() - u'a' + u'ａ');
    }
    answerBox(&screen, 1)->setText(fullWidth);
    QTest::keyClick(answerBox(&screen, 1), Qt::Key_Return);
    QCOMPARE(fixture.state.screen.viewMode, ViewMode::Graded);
    QCOMPARE(fixture.state.screen.correctCount, std::int16_t(1));
}

void TestInputMethod::aClickOnTheMenuTakesInTheConversion_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("converting");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("words");
    QTest::newRow("search button") << "txtFreeWord"
                                   << "廃止"
                                   << "imgS1"
                                   << "2";
    QTest::newRow("search caption") << "txtFreeWord"
                                    << "廃止"
                                    << "lblS1"
                                    << "2";
    QTest::newRow("random search") << "cmbRandom"
                                   << "10問"
                                   << "imgS2"
                                   << "10";
}

void TestInputMethod::aClickOnTheMenuTakesInTheConversion() {
    QFETCH(QString, box);
    QFETCH(QString, converting);
    QFETCH(QString, button);
    QFETCH(QString, words);
    DrillScreenFixture fixture;
    RecordingSearch menu(fixture.state, sharedArtwork());
    showActive(&menu);
    menu.findChild<QWidget*>(box)->setFocus();
    QWidget* typing = QApplication::focusWidget();
    QVERIFY(typing->inputMethodQuery(Qt::ImEnabled).toBool());
    QTest::keyClick(typing, Qt::Key_A, Qt::ControlModifier);
    ComposingInputMethod inputMethod(typing, converting);

    QTest::mouseClick(menu.findChild<QWidget*>(button), Qt::LeftButton);
    QCOMPARE(menu.findChild<QLabel*>(QStringLiteral("lblCount"))->text(), words);
    QVERIFY(menu.messages.isEmpty());
    // Enter stays the window's, not the clicked button's: the free-word search.
    QTest::keyClick(menu.windowHandle(), Qt::Key_Return);
    const QString found = box == QLatin1String("txtFreeWord") ? words : QStringLiteral("141");
    QCOMPARE(menu.findChild<QLabel*>(QStringLiteral("lblCount"))->text(), found);
}

void TestInputMethod::aClickOnADrillTakesInTheConversion_data() {
    QTest::addColumn<bool>("words");
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("grades");
    QTest::newRow("word drill, grade") << true << "imgGrade" << true;
    QTest::newRow("sentence drill, grade caption") << false << "lblGrade" << true;
    QTest::newRow("word drill, next page") << true << "imgNext" << false;
}

void TestInputMethod::aClickOnADrillTakesInTheConversion() {
    QFETCH(bool, words);
    QFETCH(QString, button);
    QFETCH(bool, grades);
    DrillScreenFixture fixture;
    fixture.useWords(12);
    fixture.useSentences({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    const std::unique_ptr<QWidget> screen = fixture.openDrill(words);
    showActive(screen.get());
    const QString answer = words ? fixture.headword(1) : fixture.sentenceAnswer(1);
    answerBox(screen.get(), 1)->setFocus();
    ComposingInputMethod inputMethod(answerBox(screen.get(), 1), answer);

    QTest::mouseClick(screen->findChild<QWidget*>(button), Qt::LeftButton);
    QCOMPARE(fixture.state.screen.typedAnswers.value(1), answer);
    QCOMPARE(fixture.state.screen.correctCount, std::int16_t(grades ? 1 : 0));
    // Enter stays the screen's: it grades, or once graded leads back.
    QTest::keyClick(screen->windowHandle(), Qt::Key_Return);
    QCOMPARE(fixture.state.screen.viewMode, ViewMode::Graded);
    QCOMPARE(screen->isVisible(), !grades);
}

QTEST_MAIN(TestInputMethod)
#include "test_input_method.moc"
