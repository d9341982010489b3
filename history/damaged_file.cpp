#include "history/damaged_file.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace tavik {

QString setDamagedFileAside(const QString& path) {
    const QFileInfo file(path);
    const QDir folder = file.dir();
    const QString stem =
        QStringLiteral("%1-damaged-%2")
            .arg(file.completeBaseName(),
                 QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")));
    const QString suffix = file.suffix().isEmpty() ? QString() : QLatin1Char('.') + file.suffix();
    QString aside = folder.filePath(stem + suffix);
    for (int n = 2; QFileInfo::exists(aside); ++n) {
        aside = folder.filePath(QStringLiteral("%1-%2%3").arg(stem).arg(n).arg(suffix));
    }
    if (!QDir().rename(path, aside)) {
        return QString();
    }
    for (const QLatin1String companion : {QLatin1String("-wal"), QLatin1String("-shm")}) {
        if (QFileInfo::exists(path + companion)) {
            QDir().rename(path + companion, aside + companion);
        }
    }
    return aside;
}

} // namespace tavik
