#include "speech/speech_worker.h"

#include <QObject>

namespace tavik {

SpeechWorker::SpeechWorker(SpeechOpener open, QObject* context, Notify notify)
    : m_open(std::move(open)), m_context(context), m_notify(std::move(notify)) {}

SpeechWorker::~SpeechWorker() = default;

std::shared_ptr<SpeechWorker> SpeechWorker::start(SpeechOpener open, QObject* context,
                                                  Notify notify) {
    std::shared_ptr<SpeechWorker> worker(
        new SpeechWorker(std::move(open), context, std::move(notify)));
    worker->m_thread = std::thread([self = worker] { self->run(); });
    return worker;
}

void SpeechWorker::say(const QString& text) {
    {
        const std::lock_guard lock(m_mutex);
        m_text = text;
    }
    m_changed.notify_all();
}

void SpeechWorker::release(std::chrono::milliseconds limit) {
    std::unique_lock lock(m_mutex);
    m_leaving = true;
    m_context = nullptr;
    m_notify = nullptr;
    m_changed.notify_all();
    const bool ended = m_changed.wait_for(lock, limit, [this] { return m_ended; });
    lock.unlock();
    // A thread still waiting on the service keeps its own share of the
    // worker and ends whenever the service lets it.
    if (ended) {
        m_thread.join();
    } else {
        m_thread.detach();
    }
}

void SpeechWorker::run() {
    std::unique_ptr<SpeechConnection> connection = openEnglish();
    while (connection) {
        const std::optional<QString> text = nextText();
        if (!text) {
            break;
        }
        if (!connection->say(*text)) {
            // The service went away (killed, or restarted): a new
            // connection starts it again and says the text after all.
            connection = openEnglish();
            if (connection) {
                connection->say(*text);
            }
        }
    }
    connection.reset();
    const std::lock_guard lock(m_mutex);
    m_ended = true;
    m_changed.notify_all();
}

std::unique_ptr<SpeechConnection> SpeechWorker::openEnglish() {
    std::unique_ptr<SpeechConnection> connection = m_open([this] { post(SpeechNotice::Began); });
    if (!connection || !connection->speaksEnglish()) {
        post(SpeechNotice::Unavailable);
        return nullptr;
    }
    return connection;
}

std::optional<QString> SpeechWorker::nextText() {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_leaving || !m_text.isEmpty(); });
    if (m_leaving) {
        return std::nullopt;
    }
    return std::exchange(m_text, QString());
}

void SpeechWorker::post(SpeechNotice notice) {
    const std::lock_guard lock(m_mutex);
    if (m_context != nullptr) {
        QMetaObject::invokeMethod(
            m_context, [notify = m_notify, notice] { notify(notice); }, Qt::QueuedConnection);
    }
}

} // namespace tavik
