#pragma once

#include <QObject>
#include <QString>
#include <QThread>
#include <optional>

namespace tavik {

// Says English words and sentences aloud through the system's speech
// engine, on this machine alone. Nothing is opened until English is first
// on show to be heard: the engine is then looked for in a thread of its own,
// because connecting to the speech service and listing its voices can take
// seconds, and the screens must go on answering meanwhile. One Speaker
// serves the whole run.
class Speaker : public QObject {
    Q_OBJECT
public:
    Speaker();
    ~Speaker() override;
    Speaker(const Speaker&) = delete;
    Speaker& operator=(const Speaker&) = delete;

    // Whether anything can be heard, as far as is known: a speech engine is
    // installed and, once one has been opened, it has an English voice.
    virtual bool canSpeak() const;

    // Opens the engine, if not yet done, without saying anything, so that
    // the first word asked for later is heard without the wait.
    virtual void prepare();

    // Stops what is being said, if anything, and says the text.
    virtual void say(const QString& text);

signals:
    // The engine has begun to speak the text last asked for.
    void speaking();
    // Opening the engines showed that none speaks English: nothing will be
    // said in this run.
    void speechUnavailable();

private:
    class Engine;
    Engine* engine();
    void noteUnavailable();

    QThread m_thread;
    Engine* m_engine = nullptr;
    bool m_unavailable = false;
    // Whether an engine is installed, looked up once.
    mutable std::optional<bool> m_installed;
};

} // namespace tavik
