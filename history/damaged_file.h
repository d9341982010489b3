#pragma once

#include <QString>
#include <QStringList>

namespace tavik {

// Renames a damaged record, and the log, index and journal files SQLite
// keeps beside it, to a new name in the same folder
// ("history-damaged-<time>.sqlite", "…sqlite-wal" and so on), each exactly as
// it was found, so that nothing the learner had is lost or changed. Either
// every file present is moved or none is. Returns the new name, or an empty
// text when the files could not be moved. Companions not among found were
// made by reading the file to check it and hold nothing of the learner's:
// they are removed rather than kept as if found.
QString setDamagedFileAside(const QString& path, const QStringList& found);

// The log, index and journal files beside the record now.
QStringList companionsOf(const QString& path);

} // namespace tavik
