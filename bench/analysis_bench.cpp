// The reading of curves: the key points of one curve, of five curves with
// all their intersections, a table of 10,001 rows and one trace step, each
// through the late-bound evaluator the board calls.

#include "analysis/key_points.h"
#include "analysis/tracer.h"
#include "analysis/value_table.h"

#include <benchmark/benchmark.h>

#include <calculator/component.h>

#include <vector>

namespace {

using namespace plotdesk;
using namespace plotdesk::analysis;

Evaluator boardEvaluator() {
    static ombra::com::LateBoundObject calculator = ombra::com::LateBoundObject::create(ombra::com::kCalculatorProgId);
    return [](const std::string& text) { return calculator.callText(ombra::com::DISPID_CALCULATE, text); };
}

// The default sampling range, whose samples join the scan.
const SamplingRange kDefaultRange{-100, 100, 2};

void BM_KeyPointsOfTheSine(benchmark::State& state) {
    const Evaluator evaluator = boardEvaluator();
    for (auto _ : state) {
        const KeyPointReport report =
            findKeyPoints({QStringLiteral("sin(x/20)*300")}, evaluator, -100, 100, &kDefaultRange);
        benchmark::DoNotOptimize(report.points.data());
    }
}
BENCHMARK(BM_KeyPointsOfTheSine)->Unit(benchmark::kMillisecond);

// Five school curves over the range a fitted view of them spans: their own
// key points and the ten pairs' intersections.
void BM_KeyPointsOfFiveCurves(benchmark::State& state) {
    const Evaluator evaluator = boardEvaluator();
    const std::vector<QString> curves{QStringLiteral("sin(x/20)*300"), QStringLiteral("x^2/20"), QStringLiteral("x"),
                                      QStringLiteral("cos(x/10)*100"), QStringLiteral("x^3/1000-50")};
    size_t points = 0;
    for (auto _ : state) {
        const KeyPointReport report = findKeyPoints(curves, evaluator, -100, 100, &kDefaultRange);
        points = report.points.size();
    }
    state.counters["points"] = static_cast<double>(points);
}
BENCHMARK(BM_KeyPointsOfFiveCurves)->Unit(benchmark::kMillisecond);

void BM_TableOf10001Rows(benchmark::State& state) {
    const Evaluator evaluator = boardEvaluator();
    const SamplingRange range{-100, 100, 0.02};
    for (auto _ : state) {
        const ValueTable table = makeValueTable({QStringLiteral("sin(x/20)*300")}, evaluator, range);
        benchmark::DoNotOptimize(tabSeparated(table).size());
    }
}
BENCHMARK(BM_TableOf10001Rows)->Unit(benchmark::kMillisecond);

// One trace step over five curves: the pointer moved by a pixel, every
// curve's value at the new x, the nearest one within reach.
void BM_TraceStep(benchmark::State& state) {
    Tracer tracer({QStringLiteral("sin(x/20)*300"), QStringLiteral("x^2/20"), QStringLiteral("x"),
                   QStringLiteral("cos(x/10)*100"), QStringLiteral("x^3/1000-50")},
                  boardEvaluator());
    double x = -100;
    for (auto _ : state) {
        x = x < 100 ? x + 0.25 : -100;
        benchmark::DoNotOptimize(tracer.nearest(x, 0, 5));
    }
}
BENCHMARK(BM_TraceStep)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
