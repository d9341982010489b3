#pragma once

#include <QString>
#include <functional>
#include <memory>

namespace tavik {

// One conversation with a speech service. Every call may wait on the
// service, for ever if it hangs: only the speaker's worker thread makes
// them, never the GUI.
class SpeechConnection {
public:
    virtual ~SpeechConnection() = default;

    // Whether the service has a voice that speaks English.
    virtual bool speaksEnglish() = 0;
    // Stops what this connection is saying and says the text; false when
    // the service has gone away and a new connection is needed.
    virtual bool say(const QString& text) = 0;
};

// Called, on whatever thread the service reports on, when the text last
// given to say() begins to sound.
using SpeechBegan = std::function<void()>;

// Opens a connection, starting the service if need be; null when none
// answers.
using SpeechOpener = std::function<std::unique_ptr<SpeechConnection>(SpeechBegan began)>;

} // namespace tavik
