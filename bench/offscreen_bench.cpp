#include "offscreen_bench.h"

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

namespace plotdesk::bench {

int runOffscreen(int argc, char** argv, const std::function<void()>& prepareStore) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    QTemporaryDir store;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, store.path());
    if (prepareStore) prepareStore();

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace plotdesk::bench
