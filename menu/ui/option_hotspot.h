#pragma once

#include "shell/ui/pressable_picture.h"

namespace tavik {

// A clickable spot over an option word painted in the background. It shows
// the circle mark while its option is chosen and has no hover look.
class OptionHotspot : public PressablePicture {
    Q_OBJECT
public:
    OptionHotspot(QWidget* parent, const QString& objectName, QRect geometry,
                  const QCursor& pointer);

    // The circle mark, or no picture for the option not chosen.
    void showMark(const QPixmap& mark);

    bool isCheckable() const override { return true; }
    bool isChecked() const override { return !pixmap().isNull(); }
};

} // namespace tavik
