#include "app/command_line.h"
#include "app/platform_choice.h"
#include "app/qt_translations.h"
#include "app/scaled_restart.h"
#include "app/screen_fit.h"
#include "drill/app_state.h"
#include "menu/ui/frmSearch.h"
#include "shell/ui/artwork.h"
#include "shell/ui/downscaled_windows.h"
#include "shell/ui/fonts.h"
#include "shell/ui/frmSplash.h"
#include "shell/ui/program_exit.h"
#include "shell/ui/startup_trace.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QScreen>
#include <QStandardPaths>
#include <malloc.h>
#include <memory>

int main(int argc, char* argv[]) {
    tavik::StartupTrace::mark("main");
    if (const auto answered = tavik::answerCommandLine(argc, argv, TAVIK_VERSION)) {
        return *answered;
    }
#ifdef __GLIBC__
    // Pictures, page images and the windows' backing stores are large and
    // come and go with the screens. A fixed threshold keeps them out of the
    // heap, so their memory goes back to the system when they go instead of
    // leaving holes that keep the program's footprint up.
    mallopt(M_MMAP_THRESHOLD, 64 * 1024);
    mallopt(M_ARENA_MAX, 1);
#endif
    tavik::choosePlatform();
    // QApplication takes its own options out of argv, and the window
    // system's start-up id out of the environment; a restart needs both.
    const tavik::ScaledRestart restart(argc, argv);
    QApplication application(argc, argv);
    // A screen too small for the book (a laptop's at 125 % to 200 %, a
    // netbook's) gets the whole program scaled to fit, before any window
    // exists.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        if (const auto scale = tavik::scaleToFit(QSizeF(screen->availableGeometry().size()),
                                                 screen->devicePixelRatio())) {
            restart.run(*scale);
        }
        if (screen->devicePixelRatio() < 1) {
            new tavik::DownscaledWindows(&application);
        }
    }
    restart.forget();
    tavik::installQtTranslations(application);
    QApplication::setApplicationName(QStringLiteral("tavik"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tavik"));
    // Panels and task switchers find the menu entry, and with it the icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("tavik"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/prerendered/tavik@1x.png")));

    tavik::AppState state;
    // history.sqlite alone then holds every answer: a learner who copies that
    // one file has the whole record.
    tavik::doAtProgramEnd([&state] { state.recorder.close(); });
    // A portable copy keeps its files beside itself; an installed one, whose
    // folder is shared by every user, keeps them in the user's own folder.
    const QString userConfigDir =
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    const QString programDir = QCoreApplication::applicationDirPath();
    const bool installed = QDir(programDir) == QDir(QStringLiteral(TAVIK_INSTALLED_BINDIR)) ||
                           QDir(programDir) == QDir(QStringLiteral(TAVIK_PACKAGED_BINDIR));
    state.paths = tavik::locateSettingsFiles(installed ? userConfigDir : programDir, userConfigDir);

    const qreal devicePixelRatio = application.devicePixelRatio();
    tavik::Artwork art;
    bool screensLoaded = false;
    auto loadScreens = [&] {
        if (!screensLoaded) {
            screensLoaded = true;
            art.loadScreens(devicePixelRatio);
            tavik::prepareGothicFonts();
            tavik::StartupTrace::mark("artwork");
        }
    };

    std::unique_ptr<tavik::frmSearch> mainWindow;
    // Created before its picture, so that its timer starts at once.
    auto* splash = new tavik::frmSplash(state.banks, state.settings, QPixmap(), [&] {
        // The splash is never shown again; its picture goes before the main
        // window's memory is taken.
        art.splash = QPixmap();
        loadScreens();
        mainWindow = std::make_unique<tavik::frmSearch>(state, art);
        // However the main window closes (its own button, the window
        // manager, a keyboard shortcut of the desktop), the program ends at
        // once, leaving no thread or service to wait for.
        QObject::connect(mainWindow.get(), &QDialog::finished, [] { tavik::endProgram(); });
        tavik::StartupTrace::watchFirstPaint(mainWindow.get(), "main");
        mainWindow->show();
    });
    art.loadSplash(devicePixelRatio);
    splash->setPicture(art.splash);
    // The pictures of the later windows are drawn while the splash is up, but
    // only once the splash itself is on the display, so they do not delay it.
    QObject::connect(splash, &tavik::frmSplash::pictureShown, loadScreens);
    tavik::StartupTrace::watchFirstPaint(splash, "splash");
    splash->show();

    return application.exec();
}
