#include "shell/ui/accessible_screen.h"

#include "shell/ui/screen_reader.h"
#include "shell/ui/screen_window.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QLineEdit>

namespace tavik {

namespace {

// A screen window, or the page that holds its controls, with only the
// controls a screen reader is to find.
class AccessibleScreen : public QAccessibleWidget {
public:
    AccessibleScreen(QWidget* screen, QAccessible::Role role) : QAccessibleWidget(screen, role) {}

    int childCount() const override { return static_cast<int>(exposedChildren().size()); }

    QAccessibleInterface* child(int index) const override {
        const QList<QWidget*> children = exposedChildren();
        if (index < 0 || index >= children.size()) {
            return nullptr;
        }
        return QAccessible::queryAccessibleInterface(children[index]);
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child == nullptr || !child->object()->isWidgetType()) {
            return -1;
        }
        return static_cast<int>(exposedChildren().indexOf(static_cast<QWidget*>(child->object())));
    }

    QString text(QAccessible::Text type) const override {
        // The page is the window's content: it goes by the window's title.
        if (type == QAccessible::Name && !widget()->isWindow()) {
            return widget()->window()->windowTitle();
        }
        return QAccessibleWidget::text(type);
    }

private:
    QList<QWidget*> exposedChildren() const {
        QList<QWidget*> exposed;
        for (QObject* child : widget()->children()) {
            auto* control = qobject_cast<QWidget*>(child);
            if (control != nullptr && exposedToScreenReaders(control)) {
                exposed.append(control);
            }
        }
        return exposed;
    }
};

// Text that assistive technology reads but cannot select or edit.
class ShownText : public QAccessibleTextInterface {
public:
    virtual QString shownText() const = 0;

    void selection(int /*index*/, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int /*start*/, int /*end*/) override {}
    void removeSelection(int /*index*/) override {}
    void setSelection(int /*index*/, int /*start*/, int /*end*/) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int /*position*/) override {}
    QString text(int start, int end) const override {
        return start > end ? QString() : shownText().mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(shownText().size()); }
    QRect characterRect(int /*offset*/) const override { return {}; }
    int offsetAtPoint(const QPoint& /*point*/) const override { return -1; }
    void scrollToSubstring(int /*start*/, int /*end*/) override {}
    QString attributes(int offset, int* start, int* end) const override {
        *start = *end = offset;
        return {};
    }
};

// A label said by its spoken name, whose text is still what it shows.
class AccessibleSpokenLabel : public QAccessibleWidget, public ShownText {
public:
    AccessibleSpokenLabel(QLabel* label, const SpokenName* name)
        : QAccessibleWidget(label, QAccessible::StaticText), m_name(name) {}

    QString text(QAccessible::Text type) const override {
        return type == QAccessible::Name ? m_name->name() : QAccessibleWidget::text(type);
    }
    using ShownText::text;

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QString shownText() const override { return static_cast<QLabel*>(widget())->text(); }

private:
    const SpokenName* m_name;
};

// An answer box: editable while the learner answers, read only once locked.
class AccessibleLockableBox : public QAccessibleWidget,
                              public ShownText,
                              public QAccessibleEditableTextInterface {
public:
    explicit AccessibleLockableBox(QLineEdit* box)
        : QAccessibleWidget(box, QAccessible::EditableText) {}

    QString text(QAccessible::Text type) const override {
        return type == QAccessible::Value ? box()->text() : QAccessibleWidget::text(type);
    }
    using ShownText::text;

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = !box()->isReadOnly();
        state.readOnly = box()->isReadOnly();
        state.selectableText = true;
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        if (type == QAccessible::EditableTextInterface && !box()->isReadOnly()) {
            return static_cast<QAccessibleEditableTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QString shownText() const override { return box()->text(); }

    void selection(int index, int* start, int* end) const override {
        *start = *end = 0;
        if (index == 0 && box()->hasSelectedText()) {
            *start = box()->selectionStart();
            *end = box()->selectionEnd();
        }
    }
    int selectionCount() const override { return box()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int index) override {
        if (index == 0) {
            box()->deselect();
        }
    }
    void setSelection(int index, int start, int end) override {
        if (index == 0) {
            box()->setSelection(start, end - start);
        }
    }
    int cursorPosition() const override { return box()->cursorPosition(); }
    void setCursorPosition(int position) override { box()->setCursorPosition(position); }
    int offsetAtPoint(const QPoint& point) const override {
        return box()->cursorPositionAt(box()->mapFromGlobal(point));
    }

    void deleteText(int start, int end) override {
        box()->setText(box()->text().remove(start, end - start));
    }
    void insertText(int offset, const QString& text) override {
        box()->setText(box()->text().insert(offset, text));
    }
    void replaceText(int start, int end, const QString& text) override {
        box()->setText(box()->text().replace(start, end - start, text));
    }

private:
    QLineEdit* box() const { return static_cast<QLineEdit*>(widget()); }
};

QAccessibleInterface* accessibleScreenFor(const QString& /*className*/, QObject* object) {
    if (qobject_cast<ScreenWindow*>(object) != nullptr) {
        return new AccessibleScreen(static_cast<QWidget*>(object), QAccessible::Dialog);
    }
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget != nullptr && qobject_cast<ScreenWindow*>(widget->parentWidget()) != nullptr &&
        widget->objectName() == QLatin1String("screenPage")) {
        return new AccessibleScreen(widget, QAccessible::Pane);
    }
    if (auto* label = qobject_cast<QLabel*>(object)) {
        if (const auto* name =
                label->findChild<SpokenName*>(QString(), Qt::FindDirectChildrenOnly)) {
            return new AccessibleSpokenLabel(label, name);
        }
    }
    if (auto* box = qobject_cast<QLineEdit*>(object);
        box != nullptr && reportsLockAsReadOnly(box)) {
        return new AccessibleLockableBox(box);
    }
    return nullptr;
}

} // namespace

void installAccessibleScreens() {
    static const bool installed = [] {
        QAccessible::installFactory(accessibleScreenFor);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace tavik
