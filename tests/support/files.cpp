#include "support/files.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace tavik::testing {

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

SettingsPaths settingsPathsIn(const QString& directory) {
    const QDir dir(directory);
    return {dir.filePath(QStringLiteral("conf.ini")), dir.filePath(QStringLiteral("tavik.ini"))};
}

} // namespace tavik::testing
