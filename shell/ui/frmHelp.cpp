#include "shell/ui/frmHelp.h"

#include "shell/ui/artwork.h"
#include "shell/ui/picture_button.h"
#include "shell/ui/screen_parts.h"

namespace tavik {

frmHelp::frmHelp(const Artwork& art) : m_art(art) {
    setObjectName(QStringLiteral("frmHelp"));

    imgHelp = new QLabel(this);
    imgHelp->setObjectName(QStringLiteral("imgHelp"));
    imgHelp->setGeometry(128, 88, 567, 409);
    imgHelp->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    imgHelp->setPixmap(m_art.helpPage.picture(1));
    imgHelp->setAccessibleName(QStringLiteral("ヘルプ"));
    // The page is a picture; a screen reader reads its table from here.
    imgHelp->setAccessibleDescription(
        QStringLiteral("再検索 ESC: 検索画面に戻ります。次へ PageUp: 次のページへ移動します。"
                       "前へ PageDown: 前のページへ移動します。Tab: 次の解答欄へ移動します。"
                       "Shift+Tab: 前の解答欄へ移動します。Enter: 検索・採点・印刷します。"));

    imgBack = makeBarButton(this, m_art, QStringLiteral("Back"), {336, 512}, 1,
                            QStringLiteral("戻る"), {378, 518, 57, 17});
    connect(imgBack, &PictureButton::clicked, this, &frmHelp::imgBack_Click);

    imgExit = makeExitButton(this, m_art, 29);

    enableKeyPreview();
    Form_Load();
}

void frmHelp::Form_Load() {
    setBackground(m_art.ilBg.picture(1));
}

void frmHelp::imgBack_Click() {
    close();
}

} // namespace tavik
