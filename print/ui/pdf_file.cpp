#include "print/ui/pdf_file.h"

#include "print/sheet_composer.h"
#include "print/ui/painter_surface.h"

#include <QDir>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QStandardPaths>
#include <cstring>
#include <langinfo.h>
#include <optional>

namespace tavik {

namespace {

class PdfDocument : public PrintDocument {
public:
    PdfDocument(const QString& path, QString& error) : m_file(path), m_error(error) {}

    ~PdfDocument() override {
        // The pages drawn so far go into the unfinished file, which the
        // save file then throws away.
        if (m_painter.isActive()) {
            m_painter.end();
        }
        // A write that failed while pages were drawn stopped the job.
        if (m_error.isEmpty() && m_file.error() != QFileDevice::NoError) {
            m_error = m_file.errorString();
        }
    }

    PdfDocument(const PdfDocument&) = delete;
    PdfDocument& operator=(const PdfDocument&) = delete;

    bool begin(const QString& title) {
        if (!m_file.open(QIODevice::WriteOnly)) {
            m_error = m_file.errorString();
            return false;
        }
        m_writer.emplace(&m_file);
        m_writer->setCreator(QStringLiteral("Tavik"));
        m_writer->setTitle(title);
        // The whole sheet, edge to edge: the composition keeps its own
        // margins in proportion to the paper.
        m_writer->setPageLayout(
            QPageLayout(localPaper(), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        if (!m_painter.begin(&*m_writer)) {
            m_error = m_file.errorString();
            return false;
        }
        m_surface.emplace(m_painter, scaleToTwips(m_painter, *m_writer, m_writer->resolution()));
        return isHealthy();
    }

    DrawingSurface& surface() override { return *m_surface; }

    bool newPage() override { return m_writer->newPage() && isHealthy(); }

    bool finish() override {
        if (!isHealthy()) {
            return false;
        }
        m_painter.end();
        // Qt's save file forgets a write that failed while its buffer was
        // flushed (a full disk) and would put the cut file in place: the
        // buffer is flushed here, where the failure can still be seen.
        if (!m_file.flush()) {
            m_error = m_file.errorString();
            m_file.cancelWriting();
            return false;
        }
        if (!m_file.commit()) {
            m_error = m_file.errorString();
            return false;
        }
        return true;
    }

    bool isHealthy() const override {
        return m_painter.isActive() && m_file.error() == QFileDevice::NoError;
    }

private:
    QSaveFile m_file;
    QString& m_error;
    std::optional<QPdfWriter> m_writer;
    QPainter m_painter;
    std::optional<PainterSurface> m_surface;
};

// glibc hands out the numbers of LC_PAPER as a word in place of the text
// pointer (its own locale program reads them through the same union).
unsigned paperMillimetres(nl_item item) {
    const char* value = nl_langinfo(item);
    unsigned millimetres = 0;
    std::memcpy(&millimetres, &value, sizeof millimetres);
    return millimetres;
}

} // namespace

PdfFile::PdfFile(QString path, QString title)
    : m_path(std::move(path)), m_title(std::move(title)) {}

std::unique_ptr<PrintDocument> PdfFile::beginDocument() {
    m_error.clear();
    auto document = std::make_unique<PdfDocument>(m_path, m_error);
    if (!document->begin(m_title)) {
        return nullptr;
    }
    return document;
}

QPageSize localPaper() {
    // US Letter is 8.5 × 11 inches, which glibc's locales give as 216 × 279.
    if (paperMillimetres(_NL_PAPER_WIDTH) == 216 && paperMillimetres(_NL_PAPER_HEIGHT) == 279) {
        return QPageSize(QPageSize::Letter);
    }
    return QPageSize(QPageSize::A4);
}

QString proposedPdfPath(const Sheet& sheet, QDate day) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists()) {
        folder = QDir::homePath();
    }
    const QString name =
        QStringLiteral("Tavik %1 %2.pdf").arg(sheetName(sheet), day.toString(Qt::ISODate));
    return QDir(folder).filePath(name);
}

} // namespace tavik
