#include "drill/app_state.h"
#include "menu/ui/frmSearch.h"
#include "settings/level.h"
#include "shell/ui/artwork.h"
#include "shell/ui/picture_button.h"
#include "shell/ui/program_exit.h"
#include "support/files.h"
#include "support/search_window_fixture.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <functional>
#include <memory>

using namespace tavik;
using tavik::testing::ModalCloser;
using tavik::testing::writeBytes;

namespace {

// Typed into the control that has the focus, as a person would: ASCII on the
// keyboard, Japanese committed by the input method.
void typeText(QWindow* window, const QString& text) {
    for (const QChar character : text) {
        if (character.unicode() < 0x80) {
            QTest::keyClick(window, character.toLatin1());
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(QString(character));
            QApplication::sendEvent(QApplication::focusWidget(), &commit);
        }
    }
}

QSet<int> markedOptions(const frmSearch& menu) {
    QSet<int> marked;
    for (int index = 0; index < 6; ++index) {
        const auto* hotspot = menu.findChild<QLabel*>(QStringLiteral("imgRP_%1").arg(index));
        if (hotspot != nullptr && !hotspot->pixmap().isNull()) {
            marked.insert(index);
        }
    }
    return marked;
}

} // namespace

class TestFrmSearch : public QObject, private testing::SearchWindowFixture {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void controlsSitWhereTheLayoutPutsThem_data();
    void controlsSitWhereTheLayoutPutsThem();
    void fontsFollowTheLayout();
    void firstStartWithoutIniFiles();
    void savedOptionsMarkTheirWords_data();
    void savedOptionsMarkTheirWords();
    void savedStatisticsFillTheLevelPanel_data();
    void savedStatisticsFillTheLevelPanel();
    void freeWordSearch_data();
    void freeWordSearch();
    void searchRunsFromButtonCaptionAndEnter_data();
    void searchRunsFromButtonCaptionAndEnter();
    void otherKeysDoNothing_data();
    void otherKeysDoNothing();
    void randomSearch_data();
    void randomSearch();
    void promptInTheComboOnlyShowsTheMessage();
    void promptMessageIsAModalBoxWithTitleAndOk();
    void maskedPanelTakesNoClicks();
    void optionClicks_data();
    void optionClicks();
    void startWritesOptionsAndOpensTheirScreen_data();
    void startWritesOptionsAndOpensTheirScreen();
    void startShowsTheScreenModallyAndDeletesIt();
    void gradingOnADrillScreenRefreshesTheLevelPanel();
    void gradingOnTheWordDrillShowsOnTheMenuWhenItCloses();
    void weakWordPick_data();
    void weakWordPick();
    void todaysStudy_data();
    void todaysStudy();
    void helpButtonOpensTheHelpScreen();
    void exitEndsTheProgramWithoutSaving();
    void buttonsLightUpUntilThePointerCrossesTheBackground_data();
    void buttonsLightUpUntilThePointerCrossesTheBackground();

private:
    void clickAt(const QString& controlName, QPoint offset = {});
    void search(const QString& text);
};

void TestFrmSearch::initTestCase() {
    m_art.loadScreens(1.0);
    failOnProgramEnd();
}

void TestFrmSearch::init() {
    setUpState();
}

void TestFrmSearch::cleanup() {
    tearDown();
    failOnProgramEnd();
}

// Clicks the window where the control lies, so the click goes to whatever a
// person would hit there.
void TestFrmSearch::clickAt(const QString& controlName, QPoint offset) {
    const QWidget* target = control<QWidget>(controlName);
    const QPoint point = target->geometry().center() + offset;
    QTest::mouseClick(m_menu->windowHandle(), Qt::LeftButton, {}, point);
}

void TestFrmSearch::search(const QString& text) {
    clickAt(QStringLiteral("txtFreeWord"));
    control<QLineEdit>(QStringLiteral("txtFreeWord"))->selectAll();
    QTest::keyClick(m_menu->windowHandle(), Qt::Key_Delete);
    typeText(m_menu->windowHandle(), text);
    clickAt(QStringLiteral("imgS1"), {-50, 0});
}

void TestFrmSearch::controlsSitWhereTheLayoutPutsThem_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("place");
    const QList<std::pair<const char*, QRect>> places{
        {"lblLevel", {232, 105, 57, 25}},     {"lblNog", {312, 141, 57, 25}},
        {"lblRate", {600, 141, 57, 25}},      {"txtFreeWord", {304, 200, 129, 19}},
        {"Label1", {304, 224, 161, 17}},      {"imgS1", {552, 200, 138, 29}},
        {"lblS1", {592, 206, 57, 17}},        {"cmbRandom", {304, 264, 161, 21}},
        {"imgS2", {552, 259, 138, 29}},       {"lblS2", {592, 265, 49, 17}},
        {"lblCount", {264, 344, 57, 25}},     {"lblCount_is", {408, 344, 57, 25}},
        {"imgRP_0", {104, 408, 60, 52}},      {"imgRP_1", {168, 408, 60, 52}},
        {"imgRP_2", {256, 408, 60, 52}},      {"imgRP_3", {304, 408, 60, 52}},
        {"imgRP_4", {384, 408, 60, 52}},      {"imgRP_5", {456, 408, 100, 52}},
        {"imgHWG", {248, 477, 241, 81}},      {"imgSmask", {81, 314, 545, 252}},
        {"imgHelp", {664, 21, 33, 33}},       {"imgExit", {698, 20, 33, 33}},
        {"lblParam", {24, 536, 33, 17}},      {"imgWeak", {510, 103, 180, 29}},
        {"lblWeakCount", {634, 109, 52, 17}},
    };
    for (const auto& [name, place] : places) {
        QTest::newRow(name) << QString::fromLatin1(name) << place;
    }
}

void TestFrmSearch::controlsSitWhereTheLayoutPutsThem() {
    QFETCH(QString, name);
    QFETCH(QRect, place);
    openMenu();
    QCOMPARE(control<QWidget>(name)->geometry(), place);
    QCOMPARE(m_menu->size(), QSize(780, 600));
    QCOMPARE(m_menu->windowTitle(), QStringLiteral("Tavik"));
}

void TestFrmSearch::fontsFollowTheLayout() {
    openMenu();
    for (const char* name : {"lblLevel", "lblNog", "lblRate", "lblCount", "lblCount_is"}) {
        const auto* label = control<QLabel>(QString::fromLatin1(name));
        QVERIFY2(label->font().bold(), name);
        QCOMPARE(label->font().pixelSize(), 27);
        QVERIFY2(label->alignment().testFlag(Qt::AlignRight), name);
        QVERIFY2(!label->autoFillBackground(), name);
    }
    for (const char* name : {"lblS1", "lblS2"}) {
        const auto* caption = control<QLabel>(QString::fromLatin1(name));
        QVERIFY2(caption->font().bold(), name);
        QCOMPARE(caption->font().pixelSize(), 16);
        QCOMPARE(caption->palette().color(QPalette::WindowText), QColor(0, 0, 128));
        QCOMPARE(caption->text(), QStringLiteral("検索"));
    }
    for (const char* name : {"Label1", "txtFreeWord", "cmbRandom"}) {
        const auto* widget = control<QWidget>(QString::fromLatin1(name));
        QVERIFY2(!widget->font().bold(), name);
        QCOMPARE(widget->font().pixelSize(), 13);
    }
    QCOMPARE(labelText(QStringLiteral("Label1")), QStringLiteral("（英語・日本語可能）"));
}

void TestFrmSearch::firstStartWithoutIniFiles() {
    openMenu();
    QCOMPARE(markedOptions(*m_menu), (QSet<int>{0, 2, 4}));
    QCOMPARE(labelText(QStringLiteral("lblNog")), QStringLiteral("0"));
    QCOMPARE(labelText(QStringLiteral("lblRate")), QStringLiteral("0"));
    QCOMPARE(labelText(QStringLiteral("lblLevel")), QStringLiteral("初級"));
    QVERIFY(!panelRevealed());
    QCOMPARE(labelText(QStringLiteral("lblCount")), QStringLiteral("0"));
    QCOMPARE(labelText(QStringLiteral("lblCount_is")), QStringLiteral("0"));
    // The counts lie above the mask, so they can be read while it is up.
    QVERIFY(control<QLabel>(QStringLiteral("lblCount"))->isVisible());
    QCOMPARE(m_menu->childAt(290, 356), control<QWidget>(QStringLiteral("lblCount")));

    auto* combo = control<QComboBox>(QStringLiteral("cmbRandom"));
    QVERIFY(combo->isEditable());
    QCOMPARE(combo->insertPolicy(), QComboBox::NoInsert);
    QStringList entries;
    for (int index = 0; index < combo->count(); ++index) {
        entries << combo->itemText(index);
    }
    QCOMPARE(entries, (QStringList{"5問", "10問", "15問", "20問", "25問", "30問", "35問", "40問"}));
    QCOMPARE(combo->currentText(), frmSearch::countPrompt());
    QCOMPARE(frmSearch::countPrompt(), QStringLiteral("問題数を選んでください"));

    QVERIFY(control<QLabel>(QStringLiteral("imgHelp"))->pixmap().toImage() ==
            m_art.ilBtn.picture(7).toImage());
    QVERIFY(control<QLabel>(QStringLiteral("imgExit"))->pixmap().isNull());
    QVERIFY(!control<QLabel>(QStringLiteral("lblParam"))->isVisible());

    auto* freeWord = control<QLineEdit>(QStringLiteral("txtFreeWord"));
    QCOMPARE(QApplication::focusWidget(), freeWord);
    QTest::keyClick(m_menu->windowHandle(), Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget() == combo ||
            QApplication::focusWidget() == combo->lineEdit());

    // Loading reads; it never writes.
    QVERIFY(!QFile::exists(m_state->paths.configFile));
    QVERIFY(!QFile::exists(m_state->paths.statisticsFile));
}

void TestFrmSearch::savedOptionsMarkTheirWords_data() {
    QTest::addColumn<QByteArray>("conf");
    QTest::addColumn<QSet<int>>("marked");
    QTest::newRow("sentences, paper, check")
        << QByteArray("[CONFIG]\nTERMS=False\nPC=False\nQUESTION=False\n") << QSet<int>{1, 3, 5};
    QTest::newRow("words, paper, solve")
        << QByteArray("[CONFIG]\nTERMS=True\nPC=False   \nQUESTION=True\n") << QSet<int>{0, 3, 4};
    QTest::newRow("lower-case false counts as true")
        << QByteArray("[CONFIG]\nTERMS=false\nPC=0\nQUESTION=False\n") << QSet<int>{0, 2, 5};
}

void TestFrmSearch::savedOptionsMarkTheirWords() {
    QFETCH(QByteArray, conf);
    QFETCH(QSet<int>, marked);
    writeBytes(m_state->paths.configFile, conf);
    openMenu();
    QCOMPARE(markedOptions(*m_menu), marked);
    QCOMPARE(m_state->settings.optTerms, marked.contains(0));
    QCOMPARE(m_state->settings.optPc, marked.contains(2));
    QCOMPARE(m_state->settings.optQuestion, marked.contains(4));
}

void TestFrmSearch::savedStatisticsFillTheLevelPanel_data() {
    QTest::addColumn<QByteArray>("statistics");
    QTest::addColumn<int>("nog");
    QTest::addColumn<int>("rate");
    QTest::addColumn<QString>("level");
    QTest::newRow("advanced")
        << QByteArray("[STATISTICS]\nNAME=\nSCORE= 90\nQUESTIONS= 110\nRATE= 71\nNOG= 11\n") << 11
        << 71 << "上級";
    QTest::newRow("intermediate")
        << QByteArray("[STATISTICS]\nNAME=\nSCORE= 30\nQUESTIONS= 60\nRATE= 46\nNOG= 6\n") << 6
        << 46 << "中級";
    QTest::newRow("rate hidden without questions")
        << QByteArray("[STATISTICS]\nNAME=\nSCORE= 0\nQUESTIONS= 0\nRATE= 55\nNOG= 2\n") << 2 << 0
        << "初級";
}

void TestFrmSearch::savedStatisticsFillTheLevelPanel() {
    QFETCH(QByteArray, statistics);
    QFETCH(int, nog);
    QFETCH(int, rate);
    QFETCH(QString, level);
    writeBytes(m_state->paths.statisticsFile, statistics);
    openMenu();
    QCOMPARE(labelText(QStringLiteral("lblNog")), QString::number(nog));
    QCOMPARE(labelText(QStringLiteral("lblRate")), QString::number(rate));
    QCOMPARE(labelText(QStringLiteral("lblLevel")), level);
}

void TestFrmSearch::freeWordSearch_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("words");
    QTest::addColumn<int>("sentences");
    QTest::addColumn<bool>("revealed");
    QTest::newRow("empty text selects everything") << "" << 141 << 144 << true;
    QTest::newRow("one word") << "abolish" << 1 << 1 << false;
    QTest::newRow("no match, case counts") << "Abolish" << 0 << 0 << false;
    QTest::newRow("two words by their meaning") << "廃止" << 2 << 2 << true;
}

void TestFrmSearch::freeWordSearch() {
    QFETCH(QString, text);
    QFETCH(int, words);
    QFETCH(int, sentences);
    QFETCH(bool, revealed);
    openMenu();
    // From the other state than the one expected, so the search must move it.
    search(revealed ? QStringLiteral("Abolish") : QString());
    QCOMPARE(panelRevealed(), !revealed);

    search(text);
    QCOMPARE(labelText(QStringLiteral("lblCount")), QString::number(words));
    QCOMPARE(labelText(QStringLiteral("lblCount_is")), QString::number(sentences));
    QCOMPARE(panelRevealed(), revealed);
    QVERIFY(m_menu->messages.isEmpty());
}

void TestFrmSearch::searchRunsFromButtonCaptionAndEnter_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("picture") << "imgS1";
    QTest::newRow("caption") << "lblS1";
    QTest::newRow("Return in the text box") << "return:txtFreeWord";
    QTest::newRow("keypad Enter in the text box") << "enter:txtFreeWord";
    QTest::newRow("Return in the count box") << "return:cmbRandom";
    QTest::newRow("keypad Enter in the count box") << "enter:cmbRandom";
}

void TestFrmSearch::searchRunsFromButtonCaptionAndEnter() {
    QFETCH(QString, how);
    openMenu();
    auto* combo = control<QComboBox>(QStringLiteral("cmbRandom"));
    combo->setCurrentIndex(combo->findText(QStringLiteral("5問")));

    if (how.startsWith(QLatin1String("img")) || how.startsWith(QLatin1String("lbl"))) {
        clickAt(how, how == QLatin1String("imgS1") ? QPoint(-50, 0) : QPoint());
    } else {
        const QString target = how.section(QLatin1Char(':'), 1);
        if (target == QLatin1String("cmbRandom")) {
            QTest::keyClick(m_menu->windowHandle(), Qt::Key_Tab);
        }
        QVERIFY(QApplication::focusWidget() != nullptr);
        QCOMPARE(QApplication::focusWidget() == control<QWidget>(QStringLiteral("txtFreeWord")),
                 target == QLatin1String("txtFreeWord"));
        if (how.startsWith(QLatin1String("return"))) {
            QTest::keyClick(m_menu->windowHandle(), Qt::Key_Return);
        } else {
            QTest::keyClick(m_menu->windowHandle(), Qt::Key_Enter, Qt::KeypadModifier);
        }
    }
    // The free-word search with an empty text, not the random pick of five.
    QCOMPARE(labelText(QStringLiteral("lblCount")), QStringLiteral("141"));
    QCOMPARE(labelText(QStringLiteral("lblCount_is")), QStringLiteral("144"));
    QVERIFY(m_menu->isVisible());
    QCOMPARE(combo->currentText(), QStringLiteral("5問"));
    QCOMPARE(combo->count(), 8);
}

void TestFrmSearch::otherKeysDoNothing_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("Esc") << int(Qt::Key_Escape);
    QTest::newRow("Page Up") << int(Qt::Key_PageUp);
    QTest::newRow("Page Down") << int(Qt::Key_PageDown);
    QTest::newRow("F1") << int(Qt::Key_F1);
}

void TestFrmSearch::otherKeysDoNothing() {
    QFETCH(int, key);
    openMenu();
    search(QStringLiteral("abolish"));
    QTest::keyClick(m_menu->windowHandle(), Qt::Key_Tab);
    QTest::keyClick(m_menu->windowHandle(), Qt::Key(key));
    QVERIFY(m_menu->isVisible());
    QCOMPARE(labelText(QStringLiteral("lblCount")), QStringLiteral("1"));
    QVERIFY(m_menu->openedScreens.isEmpty());
    QVERIFY(m_menu->messages.isEmpty());
}

void TestFrmSearch::randomSearch_data() {
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("typed");
    QTest::addColumn<int>("words");
    QTest::addColumn<bool>("revealed");
    QTest::newRow("5問 chosen") << "5問" << false << 5 << true;
    QTest::newRow("40問 chosen") << "40問" << false << 40 << true;
    QTest::newRow("typed count") << "12" << true << 12 << true;
    QTest::newRow("typed digit not completed") << "2" << true << 2 << true;
    QTest::newRow("typed full-width count") << "１０問" << true << 10 << true;
    QTest::newRow("typed one") << "1問" << true << 1 << false;
    QTest::newRow("typed letters") << "abc" << true << 0 << false;
    QTest::newRow("emptied box") << "" << true << 0 << false;
    QTest::newRow("typed too many") << "500問" << true << 141 << true;
}

void TestFrmSearch::randomSearch() {
    QFETCH(QString, input);
    QFETCH(bool, typed);
    QFETCH(int, words);
    QFETCH(bool, revealed);
    openMenu();
    search(revealed ? QStringLiteral("Abolish") : QString());

    auto* combo = control<QComboBox>(QStringLiteral("cmbRandom"));
    if (!typed) {
        combo->setCurrentIndex(combo->findText(input));
    } else {
        clickAt(QStringLiteral("cmbRandom"), {-40, 0});
        QCOMPARE(QApplication::focusWidget(), combo);
        combo->lineEdit()->selectAll();
        QTest::keyClick(m_menu->windowHandle(), Qt::Key_Backspace);
        typeText(m_menu->windowHandle(), input);
    }
    clickAt(QStringLiteral("imgS2"), {-50, 0});

    QVERIFY(m_menu->messages.isEmpty());
    QCOMPARE(labelText(QStringLiteral("lblCount")), QString::number(words));
    const DrillSet& drill = m_state->drill;
    QCOMPARE(int(drill.drillWords.size()), words);
    const auto sentences = int(drill.drillSentences.size());
    QCOMPARE(labelText(QStringLiteral("lblCount_is")), QString::number(sentences));
    // Each word brings its one sentence, three words bring two.
    QVERIFY(sentences >= words && sentences <= words + 3);
    QCOMPARE(panelRevealed(), revealed);
    // What was typed stays a count; it never becomes an entry of the list.
    QCOMPARE(combo->count(), 8);
}

void TestFrmSearch::promptInTheComboOnlyShowsTheMessage() {
    openMenu();
    search(QString());
    const DrillSet before = m_state->drill;

    clickAt(QStringLiteral("lblS2"));
    QCOMPARE(m_menu->messages, QStringList{QStringLiteral("問題数を選んでください")});
    QCOMPARE(labelText(QStringLiteral("lblCount")), QStringLiteral("141"));
    QCOMPARE(labelText(QStringLiteral("lblCount_is")), QStringLiteral("144"));
    QVERIFY(panelRevealed());
    QVERIFY(m_state->drill.drillWords == before.drillWords);
    QVERIFY(m_state->drill.drillSentences == before.drillSentences);

    // With the prompt still there, the masked panel stays masked too.
    search(QStringLiteral("Abolish"));
    clickAt(QStringLiteral("imgS2"), {-50, 0});
    QCOMPARE(m_menu->messages.size(), 2);
    QVERIFY(!panelRevealed());
    QCOMPARE(labelText(QStringLiteral("lblCount")), QStringLiteral("0"));
}

void TestFrmSearch::promptMessageIsAModalBoxWithTitleAndOk() {
    openMenu();
    m_menu->realModalLoops = true;
    QString text;
    QString title;
    QMessageBox::StandardButtons buttons;
    ModalCloser closer([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box != nullptr);
        text = box->text();
        title = box->windowTitle();
        buttons = box->standardButtons();
    });
    clickAt(QStringLiteral("imgS2"), {-50, 0});
    QVERIFY(closer.seen());
    QCOMPARE(text, QStringLiteral("問題数を選んでください"));
    QCOMPARE(title, QStringLiteral("Tavik"));
    QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(!panelRevealed());
}

void TestFrmSearch::maskedPanelTakesNoClicks() {
    openMenu();
    clickAt(QStringLiteral("imgRP_1"));
    clickAt(QStringLiteral("imgHWG"));
    QCOMPARE(markedOptions(*m_menu), (QSet<int>{0, 2, 4}));
    QVERIFY(m_state->settings.optTerms);
    QVERIFY(m_menu->openedScreens.isEmpty());
    QVERIFY(!QFile::exists(m_state->paths.configFile));
}

void TestFrmSearch::optionClicks_data() {
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QSet<int>>("marked");
    QTest::newRow("例文 then 単語") << QList<int>{1, 0} << QSet<int>{0, 2, 4};
    QTest::newRow("例文") << QList<int>{1} << QSet<int>{1, 2, 4};
    QTest::newRow("紙") << QList<int>{3} << QSet<int>{0, 3, 4};
    QTest::newRow("確認する twice") << QList<int>{5, 5} << QSet<int>{0, 2, 5};
    QTest::newRow("the marked one again") << QList<int>{2} << QSet<int>{0, 2, 4};
    QTest::newRow("all three pairs") << QList<int>{1, 3, 5, 4} << QSet<int>{1, 3, 4};
}

void TestFrmSearch::optionClicks() {
    QFETCH(QList<int>, clicks);
    QFETCH(QSet<int>, marked);
    openMenu();
    search(QString());
    for (int index : clicks) {
        clickAt(QStringLiteral("imgRP_%1").arg(index));
    }
    QCOMPARE(markedOptions(*m_menu), marked);
    QCOMPARE(m_state->settings.optTerms, marked.contains(0));
    QCOMPARE(m_state->settings.optPc, marked.contains(2));
    QCOMPARE(m_state->settings.optQuestion, marked.contains(4));
    QVERIFY(!QFile::exists(m_state->paths.configFile));
    QVERIFY(m_menu->openedScreens.isEmpty());
}

void TestFrmSearch::startWritesOptionsAndOpensTheirScreen_data() {
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QString>("screen");
    QTest::addColumn<int>("viewMode");
    QTest::newRow("words on screen, solve") << QList<int>{} << "tavik::frmListT" << 1;
    QTest::newRow("words on paper, check") << QList<int>{3, 5} << "tavik::frmPrintT" << 3;
    QTest::newRow("sentences on screen, check") << QList<int>{1, 5} << "tavik::frmListI" << 3;
    QTest::newRow("sentences on paper, solve") << QList<int>{1, 3} << "tavik::frmPrintI" << 1;
}

void TestFrmSearch::startWritesOptionsAndOpensTheirScreen() {
    QFETCH(QList<int>, clicks);
    QFETCH(QString, screen);
    QFETCH(int, viewMode);
    openMenu();
    search(QString());
    for (int index : clicks) {
        clickAt(QStringLiteral("imgRP_%1").arg(index));
    }
    const SettingsState chosen = m_state->settings;
    const DrillSet drill = m_state->drill;

    SettingsState savedWhenOpened;
    int viewModeWhenOpened = 0;
    bool savedBeforeOpening = false;
    m_menu->whileOpen = [&](ScreenWindow&) {
        savedBeforeOpening = QFile::exists(m_state->paths.configFile);
        readConfig(savedWhenOpened, m_state->paths);
        viewModeWhenOpened = m_state->screen.viewMode;
    };
    clickAt(QStringLiteral("imgHWG"));

    QCOMPARE(m_menu->openedScreens, QStringList{screen});
    QVERIFY(savedBeforeOpening);
    QCOMPARE(savedWhenOpened.optTerms, chosen.optTerms);
    QCOMPARE(savedWhenOpened.optPc, chosen.optPc);
    QCOMPARE(savedWhenOpened.optQuestion, chosen.optQuestion);
    QCOMPARE(viewModeWhenOpened, viewMode);

    // Back on the menu: the same drill set, ready to start again.
    QVERIFY(panelRevealed());
    QVERIFY(m_state->drill.drillWords == drill.drillWords);
    QCOMPARE(markedOptions(*m_menu).size(), 3);
    clickAt(QStringLiteral("imgHWG"));
    QCOMPARE(m_menu->openedScreens, (QStringList{screen, screen}));
}

void TestFrmSearch::startShowsTheScreenModallyAndDeletesIt() {
    openMenu();
    search(QString());
    m_menu->realModalLoops = true;
    QString shown;
    ModalCloser closer(
        [&](QWidget* modal) { shown = QString::fromLatin1(modal->metaObject()->className()); });
    clickAt(QStringLiteral("imgHWG"));
    QVERIFY(closer.seen());
    QCOMPARE(shown, QStringLiteral("tavik::frmListT"));
    for (QWidget* window : QApplication::topLevelWidgets()) {
        QVERIFY2(qobject_cast<ScreenWindow*>(window) == nullptr || window == m_menu.get(),
                 window->metaObject()->className());
    }
}

void TestFrmSearch::gradingOnADrillScreenRefreshesTheLevelPanel() {
    openMenu();
    search(QString());
    m_menu->whileOpen = [&](ScreenWindow&) {
        SettingsState& statistics = m_state->settings;
        statistics.statGames = 11;
        statistics.statQuestions = 110;
        statistics.statScore = 90;
        statistics.statRate = 81;
    };
    clickAt(QStringLiteral("imgHWG"));
    QCOMPARE(labelText(QStringLiteral("lblNog")), QStringLiteral("11"));
    QCOMPARE(labelText(QStringLiteral("lblRate")), QStringLiteral("81"));
    QCOMPARE(labelText(QStringLiteral("lblLevel")), QStringLiteral("上級"));
    QCOMPARE(levelName(m_state->settings.level), QStringLiteral("上級"));
    QCOMPARE(labelText(QStringLiteral("lblLevelChange")),
             QStringLiteral("レベルが上級に上がりました"));
}

void TestFrmSearch::gradingOnTheWordDrillShowsOnTheMenuWhenItCloses() {
    openMenu();
    search(QStringLiteral("廃止"));
    m_menu->realModalLoops = true;
    ModalCloser closer([&](QWidget* drill) {
        for (int question = 0; question < 2; ++question) {
            const auto row = static_cast<std::size_t>(m_state->drill.drillWords[question]);
            drill->findChild<QLineEdit*>(QStringLiteral("txtTerm_%1").arg(question))
                ->setText(m_state->banks.WordBank[row][WordField::Headword]);
        }
        drill->findChild<PictureButton*>(QStringLiteral("imgGrade"))->click();
        drill->findChild<PictureButton*>(QStringLiteral("imgBack"))->click();
    });
    clickAt(QStringLiteral("imgHWG"));
    QVERIFY(closer.seen());
    QCOMPARE(labelText(QStringLiteral("lblNog")), QStringLiteral("1"));
    QCOMPARE(labelText(QStringLiteral("lblRate")), QStringLiteral("100"));
    QCOMPARE(labelText(QStringLiteral("lblLevel")), QStringLiteral("初級"));
    QVERIFY(!control<QLabel>(QStringLiteral("lblLevelChange"))->isVisible());
    QVERIFY(m_state->recorder.waitUntilTried(5000));
    QVERIFY(QFile::exists(m_state->paths.statisticsFile));
}

void TestFrmSearch::weakWordPick_data() {
    QTest::addColumn<QList<int>>("missed"); // words graded wrong before the start
    QTest::addColumn<QByteArray>("file");   // the record's bytes instead, when not empty
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QList<int>>("words"); // the pick, in any order; empty: unchanged
    QTest::addColumn<int>("sentences");

    QTest::newRow("nothing graded") << QList<int>{} << QByteArray() << "復習する単語はありません"
                                    << "(0)" << QList<int>{} << 0;
    QTest::newRow("two missed") << QList<int>{52, 1} << QByteArray() << ""
                                << "(2)" << QList<int>{1, 52} << 2;
    QTest::newRow("one due word paired with the next weakest")
        << QList<int>{25} << QByteArray() << ""
        << "(1)" << QList<int>{3, 25} << 3;
    QTest::newRow("a record of one word says why no drill starts")
        << QList<int>{3} << QByteArray() << frmSearch::oneWeakWordMessage() << "(1)" << QList<int>{}
        << 0;
    QTest::newRow("damaged record set aside, the new one told of")
        << QList<int>{} << QByteArray(4096, '\x5a') << frmSearch::newRecordMessage() << "(0)"
        << QList<int>{} << 0;
}

void TestFrmSearch::weakWordPick() {
    QFETCH(QList<int>, missed);
    QFETCH(QByteArray, file);
    QFETCH(QString, message);
    QFETCH(QString, count);
    QFETCH(QList<int>, words);
    QFETCH(int, sentences);
    if (!file.isEmpty()) {
        testing::writeBytes(m_state->paths.historyFile, file);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral(".*")));
    } else if (!missed.isEmpty()) {
        HistoryStore earlier;
        earlier.open(m_state->paths.historyFile);
        std::vector<AnsweredQuestion> answers{{3, 0, true}};
        for (const int word : missed) {
            answers.push_back({word, 0, false});
        }
        QVERIFY(earlier.record(answers, QDateTime::currentDateTimeUtc()));
    }
    openMenu();
    QTRY_COMPARE(labelText(QStringLiteral("lblWeakCount")), count);
    search(QString());
    const DrillSet before = m_state->drill;

    clickAt(QStringLiteral("imgWeak"), {-60, 0});
    QCOMPARE(m_menu->messages, message.isEmpty() ? QStringList() : QStringList{message});
    const std::vector<std::int16_t>& picked = m_state->drill.drillWords;
    QList<int> pickedWords(picked.begin(), picked.end());
    std::sort(pickedWords.begin(), pickedWords.end());
    QVERIFY(words.isEmpty() ? picked == before.drillWords : pickedWords == words);
    QCOMPARE(labelText(QStringLiteral("lblCount")),
             QString::number(words.isEmpty() ? 141 : words.size()));
    QCOMPARE(labelText(QStringLiteral("lblCount_is")),
             QString::number(words.isEmpty() ? 144 : sentences));
    QCOMPARE(panelRevealed(), words.isEmpty() || words.size() >= 2);
    auto* health = control<QLabel>(QStringLiteral("lblRecordHealth"));
    QCOMPARE(health->isVisible(), !file.isEmpty());
    QCOMPARE(health->text().contains(QStringLiteral("history-damaged-")), !file.isEmpty());
    QCOMPARE(labelText(QStringLiteral("lblSelection")),
             words.isEmpty() ? QStringLiteral("すべての単語から出題します")
                             : QStringLiteral("苦手な単語%1語から出題します").arg(words.size()));
}

void TestFrmSearch::todaysStudy_data() {
    // The record before the start: each word with its answers, R or W, a
    // letter a day ending today (R. yesterday right, .W today wrong).
    QTest::addColumn<QMap<int, QString>>("record");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QList<int>>("words"); // the drill, in any order; empty: unchanged
    QTest::addColumn<bool>("wordDrill");   // the form after the press; word questions chosen

    // New words from the middle of each fifth of the 141.
    QTest::newRow("a fresh record: new words up to the goal, spread through the book")
        << QMap<int, QString>{} << "今日: 復習 0語＋新出 5語" << QList<int>{15, 43, 71, 99, 127}
        << true;
    // Word 25 missed yesterday is due; word 3, right yesterday, is not.
    QTest::newRow("due words first, then new ones up to the goal")
        << QMap<int, QString>{{25, "W."}, {3, "R."}} << "今日: 復習 1語＋新出 4語"
        << QList<int>{25, 19, 55, 89, 124} << true;
    // Four right today count towards the goal; the one missed is asked
    // again, paired with the word due next, in its sentences.
    QTest::newRow("a word missed today asked again at the next press, in the other form")
        << QMap<int, QString>{{1, ".R"}, {2, ".R"}, {3, ".R"}, {4, ".R"}, {25, ".W"}}
        << "今日: 復習 2語＋新出 0語" << QList<int>{1, 25} << false;
    QTest::newRow("a word missed today among new words: the form kept")
        << QMap<int, QString>{{25, ".W"}} << "今日: 復習 1語＋新出 4語"
        << QList<int>{25, 18, 54, 89, 124} << true;
    QTest::newRow("words missed today asked again in the other form")
        << QMap<int, QString>{{1, ".R"}, {2, ".R"}, {3, ".R"}, {25, ".W"}, {26, ".W"}}
        << "今日: 復習 2語＋新出 0語" << QList<int>{25, 26} << false;
    QTest::newRow("today done says when the next words come")
        << QMap<int, QString>{{1, ".R"}, {2, ".R"}, {3, ".R"}, {4, ".R"}, {5, ".R"}}
        << QStringLiteral("今日の学習は終わりました。次は%1に5語")
               .arg(QLocale::c().toString(QDate::currentDate().addDays(3), "M月d日"))
        << QList<int>{} << true;
}

void TestFrmSearch::todaysStudy() {
    using Record = QMap<int, QString>;
    QFETCH(Record, record);
    QFETCH(QString, line);
    QFETCH(QList<int>, words);
    QFETCH(bool, wordDrill);
    writeBytes(m_state->paths.configFile, "[CONFIG]\nGOAL=5\n");
    HistoryStore earlier;
    earlier.open(m_state->paths.historyFile);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (const int day : {1, 0}) {
        std::vector<AnsweredQuestion> answers;
        for (auto it = record.cbegin(); it != record.cend(); ++it) {
            const QChar answer = it.value()[1 - day];
            if (answer != QLatin1Char('.')) {
                answers.push_back({it.key(), 0, answer == QLatin1Char('R')});
            }
        }
        QVERIFY(earlier.record(answers, now.addDays(-day)));
    }
    earlier.close();
    openMenu();
    QTRY_COMPARE(labelText(QStringLiteral("lblToday")), line);
    search(QString());
    const DrillSet before = m_state->drill;

    clickAt(QStringLiteral("imgToday"));
    QCOMPARE(m_menu->messages.isEmpty(), !words.isEmpty());
    QList<int> picked(m_state->drill.drillWords.begin(), m_state->drill.drillWords.end());
    std::sort(picked.begin(), picked.end());
    std::sort(words.begin(), words.end());
    QVERIFY(words.isEmpty() ? m_state->drill.drillWords == before.drillWords : picked == words);
    QCOMPARE(panelRevealed(), true);
    QCOMPARE(m_state->settings.optTerms, wordDrill);
}

void TestFrmSearch::helpButtonOpensTheHelpScreen() {
    openMenu();
    search(QStringLiteral("abolish"));
    clickAt(QStringLiteral("imgHelp"));
    QCOMPARE(m_menu->openedScreens, QStringList{QStringLiteral("tavik::frmHelp")});
    QCOMPARE(labelText(QStringLiteral("lblCount")), QStringLiteral("1"));
    QVERIFY(!panelRevealed());

    m_menu->realModalLoops = true;
    ModalCloser closer([](QWidget* modal) {
        QCOMPARE(modal->objectName(), QStringLiteral("frmHelp"));
        QVERIFY(modal->isModal());
    });
    clickAt(QStringLiteral("imgHelp"));
    QVERIFY(closer.seen());
    QVERIFY(m_menu->isVisible());
}

void TestFrmSearch::exitEndsTheProgramWithoutSaving() {
    openMenu();
    search(QString());
    clickAt(QStringLiteral("imgRP_1"));
    int ends = 0;
    setProgramEndHandler([&] { ++ends; });
    clickAt(QStringLiteral("imgExit"));
    QCOMPARE(ends, 1);
    QVERIFY(m_menu->openedScreens.isEmpty());
    QVERIFY(!QFile::exists(m_state->paths.configFile));
    QVERIFY(!QFile::exists(m_state->paths.statisticsFile));
}

void TestFrmSearch::buttonsLightUpUntilThePointerCrossesTheBackground_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("pointAt");
    const QList<std::pair<const char*, const char*>> rows{
        {"imgS1", "imgS1"},   {"imgS1", "lblS1"},     {"imgS2", "lblS2"},
        {"imgHWG", "imgHWG"}, {"imgHelp", "imgHelp"}, {"imgExit", "imgExit"}};
    for (const auto& [button, pointAt] : rows) {
        QTest::addRow("%s over %s", button, pointAt)
            << QString::fromLatin1(button) << QString::fromLatin1(pointAt);
    }
}

void TestFrmSearch::buttonsLightUpUntilThePointerCrossesTheBackground() {
    QFETCH(QString, button);
    QFETCH(QString, pointAt);
    openMenu();
    search(QString());
    auto* picture = control<PictureButton>(button);
    QWindow* window = m_menu->windowHandle();
    const QPoint over =
        control<QWidget>(pointAt)->geometry().center() +
        (pointAt == QLatin1String("imgS1") || pointAt == QLatin1String("imgS2") ? QPoint(-50, 0)
                                                                                : QPoint());
    QTest::mouseMove(window, over);
    QVERIFY(picture->isHighlighted());
    // Text boxes and labels do not clear a highlight; the bare surface does.
    QTest::mouseMove(window, control<QWidget>(QStringLiteral("txtFreeWord"))->geometry().center());
    QVERIFY(picture->isHighlighted());
    QTest::mouseMove(window, QPoint(40, 300));
    QVERIFY(m_menu->childAt(40, 300) == nullptr);
    QVERIFY(!picture->isHighlighted());
}

QTEST_MAIN(TestFrmSearch)
#include "test_frmSearch.moc"
