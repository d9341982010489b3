#include "screens/ui/frmListI.h"
#include "screens/ui/frmListT.h"
#include "screens/ui/speaker.h"
#include "support/drill_screen_fixture.h"

#include <QAccessible>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using namespace tavik;
using namespace tavik::testing;

namespace {

// Stands in for the speech engine: notes what it is asked to say.
class RecordingSpeaker : public Speaker {
public:
    explicit RecordingSpeaker(bool engine) : m_engine(engine) {}
    bool canSpeak() const override { return m_engine; }
    void say(const QString& text) override { said.append(text); }
    QStringList said;

private:
    bool m_engine;
};

enum class Mode { Solving, Graded, Checking };
enum class Act { Click, Key, ShiftKey, PressAction };

std::unique_ptr<QWidget> openScreen(DrillScreenFixture& fixture, bool sentences, Mode mode) {
    fixture.state.settings.optQuestion = mode != Mode::Checking;
    std::unique_ptr<QWidget> screen;
    if (sentences) {
        fixture.useSentences({1, 2, 3});
        screen = std::make_unique<frmListI>(fixture.state, sharedArtwork());
    } else {
        fixture.useWords(3);
        screen = std::make_unique<frmListT>(fixture.state, sharedArtwork());
    }
    showActive(screen.get());
    if (mode == Mode::Graded) {
        QTest::keyClick(screen.get(), Qt::Key_Return);
    }
    return screen;
}

QString wholeSentence(const DrillScreenFixture& fixture, int question) {
    const auto& row = fixture.state.banks.SentenceBank.at(
        static_cast<std::size_t>(fixture.state.drill.drillSentences.at(question)));
    return row.at(SentenceField::Before) + row.at(SentenceField::Answer) +
           row.at(SentenceField::After);
}

} // namespace

Q_DECLARE_METATYPE(Mode)
Q_DECLARE_METATYPE(Act)

class PronunciationTest : public QObject {
    Q_OBJECT

private slots:
    void theEnglishIsHeardOnceItShowsAsAnAnswer_data();
    void theEnglishIsHeardOnceItShowsAsAnAnswer();
    void withoutEnginesNothingIsSpeakable();
};

void PronunciationTest::theEnglishIsHeardOnceItShowsAsAnAnswer_data() {
    QTest::addColumn<bool>("sentences");
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<bool>("engine");
    QTest::addColumn<QString>("target");
    QTest::addColumn<Act>("act");
    // "word", "sentence" or nothing: what the first row should make heard.
    QTest::addColumn<QString>("heard");

    const QString answer = QStringLiteral("lblAnswer_0");
    const QString former = QStringLiteral("lblFormer_0");
    const QString latter = QStringLiteral("lblLatter_0");
    const QString word = QStringLiteral("word");
    const QString sentence = QStringLiteral("sentence");
    const Mode solving = Mode::Solving;
    const Mode graded = Mode::Graded;
    const Mode checking = Mode::Checking;

    QTest::newRow("words, graded: the red answer")
        << false << graded << true << answer << Act::Click << word;
    QTest::newRow("words, graded: the meaning is Japanese")
        << false << graded << true << former << Act::Click << QString();
    QTest::newRow("words, graded: the key in the row's box")
        << false << graded << true << answer << Act::Key << word;
    QTest::newRow("words, graded: the press action")
        << false << graded << true << answer << Act::PressAction << word;
    QTest::newRow("words, answering: the key gives nothing away")
        << false << solving << true << answer << Act::Key << QString();
    QTest::newRow("words, answering: nor the meaning")
        << false << solving << true << former << Act::Click << QString();
    QTest::newRow("words, checking: the shown word")
        << false << checking << true << latter << Act::Click << word;
    QTest::newRow("words, graded, no engine")
        << false << graded << false << answer << Act::Click << QString();
    QTest::newRow("sentences, graded: the red answer")
        << true << graded << true << answer << Act::Click << word;
    QTest::newRow("sentences, graded: the sentence line")
        << true << graded << true << former << Act::Click << sentence;
    QTest::newRow("sentences, graded: the key with Shift")
        << true << graded << true << former << Act::ShiftKey << sentence;
    QTest::newRow("sentences, answering: the sentence line is silent")
        << true << solving << true << former << Act::Click << QString();
    QTest::newRow("sentences, answering: no press action")
        << true << solving << true << former << Act::PressAction << QString();
    QTest::newRow("sentences, checking: the whole sentence")
        << true << checking << true << former << Act::Click << sentence;
}

void PronunciationTest::theEnglishIsHeardOnceItShowsAsAnAnswer() {
    QFETCH(bool, sentences);
    QFETCH(Mode, mode);
    QFETCH(bool, engine);
    QFETCH(QString, target);
    QFETCH(Act, act);
    QFETCH(QString, heard);
    DrillScreenFixture fixture;
    auto speaker = std::make_shared<RecordingSpeaker>(engine);
    fixture.state.speaker = speaker;
    const auto screen = openScreen(fixture, sentences, mode);
    QLabel* shown = label(screen.get(), target);

    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(shown);
    QVERIFY(accessible != nullptr && accessible->actionInterface() != nullptr);
    QCOMPARE(accessible->text(QAccessible::Name), shown->text());
    const bool speakable = !heard.isEmpty();
    QCOMPARE(accessible->actionInterface()->actionNames().contains(QStringLiteral("発音を聞く")),
             speakable);
    QCOMPARE(shown->cursor().shape() == Qt::BitmapCursor, speakable);

    switch (act) {
    case Act::Click:
        // At the label's place in the window, so that whatever lies over it
        // takes the click, as it would a person's.
        QTest::mouseClick(screen->windowHandle(), Qt::LeftButton, {},
                          shown->mapTo(screen.get(), QPoint(2, shown->height() / 2)));
        break;
    case Act::Key:
    case Act::ShiftKey:
        if (mode != Mode::Checking) {
            answerBox(screen.get(), 0)->setFocus();
        }
        QTest::keyClick(screen.get(), Qt::Key_F2,
                        act == Act::ShiftKey ? Qt::ShiftModifier : Qt::NoModifier);
        break;
    case Act::PressAction:
        accessible->actionInterface()->doAction(QStringLiteral("発音を聞く"));
        break;
    }
    QStringList expected;
    if (heard == QLatin1String("word")) {
        expected << (sentences ? fixture.sentenceAnswer(0) : fixture.headword(0));
    } else if (heard == QLatin1String("sentence")) {
        expected << wholeSentence(fixture, 0);
    }
    QCOMPARE(speaker->said, expected);
    QVERIFY(screen->isVisible());
}

// The real speaker, when Qt finds no speech engine at all: the drills show
// no hand over their answers and say nothing.
void PronunciationTest::withoutEnginesNothingIsSpeakable() {
    const QStringList pluginFolders = QCoreApplication::libraryPaths();
    QTemporaryDir empty;
    QCoreApplication::setLibraryPaths({empty.path()});
    DrillScreenFixture fixture;
    const auto screen = openScreen(fixture, false, Mode::Graded);
    QLabel* answer = label(screen.get(), QStringLiteral("lblAnswer_0"));
    QVERIFY(answer->isVisible());
    QVERIFY(!fixture.state.speaker->canSpeak());
    QCOMPARE(answer->cursor().shape(), Qt::ArrowCursor);
    QTest::mouseClick(answer, Qt::LeftButton, {}, QPoint(2, answer->height() / 2));
    QTest::keyClick(screen.get(), Qt::Key_F2);
    QVERIFY(screen->isVisible());
    QCoreApplication::setLibraryPaths(pluginFolders);
}

QTEST_MAIN(PronunciationTest)
#include "test_pronunciation.moc"
