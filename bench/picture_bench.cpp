// The picture area's drawing record: what recording a board's curves costs,
// how much memory it holds, and how long drawing the whole record again
// takes (as after a change of size or pixel ratio, or for an export). The
// board is 800 by 800 pixels with the usual scale, -1000 to 1000 both ways;
// a curve is a sine of 10,000 samples drawn as the board draws it, each
// segment from the new point back to the previous one. Runs on Qt's
// offscreen platform.

#include "toolkit/picture_area.h"

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cmath>

namespace {

constexpr int kBoardPixels = 800;
constexpr int kSamplesPerCurve = 10000;

void prepare(plotdesk::toolkit::PictureArea& area) {
    area.resize(kBoardPixels, kBoardPixels);
    area.setBackColor(0xFFFFFF);
    area.setScaleLeft(-1000);
    area.setScaleTop(-1000);
    area.setScaleWidth(2000);
    area.setScaleHeight(2000);
}

// One curve of kSamplesPerCurve samples across the board, in its own colour.
void drawCurve(plotdesk::toolkit::PictureArea& area, int curve) {
    const double amplitude = 100 + 40 * curve;
    float previousX = -1000, previousY = 0;
    for (int i = 1; i < kSamplesPerCurve; ++i) {
        const float x = float(-1000 + 2000.0 * i / kSamplesPerCurve);
        const float y = float(-amplitude * std::sin(i / (50.0 + curve)));
        area.line(x, y, previousX, previousY, 0x101010 * curve);
        previousX = x;
        previousY = y;
    }
}

void drawBoard(plotdesk::toolkit::PictureArea& area, int curves) {
    for (int curve = 0; curve < curves; ++curve) drawCurve(area, curve);
}

// Recording alone: the area is not shown, so no pixels are made.
void BM_RecordCurves(benchmark::State& state) {
    const int curves = int(state.range(0));
    plotdesk::toolkit::PictureArea area;
    prepare(area);
    for (auto _ : state) {
        area.cls();
        drawBoard(area, curves);
    }
    const double segments = double(area.record().segments().size());
    state.counters["segments"] = segments;
    state.counters["per_segment"] =
        benchmark::Counter(segments, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["record_MB"] = double(area.record().bytes()) / 1e6;
    state.counters["bytes_per_segment"] = double(area.record().bytes()) / segments;
}
BENCHMARK(BM_RecordCurves)->Arg(20)->Arg(5)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

// Drawing the whole record onto an image of the board's size at a pixel
// ratio (1 as on a classic screen, 2 as on a high-density one).
void BM_RenderRecord(benchmark::State& state) {
    const int curves = int(state.range(0));
    const int ratio = int(state.range(1));
    plotdesk::toolkit::PictureArea area;
    prepare(area);
    drawBoard(area, curves);
    QImage image(kBoardPixels * ratio, kBoardPixels * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    for (auto _ : state) {
        QPainter painter(&image);
        area.renderPicture(painter, QSizeF(kBoardPixels, kBoardPixels));
    }
    const double segments = double(area.record().segments().size());
    state.counters["per_segment"] =
        benchmark::Counter(segments, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_RenderRecord)
    ->Args({20, 1})
    ->Args({20, 2})
    ->Args({5, 1})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
