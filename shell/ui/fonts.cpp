#include "shell/ui/fonts.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <cmath>

namespace tavik {

namespace {

// The first of the wanted families that is installed, looked up once. Naming
// absent families would make every new size search the font configuration
// for them again; when none is installed, Qt substitutes from the list.
const QStringList& gothicFamilies() {
    static const QStringList families = [] {
        const QStringList wanted{QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                                 QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")};
        for (const QString& family : wanted) {
            if (QFontDatabase::hasFamily(family)) {
                return QStringList{family};
            }
        }
        return wanted;
    }();
    return families;
}

} // namespace

QFont gothicFont(qreal points, bool bold) {
    QFont font;
    font.setFamilies(gothicFamilies());
    font.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
    font.setBold(bold);
    return font;
}

void prepareGothicFonts() {
    // Digits, Latin letters and the kana and kanji that the windows show
    // most: drawing them once loads the faces and fills their glyph caches.
    const QString sample = QStringLiteral(
        "0123456789./%：（）【】abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
        "検索総問題数文字初級中級上級採点前へ次再戻る印刷部枚回平均正答率英語日本可能");
    struct Face {
        qreal points;
        bool bold;
    };
    // Inputs and hints; captions and word rows; page labels; numbers and scores.
    constexpr Face faces[] = {
        {9.75, false}, {9.75, true}, {12, true}, {15.75, true}, {20.25, true}};
    QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&scratch);
    for (const Face& face : faces) {
        painter.setFont(gothicFont(face.points, face.bold));
        painter.drawText(0, 0, sample);
    }
}

} // namespace tavik
