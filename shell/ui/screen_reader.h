#pragma once

#include <QString>
#include <functional>
#include <initializer_list>

class QLabel;
class QLineEdit;
class QWidget;

namespace tavik {

// What assistive technology is told about the program's widgets, beyond
// their own texts. Every screen window shows a screen reader only what the
// learner sees and what has something to say: no hidden widget, no label
// without text or name, nothing kept from it below.

// The label is said as `name` tells at the moment it is read, while its text
// stays what the learner sees (readable through its text).
void speakLabelAs(QLabel* label, std::function<QString()> name);

// A figure said with what it counts: "総採点回数 2回", not "2" and, apart,
// what the picture around it says.
void speakAsFigure(QLabel* figure, const QString& caption, const QString& unit = {});

// Widgets that another one says for them (the parts of a caption read as
// one text).
void keepFromScreenReaders(std::initializer_list<QWidget*> widgets);

// A box that, once locked for reading only, is no longer editable to
// assistive technology either.
void reportLockAsReadOnly(QLineEdit* box);

// Whether a screen reader finds the widget among its window's controls.
bool exposedToScreenReaders(const QWidget* widget);

} // namespace tavik
