#pragma once

#include "settings/settings_files.h"

#include <QByteArray>
#include <QString>

namespace tavik::testing {

// The file's bytes as they lie on disk; empty when it cannot be read.
QByteArray readBytes(const QString& path);

// Replaces the file with bytes, failing the running test if it cannot.
void writeBytes(const QString& path, const QByteArray& bytes);

// conf.ini and tavik.ini in the directory.
SettingsPaths settingsPathsIn(const QString& directory);

} // namespace tavik::testing
