#include "drill/drill_paging.h"

namespace tavik {

int pageCountFor(int questionCount) {
    if (questionCount <= 0) {
        return 1;
    }
    return (questionCount + kRowsPerPage - 1) / kRowsPerPage;
}

PagingButtons pagingButtonsFor(int currentPage, int pageCount) {
    if (pageCount <= 1) {
        return {};
    }
    if (currentPage <= 1) {
        return {.next = true, .before = false};
    }
    if (currentPage >= pageCount) {
        return {.next = false, .before = true};
    }
    return {.next = true, .before = true};
}

} // namespace tavik
