// How long opening a drawing takes, as 打开画板… opens one: a document of
// 20 function curves of 2,001 samples each (x from -1000 to 1000 by 1) is
// read from its file, checked, and drawn on a board laid out from the
// default settings, every sample evaluated by the calculator. Runs on Qt's
// offscreen platform with a private settings store.

#include "board/board_document.h"
#include "board/board_model.h"
#include "offscreen_bench.h"
#include "plotting/plot_rules.h"

#include <benchmark/benchmark.h>
#include <QTemporaryDir>
#include <memory>
#include <variant>

namespace {

constexpr int kCurves = 20;

plotdesk::BoardState twentyCurves() {
    plotdesk::BoardState drawing;
    drawing.layout = plotdesk::BoardModel::storedLayout();
    for (int i = 0; i < kCurves; ++i) {
        plotdesk::BoardCurve curve;
        curve.request.function = QStringLiteral("sin(x/%1)*300+%2").arg(20 + i).arg(10 * i);
        curve.request.range = {-1000, 1000, 1};
        curve.request.colour = QByteArray(plotdesk::kCurveColourEntries[1 + i % 10]).toInt();
        drawing.curves.push_back(curve);
    }
    return drawing;
}

void BM_OpenDocument20Curves(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("twenty.curvolo"));
    if (plotdesk::writeDocument(path, twentyCurves())) {
        state.SkipWithError("the document could not be written");
        return;
    }
    for (auto _ : state) {
        // Each opening draws on a board of its own, so no curve is drawn
        // from the points an earlier one kept.
        state.PauseTiming();
        auto board = std::make_unique<plotdesk::BoardModel>();
        board->layOut(plotdesk::BoardModel::storedLayout());
        state.ResumeTiming();
        const auto read = plotdesk::readDocument(path);
        if (const auto* drawing = std::get_if<plotdesk::BoardState>(&read)) {
            board->restore(*drawing);
        } else {
            state.SkipWithError("the document could not be read");
            return;
        }
    }
    state.counters["samples"] = kCurves * 2001;
}
BENCHMARK(BM_OpenDocument20Curves)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) { return plotdesk::bench::runOffscreen(argc, argv); }
