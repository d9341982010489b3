#pragma once

#include "print/print_job.h"

#include <QDate>
#include <QPageSize>
#include <QString>

namespace tavik {

struct Sheet;

// A PDF file as the place where a sheet's pages go: one document, written
// beside its final name and put in place only once it is complete, so a
// failed or abandoned save leaves no file and an earlier file stays whole.
class PdfFile : public PrintTarget {
public:
    explicit PdfFile(QString path, QString title = {});

    std::unique_ptr<PrintDocument> beginDocument() override;

    QString errorString() const override { return m_error; }

private:
    QString m_path;
    QString m_title;
    QString m_error;
};

// The paper of the user's LC_PAPER setting: Letter where it says Letter,
// A4 everywhere else.
QPageSize localPaper();

// "Tavik 単語問題 2026-12-07.pdf": the sheet and the day, in the user's
// Documents folder, or the home folder when there is none.
QString proposedPdfPath(const Sheet& sheet, QDate day);

} // namespace tavik
