#include "drill/ui/paged_screen.h"

#include "drill/drill_paging.h"
#include "shell/ui/picture_button.h"

#include <QKeyEvent>

namespace tavik {

void PagedScreen::resetPages(int pageCount) {
    m_currentPage = 1;
    m_pageCount = pageCount;
}

void PagedScreen::showPagingButtons() {
    const PagingButtons paging = pagingButtonsFor(m_currentPage, m_pageCount);
    imgNext->setShown(paging.next);
    imgBefore->setShown(paging.before);
}

void PagedScreen::imgNext_Click() {
    leavePage();
    ++m_currentPage;
    showPage();
    // Paged from its button or its key, the learner goes on at the top of
    // the new page, not on a button that may just have gone.
    focusFirstControl();
}

void PagedScreen::imgBefore_Click() {
    leavePage();
    --m_currentPage;
    showPage();
    focusFirstControl();
}

bool PagedScreen::formKeyDown(QKeyEvent* event) {
    switch (event->key()) {
    // Page Up turns to the next page and Page Down back to the previous one,
    // against most programs' habit. This is meant: the help page teaches
    // these keys, and learners' hands know them.
    case Qt::Key_PageUp:
        if (m_currentPage < m_pageCount) {
            imgNext->click();
        }
        return true;
    case Qt::Key_PageDown:
        if (m_currentPage > 1) {
            imgBefore->click();
        }
        return true;
    case Qt::Key_Escape:
        close();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        enterPressed();
        return true;
    default:
        return false;
    }
}

} // namespace tavik
