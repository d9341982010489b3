#pragma once

#include "print/print_job.h"
#include "support/recording_surface.h"

#include <QStringList>

#include <deque>
#include <memory>
#include <vector>

namespace tavik::test {

// What a stand-in printer received: per document the pages composed and
// whether the document was finished. Each way to fail is off at 0.
struct Spool {
    struct Document {
        std::vector<int> pages;
        bool finished = false;
    };
    std::deque<Document> documents;
    int failBeginAt = 0;   // document number (1-based) that cannot start
    int failNewPageAt = 0; // page number whose new-page call fails
    int failDrawingAt = 0; // page number whose drawing fails
    bool failFinish = false;
    // The page labels ("1/3 Page" …) of every document, in printing order.
    QStringList pageLabels;

    // The number of pages composed in each document, in order.
    std::vector<int> pagesPerDocument() const;
};

// A printer that spools into a Spool instead of printing.
class SpoolTarget : public PrintTarget {
public:
    explicit SpoolTarget(Spool& spool) : m_spool(spool) {}
    std::unique_ptr<PrintDocument> beginDocument() override;

private:
    Spool& m_spool;
};

} // namespace tavik::test
