#include "app/app_state.h"
#include "app/ui/artwork.h"
#include "app/ui/frmSplash.h"
#include "drill/ui/frmSearch.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <memory>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tavik"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tavik"));

    tavik::AppState state;
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
    art.loadSplash(devicePixelRatio);

    std::unique_ptr<tavik::frmSearch> mainWindow;
    auto* splash = new tavik::frmSplash(state, art.splash, [&] {
        mainWindow = std::make_unique<tavik::frmSearch>(state, art);
        mainWindow->show();
    });
    splash->show();
    splash->repaint();

    // Drawn while the splash is up, so no later window waits for its pictures.
    art.loadScreens(devicePixelRatio);

    return application.exec();
}
