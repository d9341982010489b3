#pragma once

#include <QByteArray>
#include <QString>

namespace tavik::testing {

// Places content as both tavik.ini and conf.ini in directory and takes it
// through what a run of Tavik does with them: read both, grade a drill,
// write both, read again. Returns "" when what was written reads back
// unchanged and a second write is byte for byte the first, otherwise a
// description of the first fault. The grading's counts come from the first
// and last bytes of content, so a fuzzer steers them too.
QString settingsRoundTripFault(const QByteArray& content, const QString& directory);

} // namespace tavik::testing
