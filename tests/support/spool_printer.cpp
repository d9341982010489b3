#include "support/spool_printer.h"

namespace tavik::test {

namespace {

class SpoolDocument : public PrintDocument {
public:
    SpoolDocument(Spool& spool, Spool::Document& document) : m_spool(spool), m_document(document) {}
    ~SpoolDocument() override {
        for (const RecordingSurface::Record& text : m_surface.prints()) {
            if (text.text.endsWith(QStringLiteral(" Page"))) {
                m_spool.pageLabels << text.text;
            }
        }
    }
    DrawingSurface& surface() override {
        m_document.pages.push_back(m_page);
        return m_surface;
    }
    bool newPage() override {
        if (m_page == m_spool.failNewPageAt) {
            return false;
        }
        ++m_page;
        return true;
    }
    bool finish() override {
        m_document.finished = !m_spool.failFinish;
        return m_document.finished;
    }
    bool isHealthy() const override { return m_page != m_spool.failDrawingAt; }

private:
    Spool& m_spool;
    Spool::Document& m_document;
    RecordingSurface m_surface{11000, 15000};
    int m_page = 1;
};

} // namespace

std::vector<int> Spool::pagesPerDocument() const {
    std::vector<int> counts;
    for (const Document& document : documents) {
        counts.push_back(static_cast<int>(document.pages.size()));
    }
    return counts;
}

std::unique_ptr<PrintDocument> SpoolTarget::beginDocument() {
    if (static_cast<int>(m_spool.documents.size()) + 1 == m_spool.failBeginAt) {
        return nullptr;
    }
    m_spool.documents.emplace_back();
    return std::make_unique<SpoolDocument>(m_spool, m_spool.documents.back());
}

} // namespace tavik::test
