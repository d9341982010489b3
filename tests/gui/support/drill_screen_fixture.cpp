#include "drill_screen_fixture.h"

#include "screens/ui/frmListI.h"
#include "screens/ui/frmListT.h"
#include "shut_speaker.h"

#include <QApplication>
#include <QFile>
#include <QRegularExpression>
#include <QTextStream>
#include <QtTest>

namespace tavik::testing {

DrillScreenFixture::DrillScreenFixture() {
    loadBanks(state.banks);
    state.paths = settingsPathsIn(directory.path());
    state.speaker = shutSpeaker();
    state.settings.optTerms = true;
    state.settings.optPc = true;
    state.settings.optQuestion = true;
    state.settings.level = Level::Advanced;
    state.screen.viewMode = ViewMode::Solving;
}

void DrillScreenFixture::useWords(int count) {
    state.drill.drillWords.clear();
    for (int row = 1; row <= count; ++row) {
        state.drill.drillWords.push_back(static_cast<std::int16_t>(row));
    }
}

std::unique_ptr<QWidget> DrillScreenFixture::openDrill(bool words) {
    if (words) {
        return std::make_unique<frmListT>(state, sharedArtwork());
    }
    return std::make_unique<frmListI>(state, sharedArtwork());
}

void DrillScreenFixture::useSentences(const std::vector<int>& rows) {
    state.drill.drillSentences.assign(rows.begin(), rows.end());
}

Level levelNamed(const QString& name) {
    for (const Level level : {Level::Beginner, Level::Intermediate, Level::Advanced}) {
        if (levelName(level) == name) {
            return level;
        }
    }
    qFatal("no level %s", qPrintable(name));
}

QString DrillScreenFixture::headword(int question) const {
    const auto row = static_cast<std::size_t>(state.drill.drillWords.at(question));
    return state.banks.WordBank.at(row).at(WordField::Headword);
}

QString DrillScreenFixture::sentenceAnswer(int question) const {
    const auto row = static_cast<std::size_t>(state.drill.drillSentences.at(question));
    return state.banks.SentenceBank.at(row).at(SentenceField::Answer);
}

const Artwork& sharedArtwork() {
    static const Artwork art = [] {
        Artwork drawn;
        drawn.loadScreens(1.0);
        return drawn;
    }();
    return art;
}

void showActive(QWidget* window) {
    window->show();
    QApplication::setActiveWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
}

QImage shownPicture(const QLabel* picture) {
    return picture->pixmap().toImage();
}

QImage markAsShown(const QLabel* mark, int index) {
    return sharedArtwork().ilMaruBatu.picture(index).toImage().scaled(
        mark->size() * mark->devicePixelRatioF(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QString statisticsValue(const QString& iniFile, const QString& key) {
    QFile file(iniFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return {};
    }
    const QRegularExpression line(QStringLiteral("^\\s*%1\\s*=(.*)$").arg(key));
    QTextStream in(&file);
    while (!in.atEnd()) {
        const auto match = line.match(in.readLine());
        if (match.hasMatch()) {
            return match.captured(1).trimmed();
        }
    }
    return {};
}

} // namespace tavik::testing
