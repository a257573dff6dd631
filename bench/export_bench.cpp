// How long writing the board's picture to a file takes beyond the plot: the
// default board (a 2000-twip picture with its grid, axes and labels) with
// the initial curve plotted once, then written again and again as SVG, PDF
// and, for comparison, PNG, each through the checked replacement of the
// file (so the times include the flush to the disk); and a fitted export of
// many curves from the command line's request, plot and fit included. Runs
// on Qt's offscreen platform with a private settings store.

#include "board/board_picture.h"
#include "board/export_plot.h"
#include "board/mForm1.h"
#include "offscreen_bench.h"

#include <benchmark/benchmark.h>
#include <QTemporaryDir>

namespace {

// A file in a temporary folder, which goes at the end of the run.
QString outputFile(const char* name) {
    static const QTemporaryDir folder;
    return folder.filePath(QString::fromLatin1(name));
}

void exportBoard(benchmark::State& state, const char* name) {
    plotdesk::mForm1 board;
    board.Form_Load();
    board.Command1_Click();
    const QString file = outputFile(name);
    const QSize size = state.range(0) == 0 ? board.pxp->size() : QSize(int(state.range(0)), int(state.range(1)));
    for (auto _ : state) {
        if (plotdesk::saveBoardPicture(board.model().picture(), file, size))
            state.SkipWithError("the picture was not written");
    }
}

void BM_ExportSvg(benchmark::State& state) { exportBoard(state, "board.svg"); }
void BM_ExportPdf(benchmark::State& state) { exportBoard(state, "board.pdf"); }
void BM_ExportPng(benchmark::State& state) { exportBoard(state, "board.png"); }

// {0, 0}: the board picture's own size; then a large picture.
void exportSizes(benchmark::internal::Benchmark* run) {
    run->Args({0, 0})->Args({1600, 1200})->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_ExportSvg)->Apply(exportSizes);
BENCHMARK(BM_ExportPdf)->Apply(exportSizes);
BENCHMARK(BM_ExportPng)->Apply(exportSizes);

// A fitted 800 by 600 PNG of as many curves as the argument says, each a
// shifted sine over the default range.
void BM_ExportFittedCurves(benchmark::State& state) {
    plotdesk::ExportRequest request;
    request.file = outputFile("fitted.png");
    request.size = QSize(800, 600);
    request.fit = true;
    for (int64_t i = 0; i < state.range(0); ++i) {
        plotdesk::ExportCurve curve;
        curve.function = QStringLiteral("sin(x/20)*300+%1").arg(i);
        request.curves.push_back(curve);
    }
    for (auto _ : state) {
        if (plotdesk::exportPlot(request).result != plotdesk::ExportOutcome::Result::Written)
            state.SkipWithError("the picture was not written");
    }
}
BENCHMARK(BM_ExportFittedCurves)->Arg(100)->Arg(200)->Arg(400)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return plotdesk::bench::runOffscreen(argc, argv); }
