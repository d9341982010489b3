#include "print/ui/system_printer.h"

#include "print/ui/painter_surface.h"

#include <QLibrary>
#include <QPainter>
#include <QPrinter>
#include <cups/cups.h>
#include <optional>

namespace tavik {

namespace {

// CUPS's answers to the last request of this thread. libcups brings a score
// of libraries (TLS, Kerberos, Avahi) that would cost every start of the
// program time and memory, so it is looked up at the first print, when Qt's
// print plugin has loaded it already. Without it no job can be confirmed.
template <typename Function> Function cupsFunction(const char* name) {
    return reinterpret_cast<Function>(QLibrary::resolve(QStringLiteral("cups"), 2, name));
}

ipp_status_t lastCupsError() {
    static const auto lastError = cupsFunction<ipp_status_t (*)()>("cupsLastError");
    return lastError != nullptr ? lastError() : IPP_STATUS_ERROR_INTERNAL;
}

bool cupsFailed() {
    return lastCupsError() > IPP_STATUS_OK_EVENTS_COMPLETE;
}

// Why CUPS refused the last request, in the words of CUPS's own messages;
// where CUPS took it and Qt failed, Qt says no more than that.
QString failureReason() {
    static const auto lastErrorString = cupsFunction<const char* (*)()>("cupsLastErrorString");
    if (cupsFailed() && lastErrorString != nullptr && lastErrorString() != nullptr) {
        return QString::fromUtf8(lastErrorString());
    }
    return QStringLiteral("プリンターが印刷を受け付けませんでした");
}

class PrinterDocument : public PrintDocument {
public:
    PrinterDocument(std::unique_ptr<QPrinter> printer, QString& error)
        : m_printer(std::move(printer)), m_error(error) {}

    ~PrinterDocument() override {
        // A document dropped unfinished has failed. Qt's CUPS printer cannot
        // withdraw a job; ending the painter then sends the pages drawn so far.
        if (m_painter.isActive()) {
            failed();
            m_printer->abort();
            m_painter.end();
        }
    }

    PrinterDocument(const PrinterDocument&) = delete;
    PrinterDocument& operator=(const PrinterDocument&) = delete;

    bool begin() {
        if (!m_painter.begin(m_printer.get())) {
            return failed();
        }
        m_surface.emplace(m_painter, scaleToTwips(m_painter, *m_printer, m_printer->resolution()));
        return isHealthy() || failed();
    }

    DrawingSurface& surface() override { return *m_surface; }

    bool newPage() override { return m_printer->newPage() && isHealthy(); }

    bool finish() override {
        if (!isHealthy()) {
            return failed();
        }
        // Ending the painter hands the job to CUPS; Qt drops CUPS's answer,
        // so a queue that refuses the job would otherwise pass for printed.
        m_painter.end();
        return (printerSucceeded() && !cupsFailed()) || failed();
    }

    bool isHealthy() const override { return m_painter.isActive() && printerSucceeded(); }

private:
    bool failed() {
        m_error = failureReason();
        return false;
    }

    bool printerSucceeded() const {
        const QPrinter::PrinterState state = m_printer->printerState();
        return state != QPrinter::Error && state != QPrinter::Aborted;
    }

    std::unique_ptr<QPrinter> m_printer;
    QString& m_error;
    QPainter m_painter;
    std::optional<PainterSurface> m_surface;
};

} // namespace

std::unique_ptr<PrintDocument> SystemPrinter::beginDocument() {
    m_error.clear();
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(QStringLiteral("Tavik"));
    printer->setCopyCount(1);
    printer->setFullPage(false);
    printer->setPageOrientation(QPageLayout::Portrait);
    // Without any printer Qt quietly falls back to writing a PDF file with
    // no name; that is no printer at all.
    if (printer->printerName().isEmpty() || printer->outputFormat() != QPrinter::NativeFormat) {
        m_error = QStringLiteral("プリンターが設定されていません");
        return nullptr;
    }
    auto document = std::make_unique<PrinterDocument>(std::move(printer), m_error);
    if (!document->begin()) {
        return nullptr;
    }
    return document;
}

} // namespace tavik
