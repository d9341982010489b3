#include "speech/ui/spoken_labels.h"

#include "speech/speaker.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QMouseEvent>

namespace tavik {

namespace {

const char* const kSpokenBy = "tavikSpokenBy";

SpokenLabels* spokenBy(const QObject* label) {
    return qobject_cast<SpokenLabels*>(label->property(kSpokenBy).value<QObject*>());
}

// A label as assistive technology reads it (its text as its name), with the
// press action that speaks it while it has something to say.
class AccessibleSpokenLabel : public QAccessibleWidget {
public:
    explicit AccessibleSpokenLabel(QLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name && label()->accessibleName().isEmpty()) {
            return label()->text();
        }
        return QAccessibleWidget::text(kind);
    }

    QStringList actionNames() const override {
        const SpokenLabels* spoken = spokenBy(label());
        if (spoken != nullptr && spoken->speaks(label())) {
            return {SpokenLabels::pressAction()};
        }
        return {};
    }

    void doAction(const QString& actionName) override {
        SpokenLabels* spoken = spokenBy(label());
        if (actionName == SpokenLabels::pressAction() && spoken != nullptr) {
            spoken->speak(label());
        }
    }

    QStringList keyBindingsForAction(const QString& /*actionName*/) const override { return {}; }

private:
    QLabel* label() const { return static_cast<QLabel*>(widget()); }
};

QAccessibleInterface* accessibleSpokenLabelFor(const QString& /*className*/, QObject* object) {
    auto* label = qobject_cast<QLabel*>(object);
    if (label != nullptr && spokenBy(label) != nullptr) {
        return new AccessibleSpokenLabel(label);
    }
    return nullptr;
}

} // namespace

SpokenLabels::SpokenLabels(Speaker& speaker, const QCursor& hand, TextOf textOf, QObject* parent)
    : QObject(parent), m_speaker(speaker), m_hand(hand), m_textOf(std::move(textOf)) {
    static const bool installed = [] {
        QAccessible::installFactory(accessibleSpokenLabelFor);
        return true;
    }();
    Q_UNUSED(installed);
    // Learning that nothing can be heard takes the hands away again.
    connect(&m_speaker, &Speaker::speechUnavailable, this, &SpokenLabels::refresh);
    m_speaker.prepare();
}

QString SpokenLabels::pressAction() {
    return QStringLiteral("発音を聞く");
}

void SpokenLabels::watch(QLabel* label) {
    label->setProperty(kSpokenBy, QVariant::fromValue<QObject*>(this));
    label->installEventFilter(this);
    m_labels.push_back(label);
}

bool SpokenLabels::speaks(const QLabel* label) const {
    return m_speaker.canSpeak() && !m_textOf(label).isEmpty();
}

void SpokenLabels::refresh() {
    for (QLabel* label : m_labels) {
        if (speaks(label)) {
            label->setCursor(m_hand);
        } else {
            label->unsetCursor();
        }
    }
}

bool SpokenLabels::speak(const QLabel* label) {
    const QString text = m_textOf(label);
    if (text.isEmpty() || !m_speaker.canSpeak()) {
        return false;
    }
    say(text);
    return true;
}

void SpokenLabels::say(const QString& text) {
    m_speaker.say(text);
}

// A click is a press and a release on the same label, as on a button.
// Only mouse events are read as a label's: a label being destroyed still
// passes its last events through here, when it is a QLabel no more.
bool SpokenLabels::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* label = static_cast<QLabel*>(watched);
        const auto* mouse = static_cast<QMouseEvent*>(event);
        m_pressed = mouse->button() == Qt::LeftButton && speaks(label) ? label : nullptr;
        return m_pressed != nullptr;
    }
    case QEvent::MouseButtonRelease: {
        auto* label = static_cast<QLabel*>(watched);
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const bool click = m_pressed == label && mouse->button() == Qt::LeftButton &&
                           label->rect().contains(mouse->position().toPoint());
        const bool wasPressed = m_pressed == label;
        m_pressed = nullptr;
        if (click) {
            speak(label);
        }
        return wasPressed;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace tavik
