#pragma once

#include <QString>
#include <QWidget>

namespace tavik::bench {

template <typename Control>
Control* control(benchmark::State& state, QWidget* window, const char* name) {
    auto* found = window->findChild<Control*>(QString::fromLatin1(name));
    if (found == nullptr) {
        state.SkipWithError(
            (QStringLiteral("no control ") + QString::fromLatin1(name)).toUtf8().constData());
    }
    return found;
}

} // namespace tavik::bench
