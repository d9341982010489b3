#pragma once

#include <QApplication>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <utility>

namespace tavik::testing {

// The window's control of that object name; a missing control ends the test
// program, since every later step would only fail less clearly.
template <typename T> T* control(const QWidget* window, const QString& name) {
    T* found = window->findChild<T*>(name);
    if (found == nullptr) {
        qFatal("no control %s", qPrintable(name));
    }
    return found;
}

// Closes the next modal window once it is up, after letting the test look
// at it. Polls, because the window appears inside a nested event loop.
class ModalCloser : public QObject {
public:
    explicit ModalCloser(std::function<void(QWidget*)> inspect) : m_inspect(std::move(inspect)) {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr) {
                return;
            }
            m_timer.stop();
            m_seen = true;
            m_inspect(modal);
            modal->close();
        });
        m_timer.start(10);
    }
    bool seen() const { return m_seen; }

private:
    std::function<void(QWidget*)> m_inspect;
    QTimer m_timer;
    bool m_seen = false;
};

} // namespace tavik::testing
