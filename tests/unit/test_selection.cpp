#include "content/banks.h"
#include "drill/drill_set.h"
#include "drill/random_source.h"
#include "drill/selection.h"
#include "drill/todays_study.h"
#include "drill/weak_word_pick.h"

#include <QList>
#include <QMap>
#include <QSet>
#include <QTest>
#include <algorithm>

using namespace tavik;

namespace {

QList<int> sorted(const std::vector<std::int16_t>& list) {
    QList<int> rows(list.begin(), list.end());
    std::sort(rows.begin(), rows.end());
    return rows;
}

QList<int> range(int first, int last) {
    QList<int> rows;
    for (int r = first; r <= last; ++r) {
        rows.append(r);
    }
    return rows;
}

// A list holds exactly its questions.
void checkList(const std::vector<std::int16_t>& list, const QList<int>& expected) {
    QCOMPARE(static_cast<int>(list.size()), expected.size());
    QCOMPARE(sorted(list), expected);
}

// The sentence list holds the sentences of the asked words, each once, and
// nothing else. The bank is read by wordKey number here, independent of how
// the selection matches keys.
void checkSentencesMatchWords(const DrillSet& set, const Banks& banks) {
    const QList<int> words = sorted(set.drillWords);
    QList<int> expected;
    for (int s = 1; s < static_cast<int>(banks.SentenceBank.size()); ++s) {
        if (words.contains(banks.SentenceBank[s][SentenceField::WordKey].toInt())) {
            expected.append(s);
        }
    }
    checkList(set.drillSentences, expected);
}

BankRow wordRow(int key, const QString& headword, const QString& meaning) {
    return {QString::number(key), headword, meaning};
}

BankRow sentenceRow(int key, int wordKey) {
    return {QString::number(key), QString::number(wordKey), {}, {}, {}, {}};
}

// Four words, one sentence each: small enough to count every order.
Banks japaneseFixture() {
    Banks banks;
    banks.WordBank = {{"主キー", "単語", "日本語訳"},
                      wordRow(1, "abolish", "廃止する。"),
                      wordRow(2, "adapt", "適応させる。"),
                      wordRow(3, "demolish", "廃止する。破壊する。"),
                      wordRow(4, "fee", "料金。")};
    banks.SentenceBank = {{"主キー", "単語キー", "前半", "単語", "後半", "日本語訳"},
                          sentenceRow(1, 1),
                          sentenceRow(2, 2),
                          sentenceRow(3, 3),
                          sentenceRow(4, 4)};
    return banks;
}

// Chi-square statistic of observed counts against equal expectation over
// `categories` outcomes (outcomes never seen count as 0).
double chiSquare(const QMap<QList<int>, int>& observed, int categories, int draws) {
    const double expected = static_cast<double>(draws) / categories;
    double statistic = (categories - observed.size()) * expected;
    for (const int seen : observed) {
        statistic += (seen - expected) * (seen - expected) / expected;
    }
    return statistic;
}

// 99.9 % points of the chi-square distribution.
constexpr double kChiSquare23 = 49.73;
constexpr double kChiSquare5 = 20.52;

} // namespace

class TestSelection : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void search_data();
    void search();
    void randomPick_data();
    void randomPick();
    void sentenceListUsesAskedWordsOnly_data();
    void sentenceListUsesAskedWordsOnly();
    void randomOrder_data();
    void randomOrder();
    void randomIntCoversRange_data();
    void randomIntCoversRange();
    void drawsAreUniform_data();
    void drawsAreUniform();
    void unseededSelectionsDiffer();
    void weakWordPick_data();
    void weakWordPick();
    void weakWordOrder_data();
    void weakWordOrder();
    void confusedWordsAskedSideBySide_data();
    void confusedWordsAskedSideBySide();

private:
    Banks m_banks;
};

void TestSelection::initTestCase() {
    loadBanks(m_banks);
    QCOMPARE(static_cast<int>(m_banks.WordBank.size()), kWordRows + 1);
    QCOMPARE(static_cast<int>(m_banks.SentenceBank.size()), kSentenceRows + 1);
}

void TestSelection::weakWordPick_data() {
    QTest::addColumn<QList<int>>("due");
    QTest::addColumn<QString>("countText");
    QTest::addColumn<QList<int>>("words");      // the weakest first; empty: nothing picked
    QTest::addColumn<QStringList>("headwords"); // as stored with the due words; none: by key

    QTest::newRow("no count chosen takes 10")
        << range(30, 45) << "問題数を選んでください" << range(30, 39) << QStringList();
    QTest::newRow("count box 5") << range(30, 45) << "5問" << range(30, 34) << QStringList();
    QTest::newRow("weakest first, in the record's order")
        << QList<int>{44, 2, 136} << "40問" << QList<int>{44, 2, 136} << QStringList();
    QTest::newRow("keys outside the bank passed over, its last word kept")
        << QList<int>{0, 142, 141, -3, 25} << "10問" << QList<int>{141, 25} << QStringList();
    QTest::newRow("only keys outside the bank")
        << QList<int>{200} << "10問" << QList<int>{} << QStringList();
    // The bank has changed since: the record's key 1 is now the word acquit.
    QTest::newRow("found by headword, not by key")
        << QList<int>{1, 2} << "10問" << QList<int>{2, 1} << QStringList{"acquit", "abolish"};
    QTest::newRow("headword no longer in the bank passed over")
        << QList<int>{1, 2} << "10問" << QList<int>{1} << QStringList{"gone", "abolish"};
}

void TestSelection::weakWordPick() {
    QFETCH(QList<int>, due);
    QFETCH(QString, countText);
    QFETCH(QList<int>, words);
    QFETCH(QStringList, headwords);

    const DrillSet before{{7, 8, 9}, {7, 8, 9}};
    DrillSet set = before;
    RandomSource random(3);
    // Every due word missed yesterday at the same moment.
    const QDateTime yesterday(QDate::currentDate().addDays(-1), QTime(12, 0));
    std::vector<StoredAnswer> answers;
    for (qsizetype i = 0; i < due.size(); ++i) {
        answers.push_back({yesterday, due[i], headwords.value(i), 0, QString(), false});
    }
    const BookMemory book = bookMemory(m_banks, answers, kDefaultRetention);
    const bool picked = selectWeakWords(
        set, m_banks, weakWordCandidates(book, QDate::currentDate()), countText, random);

    QCOMPARE(picked, !words.isEmpty());
    if (!picked) {
        QCOMPARE(set.drillWords, before.drillWords);
        QCOMPARE(set.drillSentences, before.drillSentences);
        return;
    }
    // The drill shows the words picked shuffled, so their order gives
    // nothing away.
    QList<int> drilled(set.drillWords.begin(), set.drillWords.end());
    if (words.size() >= 5) {
        QVERIFY(drilled != words);
    }
    std::sort(drilled.begin(), drilled.end());
    std::sort(words.begin(), words.end());
    QCOMPARE(drilled, words);
    checkSentencesMatchWords(set, m_banks);
}

void TestSelection::weakWordOrder_data() {
    // Each word: its key, then its answers as days ago, negative for wrong
    // (-100 for wrong today).
    QTest::addColumn<QList<QList<int>>>("words");
    QTest::addColumn<QList<int>>("order");
    QTest::addColumn<int>("dueCount"); // on the 苦手 button
    QTest::newRow("a word missed before a word fallen due")
        << QList<QList<int>>{{1, 10}, {2, -1}} << QList<int>{2, 1} << 2;
    // R(10, 3.173) = 0.758 against R(5, 3.173) = 0.854.
    QTest::newRow("lower recall first")
        << QList<QList<int>>{{1, 5}, {2, 10}} << QList<int>{2, 1} << 2;
    // Word 1 right 9 and 8 days ago: S = 5.869, R(8) = 0.870; word 2 right
    // 6 days ago: R(6, 3.173) = 0.832. Without its later answer word 1
    // would be the weaker, R(9, 3.173) = 0.754.
    QTest::newRow("a later answer counts")
        << QList<QList<int>>{{1, 9, 8}, {2, 6}} << QList<int>{2, 1} << 2;
    QTest::newRow("not yet due left out, equals by book order")
        << QList<QList<int>>{{1, 1}, {3, -2}, {2, -1}} << QList<int>{2, 3} << 2;
    QTest::newRow("missed today stays due")
        << QList<QList<int>>{{4, -100}, {5, 10}} << QList<int>{4, 5} << 2;
    // Word 2 falls due in 3 days, word 3 in 2: the lone due word is paired
    // with the one due next.
    QTest::newRow("a lone due word paired with the word due next")
        << QList<QList<int>>{{2, 0}, {1, -1}, {3, 1}} << QList<int>{1, 3} << 1;
    QTest::newRow("a word the bank no longer has is neither due nor offered")
        << QList<QList<int>>{{200, -1}, {5, -1}, {6, 1}} << QList<int>{5, 6} << 1;
}

void TestSelection::weakWordOrder() {
    QFETCH(QList<QList<int>>, words);
    QFETCH(QList<int>, order);
    QFETCH(int, dueCount);
    const QDate today = QDate::currentDate();
    std::vector<StoredAnswer> answers;
    for (const QList<int>& word : words) {
        for (qsizetype i = 1; i < word.size(); ++i) {
            const int days = word[i] == -100 ? 0 : std::abs(word[i]);
            answers.push_back({QDateTime(today.addDays(-days), QTime(12, 0)), word[0], QString(), 0,
                               QString(), word[i] >= 0});
        }
    }
    std::sort(answers.begin(), answers.end(),
              [](const StoredAnswer& a, const StoredAnswer& b) { return a.when < b.when; });
    const BookMemory book = bookMemory(m_banks, answers, kDefaultRetention);
    QList<int> candidates;
    for (const BookWord& word : weakWordCandidates(book, today)) {
        candidates.append(word.row);
    }
    QCOMPARE(candidates, order);
    QCOMPARE(static_cast<int>(dueBookWords(book, today).size()), dueCount);
}

void TestSelection::confusedWordsAskedSideBySide_data() {
    // Each answer: word key, typed, right, days ago.
    using Answer = std::tuple<int, QString, bool, int>;
    QTest::addColumn<QList<Answer>>("answers");
    QTest::addColumn<QList<int>>("pair"); // the open pair; empty: none
    QTest::newRow("a word answered with another")
        << QList<Answer>{{26, "compliment", false, 1}} << QList<int>{26, 27};
    QTest::newRow("in capitals and full-width letters, with blanks")
        << QList<Answer>{{5, " ＡＤＡＰＴ", false, 1}} << QList<int>{3, 5};
    QTest::newRow("its own word in capitals is no pair")
        << QList<Answer>{{26, "COMPLEMENT", false, 1}} << QList<int>{};
    QTest::newRow("a misspelling is no other word")
        << QList<Answer>{{26, "complemint", false, 1}} << QList<int>{};
    QTest::newRow("both right on one day settles it")
        << QList<Answer>{{114, "stare", false, 2}, {114, "stair", true, 1}, {115, "stare", true, 1}}
        << QList<int>{};
    QTest::newRow("right on different days does not")
        << QList<Answer>{{114, "stare", false, 2}, {114, "stair", true, 1}, {115, "stare", true, 0}}
        << QList<int>{114, 115};
    QTest::newRow("a miss after the right answer undoes it")
        << QList<Answer>{{114, "stare", false, 2},
                         {114, "stair", true, 0},
                         {114, "stir", false, 0},
                         {115, "stare", true, 0}}
        << QList<int>{114, 115};
}

void TestSelection::confusedWordsAskedSideBySide() {
    using Answer = std::tuple<int, QString, bool, int>;
    QFETCH(QList<Answer>, answers);
    QFETCH(QList<int>, pair);
    const QDate today = QDate::currentDate();
    std::vector<StoredAnswer> stored;
    int minute = 0;
    for (const auto& [word, typed, right, days] : answers) {
        stored.push_back({QDateTime(today.addDays(-days), QTime(12, ++minute)), word,
                          m_banks.WordBank[static_cast<std::size_t>(word)][WordField::Headword], 0,
                          typed, right});
    }
    const BookMemory book = bookMemory(m_banks, stored, kDefaultRetention);
    QList<int> open;
    for (const ConfusionPair& confused : book.confusions) {
        open << confused.first << confused.second;
    }
    QCOMPARE(open, pair);
    if (pair.isEmpty()) {
        return;
    }
    // Today's drill leads with the pair and asks its words side by side,
    // in the word and in the sentence drill.
    const TodaysStudy study = planToday(book, m_banks, today, 10);
    QCOMPARE(QList<int>(study.due.begin(), study.due.begin() + 2), pair);
    for (const unsigned seed : {1U, 2U, 3U}) {
        DrillSet set;
        RandomSource random(seed);
        QVERIFY(selectToday(set, m_banks, study, random));
        const auto first = std::find(set.drillWords.begin(), set.drillWords.end(), pair[0]);
        const auto second = std::find(set.drillWords.begin(), set.drillWords.end(), pair[1]);
        QCOMPARE(std::abs(std::distance(first, second)), 1);
        // The sentences of the pair's words form one block.
        QList<qsizetype> pairSentences;
        for (qsizetype at = 0; at < static_cast<qsizetype>(set.drillSentences.size()); ++at) {
            const int word = m_banks
                                 .SentenceBank[static_cast<std::size_t>(set.drillSentences[at])]
                                              [SentenceField::WordKey]
                                 .toInt();
            if (pair.contains(word)) {
                pairSentences.append(at);
            }
        }
        QVERIFY(pairSentences.size() >= 2);
        QCOMPARE(pairSentences.back() - pairSentences.front() + 1, pairSentences.size());
    }
}

void TestSelection::search_data() {
    QTest::addColumn<QString>("freeWord");
    QTest::addColumn<QList<int>>("words");
    QTest::addColumn<QList<int>>("sentences");

    QTest::newRow("one word") << "abolish" << QList<int>{1} << QList<int>{1};
    QTest::newRow("case-sensitive") << "Abolish" << QList<int>{} << QList<int>{};
    QTest::newRow("no match") << "zzz" << QList<int>{} << QList<int>{};
    QTest::newRow("full-width letters, as an input method gives them")
        << "ａｂｏｌｉｓｈ" << QList<int>{1} << QList<int>{1};
    QTest::newRow("full-width capitals stay capitals")
        << "ＡＢＯＬＩＳＨ" << QList<int>{} << QList<int>{};
    QTest::newRow("substring") << "deduct" << QList<int>{48, 49, 50} << QList<int>{49, 50, 51};
    QTest::newRow("Japanese meaning") << "廃止" << QList<int>{1, 52} << QList<int>{1, 53};
    QTest::newRow("later gloss") << "取り壊" << QList<int>{52} << QList<int>{53};
    QTest::newRow("gloss in several meanings")
        << "料金" << QList<int>{77, 78} << QList<int>{78, 79};
    QTest::newRow("word 25 two sentences") << "compile" << QList<int>{25} << QList<int>{25, 26};
    QTest::newRow("word 44 two sentences") << "custody" << QList<int>{44} << QList<int>{45, 137};
    QTest::newRow("word 136 two sentences") << "fire" << QList<int>{136} << QList<int>{138, 139};
    QTest::newRow("empty text selects all") << "" << range(1, kWordRows) << range(1, kSentenceRows);
}

void TestSelection::search() {
    QFETCH(QString, freeWord);
    QFETCH(QList<int>, words);
    QFETCH(QList<int>, sentences);

    DrillSet set{{7, 8, 9}, {7, 8, 9}};
    RandomSource random(42);
    selectBySearch(set, m_banks, freeWord, random);

    checkList(set.drillWords, words);
    checkList(set.drillSentences, sentences);
}

void TestSelection::randomPick_data() {
    QTest::addColumn<QString>("countText");
    QTest::addColumn<int>("count");

    QTest::newRow("5") << "5問" << 5;
    QTest::newRow("10") << "10問" << 10;
    QTest::newRow("40") << "40問" << 40;
    QTest::newRow("full-width 10") << "１０問" << 10;
    QTest::newRow("blanks around") << " 10 " << 10;
    QTest::newRow("all") << "141問" << 141;
    QTest::newRow("above the bank") << "200問" << 141;
    QTest::newRow("huge") << "99999999999問" << 141;
    QTest::newRow("exponent") << "1e3問" << 141;
    QTest::newRow("negative") << "-3問" << 0;
    QTest::newRow("zero") << "0問" << 0;
    QTest::newRow("no number") << "abc" << 0;
    QTest::newRow("empty") << "" << 0;
}

void TestSelection::randomPick() {
    QFETCH(QString, countText);
    QFETCH(int, count);

    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        DrillSet set{{7, 8, 9}, {7, 8, 9}};
        RandomSource random(seed);
        selectAtRandom(set, m_banks, countText, random);

        QCOMPARE(static_cast<int>(set.drillWords.size()), count);
        const QList<int> words = sorted(set.drillWords);
        if (count > 0) {
            QCOMPARE(QSet<int>(words.begin(), words.end()).size(), count);
            QVERIFY(words.first() >= 1 && words.last() <= kWordRows);
        }
        const auto sentences = static_cast<int>(set.drillSentences.size());
        QVERIFY(sentences >= count && sentences <= count + 3);
        checkSentencesMatchWords(set, m_banks);
    }
}

void TestSelection::sentenceListUsesAskedWordsOnly_data() {
    QTest::addColumn<QList<int>>("words");
    QTest::addColumn<QList<int>>("sentences");

    QTest::newRow("one word, two sentences") << QList<int>{25} << QList<int>{25, 26};
    QTest::newRow("both words") << QList<int>{25, 1} << QList<int>{1, 25, 26};
    QTest::newRow("two words, two sentences each")
        << QList<int>{44, 136} << QList<int>{45, 137, 138, 139};
    QTest::newRow("rows outside the bank") << QList<int>{0, 999, -5, 1} << QList<int>{1};
    QTest::newRow("empty list") << QList<int>{} << QList<int>{};
}

void TestSelection::sentenceListUsesAskedWordsOnly() {
    QFETCH(QList<int>, words);
    QFETCH(QList<int>, sentences);

    DrillSet set;
    for (const int w : words) {
        set.drillWords.push_back(static_cast<std::int16_t>(w));
    }
    RandomSource random(3);
    buildSentenceList(set, m_banks, random);

    checkList(set.drillSentences, sentences);
}

void TestSelection::randomOrder_data() {
    QTest::addColumn<int>("hi");
    QTest::addColumn<int>("lo");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("unique");
    QTest::addColumn<int>("length");

    QTest::newRow("permutation") << 9 << 0 << 10 << true << 10;
    QTest::newRow("sample") << 141 << 1 << 5 << true << 5;
    QTest::newRow("single value") << 7 << 7 << 1 << true << 1;
    QTest::newRow("negative values") << -1 << -6 << 6 << true << 6;
    QTest::newRow("count above range") << 3 << 0 << 5 << true << 0;
    QTest::newRow("zero count") << 3 << 0 << 0 << true << 0;
    QTest::newRow("negative count") << 3 << 0 << -2 << true << 0;
    QTest::newRow("reversed range") << 0 << 3 << 2 << false << 0;
    QTest::newRow("repeats allowed") << 2 << 0 << 50 << false << 50;
    QTest::newRow("beyond 16 bits") << 40000 << 0 << 1 << true << 0;
    QTest::newRow("count beyond 16 bits") << 1 << 0 << 40000 << false << 0;
}

void TestSelection::randomOrder() {
    QFETCH(int, hi);
    QFETCH(int, lo);
    QFETCH(int, count);
    QFETCH(bool, unique);
    QFETCH(int, length);

    RandomSource random(11);
    const std::vector<std::int16_t> result = tavik::randomOrder(hi, lo, count, unique, random);

    QCOMPARE(static_cast<int>(result.size()), length);
    QSet<int> seen;
    for (const std::int16_t value : result) {
        QVERIFY(value >= lo && value <= hi);
        seen.insert(value);
    }
    if (unique) {
        QCOMPARE(seen.size(), length);
    } else if (length > 0) {
        QCOMPARE(seen.size(), hi - lo + 1);
    }
}

void TestSelection::randomIntCoversRange_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<QList<int>>("values");

    QTest::newRow("one") << 1 << QList<int>{1};
    QTest::newRow("two") << 2 << QList<int>{1, 2};
    QTest::newRow("whole bank") << kWordRows << range(1, kWordRows);
    QTest::newRow("empty") << 0 << QList<int>{0};
    QTest::newRow("negative") << -4 << QList<int>{0};
}

void TestSelection::randomIntCoversRange() {
    QFETCH(int, size);
    QFETCH(QList<int>, values);

    RandomSource random(5);
    QSet<int> seen;
    for (int i = 0; i < 5000; ++i) {
        seen.insert(randomInt(size, random));
    }
    QList<int> drawn(seen.begin(), seen.end());
    std::sort(drawn.begin(), drawn.end());
    QCOMPARE(drawn, values);
}

namespace {

enum class Draw { Permutation, SearchWords, SearchSentences, Position };

QList<int> drawOnce(Draw kind, const Banks& fixture, RandomSource& random) {
    if (kind == Draw::Position) {
        return {randomInt(6, random)};
    }
    if (kind == Draw::Permutation) {
        const std::vector<std::int16_t> p = tavik::randomOrder(3, 0, 4, true, random);
        return QList<int>(p.begin(), p.end());
    }
    DrillSet set;
    selectBySearch(set, fixture, QString(), random);
    const std::vector<std::int16_t>& list =
        kind == Draw::SearchWords ? set.drillWords : set.drillSentences;
    return QList<int>(list.begin(), list.end());
}

} // namespace

void TestSelection::drawsAreUniform_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("outcomes");
    QTest::addColumn<double>("limit");

    QTest::newRow("permutation of 4") << int(Draw::Permutation) << 24 << kChiSquare23;
    QTest::newRow("search word order") << int(Draw::SearchWords) << 24 << kChiSquare23;
    QTest::newRow("search sentence order") << int(Draw::SearchSentences) << 24 << kChiSquare23;
    QTest::newRow("position of 6") << int(Draw::Position) << 6 << kChiSquare5;
}

// Fixed seeds keep these deterministic; a biased shuffle (such as swapping
// each entry with any position) lands far above the limit.
void TestSelection::drawsAreUniform() {
    QFETCH(int, kind);
    QFETCH(int, outcomes);
    QFETCH(double, limit);

    const Banks fixture = japaneseFixture();
    RandomSource random(2024);
    const int draws = 1000 * outcomes;
    QMap<QList<int>, int> seen;
    for (int i = 0; i < draws; ++i) {
        ++seen[drawOnce(static_cast<Draw>(kind), fixture, random)];
    }
    QCOMPARE(seen.size(), outcomes);
    const double statistic = chiSquare(seen, outcomes, draws);
    QVERIFY2(statistic < limit, qPrintable(QString::number(statistic)));
}

void TestSelection::unseededSelectionsDiffer() {
    RandomSource random;
    DrillSet first;
    DrillSet second;

    selectBySearch(first, m_banks, QString(), random);
    selectBySearch(second, m_banks, QString(), random);
    QVERIFY(first.drillWords != second.drillWords);
    QVERIFY(first.drillSentences != second.drillSentences);

    selectAtRandom(first, m_banks, QStringLiteral("40問"), random);
    selectAtRandom(second, m_banks, QStringLiteral("40問"), random);
    QVERIFY(first.drillWords != second.drillWords);
}

QTEST_APPLESS_MAIN(TestSelection)
#include "test_selection.moc"
