#include "progress/ui/chart_module.h"

#include "progress/ui/progress_charts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>
#include <cstdio>

namespace tavik {

namespace {

// Beside the program (a build or a portable copy), then where the package
// puts it.
QStringList modulePlaces() {
    const QString name = QStringLiteral(TAVIK_CHARTS_MODULE);
    return {QDir(QCoreApplication::applicationDirPath()).filePath(name),
            QDir(QStringLiteral(TAVIK_INSTALLED_MODULE_DIR)).filePath(name),
            QDir(QStringLiteral(TAVIK_PACKAGED_MODULE_DIR)).filePath(name)};
}

ProgressCharts* loadCharts() {
    for (const QString& place : modulePlaces()) {
        if (!QFileInfo::exists(place)) {
            continue;
        }
        QPluginLoader loader(place);
        if (auto* charts = qobject_cast<ProgressCharts*>(loader.instance())) {
            return charts;
        }
        std::fprintf(stderr, "tavik: the charts in %s cannot be loaded: %s\n", qPrintable(place),
                     qPrintable(loader.errorString()));
    }
    return nullptr;
}

} // namespace

ProgressCharts* progressCharts() {
    static ProgressCharts* const charts = loadCharts();
    return charts;
}

} // namespace tavik
