#include "app/app_state.h"
#include "app/ui/artwork.h"
#include "app/ui/frmSplash.h"
#include "drill/ui/frmSearch.h"

#include <QApplication>
#include <QStandardPaths>
#include <memory>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tavik"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tavik"));

    tavik::AppState state;
    state.paths = tavik::locateSettingsFiles(
        QCoreApplication::applicationDirPath(),
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));

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
