#include "speech/speaker.h"

#include "speech/speech_dispatcher.h"
#include "speech/speech_worker.h"

namespace tavik {

namespace {

// How long the end of the program waits for the speech thread. A thread
// held up by a hung service is left behind: the program ends anyway.
constexpr std::chrono::milliseconds kEndWait{300};

} // namespace

Speaker::Speaker() : Speaker(openSpeechDispatcher) {}

Speaker::Speaker(SpeechOpener open) : m_open(std::move(open)) {}

Speaker::~Speaker() {
    if (m_worker) {
        m_worker->release(kEndWait);
    }
}

bool Speaker::canSpeak() const {
    return !m_unavailable;
}

SpeechWorker& Speaker::worker() {
    if (!m_worker) {
        m_worker = SpeechWorker::start(m_open, this, [this](SpeechNotice notice) {
            if (notice == SpeechNotice::Began) {
                emit speaking();
            } else {
                noteUnavailable();
            }
        });
    }
    return *m_worker;
}

void Speaker::prepare() {
    if (canSpeak()) {
        worker();
    }
}

void Speaker::say(const QString& text) {
    if (!text.isEmpty() && canSpeak()) {
        worker().say(text);
    }
}

void Speaker::noteUnavailable() {
    if (!m_unavailable) {
        m_unavailable = true;
        emit speechUnavailable();
    }
}

} // namespace tavik
