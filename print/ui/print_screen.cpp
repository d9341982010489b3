#include "print/ui/print_screen.h"

#include "drill/app_state.h"
#include "print/print_job.h"
#include "print/ui/pdf_file.h"
#include "print/ui/sheet_preview.h"
#include "print/ui/system_printer.h"
#include "shell/ui/artwork.h"
#include "shell/ui/caption_label.h"
#include "shell/ui/fonts.h"
#include "shell/ui/frmHelp.h"
#include "shell/ui/picture_button.h"
#include "shell/ui/save_file_dialog.h"
#include "shell/ui/screen_parts.h"

#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>

namespace tavik {

namespace {

constexpr int kMostCopies = 9;

// A failure's message, and below it why, where the printer or the file
// system said.
QString withReason(const QString& failure, const QString& reason) {
    return reason.isEmpty() ? failure : failure + QStringLiteral("\n\n") + reason;
}

} // namespace

PrintScreen::PrintScreen(AppState& state, const Artwork& art, SheetFamily family,
                         const QString& objectName)
    : m_state(state), m_art(art), m_family(family),
      m_printTarget(std::make_unique<SystemPrinter>()),
      m_chooseSaveFile([](QWidget* parent, const QString& proposedPath) {
          return askSavePath(parent, QStringLiteral("PDFで保存"), proposedPath,
                             QStringLiteral("pdf"));
      }) {
    setObjectName(objectName);
    createControls();
    enableKeyPreview();
    Form_Load();
}

PrintScreen::~PrintScreen() = default;

void PrintScreen::setPrintTarget(std::unique_ptr<PrintTarget> target) {
    m_printTarget = std::move(target);
}

void PrintScreen::setSaveFileChooser(SaveFileChooser chooser) {
    m_chooseSaveFile = std::move(chooser);
}

void PrintScreen::createControls() {
    pbPreview = new SheetPreview(this);
    pbPreview->setAccessibleName(QStringLiteral("印刷プレビュー"));

    Label1 = new QLabel(QStringLiteral("印刷部数："), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(gothicFont(12, true));
    Label1->setGeometry(560, 248, 138, 20);

    cmbCopy = new QComboBox(this);
    cmbCopy->setObjectName(QStringLiteral("cmbCopy"));
    cmbCopy->setFont(gothicFont(12, true));
    cmbCopy->setEditable(false);
    for (int copies = 1; copies <= kMostCopies; ++copies) {
        cmbCopy->addItem(QStringLiteral("%1枚").arg(copies));
    }
    cmbCopy->setGeometry(560, 270, 90, 26);
    cmbCopy->setAccessibleDescription(QStringLiteral("印刷部数"));

    imgPrint = makeBarButton(this, m_art, QStringLiteral("Print"), {560, 304}, 1,
                             QStringLiteral("印刷"), {600, 310, 57, 17}, CaptionColour::Red);
    // Between printing and going back: the other way to take the sheets.
    imgPdf = makeBarButton(this, m_art, QStringLiteral("Pdf"), {560, 348}, 9,
                           QStringLiteral("PDFで保存"), {592, 354, 100, 17});
    imgBack = makeBarButton(this, m_art, QStringLiteral("Back"), {560, 392}, 1,
                            QStringLiteral("再検索"), {602, 398, 57, 17});
    imgNext = makeBarButton(this, m_art, QStringLiteral("Next"), {560, 440}, 1,
                            QStringLiteral("次へ"), {602, 446, 57, 17});
    imgBefore = makeBarButton(this, m_art, QStringLiteral("Before"), {560, 480}, 3,
                              QStringLiteral("前へ"), {616, 486, 49, 17});
    imgExit = makeExitButton(this, m_art, 29);
    imgHelp = makeHelpButton(this, m_art);

    // The number of copies, then the buttons top to bottom.
    chainTabOrder({cmbCopy, imgPrint, imgPdf, imgBack, imgNext, imgBefore, imgHelp, imgExit});

    connect(imgPrint, &PictureButton::clicked, this, &PrintScreen::imgPrint_Click);
    connect(imgPdf, &PictureButton::clicked, this, &PrintScreen::imgPdf_Click);
    connect(imgBack, &PictureButton::clicked, this, &PrintScreen::imgBack_Click);
    connect(imgNext, &PictureButton::clicked, this, &PrintScreen::imgNext_Click);
    connect(imgBefore, &PictureButton::clicked, this, &PrintScreen::imgBefore_Click);
    connect(imgHelp, &PictureButton::clicked, this, &PrintScreen::imgHelp_Click);
}

void PrintScreen::Form_Load() {
    setBackground(m_art.ilBg.picture(1));
    m_sheet = Sheet{m_family, sheetKindFor(m_state.settings.optQuestion), m_state.settings.level};
    resetPages(sheetPageCountFor(sheetQuestionCount(m_family, m_state.drill)));
    showPage();
}

void PrintScreen::showPage() {
    // A drill without questions still shows its one empty page, with nothing
    // to page to.
    showPagingButtons();
    pbPreview->clear();
    pbPreview->compose([this](DrawingSurface& surface) {
        composeSheetPage(surface, m_sheet, currentPage(), pageCount(), m_state.drill,
                         m_state.banks);
    });
}

int PrintScreen::copiesChosen() const {
    const QString text = cmbCopy->currentText();
    const int copies = text.isEmpty() ? 0 : text.front().digitValue();
    return copies >= 1 ? copies : 1;
}

void PrintScreen::imgPrint_Click() {
    // Each printed page is composed with its own number; the preview and
    // its page stay as they are.
    const bool printed = printCopies(
        *m_printTarget, copiesChosen(), pageCount(), [this](DrawingSurface& surface, int page) {
            composeSheetPage(surface, m_sheet, page, pageCount(), m_state.drill, m_state.banks);
        });
    if (printed) {
        showMessage(QMessageBox::Information, QStringLiteral("印刷が完了しました"));
    } else {
        showMessage(QMessageBox::Warning, withReason(QStringLiteral("印刷ができませんでした"),
                                                     m_printTarget->errorString()));
    }
}

void PrintScreen::imgPdf_Click() {
    const QString path = m_chooseSaveFile(this, proposedPdfPath(m_sheet, QDate::currentDate()));
    if (path.isEmpty()) {
        return;
    }
    // Every page once, composed as for the printer.
    PdfFile pdf(path, QStringLiteral("Tavik ") + sheetName(m_sheet));
    const bool saved = printCopies(pdf, 1, pageCount(), [this](DrawingSurface& surface, int page) {
        composeSheetPage(surface, m_sheet, page, pageCount(), m_state.drill, m_state.banks);
    });
    if (saved) {
        showMessage(QMessageBox::Information,
                    QStringLiteral("PDFを保存しました\n\n") + QDir::toNativeSeparators(path));
    } else {
        showMessage(QMessageBox::Warning,
                    withReason(QStringLiteral("PDFを保存できませんでした"), pdf.errorString()));
    }
}

void PrintScreen::imgBack_Click() {
    close();
}

void PrintScreen::imgHelp_Click() {
    frmHelp help(m_art);
    help.exec();
}

void PrintScreen::showMessage(QMessageBox::Icon icon, const QString& text) {
    showMessageBox(this, icon, text);
}

} // namespace tavik
