#include "bench_world.h"

#include "history/history_store.h"
#include "progress/learning_record.h"
#include "progress/ui/frmRecord.h"

#include <QDateTime>
#include <QFile>

namespace tavik::bench {
namespace {

constexpr int kStoredAnswers = 10000;
constexpr int kQuestionsPerGrading = 40;
constexpr int kGradingsPerDay = 5;

// A record of 10,000 answers: five 40-question drills a day for fifty days,
// a third of the answers wrong, over every word of the bank.
void fillRecord(HistoryStore& history, const Banks& banks) {
    const QDateTime start = QDateTime::currentDateTime().addDays(
        -kStoredAnswers / kQuestionsPerGrading / kGradingsPerDay);
    for (int grading = 0; grading < kStoredAnswers / kQuestionsPerGrading; ++grading) {
        std::vector<AnsweredQuestion> questions;
        for (int question = 0; question < kQuestionsPerGrading; ++question) {
            const int word = 1 + (grading * kQuestionsPerGrading + question) % kWordRows;
            const bool right = (grading + question) % 3 != 0;
            const QString& headword =
                banks.WordBank[static_cast<std::size_t>(word)][WordField::Headword];
            questions.push_back(
                {word, 0, right, headword, right ? headword : QStringLiteral("x"), headword});
        }
        const QDateTime when =
            start.addDays(grading / kGradingsPerDay).addSecs(60 * (grading % kGradingsPerDay));
        history.record(questions, when.toUTC());
    }
}

// Opening the learning-record screen over a record of 10,000 answers: the
// record read, its figures worked out and the screen shown with its charts,
// as a click on the 学習記録 bar does. The first opening also loads the
// charts' module.
void openRecordScreen(benchmark::State& state) {
    BenchWorld& world = BenchWorld::get();
    const QString file = world.state.paths.historyFile + QStringLiteral(".record");
    QFile::remove(file);
    HistoryStore history;
    history.open(file);
    fillRecord(history, world.state.banks);
    ActionTimer timer(state);
    for (auto _ : state) {
        timer.time([&] {
            frmRecord screen(world.state, world.art, readLearningRecord(history));
            screen.show();
            settle();
        });
    }
}
BENCHMARK(openRecordScreen)
    ->Name("Record/Open10000Answers")
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();

} // namespace
} // namespace tavik::bench
