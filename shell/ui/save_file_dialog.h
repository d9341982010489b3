#pragma once

#include <QString>

class QWidget;

namespace tavik {

// Asks where to save a file, proposing the path; empty when the learner
// cancels. Qt's own dialog widens its list so that whole names show: the
// names Tavik proposes differ only in their middle (単語問題, 単語解答),
// which the list's usual width cuts out. A desktop's own dialog is left as
// it is. The title is the command's ("PDFで保存"); the file type names the
// filter and gives the suffix ("pdf" → "PDF (*.pdf)").
QString askSavePath(QWidget* parent, const QString& title, const QString& proposedPath,
                    const QString& suffix);

} // namespace tavik
