#include "print/ui/print_screen.h"

#include "app/app_state.h"
#include "print/print_job.h"
#include "print/ui/sheet_preview.h"
#include "print/ui/system_printer.h"
#include "shell/ui/artwork.h"
#include "shell/ui/caption_label.h"
#include "shell/ui/fonts.h"
#include "shell/ui/frmHelp.h"
#include "shell/ui/picture_button.h"
#include "shell/ui/program_exit.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>

namespace tavik {

namespace {
const QSize kBarSize(138, 29);
constexpr int kMostCopies = 9;
} // namespace

PrintScreen::PrintScreen(AppState& state, const Artwork& art, SheetFamily family,
                         const QString& objectName)
    : ScreenWindow(QSize(780, 600)), m_state(state), m_art(art), m_family(family),
      m_printTarget(std::make_unique<SystemPrinter>()) {
    setObjectName(objectName);
    createControls();
    enableKeyPreview();
    Form_Load();
}

PrintScreen::~PrintScreen() = default;

void PrintScreen::setPrintTarget(std::unique_ptr<PrintTarget> target) {
    m_printTarget = std::move(target);
}

PictureButton* PrintScreen::createBarButton(const QString& name, QPoint place, int normalPicture,
                                            QLabel* caption) {
    auto* button =
        new PictureButton(this, name, QRect(place, kBarSize), m_art.ilBtn.picture(normalPicture),
                          m_art.ilBtn.picture(normalPicture + 1), m_art.handPointer);
    button->attachCaption(caption);
    button->setAccessibleName(caption->text());
    registerButton(button);
    return button;
}

void PrintScreen::createControls() {
    pbPreview = new SheetPreview(this);

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

    lblPrint = makeCaption(this, QStringLiteral("lblPrint"), QStringLiteral("印刷"),
                           QRect(600, 310, 57, 17), CaptionColour::Red);
    lblBack = makeCaption(this, QStringLiteral("lblBack"), QStringLiteral("再検索"),
                          QRect(602, 398, 57, 17));
    lblNext = makeCaption(this, QStringLiteral("lblNext"), QStringLiteral("次へ"),
                          QRect(602, 446, 57, 17));
    lblBefore = makeCaption(this, QStringLiteral("lblBefore"), QStringLiteral("前へ"),
                            QRect(616, 486, 49, 17));
    imgPrint = createBarButton(QStringLiteral("imgPrint"), {560, 304}, 1, lblPrint);
    imgBack = createBarButton(QStringLiteral("imgBack"), {560, 392}, 1, lblBack);
    imgNext = createBarButton(QStringLiteral("imgNext"), {560, 440}, 1, lblNext);
    imgBefore = createBarButton(QStringLiteral("imgBefore"), {560, 480}, 3, lblBefore);

    imgExit = new PictureButton(this, QStringLiteral("imgExit"), QRect(698, 20, 33, 29), QPixmap(),
                                m_art.ilBtn.picture(6), m_art.handPointer);
    imgExit->setAccessibleName(QStringLiteral("終了"));
    registerButton(imgExit);
    imgHelp = new PictureButton(this, QStringLiteral("imgHelp"), QRect(664, 21, 33, 33),
                                m_art.ilBtn.picture(7), m_art.ilBtn.picture(8), m_art.handPointer);
    imgHelp->setAccessibleName(QStringLiteral("ヘルプ"));
    registerButton(imgHelp);

    // The number of copies, then the buttons top to bottom.
    QWidget* previous = cmbCopy;
    for (QWidget* next :
         std::initializer_list<QWidget*>{imgPrint, imgBack, imgNext, imgBefore, imgHelp, imgExit}) {
        setTabOrder(previous, next);
        previous = next;
    }

    connect(imgPrint, &PictureButton::clicked, this, &PrintScreen::imgPrint_Click);
    connect(imgBack, &PictureButton::clicked, this, &PrintScreen::imgBack_Click);
    connect(imgNext, &PictureButton::clicked, this, &PrintScreen::imgNext_Click);
    connect(imgBefore, &PictureButton::clicked, this, &PrintScreen::imgBefore_Click);
    connect(imgExit, &PictureButton::clicked, this, &PrintScreen::imgExit_Click);
    connect(imgHelp, &PictureButton::clicked, this, &PrintScreen::imgHelp_Click);
}

void PrintScreen::Form_Load() {
    imgHelp->setLooks(m_art.ilBtn.picture(7), m_art.ilBtn.picture(8));
    setBackground(m_art.ilBg.picture(1));
    m_sheet =
        Sheet{m_family, sheetKindFor(m_state.settings.optQuestion), m_state.settings.levelText};
    m_sheetPageCount = sheetPageCountFor(sheetQuestionCount(m_family, m_state.drill));
    m_sheetPage = 1;
    showPreviewPage();
}

void PrintScreen::showPreviewPage() {
    // A drill without questions still shows its one empty page, with nothing
    // to page to.
    if (m_sheetPageCount <= 1) {
        imgNext->setShown(false);
        imgBefore->setShown(false);
    } else if (m_sheetPage == 1) {
        imgNext->setShown(true);
        imgBefore->setShown(false);
    } else if (m_sheetPage == m_sheetPageCount) {
        imgNext->setShown(false);
        imgBefore->setShown(true);
    } else {
        imgNext->setShown(true);
        imgBefore->setShown(true);
    }
    pbPreview->clear();
    pbPreview->compose([this](DrawingSurface& surface) {
        composeSheetPage(surface, m_sheet, m_sheetPage, m_sheetPageCount, m_state.drill,
                         m_state.banks);
    });
}

void PrintScreen::imgNext_Click() {
    ++m_sheetPage;
    showPreviewPage();
}

void PrintScreen::imgBefore_Click() {
    --m_sheetPage;
    showPreviewPage();
}

int PrintScreen::copiesChosen() const {
    const QString text = cmbCopy->currentText();
    const int copies = text.isEmpty() ? 0 : text.front().digitValue();
    return copies >= 1 ? copies : 1;
}

void PrintScreen::imgPrint_Click() {
    // Each printed page is composed with its own number; the preview and
    // its page stay as they are.
    const bool printed = printCopies(*m_printTarget, copiesChosen(), m_sheetPageCount,
                                     [this](DrawingSurface& surface, int page) {
                                         composeSheetPage(surface, m_sheet, page, m_sheetPageCount,
                                                          m_state.drill, m_state.banks);
                                     });
    if (printed) {
        showMessage(QMessageBox::Information, QStringLiteral("印刷が完了しました"));
    } else {
        showMessage(QMessageBox::Warning, QStringLiteral("印刷ができませんでした"));
    }
}

void PrintScreen::imgBack_Click() {
    close();
}

void PrintScreen::imgExit_Click() {
    endProgram();
}

void PrintScreen::imgHelp_Click() {
    frmHelp help(m_state, m_art);
    help.exec();
}

void PrintScreen::showMessage(QMessageBox::Icon icon, const QString& text) {
    QMessageBox box(icon, QStringLiteral("Tavik"), text, QMessageBox::Ok, this);
    box.exec();
}

bool PrintScreen::formKeyDown(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_PageUp:
        if (m_sheetPage < m_sheetPageCount) {
            imgNext_Click();
        }
        return true;
    case Qt::Key_PageDown:
        if (m_sheetPage > 1) {
            imgBefore_Click();
        }
        return true;
    case Qt::Key_Escape:
        imgBack_Click();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        imgPrint_Click();
        return true;
    default:
        return false;
    }
}

} // namespace tavik
