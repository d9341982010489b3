#include "search_window_fixture.h"

#include "content/banks.h"
#include "shell/ui/program_exit.h"
#include "shut_speaker.h"

#include <QFile>
#include <QtTest>

namespace tavik::testing {

void RecordingSearch::openScreen(ScreenWindow& screen) {
    openedScreens << QString::fromLatin1(screen.metaObject()->className());
    if (whileOpen) {
        whileOpen(screen);
    }
    if (realModalLoops) {
        frmSearch::openScreen(screen);
    }
}

void RecordingSearch::showMessage(const QString& text) {
    messages << text;
    if (realModalLoops) {
        frmSearch::showMessage(text);
    }
}

void SearchWindowFixture::failOnProgramEnd() {
    setProgramEndHandler([] { qFatal("the program was ended unexpectedly"); });
}

void SearchWindowFixture::setUpState() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_state = std::make_unique<AppState>();
    loadBanks(m_state->banks);
    m_state->paths = settingsPathsIn(m_dir->path());
    m_state->speaker = shutSpeaker();
}

void SearchWindowFixture::tearDown() {
    m_menu.reset();
    m_state.reset();
    m_dir.reset();
}

void SearchWindowFixture::openMenu() {
    m_menu = std::make_unique<RecordingSearch>(*m_state, m_art);
    m_menu->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_menu.get()));
    m_menu->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_menu.get()));
}

bool SearchWindowFixture::panelRevealed() const {
    const bool maskShown = control<QLabel>(QStringLiteral("imgSmask"))->isVisible();
    const bool startShown = control<QWidget>(QStringLiteral("imgHWG"))->isVisible();
    bool hotspotsShown = true;
    bool hotspotsHidden = true;
    for (int index = 0; index < 6; ++index) {
        const bool shown = control<QWidget>(QStringLiteral("imgRP_%1").arg(index))->isVisible();
        hotspotsShown = hotspotsShown && shown;
        hotspotsHidden = hotspotsHidden && !shown;
    }
    if (!maskShown && startShown && hotspotsShown) {
        return true;
    }
    if (maskShown && !startShown && hotspotsHidden) {
        return false;
    }
    qFatal("the lower panel is half masked");
}

} // namespace tavik::testing
