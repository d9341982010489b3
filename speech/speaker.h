#pragma once

#include "speech/speech_connection.h"

#include <QObject>
#include <QString>
#include <memory>

namespace tavik {

class SpeechWorker;

// Says English words and sentences aloud through the desktop's speech
// service. Nothing of speech is loaded or started until a screen with words
// to hear opens; the service is then reached from a thread of the
// speaker's own, because starting it takes a moment, and a service that
// dies or hangs must never hold up the screens or the end of the program.
// One Speaker serves the whole run.
class Speaker : public QObject {
    Q_OBJECT
public:
    // Through Speech Dispatcher.
    Speaker();
    // Through the connections `open` makes.
    explicit Speaker(SpeechOpener open);
    ~Speaker() override;
    Speaker(const Speaker&) = delete;
    Speaker& operator=(const Speaker&) = delete;

    // Whether anything can be heard, as far as is known: false once opening
    // found no speech service, or one without an English voice.
    virtual bool canSpeak() const;

    // Opens the connection, if not yet done, without saying anything, so
    // that the first word asked for later is heard without the wait.
    virtual void prepare();

    // Stops what is being said, if anything, and says the text.
    virtual void say(const QString& text);

signals:
    // The service has begun to speak the text last asked for.
    void speaking();
    // Opening showed that nothing can be heard in this run.
    void speechUnavailable();

private:
    SpeechWorker& worker();
    void noteUnavailable();

    SpeechOpener m_open;
    std::shared_ptr<SpeechWorker> m_worker;
    bool m_unavailable = false;
};

} // namespace tavik
