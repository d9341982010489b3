#include "drill/answer_difference.h"
#include "drill/drill_hints.h"
#include "drill/drill_paging.h"
#include "drill/drill_questions.h"
#include "drill/grading.h"
#include "settings/statistics_recording.h"
#include "support/files.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace tavik;

namespace {

// Word questions asking for each of the answers.
std::vector<AnsweredQuestion> asking(const QStringList& answers) {
    std::vector<AnsweredQuestion> asked;
    for (const QString& answer : answers) {
        asked.push_back({.wordKey = 1, .headword = answer, .rightAnswer = answer});
    }
    return asked;
}

} // namespace

class DrillGradingTest : public QObject {
    Q_OBJECT

private slots:
    void pageCount_data();
    void pageCount();
    void pagingButtons_data();
    void pagingButtons();
    void rowsMapToQuestions();
    void answerComparison_data();
    void answerComparison();
    void gradingCountsAndRecords();
    void gradingWithFewerTypedAnswersThanQuestions();
    void scoreText();
    void hints_data();
    void hints();
    void damagedDrillSetIsReadSafely();
};

void DrillGradingTest::pageCount_data() {
    QTest::addColumn<int>("questions");
    QTest::addColumn<int>("pages");
    QTest::newRow("1") << 1 << 1;
    QTest::newRow("10") << 10 << 1;
    QTest::newRow("11") << 11 << 2;
    QTest::newRow("25") << 25 << 3;
    QTest::newRow("30") << 30 << 3;
    QTest::newRow("40") << 40 << 4;
    QTest::newRow("none still shows a page") << 0 << 1;
}

void DrillGradingTest::pageCount() {
    QFETCH(int, questions);
    QFETCH(int, pages);
    QCOMPARE(pageCountFor(questions), pages);
}

void DrillGradingTest::pagingButtons_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("pages");
    QTest::addColumn<bool>("next");
    QTest::addColumn<bool>("before");
    QTest::newRow("single page") << 1 << 1 << false << false;
    QTest::newRow("first of two") << 1 << 2 << true << false;
    QTest::newRow("last of two") << 2 << 2 << false << true;
    QTest::newRow("middle") << 2 << 3 << true << true;
}

void DrillGradingTest::pagingButtons() {
    QFETCH(int, page);
    QFETCH(int, pages);
    QFETCH(bool, next);
    QFETCH(bool, before);
    const PagingButtons buttons = pagingButtonsFor(page, pages);
    QCOMPARE(buttons.next, next);
    QCOMPARE(buttons.before, before);
}

void DrillGradingTest::rowsMapToQuestions() {
    QCOMPARE(questionIndex(1, 0), 0);
    QCOMPARE(questionIndex(1, 9), 9);
    QCOMPARE(questionIndex(2, 0), 10);
    QCOMPARE(questionIndex(3, 4), 24);
}

namespace {

// The difference written out: [+x] missing, [-x] extra, [x>y] x typed for y.
QString marked(const AnswerDifference& difference) {
    QString text;
    for (const DifferencePiece& piece : difference.pieces) {
        switch (piece.kind) {
        case DifferencePiece::Kind::Same:
            text += piece.typed;
            break;
        case DifferencePiece::Kind::Missing:
            text += QStringLiteral("[+%1]").arg(piece.expected);
            break;
        case DifferencePiece::Kind::Extra:
            text += QStringLiteral("[-%1]").arg(piece.typed);
            break;
        case DifferencePiece::Kind::Wrong:
            text += QStringLiteral("[%1>%2]").arg(piece.typed, piece.expected);
            break;
        }
    }
    return text;
}

} // namespace

void DrillGradingTest::answerComparison_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("right");
    QTest::addColumn<QString>("difference");
    QTest::addColumn<QStringList>("notes");
    const QStringList none;
    QTest::newRow("exact") << "abolish"
                           << "abolish" << true << "" << none;
    QTest::newRow("capital where lower case")
        << "Abolish"
        << "abolish" << false << "[A>a]bolish" << QStringList{"大文字/小文字"};
    QTest::newRow("lower case where capital")
        << "the"
        << "The" << false << "[t>T]he" << QStringList{"大文字/小文字"};
    QTest::newRow("trailing space")
        << "abolish "
        << "abolish" << false << "abolish[- ]" << QStringList{"末尾に空白"};
    QTest::newRow("leading space")
        << " abolish"
        << "abolish" << false << "[- ]abolish" << QStringList{"先頭に空白"};
    QTest::newRow("full-width letters")
        << "ａｂｏｌｉｓｈ"
        << "abolish" << false << "[ａ>a][ｂ>b][ｏ>o][ｌ>l][ｉ>i][ｓ>s][ｈ>h]"
        << QStringList{"全角文字"};
    QTest::newRow("Caps Lock on") << "ABOLISH"
                                  << "abolish" << false << "[A>a][B>b][O>o][L>l][I>i][S>s][H>h]"
                                  << QStringList{"大文字/小文字"};
    QTest::newRow("Caps Lock and a letter wrong")
        << "ABOLOSH"
        << "abolish" << false << "[A>a][B>b][O>o][L>l][O>i][S>s][H>h]"
        << QStringList{"大文字/小文字"};
    QTest::newRow("full-width capital and space")
        << "Ａbolish\u3000"
        << "abolish" << false << "[Ａ>a]bolish[-\u3000]"
        << QStringList{"末尾に空白", "全角文字", "大文字/小文字"};
    QTest::newRow("letter missing") << "accomodate"
                                    << "accommodate" << false << "acco[+m]modate" << none;
    QTest::newRow("letter extra") << "arresst"
                                  << "arrest" << false << "arre[-s]st" << none;
    QTest::newRow("letters swapped") << "recieve"
                                     << "receive" << false << "rec[+e]i[-e]ve" << none;
    QTest::newRow("another word") << "stair"
                                  << "custody" << false << "[stair>custody]" << none;
    QTest::newRow("prefix only") << "a"
                                 << "abolish" << false << "a[+bolish]" << none;
    QTest::newRow("empty") << ""
                           << "abolish" << false << "" << none;
    QTest::newRow("empty against empty") << ""
                                         << "" << false << "" << none;
}

void DrillGradingTest::answerComparison() {
    QFETCH(QString, typed);
    QFETCH(QString, answer);
    QFETCH(bool, right);
    QFETCH(QString, difference);
    QFETCH(QStringList, notes);
    QCOMPARE(isRightAnswer(typed, answer), right);
    const AnswerDifference found = answerDifference(typed, answer);
    QCOMPARE(marked(found), difference);
    QCOMPARE(found.notes, notes);
}

void DrillGradingTest::gradingCountsAndRecords() {
    const QTemporaryDir dir;
    const SettingsPaths paths = tavik::testing::settingsPathsIn(dir.path());
    DrillScreenState screen;
    screen.typedAnswers = {QStringLiteral("one"), QStringLiteral("Two"), QStringLiteral("three"),
                           QString()};
    screen.correctCount = 9;
    SettingsState settings;
    settings.statGames = 1;
    settings.statRate = 99;
    settings.statQuestions = 4;
    settings.statScore = 4;
    QVERIFY(writeStatistics(settings, paths));
    const GradedDrill graded =
        countOf(gradeDrill(screen, asking({QStringLiteral("one"), QStringLiteral("two"),
                                           QStringLiteral("three"), QStringLiteral("four")})));
    QCOMPARE(screen.correctCount, std::int16_t{2});
    QCOMPARE(graded.questionCount, 4);
    QCOMPARE(graded.correctCount, 2);
    QVERIFY(recordGradingToFile(settings, paths, graded.questionCount, graded.correctCount));
    SettingsState stored;
    readStatistics(stored, paths);
    for (const SettingsState* state : {&settings, &stored}) {
        QCOMPARE(state->statQuestions, std::int16_t{8});
        QCOMPARE(state->statScore, std::int16_t{6});
        QCOMPARE(state->statGames, std::int16_t{2});
        QCOMPARE(state->statRate, std::int16_t{74});
    }
}

void DrillGradingTest::gradingWithFewerTypedAnswersThanQuestions() {
    const QTemporaryDir dir;
    DrillScreenState screen;
    screen.typedAnswers = {QStringLiteral("one")};
    SettingsState settings;
    const GradedDrill graded = countOf(gradeDrill(
        screen, asking({QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")})));
    QCOMPARE(screen.correctCount, std::int16_t{1});
    QVERIFY(recordGradingToFile(settings, {QString(), dir.filePath(QStringLiteral("tavik.ini"))},
                                graded.questionCount, graded.correctCount));
    QCOMPARE(settings.statQuestions, std::int16_t{3});
    QCOMPARE(settings.statRate, std::int16_t{33});
}

void DrillGradingTest::scoreText() {
    QCOMPARE(tavik::scoreText(7, 10), QStringLiteral("7／10点"));
    QCOMPARE(tavik::scoreText(0, 3), QStringLiteral("0／3点"));
}

void DrillGradingTest::hints_data() {
    QTest::addColumn<int>("levelNumber");
    QTest::addColumn<QString>("prefill");
    QTest::addColumn<QString>("wordQuestion");
    QTest::addColumn<QString>("translation");
    QTest::newRow("初級") << int(Level::Beginner) << "T"
                          << "廃止する【3文字】"
                          << "　（訳）【3文字】";
    QTest::newRow("中級") << int(Level::Intermediate) << ""
                          << "廃止する【3文字】"
                          << "　（訳）【3文字】";
    QTest::newRow("上級") << int(Level::Advanced) << ""
                          << "廃止する"
                          << "　（訳）";
    QTest::newRow("no level yet") << int(SettingsState{}.level) << ""
                                  << "廃止する"
                                  << "　（訳）";
}

void DrillGradingTest::hints() {
    QFETCH(int, levelNumber);
    const auto level = Level(levelNumber);
    QFETCH(QString, prefill);
    QFETCH(QString, wordQuestion);
    QFETCH(QString, translation);
    const QString answer = QStringLiteral("The");
    QCOMPARE(prefilledAnswer(level, answer), prefill);
    QCOMPARE(retypableLetter(level, answer), prefill);
    // Typed after a given "l", an "l" is the way on in "llama".
    QCOMPARE(retypableLetter(level, QStringLiteral("llama")), QString());
    QCOMPARE(wordPrompt(QStringLiteral("廃止する"), answer, level, true), wordQuestion);
    QCOMPARE(wordPrompt(QStringLiteral("廃止する"), answer, level, false),
             QStringLiteral("廃止する"));
    QCOMPARE(translationLine(QStringLiteral("訳"), answer, level), translation);
}

void DrillGradingTest::damagedDrillSetIsReadSafely() {
    Banks banks;
    banks.WordBank = {{"主キー", "単語", "日本語訳"}, {"1", "abolish", "廃止する"}};
    banks.SentenceBank = {{"主キー", "単語キー", "前半", "単語", "後半", "日本語訳"},
                          {"1", "1", "They ", "abolished", " it.", "廃止した。"}};
    DrillSet drill;
    drill.drillWords = {1, 57, -3, 0};
    drill.drillSentences = {1};

    const auto words = wordQuestions(banks, drill);
    QCOMPARE(words.size(), std::size_t{4});
    QCOMPARE(words[0].headword, QStringLiteral("abolish"));
    QCOMPARE(words[0].meaning, QStringLiteral("廃止する"));
    QVERIFY(words[1].headword.isEmpty());
    QVERIFY(words[2].meaning.isEmpty());
    QVERIFY(words[3].headword.isEmpty()); // the header row is no question

    const auto sentences = sentenceQuestions(banks, drill);
    QCOMPARE(sentences.size(), std::size_t{1});
    QCOMPARE(sentences[0].wholeSentence(), QStringLiteral("They abolished it."));
    QCOMPARE(sentences[0].translation, QStringLiteral("廃止した。"));
}

QTEST_GUILESS_MAIN(DrillGradingTest)
#include "test_drill_grading.moc"
