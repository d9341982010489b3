#include "settings/settings_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <unistd.h>

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
    return {dir.filePath(QStringLiteral("conf.ini")), dir.filePath(QStringLiteral("tavik.ini")),
            dir.filePath(QStringLiteral("history.sqlite"))};
}

// Files of another account (a teacher who once ran a shared copy) are that
// account's statistics and typed answers, never this learner's.
bool ownFile(const QString& file) {
    const QFileInfo info(file);
    return info.exists() && info.ownerId() == ::geteuid();
}

// A copy that once kept its files beside itself (a portable copy made
// read-only, or moved onto a read-only medium) still holds the learner's
// statistics there; they go along to the new place rather than starting
// again from nothing. Files already in the new place win.
void carryOver(const QString& from, const QString& to) {
    if (QFile::exists(to) || !ownFile(from) || !QFile::copy(from, to)) {
        return;
    }
    QFile::setPermissions(to, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

// Whether both files exist and the first was written after the second.
bool newer(const QString& file, const QString& than) {
    const QFileInfo one(file);
    const QFileInfo other(than);
    return one.exists() && other.exists() && one.lastModified() > other.lastModified();
}

} // namespace

SettingsPaths locateSettingsFiles(const QString& programDir, const QString& userConfigDir) {
    SettingsPaths own = pathsIn(userConfigDir);
    // An installed program: the user's folder is where the files belong.
    if (QDir(programDir) == QDir(userConfigDir)) {
        QDir().mkpath(userConfigDir);
        return own;
    }
    const SettingsPaths besideProgram = pathsIn(programDir);
    own.movedFrom = programDir;
    if (canCreateFilesIn(programDir)) {
        // A run while this folder could not be written graded into the
        // user's folder: files there that are newer than these, or the
        // learner's files there while none are here, hold the latest drills,
        // which must not vanish from the counts nor split the record.
        const bool noneHere = !QFile::exists(besideProgram.statisticsFile) &&
                              !QFile::exists(besideProgram.historyFile);
        if (newer(own.statisticsFile, besideProgram.statisticsFile) ||
            newer(own.historyFile, besideProgram.historyFile) ||
            (noneHere && (ownFile(own.statisticsFile) || ownFile(own.historyFile)))) {
            return own;
        }
        return besideProgram;
    }
    QDir().mkpath(userConfigDir);
    carryOver(besideProgram.configFile, own.configFile);
    carryOver(besideProgram.statisticsFile, own.statisticsFile);
    if (!QFile::exists(own.historyFile)) {
        carryOver(besideProgram.historyFile, own.historyFile);
        // The record's log may still hold its latest gradings; it belongs
        // to that file only.
        if (QFile::exists(own.historyFile)) {
            const QString log = QStringLiteral("-wal");
            carryOver(besideProgram.historyFile + log, own.historyFile + log);
        }
    }
    return own;
}

} // namespace tavik
