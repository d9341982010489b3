#include "print/print_job.h"

namespace tavik {

namespace {

bool printDocument(PrintDocument& document, int pageCount, const PageComposer& compose) {
    for (int page = 1; page <= pageCount; ++page) {
        compose(document.surface(), page);
        if (!document.isHealthy()) {
            return false;
        }
        if (page < pageCount && !document.newPage()) {
            return false;
        }
    }
    return document.finish();
}

} // namespace

bool printCopies(PrintTarget& target, int copies, int pageCount, const PageComposer& compose) {
    // A job with nothing to print has printed nothing; it must not be taken
    // for a finished one.
    if (copies < 1 || pageCount < 1) {
        return false;
    }
    for (int copy = 1; copy <= copies; ++copy) {
        const std::unique_ptr<PrintDocument> document = target.beginDocument();
        if (document == nullptr || !printDocument(*document, pageCount, compose)) {
            return false;
        }
    }
    return true;
}

} // namespace tavik
