// How long the board takes to plot: one long function plot from the press
// of "画图" to the last segment (100,001 samples of sin(x/20)*300 from -100
// to 100 by 0.002, each evaluated by the calculator and drawn on a 5500-twip
// board picture), and one zoom step that lays the view out again and draws
// five remembered curves of 2,001 samples each, its undo, and the memory a
// remembered curve and 1,000 undo steps take. Runs on Qt's offscreen
// platform with a private settings store.

#include "board/mForm1.h"
#include "calculator/test_access.h"
#include "offscreen_bench.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"

#include <benchmark/benchmark.h>
#include <unistd.h>
#include <QLineEdit>
#include <fstream>

namespace {

constexpr int kSamples = 100001;

void prepare(plotdesk::mForm1& board) {
    board.Form_Load();
    board.表达式1->setText(QStringLiteral("sin(x/20)*300"));
    board.start->setText(QStringLiteral("-100"));
    board.end->setText(QStringLiteral("100"));
    board.step1->setText(QStringLiteral("0.002"));
}

void plotRepeatedly(benchmark::State& state, plotdesk::mForm1& board) {
    for (auto _ : state) {
        board.Command1_Click();
        state.PauseTiming();
        board.Command2_Click();
        state.ResumeTiming();
    }
    state.counters["samples"] = kSamples;
    state.counters["per_sample"] =
        benchmark::Counter(kSamples, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// The whole plot, each sample evaluated by the calculator. The calculator's
// plan cache reports how many samples met a shape it did not hold, how many
// no plan answered, and what it holds afterwards.
void BM_FunctionPlot100k(benchmark::State& state) {
    plotdesk::mForm1 board;
    prepare(board);
    const ombra::CalculatorTestAccess::PlanCacheFigures before = ombra::CalculatorTestAccess::planCacheFigures();
    plotRepeatedly(state, board);
    const ombra::CalculatorTestAccess::PlanCacheFigures after = ombra::CalculatorTestAccess::planCacheFigures();
    const uint64_t calls = (after.hits - before.hits) + (after.misses - before.misses);
    state.counters["plan_misses"] = static_cast<double>(after.misses - before.misses);
    state.counters["unplanned_calls"] = static_cast<double>(calls - (after.planned - before.planned));
    state.counters["plan_cache_bytes"] = static_cast<double>(after.bytes);
}
BENCHMARK(BM_FunctionPlot100k)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

// The board's own share: the same plot with a stand-in evaluator that
// answers with a fixed number text, so what remains is substitution,
// result reading, the progress strip and the drawing.
void BM_FunctionPlot100kBoardOnly(benchmark::State& state) {
    plotdesk::mForm1 board;
    prepare(board);
    board.model().setEvaluator([](const std::string&) { return std::string("287.677282398941"); });
    plotRepeatedly(state, board);
}
BENCHMARK(BM_FunctionPlot100kBoardOnly)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

// Five function curves of 2,001 samples each from -100 to 100 by 0.1.
void plotFiveCurves(plotdesk::mForm1& board) {
    for (const char* function : {"sin(x/20)*300", "cos(x/15)*200", "x*x/20-200", "tan(x/40)*50", "abs(x)*3-150"}) {
        plotdesk::CurveRequest curve = board.model().nextCurve(false, {-100, 100, 0.1});
        curve.function = QString::fromLatin1(function);
        board.model().plot(curve);
    }
}

// One zoom step (out, then back in, and so on) with five remembered
// function curves of 2,001 samples each from -100 to 100 by 0.1; every step
// lays out the view's axes and draws the curves' whole range again. A pixel
// of these views spans more than the curves' step, so the curves are drawn
// from the points kept at their first plot, as a user's zoom draws them.
void BM_ZoomStepFiveCurves(benchmark::State& state) {
    plotdesk::mForm1 board;
    board.Form_Load();
    plotFiveCurves(board);
    bool zoomOut = true;
    for (auto _ : state) {
        if (zoomOut)
            board.zoomOut();
        else
            board.zoomIn();
        zoomOut = !zoomOut;
    }
}
BENCHMARK(BM_ZoomStepFiveCurves)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

// One undo or redo of a zoom step on the same five curves: the board puts
// back the view before or after the step and draws the curves again from
// the points they kept, as the zoom step itself does.
void BM_UndoZoomStepFiveCurves(benchmark::State& state) {
    plotdesk::mForm1 board;
    board.Form_Load();
    plotFiveCurves(board);
    board.zoomOut();
    bool undo = true;
    for (auto _ : state) {
        if (undo)
            board.undo_Click();
        else
            board.redo_Click();
        undo = !undo;
    }
}
BENCHMARK(BM_UndoZoomStepFiveCurves)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

// The process's resident memory in bytes.
double residentBytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, residentPages = 0;
    statm >> pages >> residentPages;
    return static_cast<double>(residentPages) * static_cast<double>(sysconf(_SC_PAGESIZE));
}

// What the drawing costs in memory: the resident growth per remembered
// curve of 2,001 samples, and the growth over 1,000 zoom steps of that
// five-curve drawing, each of which the undo history keeps.
void BM_DrawingMemory(benchmark::State& state) {
    for (auto _ : state) {
        plotdesk::mForm1 board;
        board.Form_Load();
        const double loaded = residentBytes();
        plotFiveCurves(board);
        const double plotted = residentBytes();
        for (int step = 0; step < 1000; ++step) step % 2 ? board.zoomIn() : board.zoomOut();
        state.counters["bytes_per_curve"] = (plotted - loaded) / 5;
        state.counters["bytes_for_1000_steps"] = residentBytes() - plotted;
    }
}
BENCHMARK(BM_DrawingMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    return plotdesk::bench::runOffscreen(argc, argv, [] {
        plotdesk::SaveSettings({{QString::fromLatin1(plotdesk::key::width), QStringLiteral("5500")},
                                {QString::fromLatin1(plotdesk::key::_heiht), QStringLiteral("5500")}});
    });
}
