#include "drill/app_state.h"
#include "menu/ui/frmSearch.h"
#include "shell/ui/artwork.h"
#include "shell/ui/frmSplash.h"

#include <QApplication>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace tavik;

class SplashTest : public QObject {
    Q_OBJECT

private slots:
    void handsOverToOneMainWindowAfterItsTimer();
    void givesTheDefaultNameOnlyWhenNoneIsSet_data();
    void givesTheDefaultNameOnlyWhenNoneIsSet();

private:
    struct Run {
        QTemporaryDir settingsDir;
        AppState state;
        Artwork art;
        std::unique_ptr<frmSearch> mainWindow;
        std::size_t wordRowsWhenMainOpened = 0;
        std::size_t sentenceRowsWhenMainOpened = 0;
        int mainWindowsOpened = 0;
        QString nameWhenMainOpened;
    };

    static QPointer<frmSplash> start(Run& run);
};

QPointer<frmSplash> SplashTest::start(Run& run) {
    run.state.paths = locateSettingsFiles(run.settingsDir.path(), run.settingsDir.path());
    run.art.loadSplash(1.0);
    run.art.loadScreens(1.0);
    auto* splash = new frmSplash(run.state.banks, run.state.settings, run.art.splash, [&run] {
        run.wordRowsWhenMainOpened = run.state.banks.WordBank.size();
        run.sentenceRowsWhenMainOpened = run.state.banks.SentenceBank.size();
        run.nameWhenMainOpened = run.state.settings.userName;
        ++run.mainWindowsOpened;
        run.mainWindow = std::make_unique<frmSearch>(run.state, run.art);
        run.mainWindow->show();
    });
    splash->show();
    return splash;
}

void SplashTest::handsOverToOneMainWindowAfterItsTimer() {
    Run run;
    QPointer<frmSplash> splash = start(run);

    // The banks are filled while the splash is created, before anything shows.
    QCOMPARE(run.state.banks.WordBank.size(), std::size_t{142});
    QCOMPARE(run.state.banks.SentenceBank.size(), std::size_t{145});
    QCOMPARE(splash->size(), QSize(500, 332));
    QCOMPARE(splash->windowOpacity(), 230.0 / 255.0);
    // Below the 500 x 330 picture, its own bottom edge, not a white strip.
    const QImage shown = splash->grab().toImage();
    for (int x : {0, 250, 499}) {
        QCOMPARE(shown.pixelColor(x, 331), shown.pixelColor(x, 329));
        QVERIFY(shown.pixelColor(x, 331) != QColor(Qt::white));
    }
    QVERIFY(splash->isVisible());
    QCOMPARE(run.mainWindowsOpened, 0);
    // The timer fires only once: a single shot, gone with the splash.
    const QPointer<QTimer> timer = splash->findChild<QTimer*>(QStringLiteral("Timer1"));
    QVERIFY(timer != nullptr && timer->isSingleShot() && timer->isActive());

    QTRY_VERIFY_WITH_TIMEOUT(splash.isNull(), 3000);
    QCOMPARE(run.mainWindowsOpened, 1);
    QCOMPARE(run.wordRowsWhenMainOpened, std::size_t{142});
    QCOMPARE(run.sentenceRowsWhenMainOpened, std::size_t{145});

    int mainWindows = 0;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        QVERIFY(window->objectName() != QLatin1String("frmSplash"));
        if (window->objectName() == QLatin1String("frmSearch")) {
            ++mainWindows;
        }
    }
    QCOMPARE(mainWindows, 1);
    QVERIFY(timer.isNull());
}

void SplashTest::givesTheDefaultNameOnlyWhenNoneIsSet_data() {
    QTest::addColumn<QString>("nameBefore");
    QTest::addColumn<QString>("nameAfter");
    QTest::newRow("empty") << QString() << QStringLiteral("とろんぱ");
    QTest::newRow("already named") << QStringLiteral("Aki") << QStringLiteral("Aki");
}

void SplashTest::givesTheDefaultNameOnlyWhenNoneIsSet() {
    QFETCH(QString, nameBefore);
    QFETCH(QString, nameAfter);
    Run run;
    run.state.settings.userName = nameBefore;
    QPointer<frmSplash> splash = start(run);
    QTRY_VERIFY_WITH_TIMEOUT(splash.isNull(), 3000);
    // The main window then reads the name from the statistics file.
    QCOMPARE(run.nameWhenMainOpened, nameAfter);
}

QTEST_MAIN(SplashTest)
#include "test_splash.moc"
