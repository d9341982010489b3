#include "print/ui/system_printer.h"

#include "print/ui/painter_surface.h"

#include <QLibrary>
#include <QPainter>
#include <QPrinter>
#include <cups/cups.h>
#include <optional>

namespace tavik {

namespace {

// CUPS's answer to the last request of this thread. libcups brings a score of
// libraries (TLS, Kerberos, Avahi) that would cost every start of the program
// time and memory, so it is looked up at the first print, when Qt's print
// plugin has loaded it already. Without it no job can be confirmed.
ipp_status_t lastCupsError() {
    using LastError = ipp_status_t (*)();
    static const auto lastError =
        reinterpret_cast<LastError>(QLibrary::resolve(QStringLiteral("cups"), 2, "cupsLastError"));
    return lastError != nullptr ? lastError() : IPP_STATUS_ERROR_INTERNAL;
}

class PrinterDocument : public PrintDocument {
public:
    explicit PrinterDocument(std::unique_ptr<QPrinter> printer) : m_printer(std::move(printer)) {}

    ~PrinterDocument() override {
        // Qt's CUPS printer cannot withdraw a job; ending the painter then
        // sends the pages drawn so far.
        if (m_painter.isActive()) {
            m_printer->abort();
            m_painter.end();
        }
    }

    PrinterDocument(const PrinterDocument&) = delete;
    PrinterDocument& operator=(const PrinterDocument&) = delete;

    bool begin() {
        if (!m_painter.begin(m_printer.get())) {
            return false;
        }
        m_surface.emplace(m_painter, scaleToTwips(m_painter, *m_printer, m_printer->resolution()));
        return isHealthy();
    }

    DrawingSurface& surface() override { return *m_surface; }

    bool newPage() override { return m_printer->newPage() && isHealthy(); }

    bool finish() override {
        if (!isHealthy()) {
            return false;
        }
        // Ending the painter hands the job to CUPS; Qt drops CUPS's answer,
        // so a queue that refuses the job would otherwise pass for printed.
        m_painter.end();
        return printerSucceeded() && lastCupsError() <= IPP_STATUS_OK_EVENTS_COMPLETE;
    }

    bool isHealthy() const override { return m_painter.isActive() && printerSucceeded(); }

private:
    bool printerSucceeded() const {
        const QPrinter::PrinterState state = m_printer->printerState();
        return state != QPrinter::Error && state != QPrinter::Aborted;
    }

    std::unique_ptr<QPrinter> m_printer;
    QPainter m_painter;
    std::optional<PainterSurface> m_surface;
};

} // namespace

std::unique_ptr<PrintDocument> SystemPrinter::beginDocument() {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(QStringLiteral("Tavik"));
    printer->setCopyCount(1);
    printer->setFullPage(false);
    printer->setPageOrientation(QPageLayout::Portrait);
    // Without any printer Qt quietly falls back to writing a PDF file with
    // no name; that is no printer at all.
    if (printer->printerName().isEmpty() || printer->outputFormat() != QPrinter::NativeFormat) {
        return nullptr;
    }
    auto document = std::make_unique<PrinterDocument>(std::move(printer));
    if (!document->begin()) {
        return nullptr;
    }
    return document;
}

} // namespace tavik
