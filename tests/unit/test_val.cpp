#include "drill/selection.h"
#include "settings/number_parse.h"

#include <QTest>

using namespace tavik;

// Numbers are read one way, as Basic's Val reads them, whether they come from
// the statistics file or from the random-pick box; each then has its own
// range, and the box also takes full-width forms and the word 問.
class TestVal : public QObject {
    Q_OBJECT

private slots:
    void val_data();
    void val();
};

void TestVal::val_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("counter");
    QTest::addColumn<int>("questionCount");
    // Texts as the statistics file stores them.
    QTest::newRow("leading blank") << " 12" << 12 << 12;
    QTest::newRow("blanks both sides") << "  7  " << 7 << 7;
    QTest::newRow("fraction rounds down") << "12.5" << 12 << 12;
    QTest::newRow("fraction rounds up") << "13.5" << 14 << 14;
    QTest::newRow("fraction above a half") << "0.51" << 1 << 1;
    QTest::newRow("letters only") << "abc" << 0 << 0;
    QTest::newRow("number then letters") << "12abc" << 12 << 12;
    QTest::newRow("empty") << "" << 0 << 0;
    QTest::newRow("negative") << "-3" << -3 << 0;
    QTest::newRow("plus sign") << "+7" << 7 << 7;
    QTest::newRow("negative half") << "-2.5" << -2 << 0;
    QTest::newRow("sign alone") << "-" << 0 << 0;
    QTest::newRow("point alone") << "." << 0 << 0;
    QTest::newRow("point first") << ".6" << 1 << 1;
    QTest::newRow("exponent") << "1.5e1" << 15 << 15;
    QTest::newRow("D exponent") << "1D3" << 1000 << 141;
    QTest::newRow("exponent without digits") << "7e+" << 7 << 7;
    QTest::newRow("group separator stops") << "1,000" << 1 << 1;
    QTest::newRow("inner blank stops") << "1 2" << 1 << 1;
    QTest::newRow("largest") << "32767" << 32767 << 141;
    QTest::newRow("above range") << "40000" << 32767 << 141;
    QTest::newRow("rounds past the top") << "32767.5" << 32767 << 141;
    QTest::newRow("smallest") << "-32768" << -32768 << 0;
    QTest::newRow("below range") << "-40000" << -32768 << 0;
    QTest::newRow("overflowing exponent") << "1e400" << 32767 << 141;
    QTest::newRow("negative overflow") << "-1e999999" << -32768 << 0;
    QTest::newRow("underflowing exponent") << "1e-400" << 0 << 0;
    QTest::newRow("a million digits") << QString(1000000, u'9') << 32767 << 141;
    QTest::newRow("full-width digits") << "１２" << 0 << 12;
    // Texts from the random-pick box.
    QTest::newRow("list entry") << "15問" << 15 << 15;
    QTest::newRow("without 問") << "20" << 20 << 20;
    QTest::newRow("every 問 removed") << "1問0問" << 1 << 10;
    QTest::newRow("half down to even") << "12.5問" << 12 << 12;
    QTest::newRow("half up to even") << "13.5問" << 14 << 14;
    QTest::newRow("below half") << "7.49問" << 7 << 7;
    QTest::newRow("half of one") << "0.5問" << 0 << 0;
    QTest::newRow("leading point") << ".6問" << 1 << 1;
    QTest::newRow("trailing point") << "8.問" << 8 << 8;
    QTest::newRow("plus sign, count box") << "+7問" << 7 << 7;
    QTest::newRow("minus") << "-3問" << -3 << 0;
    QTest::newRow("negative half, count box") << "-0.5問" << 0 << 0;
    QTest::newRow("leading blanks and tab") << " \t 9問" << 9 << 9;
    QTest::newRow("number then text") << "12abc" << 12 << 12;
    QTest::newRow("text then number") << "abc12" << 0 << 0;
    QTest::newRow("blank inside ends the number") << "1 2問" << 1 << 1;
    QTest::newRow("bare sign") << "-問" << 0 << 0;
    QTest::newRow("exponent, count box") << "2e1問" << 20 << 20;
    QTest::newRow("D exponent, count box") << "3D1問" << 30 << 30;
    QTest::newRow("negative exponent") << "250e-1問" << 25 << 25;
    QTest::newRow("exponent without digits, count box") << "6e問" << 6 << 6;
    QTest::newRow("exponent too large") << "1e99999問" << 32767 << 141;
    QTest::newRow("negative too large") << "-1e99999問" << -32768 << 0;
    QTest::newRow("exponent too small") << "1e-99999問" << 0 << 0;
    QTest::newRow("long digit run") << QString(400, QLatin1Char('9')) << 32767 << 141;
    QTest::newRow("top") << "141問" << 141 << 141;
    QTest::newRow("above") << "142問" << 142 << 141;
    QTest::newRow("half above top") << "141.5問" << 142 << 141;
    QTest::newRow("full-width digits, count box") << "１０問" << 0 << 10;
    QTest::newRow("full-width minus") << "－３問" << 0 << 0;
    QTest::newRow("full-width point") << "１２．５問" << 0 << 12;
    QTest::newRow("ideographic space") << "\u3000８問" << 0 << 8;
    QTest::newRow("other script digits") << "\u0661\u0662問" << 0 << 0;
    QTest::newRow("prompt") << "問題数を選んでください" << 0 << 0;
    QTest::newRow("empty, count box") << "" << 0 << 0;
}

void TestVal::val() {
    QFETCH(QString, text);
    QFETCH(int, counter);
    QFETCH(int, questionCount);
    QCOMPARE(int(parseCounter(text)), counter);
    QCOMPARE(parseQuestionCount(text), questionCount);
}

QTEST_APPLESS_MAIN(TestVal)
#include "test_val.moc"
