#pragma once

#include <QString>

namespace tavik {

// Renames a damaged record, and the log, index and journal files SQLite
// keeps beside it, to a new name in the same folder
// ("history-damaged-<time>.sqlite", "…sqlite-wal" and so on), each exactly as
// it was found, so that nothing the learner had is lost or changed. Either
// every file present is moved or none is. Returns the new name, or an empty
// text when the files could not be moved.
QString setDamagedFileAside(const QString& path);

} // namespace tavik
