#include "bench_world.h"

#include "print/ui/frmPrintT.h"
#include "shell/ui/picture_button.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

namespace tavik::bench {
namespace {

// The word screen with the save dialog answered and the closing message
// noted instead of shown.
class AnsweredScreen : public frmPrintT {
public:
    AnsweredScreen(AppState& state, const Artwork& art, const QString& path)
        : frmPrintT(state, art) {
        setSaveFileChooser([path](QWidget*, const QString&) { return path; });
    }
    QString lastMessage;

protected:
    void showMessage(QMessageBox::Icon, const QString& text) override { lastMessage = text; }
};

// From the click on PDFで保存 to the saved file: every page of the 141-word
// question sheet composed, written beside its name on this machine's disk,
// synced and put in place, as in the learner's Documents folder.
void savePdf(benchmark::State& state) {
    BenchWorld& world = BenchWorld::get();
    world.prepareWholeDrill();
    QTemporaryDir folder(QDir::homePath() + QStringLiteral("/.tavik-bench-XXXXXX"));
    const QString path = folder.filePath(QStringLiteral("sheet.pdf"));
    AnsweredScreen screen(world.state, world.art, path);
    PictureButton* save = button(state, &screen, "imgPdf");
    if (save == nullptr) {
        return;
    }
    {
        ActionTimer timer(state);
        for (auto _ : state) {
            timer.time([&] { save->click(); });
            if (!screen.lastMessage.startsWith(QStringLiteral("PDFを保存しました"))) {
                state.SkipWithError("the PDF was not saved");
                return;
            }
        }
    }
    state.counters["pages"] = screen.pageCount();
    state.counters["kB"] = static_cast<double>(QFileInfo(path).size()) / 1000.0;
}
BENCHMARK(savePdf)->Name("WordSheets/SavePdf")->Unit(benchmark::kMillisecond)->UseManualTime();

} // namespace
} // namespace tavik::bench
