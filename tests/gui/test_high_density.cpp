#include "app/screen_fit.h"
#include "menu/ui/frmSearch.h"
#include "print/ui/frmPrintT.h"
#include "print/ui/sheet_preview.h"
#include "screens/ui/frmListT.h"
#include "shell/ui/artwork.h"
#include "shell/ui/picture_button.h"
#include "shell/ui/program_exit.h"
#include "support/drill_screen_fixture.h"
#include "support/search_window_fixture.h"

#include <QApplication>
#include <QtTest>

using namespace tavik;
using namespace tavik::testing;

namespace {

constexpr qreal kScale = 2;

// Drawn as the program draws them: at the ratio the application reports.
const Artwork& denseArtwork() {
    static const Artwork art = [] {
        Artwork drawn;
        drawn.loadSplash(qApp->devicePixelRatio());
        drawn.loadScreens(qApp->devicePixelRatio());
        return drawn;
    }();
    return art;
}

void verifyDense(const QPixmap& picture, const QString& what) {
    QVERIFY2(!picture.isNull(), qPrintable(what));
    QCOMPARE(picture.devicePixelRatio(), kScale);
    QCOMPARE(picture.size(), (picture.deviceIndependentSize() * kScale).toSize());
}

} // namespace

// Runs with QT_SCALE_FACTOR=2, as on a screen of twice the usual density.
class TestHighDensity : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void applicationReportsTheScale();
    void everyPictureIsDrawnAtTheScale();
    void windowsGrabAtTwiceTheirSize_data();
    void windowsGrabAtTwiceTheirSize();
    void stretchedPicturesUseDensePictures();
    void previewIsDrawnAtTheScale();
    void screensTooSmallAreFitted_data();
    void screensTooSmallAreFitted();
};

void TestHighDensity::initTestCase() {
    setProgramEndHandler([] {});
}

void TestHighDensity::applicationReportsTheScale() {
    QCOMPARE(qApp->devicePixelRatio(), kScale);
}

void TestHighDensity::everyPictureIsDrawnAtTheScale() {
    const Artwork& art = denseArtwork();
    for (const auto* list : {&art.ilBtn, &art.ilBg, &art.ilMaruBatu}) {
        QVERIFY(list->count() > 0);
        for (int index = 1; index <= list->count(); ++index) {
            verifyDense(list->picture(index), QStringLiteral("picture %1").arg(index));
        }
    }
    verifyDense(art.splash, QStringLiteral("splash"));
    verifyDense(art.searchBackground, QStringLiteral("main window"));
    verifyDense(art.searchMask, QStringLiteral("mask"));
    verifyDense(art.helpPage.picture(1), QStringLiteral("help page"));
    QCOMPARE(art.searchBackground.deviceIndependentSize(), QSizeF(780, 600));
    QCOMPARE(art.searchBackground.size(), QSize(1560, 1200));
}

void TestHighDensity::windowsGrabAtTwiceTheirSize_data() {
    QTest::addColumn<bool>("mainWindow");
    QTest::newRow("main window") << true;
    QTest::newRow("word drill") << false;
}

void TestHighDensity::windowsGrabAtTwiceTheirSize() {
    QFETCH(bool, mainWindow);
    DrillScreenFixture fixture;
    fixture.useWords(3);
    std::unique_ptr<QWidget> window;
    if (mainWindow) {
        window = std::make_unique<RecordingSearch>(fixture.state, denseArtwork());
    } else {
        window = std::make_unique<frmListT>(fixture.state, denseArtwork());
    }
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(window->size(), QSize(780, 600));
    const QPixmap shot = window->grab();
    QCOMPARE(shot.size(), QSize(1560, 1200));
    QCOMPARE(shot.devicePixelRatio(), kScale);
}

// The option circles and the marks are stretched to their spots: from the
// dense pictures, never from ones drawn at the plain density.
void TestHighDensity::stretchedPicturesUseDensePictures() {
    DrillScreenFixture fixture;
    fixture.useWords(2);
    RecordingSearch menu(fixture.state, denseArtwork());
    verifyDense(menu.findChild<QLabel*>(QStringLiteral("imgRP_0"))->pixmap(),
                QStringLiteral("option circle"));

    frmListT screen(fixture.state, denseArtwork());
    screen.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen));
    screen.findChild<PictureButton*>(QStringLiteral("imgGrade"))->click();
    QLabel* mark = screen.findChild<QLabel*>(QStringLiteral("imgMark_0"));
    verifyDense(mark->pixmap(), QStringLiteral("mark"));
    QCOMPARE(mark->grab().size(), mark->size() * 2);
}

void TestHighDensity::previewIsDrawnAtTheScale() {
    DrillScreenFixture fixture;
    fixture.useWords(3);
    frmPrintT screen(fixture.state, denseArtwork());
    const auto* preview = screen.findChild<SheetPreview*>(QStringLiteral("pbPreview"));
    QVERIFY(preview != nullptr);
    QCOMPARE(preview->page().devicePixelRatio(), kScale);
    QCOMPARE(preview->page().size(), preview->size() * 2);
}

void TestHighDensity::screensTooSmallAreFitted_data() {
    QTest::addColumn<QSizeF>("available");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<qreal>("fittedRatio");
    // Available areas in logical pixels, a panel of 32 device pixels off.
    QTest::newRow("1920 x 1080 at 100 %: as it is") << QSizeF(1920, 1048) << 1.0 << 1.0;
    QTest::newRow("1280 x 1024 at 100 %: as it is") << QSizeF(1280, 992) << 1.0 << 1.0;
    QTest::newRow("1366 x 768 at 150 %") << QSizeF(910.67, 490.67) << 1.5 << 1.15;
    QTest::newRow("1366 x 768 at 125 %") << QSizeF(1092.8, 588.8) << 1.25 << 1.15;
    QTest::newRow("1920 x 1080 at 200 %") << QSizeF(960, 524) << 2.0 << 1.65;
    QTest::newRow("1280 x 1024 at 200 %") << QSizeF(640, 496) << 2.0 << 1.55;
    // 32.66 twentieths: rounded up, the button bar would run under the panel.
    QTest::newRow("1920 x 1080 at 225 %, a 48 px panel") << QSizeF(853.33, 458.67) << 2.25 << 1.6;
    QTest::newRow("1024 x 600 at 100 %: below 1") << QSizeF(1024, 600) << 1.0 << 0.9;
    QTest::newRow("a tiny screen: a twentieth at least") << QSizeF(30, 20) << 1.0 << 0.05;
}

void TestHighDensity::screensTooSmallAreFitted() {
    QFETCH(QSizeF, available);
    QFETCH(qreal, ratio);
    QFETCH(qreal, fittedRatio);
    const std::optional<qreal> scale = scaleToFit(available, ratio);
    QCOMPARE(ratio * scale.value_or(1.0), fittedRatio);
    // The book and its pictures are whole device pixels at the fitted ratio.
    const QSize book =
        Artwork::render(QStringLiteral("page_background"), {780, 600}, fittedRatio).size();
    QCOMPARE(book, QSize(qRound(780 * fittedRatio), qRound(600 * fittedRatio)));
}

int main(int argc, char* argv[]) {
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication application(argc, argv);
    TestHighDensity test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_high_density.moc"
