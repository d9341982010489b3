#include "shell/ui/artwork.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTest>

using namespace tavik;

// The large pictures: their sizes, the fonts their texts need, and how the
// main window's background fits the controls that lie over it.
class SceneArtworkTest : public QObject {
    Q_OBJECT

private slots:
    void isDrawnAtTheSizeItIsShownAt_data();
    void isDrawnAtTheSizeItIsShownAt();
    void namesOnlyInstalledFonts_data();
    void namesOnlyInstalledFonts();
    void paintsNothingUnderTheMainWindowsControls_data();
    void paintsNothingUnderTheMainWindowsControls();
    void highlightCoversThePaintedLookExactly_data();
    void highlightCoversThePaintedLookExactly();

private:
    // Rendered once for all rows that look at the same picture.
    static QImage picture(const QString& name, QSize size, qreal dpr) {
        static QHash<QString, QImage> rendered;
        const QString key = name + QString::number(dpr);
        if (!rendered.contains(key)) {
            rendered.insert(
                key,
                Artwork::render(name, size, dpr).toImage().convertToFormat(QImage::Format_ARGB32));
        }
        return rendered.value(key);
    }
    // Blue stands out on the desk and the cream page: it is the painted
    // start button and close glyph, and nothing else near them.
    static bool isBlue(QRgb pixel) { return qBlue(pixel) > qRed(pixel) + 40; }
};

void SceneArtworkTest::isDrawnAtTheSizeItIsShownAt_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    QTest::newRow("main background") << "search_background" << QSize(780, 600);
    QTest::newRow("page background") << "page_background" << QSize(780, 600);
    QTest::newRow("mask") << "search_mask" << QSize(545, 252);
    QTest::newRow("splash") << "splash" << QSize(500, 330);
    QTest::newRow("icon") << "tavik" << QSize(256, 256);
    QTest::newRow("start highlighted") << "start_hover" << QSize(233, 79);
    QTest::newRow("close highlighted") << "close_hover" << QSize(29, 30);
}

void SceneArtworkTest::isDrawnAtTheSizeItIsShownAt() {
    QFETCH(QString, name);
    QFETCH(QSize, size);
    QSvgRenderer renderer(QStringLiteral(":/art/%1.svg").arg(name));
    QVERIFY(renderer.isValid());
    QCOMPARE(renderer.defaultSize(), size);
    QCOMPARE(renderer.viewBoxF(), QRectF(QPointF(0, 0), QSizeF(size)));
}

void SceneArtworkTest::namesOnlyInstalledFonts_data() {
    QTest::addColumn<QString>("file");
    const QStringList files = QDir(QStringLiteral(":/art")).entryList({QStringLiteral("*.svg")});
    QVERIFY(!files.isEmpty());
    for (const QString& file : files) {
        QTest::newRow(qPrintable(file)) << file;
    }
}

void SceneArtworkTest::namesOnlyInstalledFonts() {
    // A family that is not installed silently falls back to another face,
    // with other widths, and the painted texts no longer fit their places.
    QFETCH(QString, file);
    QFile svg(QStringLiteral(":/art/") + file);
    QVERIFY(svg.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(svg.readAll());
    const QStringList installed = QFontDatabase::families();
    static const QRegularExpression family(QStringLiteral("font-family=\"([^\",]+)"));
    for (auto match = family.globalMatch(text); match.hasNext();) {
        const QString name = match.next().captured(1).trimmed();
        QVERIFY2(installed.contains(name), qPrintable(name));
    }
    const int texts = static_cast<int>(text.count(QStringLiteral("<text")));
    const int named =
        static_cast<int>(text.count(QRegularExpression(QStringLiteral("<text[^>]*font-family="))));
    QCOMPARE(named, texts);
}

void SceneArtworkTest::paintsNothingUnderTheMainWindowsControls_data() {
    QTest::addColumn<QRect>("control");
    QTest::addColumn<qreal>("dpr");
    const std::pair<const char*, QRect> controls[] = {
        {"txtFreeWord", {304, 200, 129, 19}}, {"cmbRandom", {304, 264, 161, 21}},
        {"imgS1", {552, 200, 138, 29}},       {"imgS2", {552, 259, 138, 29}},
        {"imgHelp", {664, 21, 29, 29}},
    };
    for (const auto& [name, rect] : controls) {
        for (qreal dpr : {1.0, 2.0}) {
            QTest::addRow("%s at %gx", name, dpr) << rect << dpr;
        }
    }
}

void SceneArtworkTest::paintsNothingUnderTheMainWindowsControls() {
    // The main background is the empty page with texts added; under these
    // controls it must still be the bare page.
    QFETCH(QRect, control);
    QFETCH(qreal, dpr);
    const QImage main = picture(QStringLiteral("search_background"), {780, 600}, dpr);
    const QImage page = picture(QStringLiteral("page_background"), {780, 600}, dpr);
    const QRect device(control.topLeft() * dpr, control.size() * dpr);
    QCOMPARE(main.copy(device), page.copy(device));
}

void SceneArtworkTest::highlightCoversThePaintedLookExactly_data() {
    QTest::addColumn<QString>("highlight");
    QTest::addColumn<QRect>("placed");
    QTest::addColumn<QRect>("control");
    QTest::addColumn<QRect>("searched");
    QTest::addColumn<qreal>("dpr");
    for (qreal dpr : {1.0, 2.0}) {
        QTest::addRow("start at %gx", dpr)
            << "start_hover" << QRect(248, 477, 233, 79) << QRect(248, 477, 241, 81)
            << QRect(236, 466, 262, 104) << dpr;
        QTest::addRow("close at %gx", dpr)
            << "close_hover" << QRect(698, 20, 29, 30) << QRect(698, 20, 33, 33)
            << QRect(690, 12, 46, 41) << dpr;
    }
}

void SceneArtworkTest::highlightCoversThePaintedLookExactly() {
    // The highlight is shown at the control's corner over the painted look;
    // any of the painted look peeking out beside it shows as a double edge.
    QFETCH(QString, highlight);
    QFETCH(QRect, placed);
    QFETCH(QRect, control);
    QFETCH(QRect, searched);
    QFETCH(qreal, dpr);
    const QImage main = picture(QStringLiteral("search_background"), {780, 600}, dpr);
    const QImage lit = picture(highlight, placed.size(), dpr);
    const QPoint offset = placed.topLeft() * dpr;

    QRect painted;
    QRect covered;
    const QRect device(searched.topLeft() * dpr, searched.size() * dpr);
    for (int y = device.top(); y <= device.bottom(); ++y) {
        for (int x = device.left(); x <= device.right(); ++x) {
            const QPoint inLit = QPoint(x, y) - offset;
            const bool underLit = lit.rect().contains(inLit) && qAlpha(lit.pixel(inLit)) > 0;
            if (isBlue(main.pixel(x, y))) {
                painted |= QRect(x, y, 1, 1);
                QVERIFY2(underLit, qPrintable(QStringLiteral("uncovered at %1,%2").arg(x).arg(y)));
            }
            if (underLit && qAlpha(lit.pixel(inLit)) == 255) {
                covered |= QRect(x, y, 1, 1);
            }
        }
    }
    QVERIFY(!painted.isEmpty());
    QVERIFY(QRect(control.topLeft() * dpr, control.size() * dpr).contains(painted));
    // Same shape in both pictures: their extents agree to the pixel.
    const int slack = 1;
    QVERIFY2(std::abs(painted.left() - covered.left()) <= slack &&
                 std::abs(painted.top() - covered.top()) <= slack &&
                 std::abs(painted.right() - covered.right()) <= slack &&
                 std::abs(painted.bottom() - covered.bottom()) <= slack,
             qPrintable(QStringLiteral("painted %1,%2 %3x%4, highlight %5,%6 %7x%8")
                            .arg(painted.x())
                            .arg(painted.y())
                            .arg(painted.width())
                            .arg(painted.height())
                            .arg(covered.x())
                            .arg(covered.y())
                            .arg(covered.width())
                            .arg(covered.height())));
}

QTEST_MAIN(SceneArtworkTest)
#include "test_scene_artwork.moc"
