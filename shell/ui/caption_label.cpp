#include "shell/ui/caption_label.h"

#include "shell/ui/fonts.h"

#include <QPalette>

namespace tavik {

QLabel* makeCaption(QWidget* parent, const QString& objectName, const QString& text, QRect geometry,
                    CaptionColour colour) {
    auto* caption = new QLabel(text, parent);
    caption->setObjectName(objectName);
    caption->setGeometry(geometry);
    caption->setFont(gothicFont(12, true));
    caption->setAlignment(Qt::AlignCenter);
    QPalette palette = caption->palette();
    palette.setColor(QPalette::WindowText,
                     colour == CaptionColour::Red ? QColor(255, 0, 0) : QColor(0, 0, 128));
    caption->setPalette(palette);
    caption->setAutoFillBackground(false);
    return caption;
}

} // namespace tavik
