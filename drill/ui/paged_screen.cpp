#include "drill/ui/paged_screen.h"

#include "drill/drill_paging.h"
#include "shell/ui/picture_button.h"

#include <QKeyEvent>
#include <QPointer>

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
    turnPage(+1);
}

void PagedScreen::imgBefore_Click() {
    turnPage(-1);
}

void PagedScreen::turnPage(int step) {
    const QPointer<QWidget> focused = focusWidget();
    leavePage();
    m_currentPage += step;
    showPage();
    focusNewPage(focused);
}

void PagedScreen::focusNewPage(QWidget* focusedBefore) {
    // A paging button that has just gone leaves the focus nowhere useful.
    if (focusedBefore == nullptr || !focusedBefore->isVisibleTo(this)) {
        focusFirstControl();
    }
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
