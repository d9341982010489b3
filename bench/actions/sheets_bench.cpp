#include "bench_world.h"

#include "print/sheet_composer.h"
#include "print/ui/frmPrintI.h"
#include "print/ui/frmPrintT.h"
#include "print/ui/painter_surface.h"
#include "shell/ui/picture_button.h"

#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <memory>

namespace tavik::bench {
namespace {

// From the click on Next or Previous to the repainted preview of the page,
// back and forth between the first two pages.
template <typename Screen> void previewPage(benchmark::State& state) {
    BenchWorld& world = BenchWorld::get();
    world.prepareWholeDrill();
    Screen screen(world.state, world.art);
    screen.show();
    settle();
    timePagingBackAndForth(state, &screen);
}
BENCHMARK(previewPage<frmPrintT>)
    ->Name("WordSheets/PreviewPage")
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime();
BENCHMARK(previewPage<frmPrintI>)
    ->Name("SentenceSheets/PreviewPage")
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime();

// Every page of the 141-word question sheet composed as for the printer:
// on a high-resolution printer in twips, written out as the PDF document
// that is handed to CUPS.
void composeAllPages(benchmark::State& state) {
    BenchWorld& world = BenchWorld::get();
    world.prepareWholeDrill();
    const Sheet sheet{SheetFamily::Words, SheetKind::Question, world.state.settings.levelText};
    const int pageCount =
        sheetPageCountFor(sheetQuestionCount(SheetFamily::Words, world.state.drill));
    QTemporaryDir output;
    ActionTimer timer(state);
    for (auto _ : state) {
        timer.time([&] {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(output.filePath(QStringLiteral("sheet.pdf")));
            QPainter painter(&printer);
            const qreal devicePerTwip = printer.resolution() / 1440.0;
            painter.scale(devicePerTwip, devicePerTwip);
            painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
            PainterSurface surface(
                painter, printer.pageLayout().paintRect(QPageLayout::Point).size() * 20.0);
            for (int page = 1; page <= pageCount; ++page) {
                composeSheetPage(surface, sheet, page, pageCount, world.state.drill,
                                 world.state.banks);
                if (page < pageCount) {
                    printer.newPage();
                }
            }
            painter.end();
        });
    }
    state.counters["pages"] = pageCount;
}
BENCHMARK(composeAllPages)
    ->Name("WordSheets/ComposeAllPages")
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();

} // namespace
} // namespace tavik::bench
