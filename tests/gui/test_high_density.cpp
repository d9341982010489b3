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
    verifyDense(art.helpPage, QStringLiteral("help page"));
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

int main(int argc, char* argv[]) {
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication application(argc, argv);
    TestHighDensity test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_high_density.moc"
