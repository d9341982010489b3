#include "speech/client_routes.h"
#include "speech/speaker.h"
#include "support/drill_screen_fixture.h"

#include <QAccessible>
#include <QtTest>
#include <atomic>

using namespace tavik;
using namespace tavik::testing;

namespace {

// Stands in for the speech service: notes what it is asked to say.
struct RecordingSpeaker : Speaker {
    bool canSpeak() const override { return engine; }
    void prepare() override { prepared = true; }
    void say(const QString& text) override { said.append(text); }
    bool engine = true;
    bool prepared = false;
    QStringList said;
};

// A service that answers but has no voice for English.
struct VoicelessConnection : SpeechConnection {
    bool speaksEnglish() override { return false; }
    bool say(const QString& /*text*/) override { return true; }
};

// A connection to a speech service that can be started again: each start
// gives the first client id out afresh, and reports by that id alone, as
// Speech Dispatcher does.
struct ServiceConnection : SpeechConnection {
    ServiceConnection(std::atomic<int>& starts, SpeechBegan began)
        : starts(starts), began(std::move(began)), start(starts) {
        routes.enter(1, this);
    }
    ~ServiceConnection() override { routes.leave(1, this); }
    bool speaksEnglish() override { return true; }
    bool say(const QString& /*text*/) override {
        if (ServiceConnection* heard = routes.connection(1); heard && start == starts) {
            heard->began();
        }
        return start == starts;
    }
    static inline ClientRoutes<ServiceConnection> routes;
    std::atomic<int>& starts;
    SpeechBegan began;
    int start;
};

enum class Engine { Speaks, None, NoEnglish };
enum class Act { Click, Key, ShiftKey, PressAction };

} // namespace

Q_DECLARE_METATYPE(Engine)
Q_DECLARE_METATYPE(Act)

class PronunciationTest : public QObject {
    Q_OBJECT

private slots:
    void theEnglishIsHeardOnceItShowsAsAnAnswer_data();
    void theEnglishIsHeardOnceItShowsAsAnAnswer();
    void speakingIsReportedAfterTheServiceStartsAgain();
};

void PronunciationTest::theEnglishIsHeardOnceItShowsAsAnAnswer_data() {
    QTest::addColumn<bool>("sentences");
    QTest::addColumn<int>("mode");
    QTest::addColumn<Engine>("engine");
    QTest::addColumn<QString>("target");
    QTest::addColumn<Act>("act");
    QTest::addColumn<QString>("heard"); // "word", "sentence" or nothing

    const auto row = [](const char* name, bool sentences, int mode, Engine engine,
                        const char* target, Act act, const char* heard) {
        QTest::newRow(name) << sentences << mode << engine << QStringLiteral("%1_0").arg(target)
                            << act << QString::fromLatin1(heard);
    };
    using namespace ViewMode;
    row("words graded: red answer", false, Graded, Engine::Speaks, "lblAnswer", Act::Click, "word");
    row("words graded: meaning", false, Graded, Engine::Speaks, "lblFormer", Act::Click, "");
    row("words graded: key", false, Graded, Engine::Speaks, "lblAnswer", Act::Key, "word");
    row("words graded: press action", false, Graded, Engine::Speaks, "lblAnswer", Act::PressAction,
        "word");
    row("words answering: key", false, Solving, Engine::Speaks, "lblAnswer", Act::Key, "");
    row("words checking: shown word", false, Checking, Engine::Speaks, "lblLatter", Act::Click,
        "word");
    row("words graded, no engine", false, Graded, Engine::None, "lblAnswer", Act::Click, "");
    row("words graded, no English voice", false, Graded, Engine::NoEnglish, "lblAnswer", Act::Click,
        "");
    row("sentences graded: red answer", true, Graded, Engine::Speaks, "lblAnswer", Act::Click,
        "word");
    row("sentences graded: line", true, Graded, Engine::Speaks, "lblFormer", Act::Click,
        "sentence");
    row("sentences graded: Shift key", true, Graded, Engine::Speaks, "lblFormer", Act::ShiftKey,
        "sentence");
    row("sentences answering: line", true, Solving, Engine::Speaks, "lblFormer", Act::Click, "");
    row("sentences checking: line", true, Checking, Engine::Speaks, "lblFormer", Act::Click,
        "sentence");
}

void PronunciationTest::theEnglishIsHeardOnceItShowsAsAnAnswer() {
    QFETCH(bool, sentences);
    QFETCH(int, mode);
    QFETCH(Engine, engine);
    QFETCH(QString, target);
    QFETCH(Act, act);
    QFETCH(QString, heard);
    DrillScreenFixture fixture;
    auto speaker = std::make_shared<RecordingSpeaker>();
    speaker->engine = engine == Engine::Speaks;
    fixture.state.speaker = speaker;
    if (engine == Engine::NoEnglish) {
        fixture.state.speaker = std::make_shared<Speaker>(
            [](SpeechBegan) { return std::make_unique<VoicelessConnection>(); });
    }
    fixture.state.settings.optQuestion = mode != ViewMode::Checking;
    fixture.useWords(3);
    fixture.useSentences({1, 2, 3});
    const std::unique_ptr<QWidget> screen = fixture.openDrill(!sentences);
    showActive(screen.get());
    if (mode == ViewMode::Graded) {
        QTest::keyClick(screen.get(), Qt::Key_Return);
    }
    QLabel* shown = label(screen.get(), target);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(shown);
    QCOMPARE(accessible->text(QAccessible::Name), shown->text());
    const bool speakable = !heard.isEmpty();
    // A service found wanting takes the hand away once it has answered.
    QTRY_COMPARE(shown->cursor().shape() == Qt::BitmapCursor, speakable);
    QCOMPARE(accessible->actionInterface()->actionNames().contains(QStringLiteral("発音を聞く")),
             speakable);
    // The connection opens with the screen, well before the first click.
    QVERIFY(engine == Engine::NoEnglish || speaker->prepared);

    if (act == Act::Click) {
        // At the label's place in the window: whatever lies over it takes
        // the click, as it would a person's.
        QTest::mouseClick(screen->windowHandle(), Qt::LeftButton, {},
                          shown->mapTo(screen.get(), QPoint(2, shown->height() / 2)));
    } else if (act == Act::PressAction) {
        accessible->actionInterface()->doAction(QStringLiteral("発音を聞く"));
    } else {
        answerBox(screen.get(), 0)->setFocus();
        QTest::keyClick(screen.get(), Qt::Key_F2,
                        act == Act::ShiftKey ? Qt::ShiftModifier : Qt::NoModifier);
    }
    const auto& bankRow = fixture.state.banks.SentenceBank.at(1);
    const QString word = sentences ? fixture.sentenceAnswer(0) : fixture.headword(0);
    const QString sentence = bankRow.at(SentenceField::Before) + bankRow.at(SentenceField::Answer) +
                             bankRow.at(SentenceField::After);
    QCOMPARE(speaker->said, heard.isEmpty()    ? QStringList()
                            : heard == u"word" ? QStringList{word}
                                               : QStringList{sentence});
}

void PronunciationTest::speakingIsReportedAfterTheServiceStartsAgain() {
    std::atomic<int> starts = 0;
    Speaker speaker([&](SpeechBegan began) {
        return std::make_unique<ServiceConnection>(starts, std::move(began));
    });
    QSignalSpy speaking(&speaker, &Speaker::speaking);
    // After a restart the new connection gets the lost one's id; the lost
    // one, closed after, must not take the new one's reports with it.
    for (const char* word : {"abolish", "acquit", "adapt"}) {
        speaker.say(QString::fromLatin1(word));
        QVERIFY(speaking.wait());
        ++starts;
    }
}

QTEST_MAIN(PronunciationTest)
#include "test_pronunciation.moc"
