#include "shell/ui/artwork.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <cstdlib>

using namespace tavik;

// The pictures decoded at start-up were drawn from the SVG sources when the
// program was built; they must be those sources' pictures, at every ratio.
class PrerenderedArtworkTest : public QObject {
    Q_OBJECT

private slots:
    void matchesItsSource_data();
    void matchesItsSource();

private:
    static QImage drawnFromSource(const QString& name, QSize deviceSize) {
        QImage image(deviceSize, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QSvgRenderer renderer(QStringLiteral(":/art/%1.svg").arg(name));
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(deviceSize)));
        return image;
    }

    // The largest difference of one colour channel over all pixels.
    static int largestDifference(const QImage& a, const QImage& b) {
        int largest = 0;
        for (int y = 0; y < a.height(); ++y) {
            const auto* lineA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
            const auto* lineB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
            for (int x = 0; x < a.width(); ++x) {
                largest = std::max({largest, std::abs(qRed(lineA[x]) - qRed(lineB[x])),
                                    std::abs(qGreen(lineA[x]) - qGreen(lineB[x])),
                                    std::abs(qBlue(lineA[x]) - qBlue(lineB[x])),
                                    std::abs(qAlpha(lineA[x]) - qAlpha(lineB[x]))});
            }
        }
        return largest;
    }
};

void PrerenderedArtworkTest::matchesItsSource_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<qreal>("ratio");
    const QStringList sources = QDir(QStringLiteral(":/art")).entryList({QStringLiteral("*.svg")});
    QVERIFY(sources.size() >= 16);
    for (const QString& source : sources) {
        const QString name = source.chopped(4);
        // 1 and 2 come built in; 1.5 is drawn at start-up.
        for (const qreal ratio : {1.0, 2.0, 1.5}) {
            QTest::addRow("%s at %.1f", qPrintable(name), ratio) << name << ratio;
        }
    }
}

void PrerenderedArtworkTest::matchesItsSource() {
    QFETCH(QString, name);
    QFETCH(qreal, ratio);
    const QSize logical = QSvgRenderer(QStringLiteral(":/art/%1.svg").arg(name)).defaultSize();
    const QSize device(static_cast<int>(std::ceil(logical.width() * ratio)),
                       static_cast<int>(std::ceil(logical.height() * ratio)));

    const QPixmap shown = Artwork::render(name, logical, ratio);

    QCOMPARE(shown.size(), device);
    QCOMPARE(shown.devicePixelRatio(), ratio);
    const QImage expected = drawnFromSource(name, device);
    const QImage actual = shown.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    // Stored as PNG, premultiplied colours may round by one step.
    QVERIFY2(largestDifference(actual, expected) <= 2,
             qPrintable(QStringLiteral("differs by %1").arg(largestDifference(actual, expected))));
}

QTEST_MAIN(PrerenderedArtworkTest)
#include "test_prerendered_artwork.moc"
