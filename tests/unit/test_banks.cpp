#include "content/banks.h"
#include "unit/expected_banks.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <QTest>

#include <algorithm>
#include <iterator>
#include <map>

using namespace tavik;

namespace {

constexpr int kEmptyBeforeRows[] = {6, 42, 53, 79, 81, 94, 106};
constexpr int kHyphenBeforeRow = 50;

bool opensSentence(int row) {
    return std::find(std::begin(kEmptyBeforeRows), std::end(kEmptyBeforeRows), row) !=
           std::end(kEmptyBeforeRows);
}

// The word a sentence row drills, as the row order of the bank fixes it:
// one sentence a word in word order, with a second sentence for word 25
// beside its first, for word 44 behind the sentences of words 1 to 135,
// and for word 136 beside its first.
int wordKeyByOrder(int row) {
    if (row <= 25) {
        return row;
    }
    if (row <= 136) {
        return row - 1;
    }
    if (row == 137) {
        return 44;
    }
    if (row == 138) {
        return 136;
    }
    return row - 3;
}

bool isVowel(QChar c) {
    return QStringLiteral("aeiou").contains(c);
}

// A final consonant after a single vowel may be doubled before -ed and -ing
// ("acquitted", "blurred"); "qu" counts as a consonant. Stress is not
// considered, so both "exhibited" and "exhibitted" pass.
bool mayDoubleFinalConsonant(const QString& word) {
    const qsizetype n = word.size();
    if (n < 3 || isVowel(word[n - 1]) || QStringLiteral("wxy").contains(word[n - 1]) ||
        !isVowel(word[n - 2])) {
        return false;
    }
    return !isVowel(word[n - 3]) || (word[n - 3] == u'u' && n >= 4 && word[n - 4] == u'q');
}

// Whether answer is a form of headword a sentence may ask for: the word
// itself or a regular inflection (-s, -es, -ed, -ing, y to i, a final e
// dropped, a final consonant doubled), a capital first letter allowed where
// the blank opens the sentence. Irregular forms are listed.
bool isFormOf(const QString& answer, const QString& headword) {
    static const std::map<QString, QString> irregular = {
        {QStringLiteral("fallen"), QStringLiteral("fall")},
        {QStringLiteral("withheld"), QStringLiteral("withhold")},
    };
    if (answer.isEmpty()) {
        return false;
    }
    const QString word = answer.front().toLower() + answer.mid(1);
    if (word == headword) {
        return true;
    }
    if (const auto it = irregular.find(word); it != irregular.end()) {
        return it->second == headword;
    }
    QStringList forms;
    const QChar last = headword.back();
    const QString stem = headword.chopped(1);
    if (last == u'e') {
        forms << headword + u's' << headword + u'd' << stem + QStringLiteral("ing");
    } else if (last == u'y') {
        forms << stem + QStringLiteral("ies") << stem + QStringLiteral("ied")
              << headword + QStringLiteral("ing") << headword + u's'
              << headword + QStringLiteral("ed");
    } else {
        forms << headword + u's' << headword + QStringLiteral("es")
              << headword + QStringLiteral("ed") << headword + QStringLiteral("ing");
        if (mayDoubleFinalConsonant(headword)) {
            forms << headword + last + QStringLiteral("ed")
                  << headword + last + QStringLiteral("ing");
        }
    }
    return forms.contains(word);
}

bool isPlainAscii(const QString& text) {
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() >= 0x20 && c.unicode() <= 0x7e; });
}

// Japanese text writes numbers and Latin letters half-width, as newspapers
// do; a full-width "２" or "ＣＥＯ" slipped in from an input method is a fault.
bool hasFullWidthAlphanumeric(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        return (c >= u'０' && c <= u'９') || (c >= u'Ａ' && c <= u'Ｚ') ||
               (c >= u'ａ' && c <= u'ｚ');
    });
}

QStringList sensesOf(const QString& meaning) {
    return meaning.split(u'。', Qt::SkipEmptyParts);
}

QStringList linesOf(const QString& resource) {
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

} // namespace

class TestBanks : public QObject {
    Q_OBJECT

private:
    Banks banks;

    const BankRow& word(int row) const { return banks.WordBank.at(static_cast<std::size_t>(row)); }
    const BankRow& sentence(int row) const {
        return banks.SentenceBank.at(static_cast<std::size_t>(row));
    }

private slots:
    void initTestCase() {
        loadBanks(banks);
        QCOMPARE(banks.WordBank.size(), std::size_t(kWordRows + 1));
        QCOMPARE(banks.SentenceBank.size(), std::size_t(kSentenceRows + 1));
    }

    // The loader pads or cuts every row to its field count, so a stray or
    // missing tab in a content file shows only in the file itself.
    void fileLayout_data() {
        QTest::addColumn<QString>("resource");
        QTest::addColumn<int>("lineCount");
        QTest::addColumn<int>("fieldCount");
        QTest::newRow("words") << QStringLiteral(":/content/words.tsv") << 142 << 3;
        QTest::newRow("sentences") << QStringLiteral(":/content/sentences.tsv") << 145 << 6;
    }

    void fileLayout() {
        QFETCH(QString, resource);
        QFETCH(int, lineCount);
        QFETCH(int, fieldCount);
        const QStringList lines = linesOf(resource);
        QCOMPARE(lines.size(), lineCount);
        for (int i = 0; i < lines.size(); ++i) {
            QVERIFY2(!lines[i].endsWith(u'\r'), qPrintable(QStringLiteral("line %1").arg(i + 1)));
            QVERIFY2(lines[i].count(u'\t') == fieldCount - 1,
                     qPrintable(QStringLiteral("line %1: %2").arg(i + 1).arg(lines[i])));
        }
    }

    void headerRows() {
        QCOMPARE(word(0), (BankRow{"主キー", "単語", "日本語訳"}));
        QCOMPARE(sentence(0), (BankRow{"主キー", "単語キー", "前半", "単語", "後半", "日本語訳"}));
    }

    void wordRow_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("headword");
        for (int r = 1; r <= kWordRows; ++r) {
            const QString headword = QString::fromLatin1(expected::kHeadwords.at(r - 1));
            QTest::addRow("%d %s", r, qPrintable(headword)) << r << headword;
        }
    }

    void wordRow() {
        QFETCH(int, row);
        QFETCH(QString, headword);
        const BankRow& fields = word(row);
        QCOMPARE(fields[WordField::Key], QString::number(row));
        QCOMPARE(fields[WordField::Headword], headword);
        static const QRegularExpression lowerWord(QStringLiteral("^[a-z]{1,14}$"));
        QVERIFY(lowerWord.match(fields[WordField::Headword]).hasMatch());

        const QString& meaning = fields[WordField::Meaning];
        QVERIFY2(meaning.size() >= 1 && meaning.size() <= 16, qPrintable(meaning));
        static const QRegularExpression glosses(QStringLiteral("^([^。\\s]+。){1,3}$"));
        QVERIFY2(glosses.match(meaning).hasMatch(), qPrintable(meaning));
        QVERIFY2(!hasFullWidthAlphanumeric(meaning), qPrintable(meaning));
        // A Japanese search for 廃止 must find exactly abolish and demolish.
        QCOMPARE(meaning.contains(QStringLiteral("廃止")), row == 1 || row == 52);
    }

    void wordMeaningsGivenExactly_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("meaning");
        QTest::newRow("abolish") << 1 << QStringLiteral("廃止する。");
        QTest::newRow("acquit") << 2 << QStringLiteral("無罪にする。支払う。");
        QTest::newRow("demolish") << 52 << QStringLiteral("廃止する。取り壊す。");
    }

    void wordMeaningsGivenExactly() {
        QFETCH(int, row);
        QFETCH(QString, meaning);
        QCOMPARE(word(row)[WordField::Meaning], meaning);
    }

    void headwordsUnique() {
        QSet<QString> seen;
        for (int r = 1; r <= kWordRows; ++r) {
            const QString& headword = word(r)[WordField::Headword];
            QVERIFY2(!seen.contains(headword), qPrintable(headword));
            seen.insert(headword);
        }
    }

    // The learner sees only a word's meaning and its letter count, so a
    // meaning, or any one sense of it, must not fit another word of the bank
    // with as many letters.
    void meaningsTellWordsApart() {
        std::map<QString, QString> wordOfMeaning;
        std::map<std::pair<qsizetype, QString>, QString> wordOfSense;
        for (int r = 1; r <= kWordRows; ++r) {
            const QString& headword = word(r)[WordField::Headword];
            const QString& meaning = word(r)[WordField::Meaning];
            const auto [sameMeaning, newMeaning] = wordOfMeaning.emplace(meaning, headword);
            QVERIFY2(newMeaning,
                     qPrintable(headword + u' ' + sameMeaning->second + u' ' + meaning));
            for (const QString& sense : sensesOf(meaning)) {
                const auto [same, isNew] =
                    wordOfSense.emplace(std::pair(headword.size(), sense), headword);
                QVERIFY2(isNew, qPrintable(headword + u' ' + same->second + u' ' + sense));
            }
        }
    }

    // A sentence question shows its translation; two alike would ask the
    // same question with different answers.
    void translationsDistinct() {
        QSet<QString> seen;
        for (int r = 1; r <= kSentenceRows; ++r) {
            const QString& translation = sentence(r)[SentenceField::Translation];
            QVERIFY2(!seen.contains(translation), qPrintable(translation));
            seen.insert(translation);
        }
    }

    void sentenceRow_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("wordKey");
        QTest::addColumn<QString>("answer");
        for (int r = 1; r <= kSentenceRows; ++r) {
            const expected::SentenceEntry& entry = expected::kSentences.at(r - 1);
            QTest::addRow("%d %s", r, entry.answer)
                << r << entry.wordKey << QString::fromLatin1(entry.answer);
        }
    }

    void sentenceRow() {
        QFETCH(int, row);
        QFETCH(int, wordKey);
        QFETCH(QString, answer);
        const BankRow& fields = sentence(row);
        QCOMPARE(fields[SentenceField::Key], QString::number(row));
        QCOMPARE(fields[SentenceField::WordKey], QString::number(wordKey));
        QCOMPARE(wordKey, wordKeyByOrder(row));
        QCOMPARE(fields[SentenceField::Answer], answer);
        QVERIFY2(isFormOf(answer, word(wordKey)[WordField::Headword]), qPrintable(answer));

        const QString& before = fields[SentenceField::Before];
        const QString& after = fields[SentenceField::After];
        const QString full = before + answer + after;
        QCOMPARE(before.isEmpty(), opensSentence(row));
        if (row == kHyphenBeforeRow) {
            QVERIFY(before.endsWith(u'-'));
        } else if (!before.isEmpty()) {
            QVERIFY2(before.endsWith(u' '), qPrintable(before));
        }
        QVERIFY2(!after.isEmpty() && QStringLiteral(" .,").contains(after.front()),
                 qPrintable(after));
        QVERIFY2(QStringLiteral(".?!").contains(after.back()), qPrintable(after));
        QVERIFY2(full.front().isUpper(), qPrintable(full));
        QVERIFY2(isPlainAscii(full), qPrintable(full));
        QVERIFY2(!full.contains(QStringLiteral("  ")), qPrintable(full));
        QVERIFY2(full.size() <= 90, qPrintable(full));

        const QString& translation = fields[SentenceField::Translation];
        QVERIFY2(translation.size() >= 1 && translation.size() <= 40, qPrintable(translation));
        QVERIFY2(translation.endsWith(u'。'), qPrintable(translation));
        static const QRegularExpression blank(QStringLiteral("\\s"));
        QVERIFY2(!translation.contains(blank), qPrintable(translation));
        QVERIFY2(!hasFullWidthAlphanumeric(translation), qPrintable(translation));
    }

    void sentencesGivenInFull_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<BankRow>("fields");
        QTest::newRow("inflected") << 2 << BankRow{"2",
                                                   "2",
                                                   "The man was ",
                                                   "acquitted",
                                                   " of a charge.",
                                                   "その男は無罪放免になった。"};
        QTest::newRow("opening") << 6
                                 << BankRow{"6",
                                            "6",
                                            "",
                                            "Adverse",
                                            " weather prevented us from going hiking.",
                                            "悪天候でハイキングに行けなかった。"};
        QTest::newRow("hyphenated")
            << 50
            << BankRow{
                   "50",         "49",         "You can help by making a tax-",
                   "deductible", " donation.", "課税控除の寄付をすることで支援していただけます。"};
        // The article before the blank is what keeps "understandable", of the
        // same length and sense, from filling it.
        QTest::newRow("article") << 31
                                 << BankRow{
                                        "31",
                                        "30",
                                        "The report presents complex data in a ",
                                        "comprehensible",
                                        " form.",
                                        "その報告書は複雑なデータを理解しやすい形で示している。"};
        QTest::newRow("irregular")
            << 128
            << BankRow{
                   "128",      "127",       "The abductee's name is ",
                   "withheld", " for now.", "誘拐された被害者の名前は今のところ公表されていない。"};
    }

    void sentencesGivenInFull() {
        QFETCH(int, row);
        QFETCH(BankRow, fields);
        QCOMPARE(sentence(row), fields);
    }

    void everyWordHasItsSentences() {
        std::map<int, int> sentencesOfWord;
        for (int r = 1; r <= kSentenceRows; ++r) {
            ++sentencesOfWord[sentence(r)[SentenceField::WordKey].toInt()];
        }
        for (int w = 1; w <= kWordRows; ++w) {
            const int expected = (w == 25 || w == 44 || w == 136) ? 2 : 1;
            QVERIFY2(sentencesOfWord[w] == expected, qPrintable(QStringLiteral("word %1").arg(w)));
        }
        QCOMPARE(sentencesOfWord.size(), std::size_t(kWordRows));
    }
};

QTEST_GUILESS_MAIN(TestBanks)
#include "test_banks.moc"
