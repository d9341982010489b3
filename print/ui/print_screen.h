#pragma once

#include "print/sheet_composer.h"
#include "shell/ui/screen_window.h"

#include <QMessageBox>
#include <memory>

class QComboBox;
class QLabel;

namespace tavik {

struct AppState;
struct Artwork;
class PictureButton;
class PrintTarget;
class SheetPreview;

// The print screen of one sheet family: the preview of one page at a time,
// paging by buttons and keys, and printing in one to nine copies.
class PrintScreen : public ScreenWindow {
    Q_OBJECT
public:
    PrintScreen(AppState& state, const Artwork& art, SheetFamily family, const QString& objectName);
    ~PrintScreen() override;

    int sheetPage() const { return m_sheetPage; }
    int sheetPageCount() const { return m_sheetPageCount; }

    // Where the copies go: the system printer unless replaced.
    void setPrintTarget(std::unique_ptr<PrintTarget> target);

protected:
    // The one OK-only message box of the print job.
    virtual void showMessage(QMessageBox::Icon icon, const QString& text);
    bool formKeyDown(QKeyEvent* event) override;

private:
    void createControls();
    PictureButton* createBarButton(const QString& name, QPoint place, int normalPicture,
                                   QLabel* caption);

    void Form_Load();
    void showPreviewPage();
    void imgNext_Click();
    void imgBefore_Click();
    void imgPrint_Click();
    void imgBack_Click();
    void imgExit_Click();
    void imgHelp_Click();
    int copiesChosen() const;

    AppState& m_state;
    const Artwork& m_art;
    SheetFamily m_family;
    Sheet m_sheet;
    int m_sheetPage = 1;
    int m_sheetPageCount = 0;
    std::unique_ptr<PrintTarget> m_printTarget;

    SheetPreview* pbPreview = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* cmbCopy = nullptr;
    QLabel* lblPrint = nullptr;
    QLabel* lblBack = nullptr;
    QLabel* lblNext = nullptr;
    QLabel* lblBefore = nullptr;
    PictureButton* imgPrint = nullptr;
    PictureButton* imgBack = nullptr;
    PictureButton* imgNext = nullptr;
    PictureButton* imgBefore = nullptr;
    PictureButton* imgExit = nullptr;
    PictureButton* imgHelp = nullptr;
};

} // namespace tavik
