#include "bench_world.h"

#include "menu/ui/frmSearch.h"
#include "shell/ui/picture_button.h"

#include <QComboBox>
#include <QLineEdit>

namespace tavik::bench {
namespace {

// From the click on a search button to the repainted counts and panel.
// Before each measured click a search without a match puts the window back
// to its first look (counts 0, lower panel masked), so every click changes
// what the window shows, as the first search of a session does.
void clickSearch(benchmark::State& state, const char* buttonName, const QString& text) {
    BenchWorld& world = BenchWorld::get();
    frmSearch window(world.state, world.art);
    window.show();
    settle();
    auto* freeWord = control<QLineEdit>(state, &window, "txtFreeWord");
    auto* count = control<QComboBox>(state, &window, "cmbRandom");
    PictureButton* freeSearch = button(state, &window, "imgS1");
    PictureButton* search = button(state, &window, buttonName);
    if (freeWord == nullptr || count == nullptr || freeSearch == nullptr || search == nullptr) {
        return;
    }
    count->setEditText(text);
    const QString noMatch = QStringLiteral("zzzz");
    ActionTimer timer(state);
    for (auto _ : state) {
        freeWord->setText(noMatch);
        freeSearch->click();
        settle();
        freeWord->setText(text);
        timer.time([&] {
            search->click();
            settle();
        });
    }
}

void searchAllRows(benchmark::State& state) {
    clickSearch(state, "imgS1", QString());
}
BENCHMARK(searchAllRows)
    ->Name("MainWindow/SearchAllRows")
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime();

void randomPick40(benchmark::State& state) {
    clickSearch(state, "imgS2", QStringLiteral("40問"));
}
BENCHMARK(randomPick40)
    ->Name("MainWindow/RandomPick40")
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime();

} // namespace
} // namespace tavik::bench
