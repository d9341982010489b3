#pragma once

namespace tavik {

// A drill screen shows its questions ten to a page.
inline constexpr int kRowsPerPage = 10;

// Pages of perPage questions needed for questionCount questions; a partly
// filled last page counts, and no questions need no page.
int pagesFor(int questionCount, int perPage);

// Pages of the drill screen: a drill without questions still shows its one
// empty page.
int pageCountFor(int questionCount);

// The question shown in row (0-based) of page (1-based).
constexpr int questionIndex(int page, int row) {
    return (page - 1) * kRowsPerPage + row;
}

// Which paging buttons a page offers, on screen and in the print preview
// alike: none on a single page, no "previous" on the first page and no "next"
// on the last.
struct PagingButtons {
    bool next = false;
    bool before = false;
};

PagingButtons pagingButtonsFor(int currentPage, int pageCount);

} // namespace tavik
