#pragma once

#include "shell/ui/screen_window.h"

namespace tavik {

class PictureButton;

// A screen that shows one page of many: the page on show and the number of
// pages, the next and previous buttons, and the keys every paging screen
// shares. A screen creates imgNext and imgBefore, sets the pages, and shows
// a page in showPage().
class PagedScreen : public ScreenWindow {
    Q_OBJECT
public:
    int currentPage() const { return m_currentPage; }
    int pageCount() const { return m_pageCount; }

protected:
    using ScreenWindow::ScreenWindow;

    // Shows page currentPage().
    virtual void showPage() = 0;
    // Called before the page on show is left for another.
    virtual void leavePage() {}
    // The screen's main command, which Enter gives.
    virtual void enterPressed() = 0;
    // Where the keyboard focus goes once a page has been turned: it stays
    // where it was, unless that control has gone with the old page.
    virtual void focusNewPage(QWidget* focusedBefore);

    // Starts again on the first of pageCount pages, without showing it.
    void resetPages(int pageCount);
    // Shows or hides imgNext and imgBefore for the page on show.
    void showPagingButtons();

    bool formKeyDown(QKeyEvent* event) override;

    PictureButton* imgNext = nullptr;
    PictureButton* imgBefore = nullptr;

protected slots:
    void imgNext_Click();
    void imgBefore_Click();

private:
    void turnPage(int step);

    int m_currentPage = 1;
    int m_pageCount = 0;
};

} // namespace tavik
