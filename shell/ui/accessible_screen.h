#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QLineEdit;

namespace tavik {

// The name a label is said by, computed when it is read (see speakLabelAs).
class SpokenName : public QObject {
    Q_OBJECT
public:
    SpokenName(QObject* label, std::function<QString()> name)
        : QObject(label), m_name(std::move(name)) {}
    QString name() const { return m_name(); }

private:
    std::function<QString()> m_name;
};

bool reportsLockAsReadOnly(const QLineEdit* box);

// Lets assistive technology see screen windows with only their exposed
// controls, spoken labels by their names and locked answer boxes as read
// only. Safe to call more than once.
void installAccessibleScreens();

} // namespace tavik
