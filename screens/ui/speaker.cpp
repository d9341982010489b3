#include "screens/ui/speaker.h"

#include <QLocale>
#include <QTextToSpeech>
#include <memory>
#include <optional>

namespace tavik {

namespace {

// The two engines that speak on this machine alone, in the order tried.
// Speech Dispatcher is the desktop's speech service. Flite speaks in the
// program itself through Qt Multimedia; with Qt 6.4 that path gives up
// with a streaming error when the machine is busy, and can crash after it.
const QStringList kEngineOrder = {QStringLiteral("speechd"), QStringLiteral("flite")};

// A little slower than the engine's own pace, so that a learner can follow.
constexpr double kLearnerRate = -0.15;

QStringList installedEngines() {
    const QStringList installed = QTextToSpeech::availableEngines();
    QStringList engines;
    for (const QString& engine : kEngineOrder) {
        if (installed.contains(engine)) {
            engines.append(engine);
        }
    }
    return engines;
}

// American English, the spelling of the drills, or else any English.
std::optional<QLocale> englishLocale(const QList<QLocale>& locales) {
    const QLocale american(QLocale::English, QLocale::UnitedStates);
    if (locales.contains(american)) {
        return american;
    }
    for (const QLocale& locale : locales) {
        if (locale.language() == QLocale::English) {
            return locale;
        }
    }
    return std::nullopt;
}

std::unique_ptr<QTextToSpeech> openEnglishEngine(QObject* parent) {
    for (const QString& name : installedEngines()) {
        auto engine = std::make_unique<QTextToSpeech>(name, parent);
        if (engine->state() == QTextToSpeech::Error) {
            continue;
        }
        const std::optional<QLocale> locale = englishLocale(engine->availableLocales());
        if (!locale) {
            continue;
        }
        engine->setLocale(*locale);
        if (engine->availableVoices().isEmpty()) {
            continue;
        }
        engine->setRate(kLearnerRate);
        return engine;
    }
    return nullptr;
}

} // namespace

// Lives in the speaker's thread, where the engine is made and used.
class Speaker::Engine : public QObject {
public:
    explicit Engine(Speaker* speaker) : m_speaker(speaker) {}

    void say(const QString& text) {
        open();
        if (!m_engine) {
            return;
        }
        m_engine->stop();
        m_engine->say(text);
    }

    void open() {
        if (m_opened) {
            return;
        }
        m_opened = true;
        m_engine = openEnglishEngine(this);
        Speaker* speaker = m_speaker;
        if (!m_engine) {
            QMetaObject::invokeMethod(speaker, [speaker] { speaker->noteUnavailable(); });
            return;
        }
        connect(m_engine.get(), &QTextToSpeech::stateChanged, this,
                [speaker](QTextToSpeech::State state) {
                    if (state == QTextToSpeech::Speaking) {
                        QMetaObject::invokeMethod(speaker, &Speaker::speaking);
                    }
                });
    }

private:
    Speaker* m_speaker;
    bool m_opened = false;
    std::unique_ptr<QTextToSpeech> m_engine;
};

Speaker::Speaker() {
    m_thread.setObjectName(QStringLiteral("speech"));
}

Speaker::~Speaker() {
    m_thread.quit();
    m_thread.wait();
}

bool Speaker::canSpeak() const {
    if (!m_installed) {
        m_installed = !installedEngines().isEmpty();
    }
    return !m_unavailable && *m_installed;
}

Speaker::Engine* Speaker::engine() {
    if (m_engine == nullptr) {
        m_engine = new Engine(this);
        m_engine->moveToThread(&m_thread);
        connect(&m_thread, &QThread::finished, m_engine, &QObject::deleteLater);
        m_thread.start();
    }
    return m_engine;
}

void Speaker::prepare() {
    // An engine thread, once made, has its opening queued already.
    if (!canSpeak() || m_engine != nullptr) {
        return;
    }
    Engine* opening = engine();
    QMetaObject::invokeMethod(opening, [opening] { opening->open(); });
}

void Speaker::say(const QString& text) {
    if (text.isEmpty() || !canSpeak()) {
        return;
    }
    Engine* speaking = engine();
    QMetaObject::invokeMethod(speaking, [speaking, text] { speaking->say(text); });
}

void Speaker::noteUnavailable() {
    m_unavailable = true;
    emit speechUnavailable();
}

} // namespace tavik
