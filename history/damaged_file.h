#pragma once

#include <QString>

namespace tavik {

// Renames an unreadable record, and the log and index files SQLite keeps
// beside it, to a new name in the same folder ("history-damaged-<time>.sqlite"),
// so that nothing the learner had is deleted. Returns the new name, or an
// empty text when the file could not be moved.
QString setDamagedFileAside(const QString& path);

} // namespace tavik
