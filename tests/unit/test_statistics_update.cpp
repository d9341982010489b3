#include "settings/level.h"
#include "settings/statistics_update.h"

#include <QTest>

using tavik::SettingsState;

class TestStatisticsUpdate : public QObject {
    Q_OBJECT

private slots:
    void level_data();
    void level();
    void recordGrading_data();
    void recordGrading();
    void manyDrillsKeepTheMean();
};

void TestStatisticsUpdate::level_data() {
    QTest::addColumn<int>("games");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("questions");
    QTest::addColumn<QString>("levelText");
    QTest::addColumn<QString>("lblRate");
    QTest::addColumn<QString>("toNextLevel");

    QTest::newRow("nothing graded yet") << 0 << 0 << 0 << "初級"
                                        << "0"
                                        << "中級まで：採点あと6回、平均正答率あと46ポイント";
    QTest::newRow("11 drills at 71")
        << 11 << 71 << 200 << "上級"
        << "71"
        << "最高のレベルです（平均正答率が70%以下になると中級に戻ります）";
    QTest::newRow("11 drills at 70") << 11 << 70 << 200 << "中級"
                                     << "70"
                                     << "上級まで：平均正答率あと1ポイント";
    QTest::newRow("10 drills at 100") << 10 << 100 << 200 << "中級"
                                      << "100"
                                      << "上級まで：採点あと1回";
    QTest::newRow("6 drills at 46") << 6 << 46 << 60 << "中級"
                                    << "46"
                                    << "上級まで：採点あと5回、平均正答率あと25ポイント";
    QTest::newRow("6 drills at 45") << 6 << 45 << 60 << "初級"
                                    << "45"
                                    << "中級まで：平均正答率あと1ポイント";
    QTest::newRow("5 drills at 100") << 5 << 100 << 50 << "初級"
                                     << "100"
                                     << "中級まで：採点あと1回";
    QTest::newRow("no questions hides the rate") << 11 << 55 << 0 << "中級"
                                                 << "0"
                                                 << "上級まで：平均正答率あと16ポイント";
    QTest::newRow("negative values") << -1 << -20 << 5 << "初級"
                                     << "-20"
                                     << "中級まで：採点あと7回、平均正答率あと66ポイント";
    QTest::newRow("largest values")
        << 32767 << 32767 << 32767 << "上級"
        << "32767"
        << "最高のレベルです（平均正答率が70%以下になると中級に戻ります）";
}

void TestStatisticsUpdate::level() {
    QFETCH(int, games);
    QFETCH(int, rate);
    QFETCH(int, questions);
    QFETCH(QString, levelText);
    QFETCH(QString, lblRate);
    QFETCH(QString, toNextLevel);
    SettingsState settings;
    settings.statGames = static_cast<std::int16_t>(games);
    settings.statRate = static_cast<std::int16_t>(rate);
    settings.statQuestions = static_cast<std::int16_t>(questions);
    const tavik::LevelLabels labels = tavik::updateLevel(settings);
    QCOMPARE(tavik::levelName(settings.level), levelText);
    QCOMPARE(labels.lblLevel, levelText);
    QCOMPARE(labels.lblNog, QString::number(games));
    QCOMPARE(labels.lblRate, lblRate);
    QCOMPARE(tavik::nextLevelText(settings), toNextLevel);
    // The rule as the rows above find it.
    QCOMPARE(tavik::levelRuleText(),
             QStringLiteral("採点6回・平均正答率46%以上で中級、11回・71%以上で上級"));
}

void TestStatisticsUpdate::recordGrading_data() {
    QTest::addColumn<int>("games");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("questions");
    QTest::addColumn<int>("score");
    QTest::addColumn<int>("questionCount");
    QTest::addColumn<int>("correctCount");
    QTest::addColumn<int>("percent");
    QTest::addColumn<int>("newRate");
    QTest::addColumn<int>("newGames");
    QTest::addColumn<int>("newQuestions");
    QTest::addColumn<int>("newScore");

    QTest::newRow("15 of 20 after two at 50")
        << 2 << 50 << 40 << 20 << 20 << 15 << 75 << 58 << 3 << 60 << 35;
    QTest::newRow("7 of 10 after two at 55")
        << 2 << 55 << 20 << 11 << 10 << 7 << 70 << 60 << 3 << 30 << 18;
    QTest::newRow("mean truncates") << 1 << 99 << 10 << 9 << 10 << 10 << 100 << 99 << 2 << 20 << 19;
    QTest::newRow("percent truncates") << 0 << 0 << 0 << 0 << 3 << 2 << 66 << 66 << 1 << 3 << 2;
    QTest::newRow("first drill sets the rate")
        << 0 << 0 << 0 << 0 << 5 << 5 << 100 << 100 << 1 << 5 << 5;
    QTest::newRow("nothing right") << 4 << 80 << 40 << 32 << 10 << 0 << 0 << 64 << 5 << 50 << 32;
    QTest::newRow("product beyond 16 bits")
        << 1000 << 100 << 10000 << 10000 << 10 << 10 << 100 << 100 << 1001 << 10010 << 10010;
    QTest::newRow("counters saturate")
        << 32767 << 100 << 32760 << 32765 << 10 << 10 << 100 << 100 << 32767 << 32767 << 32767;
    QTest::newRow("no questions") << 3 << 60 << 30 << 18 << 0 << 0 << 0 << 45 << 4 << 30 << 18;
    QTest::newRow("more right than asked")
        << 0 << 0 << 0 << 0 << 10 << 12 << 100 << 100 << 1 << 10 << 10;
    QTest::newRow("negative drill count from a damaged file")
        << -1 << 50 << 0 << 0 << 5 << 4 << 80 << 80 << 0 << 5 << 4;
    QTest::newRow("most negative values from a damaged file")
        << -32768 << -32768 << -32768 << -32768 << 10 << 5 << 50 << 50 << -32767 << -32758
        << -32763;
}

void TestStatisticsUpdate::recordGrading() {
    QFETCH(int, games);
    QFETCH(int, rate);
    QFETCH(int, questions);
    QFETCH(int, score);
    QFETCH(int, questionCount);
    QFETCH(int, correctCount);
    SettingsState settings;
    settings.statGames = static_cast<std::int16_t>(games);
    settings.statRate = static_cast<std::int16_t>(rate);
    settings.statQuestions = static_cast<std::int16_t>(questions);
    settings.statScore = static_cast<std::int16_t>(score);
    settings.userName = QStringLiteral("name");

    QTEST(tavik::recordGrading(settings, questionCount, correctCount), "percent");
    QTEST(int{settings.statRate}, "newRate");
    QTEST(int{settings.statGames}, "newGames");
    QTEST(int{settings.statQuestions}, "newQuestions");
    QTEST(int{settings.statScore}, "newScore");
    QCOMPARE(settings.userName, QStringLiteral("name"));
}

// Hundreds of drills push games times rate far past 16 bits; the mean must
// still follow the drills.
void TestStatisticsUpdate::manyDrillsKeepTheMean() {
    SettingsState settings;
    for (int drill = 0; drill < 600; ++drill) {
        tavik::recordGrading(settings, 10, 10);
    }
    QCOMPARE(settings.statRate, 100);
    QCOMPARE(settings.statGames, 600);
    QCOMPARE(settings.statQuestions, 6000);
}

QTEST_GUILESS_MAIN(TestStatisticsUpdate)
#include "test_statistics_update.moc"
