#pragma once

#include <QString>

class QWidget;

namespace tavik {

// Asks where to save a sheet as PDF, proposing the path; empty when the
// learner cancels. Qt's own dialog widens its list so that whole names show:
// the sheets' names differ only in their middle (単語問題, 単語解答), which
// the list's usual width cuts out. A desktop's own dialog is left as it is.
QString askPdfPath(QWidget* parent, const QString& proposedPath);

} // namespace tavik
