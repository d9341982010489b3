#include "bench_world.h"

#include "app/ui/picture_button.h"
#include "drill/ui/frmSearch.h"

#include <QComboBox>
#include <QLineEdit>

namespace tavik::bench {
namespace {

// From the click on a search button to the repainted counts and panel.
void clickSearch(benchmark::State& state, const char* buttonName, const QString& text) {
    BenchWorld& world = BenchWorld::get();
    frmSearch window(world.state, world.art);
    window.show();
    settle();
    auto* freeWord = control<QLineEdit>(state, &window, "txtFreeWord");
    auto* count = control<QComboBox>(state, &window, "cmbRandom");
    PictureButton* search = button(state, &window, buttonName);
    if (freeWord == nullptr || count == nullptr || search == nullptr) {
        return;
    }
    freeWord->setText(text);
    count->setEditText(text);
    for (auto _ : state) {
        search->click();
        settle();
    }
}

void searchAllRows(benchmark::State& state) {
    clickSearch(state, "imgS1", QString());
}
BENCHMARK(searchAllRows)->Name("MainWindow/SearchAllRows")->Unit(benchmark::kMicrosecond);

void randomPick40(benchmark::State& state) {
    clickSearch(state, "imgS2", QStringLiteral("40問"));
}
BENCHMARK(randomPick40)->Name("MainWindow/RandomPick40")->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace tavik::bench
