#include "print/print_job.h"
#include "support/recording_surface.h"

#include <QTest>

using namespace tavik;
using tavik::test::RecordingSurface;

namespace {

// What a stand-in printer received: per document the pages composed and
// whether the document was finished.
struct Spool {
    struct Document {
        std::vector<int> pages;
        bool finished = false;
    };
    std::vector<Document> documents;
    int failBeginAt = 0;   // document number (1-based) that cannot start
    int failNewPageAt = 0; // page number whose new-page call fails
    int failDrawingAt = 0; // page number whose drawing fails
    bool failFinish = false;
};

class SpoolDocument : public PrintDocument {
public:
    SpoolDocument(Spool& spool, Spool::Document& document) : m_spool(spool), m_document(document) {}
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

class SpoolTarget : public PrintTarget {
public:
    explicit SpoolTarget(Spool& spool) : m_spool(spool) { spool.documents.reserve(16); }
    std::unique_ptr<PrintDocument> beginDocument() override {
        if (static_cast<int>(m_spool.documents.size()) + 1 == m_spool.failBeginAt) {
            return nullptr;
        }
        m_spool.documents.emplace_back();
        return std::make_unique<SpoolDocument>(m_spool, m_spool.documents.back());
    }

private:
    Spool& m_spool;
};

using Pages = std::vector<int>;

} // namespace

class PrintJobTest : public QObject {
    Q_OBJECT

private slots:
    void copiesAreSeparateDocuments_data();
    void copiesAreSeparateDocuments();
    void firstFailureStopsTheJob_data();
    void firstFailureStopsTheJob();
    void nothingToPrintIsNoSuccess_data();
    void nothingToPrintIsNoSuccess();
};

void PrintJobTest::copiesAreSeparateDocuments_data() {
    QTest::addColumn<int>("copies");
    QTest::addColumn<int>("pages");
    QTest::newRow("1 copy of 1 page") << 1 << 1;
    QTest::newRow("3 copies of 2 pages") << 3 << 2;
    QTest::newRow("9 copies of 8 pages") << 9 << 8;
}

void PrintJobTest::copiesAreSeparateDocuments() {
    QFETCH(int, copies);
    QFETCH(int, pages);
    Spool spool;
    SpoolTarget target(spool);
    std::vector<int> composed;
    const bool printed = printCopies(target, copies, pages, [&](DrawingSurface& surface, int page) {
        composed.push_back(page);
        surface.print(QString::number(page));
    });
    QVERIFY(printed);
    QCOMPARE(spool.documents.size(), std::size_t(copies));
    Pages inOrder;
    for (int page = 1; page <= pages; ++page) {
        inOrder.push_back(page);
    }
    for (const auto& document : spool.documents) {
        QCOMPARE(document.pages, inOrder);
        QVERIFY(document.finished);
    }
    QCOMPARE(composed.size(), std::size_t(copies * pages));
}

void PrintJobTest::firstFailureStopsTheJob_data() {
    QTest::addColumn<int>("failBeginAt");
    QTest::addColumn<int>("failNewPageAt");
    QTest::addColumn<int>("failDrawingAt");
    QTest::addColumn<bool>("failFinish");
    QTest::addColumn<int>("documents");
    QTest::addColumn<Pages>("lastDocumentPages");
    QTest::addColumn<bool>("lastFinished");
    QTest::newRow("no printer") << 1 << 0 << 0 << false << 0 << Pages{} << false;
    QTest::newRow("second copy cannot start")
        << 2 << 0 << 0 << false << 1 << Pages{1, 2, 3} << true;
    QTest::newRow("new page fails after page 1") << 0 << 1 << 0 << false << 1 << Pages{1} << false;
    QTest::newRow("drawing fails on page 2") << 0 << 0 << 2 << false << 1 << Pages{1, 2} << false;
    QTest::newRow("drawing fails on page 1") << 0 << 0 << 1 << false << 1 << Pages{1} << false;
    QTest::newRow("document cannot end") << 0 << 0 << 0 << true << 1 << Pages{1, 2, 3} << false;
}

void PrintJobTest::firstFailureStopsTheJob() {
    QFETCH(int, failBeginAt);
    QFETCH(int, failNewPageAt);
    QFETCH(int, failDrawingAt);
    QFETCH(bool, failFinish);
    QFETCH(int, documents);
    QFETCH(Pages, lastDocumentPages);
    QFETCH(bool, lastFinished);
    Spool spool;
    spool.failBeginAt = failBeginAt;
    spool.failNewPageAt = failNewPageAt;
    spool.failDrawingAt = failDrawingAt;
    spool.failFinish = failFinish;
    SpoolTarget target(spool);
    const bool printed = printCopies(target, 3, 3, [](DrawingSurface&, int) {});
    QVERIFY(!printed);
    QCOMPARE(int(spool.documents.size()), documents);
    if (documents > 0) {
        QCOMPARE(spool.documents.back().pages, lastDocumentPages);
        QCOMPARE(spool.documents.back().finished, lastFinished);
    }
}

void PrintJobTest::nothingToPrintIsNoSuccess_data() {
    QTest::addColumn<int>("copies");
    QTest::addColumn<int>("pages");
    QTest::newRow("no pages") << 1 << 0;
    QTest::newRow("no copies") << 0 << 2;
}

void PrintJobTest::nothingToPrintIsNoSuccess() {
    QFETCH(int, copies);
    QFETCH(int, pages);
    Spool spool;
    SpoolTarget target(spool);
    QVERIFY(!printCopies(target, copies, pages, [](DrawingSurface&, int) {}));
    QVERIFY(spool.documents.empty());
}

QTEST_APPLESS_MAIN(PrintJobTest)
#include "test_print_job.moc"
