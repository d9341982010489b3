#include "shell/ui/frmHelp.h"

#include "shell/ui/artwork.h"
#include "shell/ui/caption_label.h"
#include "shell/ui/picture_button.h"
#include "shell/ui/program_exit.h"

namespace tavik {

frmHelp::frmHelp(AppState& /*state*/, const Artwork& art)
    : ScreenWindow(QSize(780, 600)), m_art(art) {
    setObjectName(QStringLiteral("frmHelp"));

    imgHelp = new QLabel(this);
    imgHelp->setObjectName(QStringLiteral("imgHelp"));
    imgHelp->setGeometry(128, 88, 567, 409);
    imgHelp->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    imgHelp->setPixmap(m_art.helpPage);
    imgHelp->setAccessibleName(QStringLiteral("ヘルプ"));
    // The page is a picture; a screen reader reads its table from here.
    imgHelp->setAccessibleDescription(
        QStringLiteral("再検索 ESC: 検索画面に戻ります。次へ PageUp: 次のページへ移動します。"
                       "前へ PageDown: 前のページへ移動します。Tab: 次の解答欄へ移動します。"
                       "Shift+Tab: 前の解答欄へ移動します。Enter: 検索・採点・印刷します。"));

    imgBack = new PictureButton(this, QStringLiteral("imgBack"), QRect(336, 512, 138, 29),
                                m_art.ilBtn.picture(1), m_art.ilBtn.picture(2), m_art.handPointer);
    lblBack = makeCaption(this, QStringLiteral("lblBack"), QStringLiteral("戻る"),
                          QRect(378, 518, 57, 17));
    imgBack->attachCaption(lblBack);
    imgBack->setAccessibleName(lblBack->text());
    connect(imgBack, &PictureButton::clicked, this, &frmHelp::imgBack_Click);
    registerButton(imgBack);

    // The close glyph is painted in the background; only its highlight is a picture.
    imgExit = new PictureButton(this, QStringLiteral("imgExit"), QRect(698, 20, 33, 29), QPixmap(),
                                m_art.ilBtn.picture(6), m_art.handPointer);
    imgExit->setAccessibleName(QStringLiteral("終了"));
    connect(imgExit, &PictureButton::clicked, this, &frmHelp::imgExit_Click);
    registerButton(imgExit);

    enableKeyPreview();
    Form_Load();
}

void frmHelp::Form_Load() {
    setBackground(m_art.ilBg.picture(1));
}

void frmHelp::imgBack_Click() {
    close();
}

void frmHelp::imgExit_Click() {
    endProgram();
}

} // namespace tavik
