#include "drill/drill_paging.h"

#include <algorithm>

namespace tavik {

int pagesFor(int questionCount, int perPage) {
    if (questionCount <= 0) {
        return 0;
    }
    return (questionCount + perPage - 1) / perPage;
}

int pageCountFor(int questionCount) {
    return std::max(1, pagesFor(questionCount, kRowsPerPage));
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
