#pragma once

#include "speech/speech_connection.h"

#include <QString>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

class QObject;

namespace tavik {

enum class SpeechNotice {
    // The text last asked for has begun to sound.
    Began,
    // No service answered, or it has no English voice: nothing will be said.
    Unavailable,
};

// The thread that talks to the speech service, so that a service that is
// slow to start, dies or hangs never holds up the GUI: the GUI only leaves
// requests here and hears back through queued calls. The thread owns its
// share of the worker, so it may outlive the screens (and be left behind
// when it hangs) without touching anything freed.
class SpeechWorker : public std::enable_shared_from_this<SpeechWorker> {
public:
    using Notify = std::function<void(SpeechNotice)>;

    // Starts the thread, which opens a connection at once. Notices are
    // handed to `notify` in the thread of `context`.
    static std::shared_ptr<SpeechWorker> start(SpeechOpener open, QObject* context, Notify notify);

    ~SpeechWorker();
    SpeechWorker(const SpeechWorker&) = delete;
    SpeechWorker& operator=(const SpeechWorker&) = delete;

    // Says the text once the connection is open; a newer text replaces one
    // not yet said.
    void say(const QString& text);

    // Sends no more notices and asks the thread to end; waits at most
    // `limit` for it, then leaves it to end on its own.
    void release(std::chrono::milliseconds limit);

private:
    SpeechWorker(SpeechOpener open, QObject* context, Notify notify);

    void run();
    std::unique_ptr<SpeechConnection> openEnglish();
    std::optional<QString> nextText();
    void post(SpeechNotice notice);

    const SpeechOpener m_open;
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    QObject* m_context;
    Notify m_notify;
    QString m_text;
    bool m_leaving = false;
    bool m_ended = false;
};

} // namespace tavik
