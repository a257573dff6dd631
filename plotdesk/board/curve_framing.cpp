#include "board/curve_framing.h"

#include "plotting/plot_rules.h"

#include <algorithm>
#include <cmath>

namespace plotdesk {
namespace {

// Values beyond this many interquartile ranges outside the middle half are
// extreme.
constexpr double kFenceRanges = 3;
// An equal-units frame keeps this share of the picture free on every side.
constexpr double kFrameMargin = 0.05;
// The smallest extent a frame spans, so that a single point still gets one.
constexpr double kSmallestSpan = 1e-6;

enum class Side { Inside, Below, Above };

// Where each point's coordinate lies against the fences around the middle
// half of the values; Inside for a missing one.
template <typename Coordinate>
std::vector<Side> sidesOf(const std::vector<QPointF>& points, Coordinate coordinate) {
    std::vector<double> values;
    values.reserve(points.size());
    for (const QPointF& point : points)
        if (!std::isnan(coordinate(point))) values.push_back(coordinate(point));
    std::vector<Side> sides(points.size(), Side::Inside);
    if (values.empty()) return sides;
    std::sort(values.begin(), values.end());
    auto quantile = [&values](double share) {
        const double at = share * static_cast<double>(values.size() - 1);
        const auto below = static_cast<size_t>(std::floor(at));
        const size_t above = std::min(below + 1, values.size() - 1);
        return values[below] + (at - static_cast<double>(below)) * (values[above] - values[below]);
    };
    const double lower = quantile(0.25), upper = quantile(0.75);
    const double low = lower - kFenceRanges * (upper - lower), high = upper + kFenceRanges * (upper - lower);
    for (size_t i = 0; i < points.size(); ++i) {
        const double value = coordinate(points[i]);
        if (value < low) sides[i] = Side::Below;
        if (value > high) sides[i] = Side::Above;
    }
    return sides;
}

// Marks as left out every run of neighbouring extreme points that borders
// a gap or turns from one extreme to the other.
void leaveOutPoleRuns(const std::vector<Side>& sides, const std::vector<bool>& gapBefore, std::vector<bool>& leftOut) {
    const size_t count = sides.size();
    size_t first = 0;
    while (first < count) {
        if (sides[first] == Side::Inside) {
            ++first;
            continue;
        }
        size_t last = first;
        bool pole = first > 0 && gapBefore[first];
        while (last + 1 < count && sides[last + 1] != Side::Inside && !gapBefore[last + 1]) {
            if (sides[last + 1] != sides[last]) pole = true;
            ++last;
        }
        if (last + 1 < count && gapBefore[last + 1]) pole = true;
        if (pole) std::fill(leftOut.begin() + first, leftOut.begin() + last + 1, true);
        first = last + 1;
    }
}

bool complete(const QPointF& point) { return !std::isnan(point.x()) && !std::isnan(point.y()); }

}  // namespace

std::optional<CurveBounds> framingBounds(const std::vector<QPointF>& points) {
    const size_t count = points.size();
    // A gap lies before a point when it or the one before is missing, or
    // when the drawing leaves the two unjoined.
    std::vector<bool> gapBefore(count, false);
    for (size_t i = 1; i < count; ++i)
        gapBefore[i] =
            !complete(points[i]) || !complete(points[i - 1]) || !joinsPrevious(points[i - 1].y(), points[i].y());
    std::vector<bool> leftOut(count, false);
    leaveOutPoleRuns(sidesOf(points, [](const QPointF& p) { return p.x(); }), gapBefore, leftOut);
    leaveOutPoleRuns(sidesOf(points, [](const QPointF& p) { return p.y(); }), gapBefore, leftOut);

    std::optional<CurveBounds> kept, all;
    for (size_t i = 0; i < count; ++i) {
        if (!complete(points[i])) continue;
        all = including(all, points[i].x(), points[i].y());
        if (!leftOut[i]) kept = including(kept, points[i].x(), points[i].y());
    }
    return kept ? kept : all;
}

ViewScale equalUnitsFrame(const CurveBounds& box, double widthPx, double heightPx) {
    const double width = std::max(box.maxX - box.minX, kSmallestSpan);
    const double height = std::max(box.maxY - box.minY, kSmallestSpan);
    const double shown = 1 - 2 * kFrameMargin;
    const double unitsPerPixel = std::max(width / (widthPx * shown), height / (heightPx * shown));
    const double middleX = (box.minX + box.maxX) / 2, middleY = (box.minY + box.maxY) / 2;
    // Scale y is the negated value: a value v sits at scale -v.
    return {middleX - widthPx * unitsPerPixel / 2, -(middleY + heightPx * unitsPerPixel / 2), widthPx * unitsPerPixel,
            heightPx * unitsPerPixel};
}

}  // namespace plotdesk
