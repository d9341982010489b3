#pragma once

#include <QString>
#include <functional>
#include <memory>

namespace tavik {

class DrawingSurface;

// One document on its way to the printer. A document dropped before it was
// finished is withdrawn where the printer allows it; what the printer has
// already taken is not recalled.
class PrintDocument {
public:
    virtual ~PrintDocument() = default;
    virtual DrawingSurface& surface() = 0;
    // Ends the current page and starts the next one; false on failure.
    virtual bool newPage() = 0;
    // Ends the document and releases it for printing; false on failure.
    virtual bool finish() = 0;
    // False once anything drawn on the surface has failed.
    virtual bool isHealthy() const = 0;
};

// Where documents are printed: the system printer, or a stand-in in tests.
class PrintTarget {
public:
    virtual ~PrintTarget() = default;
    // A new document, or nullptr when no document can be started.
    virtual std::unique_ptr<PrintDocument> beginDocument() = 0;
    // Why the last document failed, as the printer or the file system says
    // it; empty when nothing failed or nothing was said.
    virtual QString errorString() const { return {}; }
};

using PageComposer = std::function<void(DrawingSurface& surface, int page)>;

// Prints every copy as a document of its own with pages 1 to pageCount in
// order. The first failure stops the job: no further page or copy is
// printed. True only when every copy was handed to the printer.
bool printCopies(PrintTarget& target, int copies, int pageCount, const PageComposer& compose);

} // namespace tavik
