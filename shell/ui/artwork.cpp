#include "shell/ui/artwork.h"

#include <QPainter>
#include <QSvgRenderer>
#include <cmath>

namespace tavik {

void PictureList::add(const QPixmap& picture) {
    m_pictures.push_back(picture);
    m_sources.emplace_back();
}

void PictureList::addOnFirstUse(const QString& name, QSize logicalSize, qreal devicePixelRatio) {
    m_pictures.emplace_back();
    m_sources.push_back({name, logicalSize, devicePixelRatio});
}

const QPixmap& PictureList::picture(int oneBasedIndex) const {
    static const QPixmap none;
    if (oneBasedIndex < 1 || oneBasedIndex > count()) {
        return none;
    }
    const auto index = static_cast<std::size_t>(oneBasedIndex - 1);
    QPixmap& picture = m_pictures[index];
    const Source& source = m_sources[index];
    if (picture.isNull() && !source.name.isEmpty()) {
        picture = Artwork::render(source.name, source.logicalSize, source.devicePixelRatio);
    }
    return picture;
}

QPixmap Artwork::render(const QString& name, QSize logicalSize, qreal devicePixelRatio) {
    // A ratio such as 1.2 is not exact in binary: 780 × 1.2 may come out a
    // hair above 936, which must not round up to a column that the window
    // then shrinks the picture to drop.
    const auto deviceLength = [devicePixelRatio](int length) {
        return static_cast<int>(std::ceil(length * devicePixelRatio - 1e-6));
    };
    const QSize deviceSize(deviceLength(logicalSize.width()), deviceLength(logicalSize.height()));
    // The common pixel ratios were drawn when the program was built
    // (assets/CMakeLists.txt); decoding them is many times faster.
    if (devicePixelRatio == 1.0 || devicePixelRatio == 2.0) {
        QPixmap prerendered(QStringLiteral(":/prerendered/%1@%2x.png")
                                .arg(name)
                                .arg(static_cast<int>(devicePixelRatio)));
        if (prerendered.size() == deviceSize) {
            prerendered.setDevicePixelRatio(devicePixelRatio);
            return prerendered;
        }
    }
    QPixmap pixmap(deviceSize);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/art/%1.svg").arg(name));
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(deviceSize)));
    painter.end();
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

void Artwork::loadSplash(qreal dpr) {
    splash = render(QStringLiteral("splash"), {500, 330}, dpr);
}

void Artwork::loadScreens(qreal dpr) {
    const QSize bar(138, 29);
    ilBtn.add(render(QStringLiteral("btn_forward"), bar, dpr));
    ilBtn.add(render(QStringLiteral("btn_forward_hover"), bar, dpr));
    ilBtn.add(render(QStringLiteral("btn_previous"), bar, dpr));
    ilBtn.add(render(QStringLiteral("btn_previous_hover"), bar, dpr));
    ilBtn.add(render(QStringLiteral("start_hover"), {233, 79}, dpr));
    ilBtn.add(render(QStringLiteral("close_hover"), {29, 30}, dpr));
    ilBtn.add(render(QStringLiteral("help"), {29, 29}, dpr));
    ilBtn.add(render(QStringLiteral("help_hover"), {29, 29}, dpr));
    ilBtn.add(render(QStringLiteral("btn_pdf"), bar, dpr));
    ilBtn.add(render(QStringLiteral("btn_pdf_hover"), bar, dpr));
    // Behind every screen but the main window, which has a page of its own.
    ilBg.addOnFirstUse(QStringLiteral("page_background"), {780, 600}, dpr);
    ilMaruBatu.add(render(QStringLiteral("mark_right"), {60, 60}, dpr));
    ilMaruBatu.add(render(QStringLiteral("mark_wrong"), {60, 60}, dpr));
    searchBackground = render(QStringLiteral("search_background"), {780, 600}, dpr);
    searchMask = render(QStringLiteral("search_mask"), {545, 252}, dpr);
    weakWordsHover = render(QStringLiteral("weak_words_hover"), {180, 29}, dpr);
    recordBar = render(QStringLiteral("record_bar"), {120, 29}, dpr);
    recordBarHover = render(QStringLiteral("record_bar_hover"), {120, 29}, dpr);
    todayBar = render(QStringLiteral("today_bar"), {120, 29}, dpr);
    todayBarHover = render(QStringLiteral("today_bar_hover"), {120, 29}, dpr);
    helpPage.addOnFirstUse(QStringLiteral("help_page"), {567, 409}, dpr);
    handPointer = QCursor(render(QStringLiteral("hand_pointer"), {32, 32}, dpr), 12, 1);
}

} // namespace tavik
