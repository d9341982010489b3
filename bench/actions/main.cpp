// In-process benchmarks of the actions a person takes on Tavik's screens,
// on the real windows, on the offscreen platform unless another is chosen.
// Exits non-zero when a benchmark could not run (a window lacks a control).
#include "bench_world.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

class FailureNotingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& reports) override {
        for (const Run& run : reports) {
            failed = failed || run.error_occurred;
        }
        ConsoleReporter::ReportRuns(reports);
    }
    bool failed = false;
};

} // namespace

int main(int argc, char* argv[]) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    FailureNotingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    tavik::bench::BenchWorld::release();
    benchmark::Shutdown();
    return reporter.failed ? 1 : 0;
}
