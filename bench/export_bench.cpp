// How long writing the board's picture to a file takes beyond the plot: the
// default board (a 2000-twip picture with its grid, axes and labels) with
// the initial curve plotted once, then written again and again as SVG, PDF
// and, for comparison, PNG, each through the checked replacement of the
// file (so the times include the flush to the disk). Runs on Qt's offscreen
// platform with a private settings store.

#include "board/board_picture.h"
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
        if (plotdesk::saveBoardPicture(*board.pxp, file, size)) state.SkipWithError("the picture was not written");
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

}  // namespace

int main(int argc, char** argv) { return plotdesk::bench::runOffscreen(argc, argv); }
