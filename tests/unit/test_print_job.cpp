#include "print/print_job.h"
#include "support/spool_printer.h"

#include <QTest>

using namespace tavik;
using tavik::test::RecordingSurface;
using tavik::test::Spool;
using tavik::test::SpoolTarget;

namespace {

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
