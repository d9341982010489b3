#include "menu/ui/option_hotspot.h"

#include <QAccessible>

namespace tavik {

OptionHotspot::OptionHotspot(QWidget* parent, const QString& objectName, QRect geometry,
                             const QCursor& pointer)
    : PressablePicture(parent, objectName, geometry, pointer) {
    // The 60 × 60 circle is drawn around the whole option word, however wide.
    setScaledContents(true);
    setAccessibleDescription(QStringLiteral("未選択"));
}

void OptionHotspot::showMark(const QPixmap& mark) {
    const bool wasChecked = isChecked();
    if (mark.isNull()) {
        clear();
    } else {
        setPixmap(mark);
    }
    setAccessibleDescription(isChecked() ? QStringLiteral("選択中") : QStringLiteral("未選択"));
    if (wasChecked != isChecked()) {
        QAccessible::State changed;
        changed.checked = true;
        QAccessibleStateChangeEvent event(this, changed);
        QAccessible::updateAccessibility(&event);
    }
}

} // namespace tavik
