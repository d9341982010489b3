#include "shell/ui/fitted_label.h"
#include "shell/ui/fonts.h"

#include <QLabel>
#include <QTest>

using namespace tavik;

// A label given its text by setFittedText takes the place adjustSize() would
// give it, so pages that place controls after their labels look the same.
class FittedLabelTest : public QObject {
    Q_OBJECT

private slots:
    void takesThePlaceOfItsText_data();
    void takesThePlaceOfItsText();
};

void FittedLabelTest::takesThePlaceOfItsText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<qreal>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<int>("margin");
    QTest::newRow("meaning with hint") << "無罪にする。支払う。【7文字】" << 12.0 << true << 0;
    QTest::newRow("sentence part") << "The man was " << 9.75 << true << 0;
    QTest::newRow("translation") << "　（その男は無罪放免になった。）【9文字】" << 9.75 << false
                                 << 0;
    QTest::newRow("question number") << "141." << 12.0 << true << 0;
    QTest::newRow("empty") << "" << 12.0 << true << 0;
    QTest::newRow("with a margin") << "acquitted" << 12.0 << true << 3;
    QTest::newRow("with a margin, empty") << "" << 9.75 << false << 2;
}

void FittedLabelTest::takesThePlaceOfItsText() {
    QFETCH(QString, text);
    QFETCH(qreal, points);
    QFETCH(bool, bold);
    QFETCH(int, margin);
    QLabel fitted;
    QLabel adjusted;
    for (QLabel* label : {&fitted, &adjusted}) {
        label->setFont(gothicFont(points, bold));
        label->setTextFormat(Qt::PlainText);
        label->setMargin(margin);
        label->setText(QStringLiteral("an older, longer text than any of the rows"));
        label->adjustSize();
    }

    setFittedText(&fitted, text);
    adjusted.setText(text);
    adjusted.adjustSize();

    QCOMPARE(fitted.text(), text);
    QVERIFY2(qAbs(fitted.width() - adjusted.width()) <= 1,
             qPrintable(QStringLiteral("%1 against %2").arg(fitted.width()).arg(adjusted.width())));
    QCOMPARE(fitted.height(), adjusted.height());
}

QTEST_MAIN(FittedLabelTest)
#include "test_fitted_label.moc"
