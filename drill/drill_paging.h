#pragma once

namespace tavik {

// A drill screen shows its questions ten to a page.
inline constexpr int kRowsPerPage = 10;

// Pages needed for questionCount questions; a partly filled last page counts.
int pageCountFor(int questionCount);

// The question shown in row (0-based) of page (1-based).
constexpr int questionIndex(int page, int row) {
    return (page - 1) * kRowsPerPage + row;
}

// Which paging buttons a page offers: none on a single page, no "previous"
// on the first page and no "next" on the last.
struct PagingButtons {
    bool next = false;
    bool before = false;
};

PagingButtons pagingButtonsFor(int currentPage, int pageCount);

} // namespace tavik
