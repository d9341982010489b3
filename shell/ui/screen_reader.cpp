#include "shell/ui/screen_reader.h"

#include "shell/ui/accessible_screen.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>

namespace tavik {

namespace {

constexpr char kKeptFromScreenReaders[] = "tavikKeptFromScreenReaders";
constexpr char kLockReadOnly[] = "tavikLockReadOnly";

// A widget that has already been read (a label given its text while
// assistive technology listens) keeps the interface it was read through;
// the next reading then takes the one that fits it now.
void forgetAccessibleInterface(QObject* object) {
    if (QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(object)) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(accessible));
    }
}

} // namespace

void speakLabelAs(QLabel* label, std::function<QString()> name) {
    installAccessibleScreens();
    new SpokenName(label, std::move(name));
    forgetAccessibleInterface(label);
}

void speakAsFigure(QLabel* figure, const QString& caption, const QString& unit) {
    speakLabelAs(figure, [figure, caption, unit] {
        return caption + QLatin1Char(' ') + figure->text() + unit;
    });
}

void keepFromScreenReaders(std::initializer_list<QWidget*> widgets) {
    for (QWidget* widget : widgets) {
        widget->setProperty(kKeptFromScreenReaders, true);
    }
}

void reportLockAsReadOnly(QLineEdit* box) {
    installAccessibleScreens();
    box->setProperty(kLockReadOnly, true);
    forgetAccessibleInterface(box);
}

bool reportsLockAsReadOnly(const QLineEdit* box) {
    return box->property(kLockReadOnly).toBool();
}

bool exposedToScreenReaders(const QWidget* widget) {
    if (widget->isWindow() || widget->isHidden() ||
        widget->property(kKeptFromScreenReaders).toBool()) {
        return false;
    }
    // A label says its text or its name; an empty one, or a picture nobody
    // named, has nothing to say.
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        return !label->text().isEmpty() || !label->accessibleName().isEmpty();
    }
    return true;
}

} // namespace tavik
