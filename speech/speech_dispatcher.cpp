#include "speech/speech_dispatcher.h"

#include "speech/client_routes.h"

#include <QLibrary>
#include <csignal>
#include <cstring>
#include <libspeechd.h>
#include <mutex>
#include <optional>
#include <pthread.h>

namespace tavik {

namespace {

const char* const kClientName = "tavik";
const char* const kLanguage = "en-US";
// A little slower than the service's own pace, so that a learner can follow.
constexpr int kLearnerRate = -15;
// The module Speech Dispatcher falls back on when it has no synthesizer: it
// plays a recorded notice of its own, whatever the text.
const char* const kDummyModule = "dummy";

// The client library's functions. They are looked up at the first
// connection, so nothing of speech is in the program before a screen with
// words to hear opens, and a desktop without the library simply has no
// speech. The library is never unloaded: a connection's threads may
// outlive every window.
struct ClientLibrary {
    decltype(&spd_open) open = nullptr;
    decltype(&spd_close) close = nullptr;
    decltype(&spd_get_client_id) clientId = nullptr;
    decltype(&spd_set_notification_on) notifyOn = nullptr;
    decltype(&spd_set_language) setLanguage = nullptr;
    decltype(&spd_set_voice_rate) setRate = nullptr;
    decltype(&spd_list_modules) listModules = nullptr;
    decltype(&free_spd_modules) freeModules = nullptr;
    decltype(&spd_cancel) cancel = nullptr;
    decltype(&spd_say) say = nullptr;
};

template <typename Function> bool resolve(QLibrary& library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(library.resolve(name));
    return function != nullptr;
}

std::optional<ClientLibrary> loadClientLibrary() {
    QLibrary library(QStringLiteral("speechd"), 2);
    ClientLibrary api;
    const bool complete =
        resolve(library, "spd_open", api.open) && resolve(library, "spd_close", api.close) &&
        resolve(library, "spd_get_client_id", api.clientId) &&
        resolve(library, "spd_set_notification_on", api.notifyOn) &&
        resolve(library, "spd_set_language", api.setLanguage) &&
        resolve(library, "spd_set_voice_rate", api.setRate) &&
        resolve(library, "spd_list_modules", api.listModules) &&
        resolve(library, "free_spd_modules", api.freeModules) &&
        resolve(library, "spd_cancel", api.cancel) && resolve(library, "spd_say", api.say);
    if (!complete) {
        return std::nullopt;
    }
    return api;
}

const std::optional<ClientLibrary>& clientLibrary() {
    static const std::optional<ClientLibrary> loaded = loadClientLibrary();
    return loaded;
}

class DispatcherConnection;

// The library reports the beginning and end of speech on a thread of its
// own, naming only the service's id of the client: each open connection is
// found here by it. Never destroyed, as a connection left waiting on a hung
// service may report while the program ends.
struct Listeners {
    std::mutex mutex;
    ClientRoutes<DispatcherConnection> byClient;
};

Listeners& listeners() {
    static auto* const all = new Listeners;
    return *all;
}

class DispatcherConnection final : public SpeechConnection {
public:
    DispatcherConnection(const ClientLibrary& api, SPDConnection* connection, SpeechBegan began)
        : m_api(api), m_connection(connection), m_began(std::move(began)) {}

    ~DispatcherConnection() override {
        {
            // Waits for a report in progress; none comes after.
            const std::lock_guard lock(listeners().mutex);
            listeners().byClient.leave(m_client, this);
        }
        m_api.close(m_connection);
    }

    DispatcherConnection(const DispatcherConnection&) = delete;
    DispatcherConnection& operator=(const DispatcherConnection&) = delete;

    // False when the service stopped answering while being set up.
    bool setUp() {
        const int client = m_api.clientId(m_connection);
        if (client <= 0) {
            return false;
        }
        m_client = static_cast<std::size_t>(client);
        {
            const std::lock_guard lock(listeners().mutex);
            listeners().byClient.enter(m_client, this);
        }
        m_connection->callback_begin = &DispatcherConnection::onEvent;
        m_connection->callback_end = &DispatcherConnection::onEvent;
        m_connection->callback_cancel = &DispatcherConnection::onEvent;
        return m_api.notifyOn(m_connection, SPD_BEGIN) == 0 &&
               m_api.notifyOn(m_connection, SPD_END) == 0 &&
               m_api.notifyOn(m_connection, SPD_CANCEL) == 0 &&
               m_api.setLanguage(m_connection, kLanguage) == 0 &&
               m_api.setRate(m_connection, kLearnerRate) == 0;
    }

    // Listing the voices themselves takes the library a second or more
    // (eSpeak NG offers thirteen thousand): any synthesizer the service has
    // is taken to speak English, as all the usual ones do.
    bool speaksEnglish() override {
        char** modules = m_api.listModules(m_connection);
        bool synthesizer = false;
        for (char** module = modules; module != nullptr && *module != nullptr; ++module) {
            synthesizer = synthesizer || std::strcmp(*module, kDummyModule) != 0;
        }
        m_api.freeModules(modules);
        return synthesizer;
    }

    bool say(const QString& text) override {
        // Only what is still queued or sounding needs stopping: a word
        // said into silence goes out with one request fewer.
        if (sounding() && m_api.cancel(m_connection) != 0) {
            return false;
        }
        const int message = m_api.say(m_connection, SPD_TEXT, text.toUtf8().constData());
        if (message < 0) {
            return false;
        }
        bool begun = false;
        {
            const std::lock_guard lock(m_mutex);
            m_said = message;
            begun = m_begun == message;
        }
        // Its beginning may have been reported before its id was known.
        if (begun) {
            m_began();
        }
        return true;
    }

private:
    static void onEvent(std::size_t message, std::size_t client, SPDNotificationType event) {
        const std::lock_guard lock(listeners().mutex);
        if (DispatcherConnection* connection = listeners().byClient.connection(client)) {
            connection->report(static_cast<int>(message), event);
        }
    }

    void report(int message, SPDNotificationType event) {
        bool began = false;
        {
            const std::lock_guard lock(m_mutex);
            if (event == SPD_EVENT_BEGIN) {
                m_begun = message;
                began = message == m_said;
            } else {
                m_finished = message;
            }
        }
        if (began) {
            m_began();
        }
    }

    bool sounding() {
        const std::lock_guard lock(m_mutex);
        return m_said >= 0 && m_finished != m_said;
    }

    const ClientLibrary& m_api;
    SPDConnection* m_connection;
    SpeechBegan m_began;
    std::size_t m_client = 0;
    std::mutex m_mutex;
    // Ids of the messages last said, last begun and last ended or cancelled.
    int m_said = -1;
    int m_begun = -1;
    int m_finished = -1;
};

} // namespace

std::unique_ptr<SpeechConnection> openSpeechDispatcher(SpeechBegan began) {
    const std::optional<ClientLibrary>& api = clientLibrary();
    if (!api) {
        return nullptr;
    }
    // A write to a dead service raises SIGPIPE in the writing thread: held
    // back here, the write fails and the speaker opens a new connection.
    // The library's reader thread, made by spd_open, inherits the mask.
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipe, nullptr);
    SPDConnection* opened = api->open(kClientName, "main", nullptr, SPD_MODE_THREADED);
    if (opened == nullptr) {
        return nullptr;
    }
    auto connection = std::make_unique<DispatcherConnection>(*api, opened, std::move(began));
    if (!connection->setUp()) {
        return nullptr;
    }
    return connection;
}

} // namespace tavik
