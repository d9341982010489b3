#include "menu/ui/frmSearch.h"
#include "print/ui/frmPrintI.h"
#include "print/ui/frmPrintT.h"
#include "progress/ui/frmRecord.h"
#include "screens/ui/frmListI.h"
#include "screens/ui/frmListT.h"
#include "shell/ui/frmHelp.h"
#include "shell/ui/picture_button.h"
#include "shell/ui/program_exit.h"
#include "support/drill_screen_fixture.h"
#include "support/search_window_fixture.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QtTest>
#include <functional>
#include <memory>

using namespace tavik;
using namespace tavik::testing;

namespace {

using ScreenFactory = std::function<std::unique_ptr<QWidget>(AppState&)>;

ScreenFactory screenNamed(const QString& name) {
    if (name == QLatin1String("frmSearch")) {
        return [](AppState& state) {
            return std::make_unique<RecordingSearch>(state, sharedArtwork());
        };
    }
    if (name == QLatin1String("frmListT")) {
        return [](AppState& state) { return std::make_unique<frmListT>(state, sharedArtwork()); };
    }
    if (name == QLatin1String("frmListI")) {
        return [](AppState& state) { return std::make_unique<frmListI>(state, sharedArtwork()); };
    }
    if (name == QLatin1String("frmPrintT")) {
        return [](AppState& state) { return std::make_unique<frmPrintT>(state, sharedArtwork()); };
    }
    if (name == QLatin1String("frmRecord")) {
        return [](AppState& state) {
            LearningRecord record{true,
                                  {{QDateTime::currentDateTime(), 1, QStringLiteral("abolish"), 0,
                                    QStringLiteral("abolish"), true}},
                                  {}};
            return std::make_unique<frmRecord>(state, sharedArtwork(), record);
        };
    }
    if (name == QLatin1String("frmPrintI")) {
        return [](AppState& state) { return std::make_unique<frmPrintI>(state, sharedArtwork()); };
    }
    return [](AppState&) { return std::make_unique<frmHelp>(sharedArtwork()); };
}

QAccessibleInterface* accessibleOf(QWidget* widget) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    if (accessible == nullptr) {
        qFatal("no accessible interface for %s", qPrintable(widget->objectName()));
    }
    return accessible;
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void controlsHaveJapaneseNamesAndRoles_data();
    void controlsHaveJapaneseNamesAndRoles();
    void valuesSayWhatTheyCount_data();
    void valuesSayWhatTheyCount();
    void optionSpotsSayWhichIsChosen();
    void onlyWhatIsShownAndNamedIsExposed_data();
    void onlyWhatIsShownAndNamedIsExposed();
    void answerBoxesAreNamedByQuestion();
    void marksSayRightOrWrong();

    void pictureButtonsShowTheKeyboardFocus();
    void tabWalksEachScreenInReadingOrder_data();
    void tabWalksEachScreenInReadingOrder();
    void focusedButtonIsPressedBySpaceOrEnter_data();
    void focusedButtonIsPressedBySpaceOrEnter();
    void enterGradesOnceTheFocusedControlHides_data();
    void enterGradesOnceTheFocusedControlHides();
    void buttonFocusedOnOpeningLeavesKeysToTheWindow();
    void pressActionOfAssistiveTechnologyClicks();
    void wholeDrillByKeyboardAlone();
};

void TestAccessibility::initTestCase() {
    // The close buttons would end the test program.
    setProgramEndHandler([] {});
}

void TestAccessibility::controlsHaveJapaneseNamesAndRoles_data() {
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("role");
    const int button = QAccessible::Button;
    const int radio = QAccessible::RadioButton;
    const QList<std::tuple<const char*, const char*, const char*, int>> rows{
        {"frmSearch", "imgS1", "自由検索", button},
        {"frmSearch", "imgS2", "ランダム検索", button},
        {"frmSearch", "imgWeak", "苦手な単語", button},
        {"frmSearch", "imgHWG", "開始", button},
        {"frmSearch", "imgRecord", "学習記録", button},
        {"frmSearch", "imgToday", "今日の学習", button},
        {"frmSearch", "imgHelp", "ヘルプ", button},
        {"frmSearch", "imgExit", "終了", button},
        {"frmSearch", "imgRP_0", "単語を選択", radio},
        {"frmSearch", "imgRP_1", "例文を選択", radio},
        {"frmSearch", "imgRP_2", "PCで解く", radio},
        {"frmSearch", "imgRP_3", "紙に印刷", radio},
        {"frmSearch", "imgRP_4", "問題を解く", radio},
        {"frmSearch", "imgRP_5", "答えを確認する", radio},
        {"frmSearch", "txtFreeWord", "検索する語", int(QAccessible::EditableText)},
        {"frmListT", "imgGrade", "採点", button},
        {"frmListT", "imgNext", "次へ", button},
        {"frmListT", "imgBefore", "前へ", button},
        {"frmListT", "imgBack", "再検索", button},
        {"frmListT", "imgHelp", "ヘルプ", button},
        {"frmListT", "imgExit", "終了", button},
        {"frmListI", "imgGrade", "採点", button},
        {"frmListI", "imgNext", "次へ", button},
        {"frmListI", "imgBack", "再検索", button},
        {"frmPrintT", "imgPrint", "印刷", button},
        {"frmPrintT", "imgPdf", "PDFで保存", button},
        {"frmPrintT", "imgBack", "再検索", button},
        {"frmPrintT", "imgNext", "次へ", button},
        {"frmPrintT", "imgBefore", "前へ", button},
        {"frmPrintT", "imgHelp", "ヘルプ", button},
        {"frmPrintT", "imgExit", "終了", button},
        {"frmPrintI", "imgPrint", "印刷", button},
        {"frmPrintI", "imgPdf", "PDFで保存", button},
        {"frmRecord", "imgCsv", "CSVで保存", button},
        {"frmRecord", "imgBack", "戻る", button},
        {"frmRecord", "imgExit", "終了", button},
        {"frmHelp", "imgBack", "戻る", button},
        {"frmHelp", "imgExit", "終了", button},
    };
    for (const auto& [screen, control, name, role] : rows) {
        QTest::addRow("%s %s", screen, control)
            << QString::fromLatin1(screen) << QString::fromLatin1(control)
            << QString::fromUtf8(name) << role;
    }
}

void TestAccessibility::controlsHaveJapaneseNamesAndRoles() {
    QFETCH(QString, screen);
    QFETCH(QString, control);
    QFETCH(QString, name);
    QFETCH(int, role);
    DrillScreenFixture fixture;
    fixture.useWords(25);
    fixture.useSentences(
        {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21});
    const std::unique_ptr<QWidget> window = screenNamed(screen)(fixture.state);
    auto* widget = window->findChild<QWidget*>(control);
    QVERIFY(widget != nullptr);
    QAccessibleInterface* accessible = accessibleOf(widget);
    QCOMPARE(accessible->text(QAccessible::Name), name);
    QCOMPARE(int(accessible->role()), role);
    if (qobject_cast<PressablePicture*>(widget) != nullptr) {
        QVERIFY(accessible->state().focusable);
        QVERIFY(accessible->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::pressAction()));
    }
}

void TestAccessibility::valuesSayWhatTheyCount_data() {
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("said");
    QTest::addColumn<QString>("meaning");
    const QList<std::tuple<const char*, const char*, const char*, const char*, const char*>> rows{
        {"frmSearch", "lblLevel", "初級", "レベル 初級", ""},
        {"frmSearch", "lblNog", "0", "総採点回数 0回", ""},
        {"frmSearch", "lblRate", "0", "平均正答率 0%", ""},
        {"frmSearch", "lblCount", "0", "検索結果 0単語", ""},
        {"frmSearch", "lblCount_is", "0", "検索結果 0例文", ""},
        {"frmListT", "lblCountPrefix", "総問題数：", "総問題数：3問", ""},
        {"frmListT", "lblPage", "page", "page 1/1", ""},
        {"frmSearch", "cmbRandom", "問題数を選んでください", "問題数を選んでください", "問題数"},
        {"frmPrintT", "cmbCopy", "1枚", "1枚", "印刷部数"},
    };
    for (const auto& [screen, control, shown, said, meaning] : rows) {
        QTest::addRow("%s %s", screen, control)
            << QString::fromLatin1(screen) << QString::fromLatin1(control)
            << QString::fromUtf8(shown) << QString::fromUtf8(said) << QString::fromUtf8(meaning);
    }
}

// A figure is said with what it counts, while what the learner reads there
// stays its text (the end-to-end tests read the screens that way).
void TestAccessibility::valuesSayWhatTheyCount() {
    QFETCH(QString, screen);
    QFETCH(QString, control);
    QFETCH(QString, shown);
    QFETCH(QString, said);
    QFETCH(QString, meaning);
    DrillScreenFixture fixture;
    fixture.useWords(3);
    const std::unique_ptr<QWidget> window = screenNamed(screen)(fixture.state);
    auto* widget = window->findChild<QWidget*>(control);
    QVERIFY(widget != nullptr);
    QAccessibleInterface* accessible = accessibleOf(widget);
    QCOMPARE(accessible->text(QAccessible::Name), said);
    QCOMPARE(accessible->text(QAccessible::Description), meaning);
    if (QAccessibleTextInterface* text = accessible->textInterface()) {
        QCOMPARE(text->text(0, text->characterCount()), shown);
    } else {
        QCOMPARE(said, shown);
    }
}

void TestAccessibility::onlyWhatIsShownAndNamedIsExposed_data() {
    QTest::addColumn<QString>("screen");
    for (const char* screen : {"frmSearch", "frmListT", "frmListI", "frmPrintT", "frmHelp"}) {
        QTest::newRow(screen) << QString::fromLatin1(screen);
    }
}

// A 13-question drill, graded, on its short last page: hidden buttons, rows
// without questions, marks cleared; on the main window the hidden Label7 and
// the mask over the lower panel.
void TestAccessibility::onlyWhatIsShownAndNamedIsExposed() {
    QFETCH(QString, screen);
    DrillScreenFixture fixture;
    fixture.useWords(13);
    fixture.useSentences({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13});
    const std::unique_ptr<QWidget> window = screenNamed(screen)(fixture.state);
    showActive(window.get());
    if (auto* grade = window->findChild<PictureButton*>(QStringLiteral("imgGrade"))) {
        grade->click();
        QTest::keyClick(window.get(), Qt::Key_PageUp);
    }
    QAccessibleInterface* accessible = accessibleOf(window.get());
    QVERIFY(accessible->childCount() > 3);
    for (int index = 0; index < accessible->childCount(); ++index) {
        QAccessibleInterface* child = accessible->child(index);
        const QString name = child->text(QAccessible::Name);
        QVERIFY2(!child->state().invisible, qPrintable(child->object()->objectName()));
        QVERIFY2(!name.isEmpty(), qPrintable(child->object()->objectName()));
        QVERIFY(name != QLatin1String("Label7"));
        QCOMPARE(accessible->indexOfChild(child), index);
    }
}

void TestAccessibility::optionSpotsSayWhichIsChosen() {
    DrillScreenFixture fixture;
    fixture.state.settings.optTerms = true;
    RecordingSearch menu(fixture.state, sharedArtwork());
    showActive(&menu);
    QTest::keyClick(&menu, Qt::Key_Return); // an empty search finds every word
    auto* words = menu.findChild<QWidget*>(QStringLiteral("imgRP_0"));
    auto* sentences = menu.findChild<QWidget*>(QStringLiteral("imgRP_1"));
    QVERIFY(words->isVisible());

    QVERIFY(accessibleOf(words)->state().checked);
    QVERIFY(accessibleOf(words)->state().checkable);
    QVERIFY(!accessibleOf(sentences)->state().checked);
    QCOMPARE(accessibleOf(words)->text(QAccessible::Description), QStringLiteral("選択中"));
    QCOMPARE(accessibleOf(sentences)->text(QAccessible::Description), QStringLiteral("未選択"));

    QTest::mouseClick(sentences, Qt::LeftButton);
    QVERIFY(!fixture.state.settings.optTerms);
    QVERIFY(!accessibleOf(words)->state().checked);
    QVERIFY(accessibleOf(sentences)->state().checked);
    QCOMPARE(accessibleOf(words)->text(QAccessible::Description), QStringLiteral("未選択"));
    QCOMPARE(accessibleOf(sentences)->text(QAccessible::Description), QStringLiteral("選択中"));
}

void TestAccessibility::answerBoxesAreNamedByQuestion() {
    DrillScreenFixture fixture;
    fixture.useWords(12);
    frmListT screen(fixture.state, sharedArtwork());
    const auto meaning = [&fixture](int row) {
        return fixture.state.banks.WordBank.at(row).at(WordField::Meaning);
    };
    QCOMPARE(accessibleOf(answerBox(&screen, 0))->text(QAccessible::Name),
             QStringLiteral("解答 1：") + meaning(1));
    QCOMPARE(accessibleOf(answerBox(&screen, 9))->text(QAccessible::Name),
             QStringLiteral("解答 10：") + meaning(10));
    control<PictureButton>(&screen, QStringLiteral("imgNext"))->click();
    QCOMPARE(accessibleOf(answerBox(&screen, 1))->text(QAccessible::Name),
             QStringLiteral("解答 12：") + meaning(12));
    // Graded, the boxes are locked, and read only to assistive technology.
    QVERIFY(accessibleOf(answerBox(&screen, 1))->state().editable);
    control<PictureButton>(&screen, QStringLiteral("imgGrade"))->click();
    QVERIFY(!accessibleOf(answerBox(&screen, 1))->state().editable);
    QVERIFY(accessibleOf(answerBox(&screen, 1))->state().readOnly);
    QVERIFY(accessibleOf(answerBox(&screen, 1))->editableTextInterface() == nullptr);
}

void TestAccessibility::marksSayRightOrWrong() {
    DrillScreenFixture fixture;
    fixture.useWords(2);
    frmListT screen(fixture.state, sharedArtwork());
    answerBox(&screen, 0)->setText(fixture.headword(0));
    answerBox(&screen, 1)->setText(QStringLiteral("wrong"));
    control<PictureButton>(&screen, QStringLiteral("imgGrade"))->click();
    QCOMPARE(accessibleOf(label(&screen, QStringLiteral("imgMark_0")))->text(QAccessible::Name),
             QStringLiteral("正解"));
    QCOMPARE(accessibleOf(label(&screen, QStringLiteral("imgMark_1")))->text(QAccessible::Name),
             QStringLiteral("不正解"));
}

void TestAccessibility::pictureButtonsShowTheKeyboardFocus() {
    DrillScreenFixture fixture;
    fixture.useWords(21);
    frmListT screen(fixture.state, sharedArtwork());
    showActive(&screen);
    auto* next = control<PictureButton>(&screen, QStringLiteral("imgNext"));
    const QImage unfocused = next->grab().toImage();
    // A press takes the focus from the answer box, but shows no frame.
    QTest::mousePress(next, Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), next);
    QVERIFY(next->grab().toImage() == unfocused);
    QTest::mouseRelease(next, Qt::LeftButton);
    control<PictureButton>(&screen, QStringLiteral("imgBefore"))->click();

    answerBox(&screen, 9)->setFocus();
    QTest::keyClick(answerBox(&screen, 9), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), next);
    QVERIFY(next->grab().toImage() != unfocused);
    QTest::keyClick(next, Qt::Key_Tab);
    QVERIFY(next->grab().toImage() == unfocused);
}

void TestAccessibility::tabWalksEachScreenInReadingOrder_data() {
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("main window, panel revealed")
        << "frmSearch"
        << QStringList{"txtFreeWord", "cmbRandom", "imgToday", "imgS1",   "imgS2",      "imgWeak",
                       "imgRP_0",     "imgRP_1",   "imgRP_2",  "imgRP_3", "imgRP_4",    "imgRP_5",
                       "imgHWG",      "imgRecord", "imgHelp",  "imgExit", "txtFreeWord"};
    QTest::newRow("learning record")
        << "frmRecord" << QStringList{"imgCsv", "imgBack", "imgHelp", "imgExit", "imgCsv"};
    QTest::newRow("word drill, first page")
        << "frmListT"
        << QStringList{"txtTerm_0", "txtTerm_1", "txtTerm_2", "txtTerm_3", "txtTerm_4", "txtTerm_5",
                       "txtTerm_6", "txtTerm_7", "txtTerm_8", "txtTerm_9", "imgNext",   "imgBack",
                       "imgGrade",  "imgHelp",   "imgExit",   "txtTerm_0"};
    QTest::newRow("print screen, first page")
        << "frmPrintT" << QStringList{"cmbCopy", "imgPrint", "imgPdf",  "imgBack",
                                      "imgNext", "imgHelp",  "imgExit", "cmbCopy"};
}

void TestAccessibility::tabWalksEachScreenInReadingOrder() {
    QFETCH(QString, screen);
    QFETCH(QStringList, order);
    DrillScreenFixture fixture;
    fixture.useWords(25);
    const std::unique_ptr<QWidget> window = screenNamed(screen)(fixture.state);
    showActive(window.get());
    if (screen == QLatin1String("frmSearch")) {
        QTest::keyClick(window.get(), Qt::Key_Return);
    }
    const auto focusName = [] {
        QWidget* focused = QApplication::focusWidget();
        // An editable list's text box stands for the list.
        if (focused != nullptr && qobject_cast<QComboBox*>(focused->parentWidget()) != nullptr) {
            focused = focused->parentWidget();
        }
        return focused == nullptr ? QString() : focused->objectName();
    };
    window->findChild<QWidget*>(order.first())->setFocus();
    QCOMPARE(focusName(), order.first());
    for (qsizetype step = 1; step < order.size(); ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(focusName(), order[step]);
    }
}

void TestAccessibility::focusedButtonIsPressedBySpaceOrEnter_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("Space") << int(Qt::Key_Space);
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
}

// Enter is the screen's main command, but on a focused button it is that
// button's: Enter on 次へ pages on and never grades the drill.
void TestAccessibility::focusedButtonIsPressedBySpaceOrEnter() {
    QFETCH(int, key);
    DrillScreenFixture fixture;
    fixture.useWords(12);
    frmListT screen(fixture.state, sharedArtwork());
    showActive(&screen);
    auto* next = control<PictureButton>(&screen, QStringLiteral("imgNext"));
    next->setFocus(Qt::TabFocusReason);
    const Qt::KeyboardModifiers modifiers =
        key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
    QTest::keyClick(next, Qt::Key(key), modifiers);
    QCOMPARE(screen.currentPage(), 2);
    QCOMPARE(fixture.state.screen.viewMode, ViewMode::Solving);

    // In a text box Enter still grades.
    answerBox(&screen, 0)->setFocus();
    QTest::keyClick(answerBox(&screen, 0), Qt::Key(key), modifiers);
    QCOMPARE(fixture.state.screen.viewMode,
             key == Qt::Key_Space ? ViewMode::Solving : ViewMode::Graded);
}

void TestAccessibility::enterGradesOnceTheFocusedControlHides_data() {
    QTest::addColumn<int>("fromPage");
    QTest::addColumn<QString>("focused");
    QTest::addColumn<int>("pagingKey");
    QTest::newRow("前へ on the first page") << 2 << "imgBefore" << int(Qt::Key_Return);
    QTest::newRow("answer box on a short last page") << 1 << "txtTerm_5" << int(Qt::Key_PageUp);
}

// A control that hides while it has the focus (前へ on the first page, an
// answer box below a short last page's questions) must not pass the focus to
// the next control as if tabbed to, or the next Enter would page instead of
// grading.
void TestAccessibility::enterGradesOnceTheFocusedControlHides() {
    QFETCH(int, fromPage);
    QFETCH(QString, focused);
    QFETCH(int, pagingKey);
    DrillScreenFixture fixture;
    fixture.useWords(12);
    frmListT screen(fixture.state, sharedArtwork());
    showActive(&screen);
    if (fromPage == 2) {
        QTest::keyClick(&screen, Qt::Key_PageUp);
    }
    auto* hiding = control<QWidget>(&screen, focused);
    for (int step = 0; step < 20 && QApplication::focusWidget() != hiding; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(QApplication::focusWidget(), hiding);
    QTest::keyClick(screen.windowHandle(), Qt::Key(pagingKey));
    QCOMPARE(screen.currentPage(), 3 - fromPage);
    QVERIFY(hiding->isHidden());
    QTest::keyClick(screen.windowHandle(), Qt::Key_Return);
    QCOMPARE(fixture.state.screen.viewMode, ViewMode::Graded);
    QCOMPARE(screen.currentPage(), 3 - fromPage);
}

// The help screen has nothing but buttons, so it opens with the focus on
// one; its keys still do nothing until the learner tabs.
void TestAccessibility::buttonFocusedOnOpeningLeavesKeysToTheWindow() {
    DrillScreenFixture fixture;
    frmHelp help(sharedArtwork());
    showActive(&help);
    auto* back = control<PictureButton>(&help, QStringLiteral("imgBack"));
    QCOMPARE(QApplication::focusWidget(), back);
    const QImage unframed = back->grab().toImage();
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Space, Qt::Key_Escape}) {
        QTest::keyClick(back, key);
        QVERIFY(help.isVisible());
    }
    QTest::keyClick(back, Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), back);
    QVERIFY(back->grab().toImage() != unframed);
    QTest::keyClick(back, Qt::Key_Return);
    QVERIFY(!help.isVisible());
}

void TestAccessibility::pressActionOfAssistiveTechnologyClicks() {
    DrillScreenFixture fixture;
    RecordingSearch menu(fixture.state, sharedArtwork());
    showActive(&menu);
    QTest::keyClick(&menu, Qt::Key_Return);
    auto* sentences = menu.findChild<QWidget*>(QStringLiteral("imgRP_1"));
    accessibleOf(sentences)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(!fixture.state.settings.optTerms);
    accessibleOf(menu.findChild<QWidget*>(QStringLiteral("imgHWG")))
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(menu.openedScreens, QStringList{QStringLiteral("tavik::frmListI")});
}

// Search, choose the options, start, answer, grade and go back, with keys only.
void TestAccessibility::wholeDrillByKeyboardAlone() {
    DrillScreenFixture fixture;
    fixture.state.settings.optTerms = false;
    fixture.state.settings.optPc = false;
    RecordingSearch menu(fixture.state, sharedArtwork());
    showActive(&menu);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("produc"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(menu.findChild<QWidget*>(QStringLiteral("imgHWG"))->isVisible());

    // Tab past 今日の学習 to 単語 and PC, choosing each with Space.
    for (int step = 0; step < 6; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("imgRP_0"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("imgRP_2"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QVERIFY(fixture.state.settings.optTerms);
    QVERIFY(fixture.state.settings.optPc);
    for (int step = 0; step < 4; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("imgHWG"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(menu.openedScreens, QStringList{QStringLiteral("tavik::frmListT")});

    // The drill screen the start opens, worked with keys.
    frmListT screen(fixture.state, sharedArtwork());
    showActive(&screen);
    const auto questions = int(fixture.state.drill.drillWords.size());
    QCOMPARE(fixture.state.settings.level, Level::Beginner);
    QCOMPARE(questions, 3);
    for (int question = 0; question < questions; ++question) {
        if (question > 0) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        // At 初級 each box starts with the word's first letter.
        QTest::keyClicks(QApplication::focusWidget(), fixture.headword(question).mid(1));
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(fixture.state.screen.viewMode, ViewMode::Graded);
    QCOMPARE(int(fixture.state.screen.correctCount), questions);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(!screen.isVisible());
}

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
