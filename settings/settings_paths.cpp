#include "settings/settings_files.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace tavik {

namespace {

// A directory counts as writable only if a file can really be created in it:
// permission bits alone miss read-only mounts.
bool canCreateFilesIn(const QString& directory) {
    QTemporaryFile probe(QDir(directory).filePath(QStringLiteral(".tavik-probe-XXXXXX")));
    return probe.open();
}

SettingsPaths pathsIn(const QString& directory) {
    const QDir dir(directory);
    return {dir.filePath(QStringLiteral("conf.ini")), dir.filePath(QStringLiteral("tavik.ini"))};
}

} // namespace

SettingsPaths locateSettingsFiles(const QString& programDir, const QString& userConfigDir) {
    if (canCreateFilesIn(programDir)) {
        return pathsIn(programDir);
    }
    QDir().mkpath(userConfigDir);
    return pathsIn(userConfigDir);
}

} // namespace tavik
