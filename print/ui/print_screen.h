#pragma once

#include "drill/ui/paged_screen.h"
#include "print/sheet_composer.h"

#include <QMessageBox>
#include <functional>
#include <memory>

class QComboBox;
class QLabel;

namespace tavik {

struct AppState;
struct Artwork;
class PictureButton;
class PrintTarget;
class SheetPreview;

// The print screen of one sheet family: the preview of one page at a time
// and printing in one to nine copies.
class PrintScreen : public PagedScreen {
    Q_OBJECT
public:
    PrintScreen(AppState& state, const Artwork& art, SheetFamily family, const QString& objectName);
    ~PrintScreen() override;

    // Where the copies go: the system printer unless replaced.
    void setPrintTarget(std::unique_ptr<PrintTarget> target);

    // Asks where to save the PDF, proposing a path; an empty answer cancels.
    // The desktop's save dialog unless replaced.
    using SaveFileChooser = std::function<QString(QWidget* parent, const QString& proposedPath)>;
    void setSaveFileChooser(SaveFileChooser chooser);

protected:
    // The one OK-only message box of the print job.
    virtual void showMessage(QMessageBox::Icon icon, const QString& text);
    void showPage() override;
    void enterPressed() override { imgPrint_Click(); }

private:
    void createControls();

    void Form_Load();
    void imgPrint_Click();
    void imgPdf_Click();
    void imgBack_Click();
    void imgHelp_Click();
    int copiesChosen() const;

    AppState& m_state;
    const Artwork& m_art;
    SheetFamily m_family;
    Sheet m_sheet;
    std::unique_ptr<PrintTarget> m_printTarget;
    SaveFileChooser m_chooseSaveFile;

    SheetPreview* pbPreview = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* cmbCopy = nullptr;
    PictureButton* imgPrint = nullptr;
    PictureButton* imgPdf = nullptr;
    PictureButton* imgBack = nullptr;
    PictureButton* imgExit = nullptr;
    PictureButton* imgHelp = nullptr;
};

} // namespace tavik
