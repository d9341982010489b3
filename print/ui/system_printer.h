#pragma once

#include "print/print_job.h"

namespace tavik {

// The default printer of the system. Each document is a print job of its
// own, one copy, measured in twips over the printable area of the paper.
class SystemPrinter : public PrintTarget {
public:
    std::unique_ptr<PrintDocument> beginDocument() override;
    QString errorString() const override { return m_error; }

private:
    QString m_error;
};

} // namespace tavik
