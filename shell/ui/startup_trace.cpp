#include "shell/ui/startup_trace.h"

#include <QByteArray>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <ctime>

namespace tavik {

namespace {

std::FILE* traceFile() {
    static std::FILE* const file = [] {
        const QByteArray path = qgetenv("TAVIK_STARTUP_TRACE");
        return path.isEmpty() ? nullptr : std::fopen(path.constData(), "a");
    }();
    return file;
}

// Watches one window for its first exposure and its first paint, then
// removes itself.
class FirstPaintWatcher : public QObject {
public:
    FirstPaintWatcher(QWidget* window, const char* name)
        : QObject(window), m_window(window), m_name(name) {
        window->installEventFilter(this);
        watchNativeWindow();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != m_window) {
            if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
                markOnce(m_mapped, ".mapped");
            }
            return false;
        }
        watchNativeWindow();
        if (event->type() == QEvent::Paint && !m_painted) {
            m_painted = true;
            markOnce(m_mapped, ".mapped");
            // Runs once the repaint under way has been flushed to the display.
            QTimer::singleShot(0, this, [this] {
                mark(".painted");
                deleteLater();
            });
        }
        return false;
    }

private:
    // The native window exists only once the widget is about to be shown.
    void watchNativeWindow() {
        QWindow* handle = m_window->windowHandle();
        if (handle != nullptr && handle != m_handle) {
            m_handle = handle;
            handle->installEventFilter(this);
        }
    }
    void markOnce(bool& done, const char* suffix) {
        if (!done) {
            done = true;
            mark(suffix);
        }
    }
    void mark(const char* suffix) { StartupTrace::mark((m_name + suffix).constData()); }

    QWidget* m_window;
    QWindow* m_handle = nullptr;
    QByteArray m_name;
    bool m_mapped = false;
    bool m_painted = false;
};

} // namespace

void StartupTrace::mark(const char* event) {
    std::FILE* file = traceFile();
    if (file == nullptr) {
        return;
    }
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::fprintf(file, "%s %lld\n", event,
                 static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
    std::fflush(file);
}

void StartupTrace::watchFirstPaint(QWidget* window, const char* name) {
    if (traceFile() != nullptr) {
        new FirstPaintWatcher(window, name);
    }
}

} // namespace tavik
