#include "print/sheet_composer.h"
#include "support/recording_surface.h"

#include <QTest>

using namespace tavik;
using tavik::test::RecordingSurface;

namespace {

// A surface 11000 × 15000 twips: x percent is 110 × x, y percent 150 × y, and
// the sizes 600, 1000, 1100 and 1400 come out at 18, 11, 10 and 7 points.
constexpr double kWidth = 11000;
constexpr double kHeight = 15000;
constexpr int kHeaderPoints = 18;
constexpr int kBodyPoints = 11;
constexpr int kFooterPoints = 10;
constexpr int kTranslationPoints = 7;

constexpr int kIntermediate = int(Level::Intermediate);
constexpr int kAdvanced = int(Level::Advanced);

struct Printed {
    double x;
    double y;
    int size;
    QString text;
};

double atX(int percent) {
    return kWidth * percent / 100;
}
double atY(int percent) {
    return kHeight * percent / 100;
}

// Word rows 1.. hold the headwords given; sentence row n asks for headword n
// inside a short sentence. Row 1 of each bank is the worked example.
Banks fixtureBanks(const QStringList& extraHeadwords = {}) {
    Banks banks;
    banks.WordBank.push_back({"主キー", "単語", "日本語訳"});
    banks.WordBank.push_back({"1", "abolish", "廃止する。"});
    banks.SentenceBank.push_back({"主キー", "単語キー", "前半", "単語", "後半", "日本語訳"});
    banks.SentenceBank.push_back(
        {"1", "1", "The man was ", "acquitted", " of a charge.", "その男は無罪放免になった。"});
    for (const QString& headword : extraHeadwords) {
        const QString key = QString::number(banks.WordBank.size());
        banks.WordBank.push_back({key, headword, "意味" + key});
        banks.SentenceBank.push_back({key, key, "We ", headword, " it.", "訳" + key});
    }
    return banks;
}

// Fills the bank with numbered words so that drills of any size can be drawn.
Banks numberedBanks(int count) {
    QStringList headwords;
    for (int i = 2; i <= count; ++i) {
        headwords << QStringLiteral("word%1").arg(i);
    }
    return fixtureBanks(headwords);
}

DrillSet drillOf(const std::vector<std::int16_t>& rows) {
    DrillSet drill;
    drill.drillWords = rows;
    drill.drillSentences = rows;
    return drill;
}

DrillSet firstRows(int count) {
    std::vector<std::int16_t> rows;
    for (int i = 1; i <= count; ++i) {
        rows.push_back(static_cast<std::int16_t>(i));
    }
    return drillOf(rows);
}

std::vector<Printed> compose(const Sheet& sheet, int page, int pageCount, const DrillSet& drill,
                             const Banks& banks) {
    RecordingSurface surface(kWidth, kHeight);
    composeSheetPage(surface, sheet, page, pageCount, drill, banks);
    std::vector<Printed> printed;
    for (const auto& record : surface.prints()) {
        printed.push_back({record.x, record.y, record.fontSize, record.text});
    }
    return printed;
}

// The texts of the question rows: everything after header, label and footer.
std::vector<Printed> rowTexts(const std::vector<Printed>& printed) {
    return {printed.begin() + 3, printed.end()};
}

void compareText(const Printed& actual, const Printed& expected) {
    QCOMPARE(actual.text, expected.text);
    QCOMPARE(actual.x, expected.x);
    QCOMPARE(actual.y, expected.y);
    QCOMPARE(actual.size, expected.size);
}

} // namespace

class SheetComposerTest : public QObject {
    Q_OBJECT

private slots:
    void frameOfEveryPage_data();
    void frameOfEveryPage();
    void wordRow_data();
    void wordRow();
    void sentenceRow_data();
    void sentenceRow();
    void sentenceRowReturnsToBodySize();
    void lastPartialPage_data();
    void lastPartialPage();
    void twentyQuestionsFillOnePage_data();
    void twentyQuestionsFillOnePage();
    void oneLetterAnswer_data();
    void oneLetterAnswer();
    void blankLength_data();
    void blankLength();
    void advancedBlankIgnoresLength_data();
    void advancedBlankIgnoresLength();
    void pageCount_data();
    void pageCount();
    void setCurrentXYKeepsFractions();
    void rowsOutsideTheBankStayEmpty();
};

void SheetComposerTest::frameOfEveryPage_data() {
    QTest::addColumn<int>("family");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("header");
    QTest::newRow("word questions")
        << int(SheetFamily::Words) << int(SheetKind::Question) << QStringLiteral("Tavik  単語問題");
    QTest::newRow("word answers") << int(SheetFamily::Words) << int(SheetKind::Answer)
                                  << QStringLiteral("Tavik  単語解答");
    QTest::newRow("sentence questions") << int(SheetFamily::Sentences) << int(SheetKind::Question)
                                        << QStringLiteral("Tavik  例文問題");
    QTest::newRow("sentence answers") << int(SheetFamily::Sentences) << int(SheetKind::Answer)
                                      << QStringLiteral("Tavik  例文解答");
}

void SheetComposerTest::frameOfEveryPage() {
    QFETCH(int, family);
    QFETCH(int, kind);
    QFETCH(QString, header);
    const Sheet sheet{SheetFamily(family), SheetKind(kind), Level::Intermediate};
    RecordingSurface surface(kWidth, kHeight);
    composeSheetPage(surface, sheet, 2, 3, firstRows(45), numberedBanks(45));

    QCOMPARE(surface.calls().front().call, RecordingSurface::Call::SetFontSize);
    QCOMPARE(surface.calls().front().fontSize, kBodyPoints);
    const auto lines = surface.lines();
    QCOMPARE(lines.size(), std::size_t(3));
    const int ruleY[] = {4, 8, 92};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        QCOMPARE(lines[i].x, atX(6));
        QCOMPARE(lines[i].y, atY(ruleY[i]));
        QCOMPARE(lines[i].x2, atX(6) + atX(88));
        QCOMPARE(lines[i].y2, atY(ruleY[i]));
    }

    const auto printed = compose(sheet, 2, 3, firstRows(45), numberedBanks(45));
    compareText(printed[0], {atX(10), atY(5), kHeaderPoints, header});
    compareText(printed[1], {atX(85), atY(5), kBodyPoints, QStringLiteral("2/3 Page")});
    QCOMPARE(printed[2].x, atX(50));
    QCOMPARE(printed[2].y, atY(93));
    QCOMPARE(printed[2].size, kFooterPoints);
    QVERIFY(!printed[2].text.isEmpty());
    QVERIFY(printed[2].text.contains(QStringLiteral("Tavik")));
}

void SheetComposerTest::wordRow_data() {
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("meaning");
    QTest::addColumn<QString>("answerColumn");
    QTest::newRow("中級 question")
        << kIntermediate << int(SheetKind::Question) << QStringLiteral("廃止する。 [7文字]")
        << QStringLiteral("＿＿＿＿＿＿");
    QTest::newRow("中級 answer") << kIntermediate << int(SheetKind::Answer)
                                 << QStringLiteral("廃止する。 [7文字]")
                                 << QStringLiteral("abolish");
    QTest::newRow("初級 question")
        << int(Level::Beginner) << int(SheetKind::Question) << QStringLiteral("廃止する。 [7文字]")
        << QStringLiteral("＿＿＿＿＿＿");
    QTest::newRow("上級 question")
        << kAdvanced << int(SheetKind::Question) << QStringLiteral("廃止する。")
        << QStringLiteral("＿＿＿＿＿＿");
    QTest::newRow("上級 answer") << kAdvanced << int(SheetKind::Answer)
                                 << QStringLiteral("廃止する。") << QStringLiteral("abolish");
}

void SheetComposerTest::wordRow() {
    QFETCH(int, level);
    QFETCH(int, kind);
    QFETCH(QString, meaning);
    QFETCH(QString, answerColumn);
    const Sheet sheet{SheetFamily::Words, SheetKind(kind), Level(level)};
    const auto rows = rowTexts(compose(sheet, 1, 1, firstRows(1), fixtureBanks()));
    QCOMPARE(rows.size(), std::size_t(3));
    compareText(rows[0], {atX(8), atY(11), kBodyPoints, QStringLiteral("1.")});
    compareText(rows[1], {atX(14), atY(11), kBodyPoints, meaning});
    compareText(rows[2], {atX(66), atY(11), kBodyPoints, answerColumn});
}

void SheetComposerTest::sentenceRow_data() {
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<QString>("translation");
    const QString withHint = QStringLiteral(" （その男は無罪放免になった。） [9文字]");
    const QString withoutHint = QStringLiteral(" （その男は無罪放免になった。）");
    QTest::newRow("中級 question")
        << kIntermediate << int(SheetKind::Question)
        << QStringLiteral("The man was ＿＿＿＿＿＿＿ of a charge.") << withHint;
    QTest::newRow("中級 answer") << kIntermediate << int(SheetKind::Answer)
                                 << QStringLiteral("The man was acquitted of a charge.")
                                 << withHint;
    QTest::newRow("上級 question")
        << kAdvanced << int(SheetKind::Question)
        << QStringLiteral("The man was ＿＿＿＿＿＿ of a charge.") << withoutHint;
    QTest::newRow("上級 answer") << kAdvanced << int(SheetKind::Answer)
                                 << QStringLiteral("The man was acquitted of a charge.")
                                 << withoutHint;
}

void SheetComposerTest::sentenceRow() {
    QFETCH(int, level);
    QFETCH(int, kind);
    QFETCH(QString, sentence);
    QFETCH(QString, translation);
    const Sheet sheet{SheetFamily::Sentences, SheetKind(kind), Level(level)};
    const auto rows = rowTexts(compose(sheet, 1, 1, firstRows(1), fixtureBanks()));
    QCOMPARE(rows.size(), std::size_t(3));
    compareText(rows[0], {atX(8), atY(10), kBodyPoints, QStringLiteral("1.")});
    compareText(rows[1], {atX(14), atY(10), kBodyPoints, sentence});
    compareText(rows[2], {atX(14), atY(12), kTranslationPoints, translation});
}

void SheetComposerTest::sentenceRowReturnsToBodySize() {
    const Sheet sheet{SheetFamily::Sentences, SheetKind::Question, Level::Intermediate};
    RecordingSurface surface(kWidth, kHeight);
    composeSheetPage(surface, sheet, 1, 1, firstRows(2), numberedBanks(2));
    const auto printed = surface.prints();
    QCOMPARE(printed.size(), std::size_t(3 + 2 * 3));
    QCOMPARE(printed[6].fontSize, kBodyPoints);
    QCOMPARE(surface.calls().back().call, RecordingSurface::Call::SetFontSize);
    QCOMPARE(surface.calls().back().fontSize, kBodyPoints);
}

void SheetComposerTest::lastPartialPage_data() {
    QTest::addColumn<int>("family");
    QTest::addColumn<int>("firstRowY");
    QTest::newRow("words") << int(SheetFamily::Words) << 11;
    QTest::newRow("sentences") << int(SheetFamily::Sentences) << 10;
}

void SheetComposerTest::lastPartialPage() {
    QFETCH(int, family);
    QFETCH(int, firstRowY);
    const int textsPerQuestion = 3;
    const Sheet sheet{SheetFamily(family), SheetKind::Question, Level::Intermediate};
    const auto printed = compose(sheet, 3, 3, firstRows(45), numberedBanks(45));
    QCOMPARE(printed[1].text, QStringLiteral("3/3 Page"));
    const auto rows = rowTexts(printed);
    QCOMPARE(rows.size(), std::size_t(5 * textsPerQuestion));
    for (int row = 0; row < 5; ++row) {
        const Printed& number = rows[std::size_t(row * textsPerQuestion)];
        compareText(number, {atX(8), atY(4 * row + firstRowY), kBodyPoints,
                             QStringLiteral("%1.").arg(41 + row)});
    }
}

void SheetComposerTest::twentyQuestionsFillOnePage_data() {
    QTest::addColumn<int>("family");
    QTest::addColumn<int>("lastRowY");
    QTest::addColumn<int>("answerIndex");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("lastTextY");
    QTest::newRow("words") << int(SheetFamily::Words) << 87 << 59 << QStringLiteral("word20") << 87;
    QTest::newRow("sentences") << int(SheetFamily::Sentences) << 86 << 58
                               << QStringLiteral("We word20 it.") << 88;
}

void SheetComposerTest::twentyQuestionsFillOnePage() {
    QFETCH(int, family);
    QFETCH(int, lastRowY);
    QFETCH(int, answerIndex);
    QFETCH(QString, answer);
    QFETCH(int, lastTextY);
    const DrillSet drill = firstRows(20);
    QCOMPARE(sheetPageCountFor(sheetQuestionCount(SheetFamily(family), drill)), 1);
    const Sheet sheet{SheetFamily(family), SheetKind::Answer, Level::Intermediate};
    const auto rows = rowTexts(compose(sheet, 1, 1, drill, numberedBanks(20)));
    QCOMPARE(rows.size(), std::size_t(60));
    compareText(rows[57], {atX(8), atY(lastRowY), kBodyPoints, QStringLiteral("20.")});
    QCOMPARE(rows[std::size_t(answerIndex)].text, answer);
    QCOMPARE(rows[std::size_t(answerIndex)].y, atY(lastRowY));
    QCOMPARE(rows[59].y, atY(lastTextY));
}

void SheetComposerTest::oneLetterAnswer_data() {
    QTest::addColumn<int>("family");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("hinted");
    QTest::newRow("words") << int(SheetFamily::Words) << QStringLiteral("＿")
                           << QStringLiteral("意味2 [1文字]");
    QTest::newRow("sentences") << int(SheetFamily::Sentences) << QStringLiteral("We ＿ it.")
                               << QStringLiteral(" （訳2） [1文字]");
}

void SheetComposerTest::oneLetterAnswer() {
    QFETCH(int, family);
    QFETCH(QString, question);
    QFETCH(QString, hinted);
    const Banks banks = fixtureBanks({QStringLiteral("a")});
    const Sheet sheet{SheetFamily(family), SheetKind::Question, Level::Intermediate};
    const auto rows = rowTexts(compose(sheet, 1, 1, drillOf({2}), banks));
    QCOMPARE(rows.size(), std::size_t(3));
    const bool words = SheetFamily(family) == SheetFamily::Words;
    QCOMPARE(rows[words ? 2 : 1].text, question);
    QCOMPARE(rows[words ? 1 : 2].text, hinted);
}

void SheetComposerTest::blankLength_data() {
    QTest::addColumn<int>("family");
    QTest::addColumn<int>("letters");
    QTest::addColumn<int>("blanks");
    const int wordBlanks[] = {1, 2, 3, 4, 5, 5, 6, 7, 8, 9, 9, 10};
    const int sentenceBlanks[] = {1, 2, 3, 3, 4, 5, 5, 6, 7, 8, 8, 9};
    for (int letters = 1; letters <= 12; ++letters) {
        QTest::addRow("words, %d letters", letters)
            << int(SheetFamily::Words) << letters << wordBlanks[letters - 1];
        QTest::addRow("sentences, %d letters", letters)
            << int(SheetFamily::Sentences) << letters << sentenceBlanks[letters - 1];
    }
}

void SheetComposerTest::blankLength() {
    QFETCH(int, family);
    QFETCH(int, letters);
    QFETCH(int, blanks);
    const QString answer = QString(letters, QLatin1Char('x'));
    const Banks banks = fixtureBanks({answer});
    const Sheet sheet{SheetFamily(family), SheetKind::Question, Level::Intermediate};
    const auto rows = rowTexts(compose(sheet, 1, 1, drillOf({2}), banks));
    const QString blank = QStringLiteral("＿").repeated(blanks);
    const QString hint = QStringLiteral(" [%1文字]").arg(letters);
    if (SheetFamily(family) == SheetFamily::Words) {
        QCOMPARE(rows[2].text, blank);
        QCOMPARE(rows[1].text, QStringLiteral("意味2") + hint);
    } else {
        QCOMPARE(rows[1].text, QStringLiteral("We ") + blank + QStringLiteral(" it."));
        QCOMPARE(rows[2].text, QStringLiteral(" （訳2）") + hint);
    }
}

void SheetComposerTest::advancedBlankIgnoresLength_data() {
    QTest::addColumn<int>("family");
    QTest::addColumn<int>("letters");
    for (int letters : {1, 7, 12}) {
        QTest::addRow("words, %d letters", letters) << int(SheetFamily::Words) << letters;
        QTest::addRow("sentences, %d letters", letters) << int(SheetFamily::Sentences) << letters;
    }
}

void SheetComposerTest::advancedBlankIgnoresLength() {
    QFETCH(int, family);
    QFETCH(int, letters);
    const Banks banks = fixtureBanks({QString(letters, QLatin1Char('x'))});
    const Sheet sheet{SheetFamily(family), SheetKind::Question, Level::Advanced};
    const auto printed = compose(sheet, 1, 1, drillOf({2}), banks);
    int blanks = 0;
    for (const Printed& text : printed) {
        QVERIFY2(!text.text.contains(QStringLiteral("文字]")), qPrintable(text.text));
        blanks += int(text.text.count(QStringLiteral("＿")));
    }
    QCOMPARE(blanks, 6);
}

void SheetComposerTest::pageCount_data() {
    QTest::addColumn<int>("questions");
    QTest::addColumn<int>("pages");
    QTest::newRow("none") << 0 << 0;
    QTest::newRow("1") << 1 << 1;
    QTest::newRow("19") << 19 << 1;
    QTest::newRow("20") << 20 << 1;
    QTest::newRow("21") << 21 << 2;
    QTest::newRow("40") << 40 << 2;
    QTest::newRow("41") << 41 << 3;
    QTest::newRow("144") << 144 << 8;
}

void SheetComposerTest::pageCount() {
    QFETCH(int, questions);
    QFETCH(int, pages);
    QCOMPARE(sheetPageCountFor(questions), pages);
}

void SheetComposerTest::setCurrentXYKeepsFractions() {
    RecordingSurface surface(5415, 7095);
    setCurrentXY(surface, 14, 11);
    const auto& calls = surface.calls();
    QCOMPARE(calls.size(), std::size_t(2));
    QCOMPARE(calls[0].call, RecordingSurface::Call::SetCurrentX);
    QCOMPARE(calls[0].x, 758.1);
    QCOMPARE(calls[1].call, RecordingSurface::Call::SetCurrentY);
    QCOMPARE(calls[1].y, 780.45);
}

void SheetComposerTest::rowsOutsideTheBankStayEmpty() {
    // A drill row past the bank.
    const DrillSet drill = drillOf({1, 999});
    const Sheet sheet{SheetFamily::Words, SheetKind::Answer, Level::Intermediate};
    const auto rows = rowTexts(compose(sheet, 1, 1, drill, fixtureBanks()));
    QCOMPARE(rows.size(), std::size_t(6));
    QCOMPARE(rows[2].text, QStringLiteral("abolish"));
    QCOMPARE(rows[3].text, QStringLiteral("2."));
    QCOMPARE(rows[5].text, QString());
}

QTEST_APPLESS_MAIN(SheetComposerTest)
#include "test_sheet_composer.moc"
