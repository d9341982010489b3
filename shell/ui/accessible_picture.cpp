#include "shell/ui/accessible_picture.h"

#include "shell/ui/pressable_picture.h"

#include <QAccessibleWidget>

namespace tavik {

namespace {

class AccessiblePicture : public QAccessibleWidget {
public:
    explicit AccessiblePicture(PressablePicture* picture)
        : QAccessibleWidget(picture, picture->isCheckable() ? QAccessible::RadioButton
                                                            : QAccessible::Button) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        const PressablePicture* shown = picture();
        if (shown->isCheckable()) {
            state.checkable = true;
            state.checked = shown->isChecked();
        }
        return state;
    }

    QStringList actionNames() const override {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& actionName) override {
        if (actionName == pressAction()) {
            picture()->click();
            return;
        }
        QAccessibleWidget::doAction(actionName);
    }

private:
    PressablePicture* picture() const { return static_cast<PressablePicture*>(widget()); }
};

QAccessibleInterface* accessiblePictureFor(const QString& /*className*/, QObject* object) {
    if (auto* picture = qobject_cast<PressablePicture*>(object)) {
        return new AccessiblePicture(picture);
    }
    return nullptr;
}

} // namespace

void installAccessiblePictures() {
    static const bool installed = [] {
        QAccessible::installFactory(accessiblePictureFor);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace tavik
