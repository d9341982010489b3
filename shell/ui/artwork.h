#pragma once

#include <QCursor>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <vector>

namespace tavik {

// An ordered store of pictures addressed from 1, as the screens name them
// ("ilBtn picture 7"). Pictures are rendered once; hovering only hands them out.
class PictureList {
public:
    void add(const QPixmap& picture);
    // A large picture that only some screens show is drawn when first asked
    // for, so that it takes no memory until then.
    void addOnFirstUse(const QString& name, QSize logicalSize, qreal devicePixelRatio);
    const QPixmap& picture(int oneBasedIndex) const;
    int count() const { return static_cast<int>(m_pictures.size()); }

private:
    struct Source {
        QString name;
        QSize logicalSize;
        qreal devicePixelRatio = 1.0;
    };
    mutable std::vector<QPixmap> m_pictures;
    std::vector<Source> m_sources;
};

// Every picture of the program, rendered from the SVG sources at the
// screen's device pixel ratio so that they stay sharp on dense screens.
struct Artwork {
    PictureList ilBtn;      // bars, start and close highlights, help, PDF bar
    PictureList ilBg;       // the empty book page behind every other screen
    PictureList ilMaruBatu; // circle (right, chosen) and cross (wrong)
    QPixmap splash;
    QPixmap searchBackground;
    QPixmap searchMask;
    QPixmap weakWordsHover; // the 苦手 pick's bar lit; at rest it is in the background
    QPixmap recordBar;      // the learning record's bar, at rest and lit
    QPixmap recordBarHover;
    QPixmap todayBar; // today's study, at rest and lit
    QPixmap todayBarHover;
    PictureList helpPage; // the help screen's page of keys
    QCursor handPointer;

    // The splash picture alone, so the splash can show before the rest is drawn.
    void loadSplash(qreal devicePixelRatio);
    void loadScreens(qreal devicePixelRatio);

    static QPixmap render(const QString& name, QSize logicalSize, qreal devicePixelRatio);
};

} // namespace tavik
