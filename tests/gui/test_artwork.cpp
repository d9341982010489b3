#include "shell/ui/artwork.h"

#include <QImage>
#include <QtTest>

using namespace tavik;

namespace {

enum class Source {
    Button,
    Background,
    Mark,
    Splash,
    SearchBackground,
    SearchMask,
    HelpPage,
    WeakWordsHover
};

QPixmap pictureOf(const Artwork& art, Source source, int index) {
    switch (source) {
    case Source::Button:
        return art.ilBtn.picture(index);
    case Source::Background:
        return art.ilBg.picture(index);
    case Source::Mark:
        return art.ilMaruBatu.picture(index);
    case Source::Splash:
        return art.splash;
    case Source::SearchBackground:
        return art.searchBackground;
    case Source::SearchMask:
        return art.searchMask;
    case Source::HelpPage:
        return art.helpPage.picture(1);
    case Source::WeakWordsHover:
        return art.weakWordsHover;
    }
    return {};
}

bool hasInk(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > 0) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

class ArtworkTest : public QObject {
    Q_OBJECT

    Artwork atSingleDensity;
    Artwork atDoubleDensity;

    const Artwork& artAt(qreal ratio) const {
        return ratio > 1.0 ? atDoubleDensity : atSingleDensity;
    }

private slots:
    void initTestCase() {
        for (auto [art, ratio] : {std::pair{&atSingleDensity, 1.0}, {&atDoubleDensity, 2.0}}) {
            art->loadSplash(ratio);
            art->loadScreens(ratio);
        }
    }

    void pictureSizes_data() {
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<int>("source");
        QTest::addColumn<int>("index");
        QTest::addColumn<QSize>("size");

        struct Row {
            const char* name;
            Source source;
            int index;
            QSize size;
        };
        const Row rows[] = {
            {"forward bar", Source::Button, 1, {138, 29}},
            {"forward bar lit", Source::Button, 2, {138, 29}},
            {"previous bar", Source::Button, 3, {138, 29}},
            {"previous bar lit", Source::Button, 4, {138, 29}},
            {"start lit", Source::Button, 5, {233, 79}},
            {"close lit", Source::Button, 6, {29, 30}},
            {"help", Source::Button, 7, {29, 29}},
            {"help lit", Source::Button, 8, {29, 29}},
            {"PDF bar", Source::Button, 9, {138, 29}},
            {"PDF bar lit", Source::Button, 10, {138, 29}},
            {"page background", Source::Background, 1, {780, 600}},
            {"circle", Source::Mark, 1, {60, 60}},
            {"cross", Source::Mark, 2, {60, 60}},
            {"splash", Source::Splash, 0, {500, 330}},
            {"main menu background", Source::SearchBackground, 0, {780, 600}},
            {"main menu mask", Source::SearchMask, 0, {545, 252}},
            {"help page", Source::HelpPage, 0, {567, 409}},
            {"weak words bar lit", Source::WeakWordsHover, 0, {180, 29}},
        };
        for (qreal ratio : {1.0, 2.0}) {
            for (const Row& row : rows) {
                QTest::addRow("%s at %gx", row.name, ratio)
                    << ratio << static_cast<int>(row.source) << row.index << row.size;
            }
        }
    }

    void pictureSizes() {
        QFETCH(qreal, ratio);
        QFETCH(int, source);
        QFETCH(int, index);
        QFETCH(QSize, size);

        const QPixmap picture = pictureOf(artAt(ratio), static_cast<Source>(source), index);

        QCOMPARE(picture.deviceIndependentSize(), QSizeF(size));
        QCOMPARE(picture.size(), size * ratio);
        QCOMPARE(picture.devicePixelRatio(), ratio);
        // A picture missing from the resources renders as a blank pixmap.
        QVERIFY(hasInk(picture.toImage()));
    }

    void listsHandOutNothingOutsideTheirRange_data() {
        QTest::addColumn<int>("index");
        QTest::newRow("zero") << 0;
        QTest::newRow("past the end") << 11;
        QTest::newRow("negative") << -1;
    }

    void listsHandOutNothingOutsideTheirRange() {
        QFETCH(int, index);
        QCOMPARE(atSingleDensity.ilBtn.count(), 10);
        QVERIFY(atSingleDensity.ilBtn.picture(index).isNull());
    }

    void pointerTipIsItsHotSpot_data() {
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("1x") << 1.0;
        QTest::newRow("2x") << 2.0;
    }

    void pointerTipIsItsHotSpot() {
        QFETCH(qreal, ratio);
        const QCursor& pointer = artAt(ratio).handPointer;

        QCOMPARE(pointer.shape(), Qt::BitmapCursor);
        QCOMPARE(pointer.hotSpot(), QPoint(12, 1));
        QCOMPARE(pointer.pixmap().deviceIndependentSize(), QSizeF(32, 32));
        QCOMPARE(pointer.pixmap().size(), QSize(32, 32) * ratio);

        // The outline of the fingertip covers the hot spot; above it is clear.
        const QImage image = pointer.pixmap().toImage();
        const int r = static_cast<int>(ratio);
        QVERIFY(qAlpha(image.pixel(12 * r, 1 * r)) > 200);
        QVERIFY(qGray(image.pixel(12 * r, 1 * r)) < 100);
        QCOMPARE(qAlpha(image.pixel(12 * r, 0)), 0);
    }
};

QTEST_MAIN(ArtworkTest)
#include "test_artwork.moc"
