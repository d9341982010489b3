// Draws one SVG source, at its own size times a pixel ratio, into a PNG, so
// that the program only decodes its pictures at start-up instead of drawing
// them: decoding costs a small fraction of drawing.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cmath>
#include <cstdio>

namespace {
bool isOpaque(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) != 255) {
                return false;
            }
        }
    }
    return true;
}
} // namespace

int main(int argc, char* argv[]) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s SOURCE.svg PIXEL_RATIO OUTPUT.png\n", argv[0]);
        return 2;
    }
    QGuiApplication application(argc, argv);
    const double ratio = QByteArray(argv[2]).toDouble();
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid() || ratio <= 0) {
        std::fprintf(stderr, "cannot render %s at %s\n", argv[1], argv[2]);
        return 1;
    }
    const QSize logical = renderer.defaultSize();
    const QSize device(static_cast<int>(std::ceil(logical.width() * ratio)),
                       static_cast<int>(std::ceil(logical.height() * ratio)));
    // Drawn as the program would draw it itself (see Artwork::render).
    QImage image(device, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(device)));
    painter.end();
    // A picture without transparency is stored without alpha: it then loads
    // as an opaque image, which needs no conversion and is drawn by copying.
    if (isOpaque(image)) {
        image = image.convertToFormat(QImage::Format_RGB32);
    }
    return image.save(QString::fromLocal8Bit(argv[3])) ? 0 : 1;
}
