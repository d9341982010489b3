#include "history/damaged_file.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <utility>
#include <vector>

namespace tavik {

namespace {

const QLatin1String kCompanions[] = {QLatin1String("-wal"), QLatin1String("-shm"),
                                     QLatin1String("-journal")};

QString freeNameBeside(const QString& path) {
    const QFileInfo file(path);
    const QDir folder = file.dir();
    const QString stem =
        QStringLiteral("%1-damaged-%2")
            .arg(file.completeBaseName(),
                 QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")));
    const QString suffix = file.suffix().isEmpty() ? QString() : QLatin1Char('.') + file.suffix();
    const auto taken = [](const QString& name) {
        if (QFileInfo::exists(name)) {
            return true;
        }
        for (const QLatin1String companion : kCompanions) {
            if (QFileInfo::exists(name + companion)) {
                return true;
            }
        }
        return false;
    };
    QString aside = folder.filePath(stem + suffix);
    for (int n = 2; taken(aside); ++n) {
        aside = folder.filePath(QStringLiteral("%1-%2%3").arg(stem).arg(n).arg(suffix));
    }
    return aside;
}

} // namespace

QStringList companionsOf(const QString& path) {
    QStringList found;
    for (const QLatin1String companion : kCompanions) {
        if (QFileInfo::exists(path + companion)) {
            found.append(path + companion);
        }
    }
    return found;
}

QString setDamagedFileAside(const QString& path, const QStringList& found) {
    for (const QString& made : companionsOf(path)) {
        if (!found.contains(made)) {
            QFile::remove(made);
        }
    }
    const QString aside = freeNameBeside(path);
    std::vector<std::pair<QString, QString>> moved;
    const auto moveBack = [&] {
        for (auto it = moved.rbegin(); it != moved.rend(); ++it) {
            if (!QDir().rename(it->second, it->first)) {
                qWarning().noquote() << "Could not move" << it->second << "back to" << it->first;
            }
        }
    };
    if (!QDir().rename(path, aside)) {
        return {};
    }
    moved.emplace_back(path, aside);
    for (const QLatin1String companion : kCompanions) {
        if (!QFileInfo::exists(path + companion)) {
            continue;
        }
        if (!QDir().rename(path + companion, aside + companion)) {
            qWarning().noquote() << "Could not move" << path + companion << "beside" << aside;
            moveBack();
            return {};
        }
        moved.emplace_back(path + companion, aside + companion);
    }
    return aside;
}

} // namespace tavik
