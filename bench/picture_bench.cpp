// The picture area's drawing record: what recording a board's curves costs,
// how much memory it holds, and how long drawing the whole record again
// takes (as after a change of size or pixel ratio, or for an export). The
// board is 800 by 800 pixels with the usual scale, -1000 to 1000 both ways;
// a curve is a sine drawn as the board draws it, each segment from the new
// point back to the previous one. Runs on Qt's offscreen platform.

#include "offscreen_bench.h"
#include "toolkit/picture_area.h"

#include <benchmark/benchmark.h>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <vector>

namespace {

constexpr int kBoardPixels = 800;

void prepare(plotdesk::toolkit::PictureArea& area) {
    area.resize(kBoardPixels, kBoardPixels);
    area.setBackColor(0xFFFFFF);
    area.setScaleLeft(-1000);
    area.setScaleTop(-1000);
    area.setScaleWidth(2000);
    area.setScaleHeight(2000);
}

// The curves' points, worked out once so that only the drawing is timed:
// curve c is a sine across the board.
std::vector<std::vector<QPointF>> curvePoints(int curves, int samples) {
    std::vector<std::vector<QPointF>> points(static_cast<size_t>(curves));
    for (int c = 0; c < curves; ++c)
        for (int i = 0; i < samples; ++i)
            points[static_cast<size_t>(c)].emplace_back(float(-1000 + 2000.0 * i / samples),
                                                        float(-(100 + 40 * c) * std::sin(i / (50.0 + c))));
    return points;
}

void renderOnto(QImage& image, const plotdesk::toolkit::PictureArea& area) {
    QPainter painter(&image);
    area.renderPicture(painter, QSizeF(kBoardPixels, kBoardPixels));
}

// Each curve in its own colour, each segment from the new point back to the
// previous one.
void drawBoard(plotdesk::toolkit::PictureArea& area, const std::vector<std::vector<QPointF>>& curves) {
    int32_t colour = 0;
    for (const std::vector<QPointF>& curve : curves) {
        colour += 0x101010;
        for (size_t i = 1; i < curve.size(); ++i)
            area.line(curve[i].x(), curve[i].y(), curve[i - 1].x(), curve[i - 1].y(), colour);
    }
}

// Recording alone: the area is not shown, so no pixels are made.
void BM_RecordCurves(benchmark::State& state) {
    const auto curves = curvePoints(int(state.range(0)), int(state.range(1)));
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
BENCHMARK(BM_RecordCurves)
    ->Args({20, 10000})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

// Drawing the whole record onto an image of the board's size at a pixel
// ratio (1 as on a classic screen, 2 as on a high-density one).
void BM_RenderRecord(benchmark::State& state) {
    const auto curves = curvePoints(int(state.range(0)), int(state.range(1)));
    const int ratio = int(state.range(2));
    plotdesk::toolkit::PictureArea area;
    prepare(area);
    drawBoard(area, curves);
    QImage image(kBoardPixels * ratio, kBoardPixels * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    for (auto _ : state) renderOnto(image, area);
    const double segments = double(area.record().segments().size());
    state.counters["per_segment"] =
        benchmark::Counter(segments, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_RenderRecord)
    ->Args({20, 10000, 1})
    ->Args({20, 10000, 2})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

// The drawing share of a zoom step: the board wiped, its remembered curves
// (5 of 2,000 samples) drawn again and the picture made at the board's size.
void BM_RedrawAfterZoom(benchmark::State& state) {
    const auto curves = curvePoints(5, 2000);
    plotdesk::toolkit::PictureArea area;
    prepare(area);
    QImage image(kBoardPixels, kBoardPixels, QImage::Format_RGB32);
    for (auto _ : state) {
        area.cls();
        drawBoard(area, curves);
        renderOnto(image, area);
    }
}
BENCHMARK(BM_RedrawAfterZoom)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) { return plotdesk::bench::runOffscreen(argc, argv); }
