#include "board/view_scale.h"

#include <algorithm>
#include <cmath>

namespace plotdesk {
namespace {

constexpr double kSmallestExtent = 1e-6;
constexpr double kLargestExtent = 1e12;
// Beyond this magnitude a label is written in exponent form.
constexpr double kLargestPlainLabel = 1e15;
// A fitted y range keeps this share of the values' span free above and
// below the curves.
constexpr double kFitMargin = 0.05;
// Spacings are compared with this tolerance, so that 0.1 * 3 still counts
// as reaching 0.3.
constexpr double kSpacingTolerance = 1e-9;
// Label rectangles may reach this far (pixels) into each other.
constexpr double kLabelHair = 0.01;
// A share of a step by which a split range may pass its end.
constexpr double kEndTolerance = 1e-6;

bool usableExtent(double extent) {
    const double size = std::fabs(extent);
    return size >= kSmallestExtent && size <= kLargestExtent;
}

// A span of at least the smallest extent, centred where the given one is.
std::pair<double, double> widened(double from, double to) {
    if (to - from >= kSmallestExtent) return {from, to};
    const double middle = (from + to) / 2;
    const double half = std::max(std::fabs(middle) * kSmallestExtent, 1.0);
    return {middle - half, middle + half};
}

}  // namespace

QPointF scalePointAt(const ViewScale& scale, QPointF pixel, QSize pictureSize) {
    if (pictureSize.isEmpty()) return {scale.left, scale.top};
    return {scale.left + pixel.x() / pictureSize.width() * scale.width,
            scale.top + pixel.y() / pictureSize.height() * scale.height};
}

ViewScale zoomedAbout(const ViewScale& scale, double x, double y, double factor) {
    return {x - (x - scale.left) / factor, y - (y - scale.top) / factor, scale.width / factor, scale.height / factor};
}

bool withinZoomLimits(const ViewScale& scale) {
    return std::isfinite(scale.left) && std::isfinite(scale.top) && usableExtent(scale.width) &&
           usableExtent(scale.height);
}

CurveBounds including(const std::optional<CurveBounds>& bounds, double x, double y) {
    if (!bounds) return {x, x, y, y};
    return {std::min(bounds->minX, x), std::max(bounds->maxX, x), std::min(bounds->minY, y), std::max(bounds->maxY, y)};
}

ViewScale fittedScale(double xFrom, double xTo, const std::optional<CurveBounds>& values, double widthPx,
                      double heightPx) {
    const auto [left, right] = widened(std::min(xFrom, xTo), std::max(xFrom, xTo));
    const double unitsPerPixel = (right - left) / widthPx;
    const double equalHeight = heightPx * unitsPerPixel;
    // Scale y is the negated value: a value v sits at scale -v.
    auto showingValuesFrom = [&](double topValue, double height) {
        return ViewScale{left, -topValue, right - left, height};
    };
    if (!values || (values->maxY <= equalHeight / 2 && values->minY >= -equalHeight / 2))
        return showingValuesFrom(equalHeight / 2, equalHeight);
    if (values->maxY - values->minY <= equalHeight)
        return showingValuesFrom((values->maxY + values->minY) / 2 + equalHeight / 2, equalHeight);
    const auto [low, high] = widened(values->minY, values->maxY);
    const double margin = (high - low) * kFitMargin;
    return showingValuesFrom(high + margin, high - low + 2 * margin);
}

ViewSampling samplingForView(const SamplingRange& range, double visibleFrom, double visibleTo, double unitsPerPixel) {
    if (!range.contains(range.start) || !(unitsPerPixel > 0) || !std::isfinite(unitsPerPixel)) return {range, true};
    const double splits = std::max(1.0, std::ceil(std::fabs(range.step) / unitsPerPixel));
    const double step = range.step / splits;
    const double low = std::min(visibleFrom, visibleTo);
    const double high = std::max(visibleFrom, visibleTo);
    // Samples skipped before the visible part, keeping one just outside it
    // so that the curve runs to the picture's edge.
    const double before = step > 0 ? (low - range.start) / step : (range.start - high) / -step;
    const double skipped = std::max(0.0, std::floor(before));
    const double start = range.start + skipped * step;
    // The range's end stays a sample although a split step's additions
    // round it off by a hair.
    const bool split = splits > 1;
    const double endWithRounding = split ? range.end + step * kEndTolerance : range.end;
    const double end = step > 0 ? std::min(endWithRounding, high + step) : std::max(endWithRounding, low + step);
    return {{start, end, step}, skipped == 0 && end == endWithRounding, split};
}

double niceSpacing(double least) {
    if (!(least > 0) || !std::isfinite(least)) return 1;
    const double power = std::pow(10.0, std::floor(std::log10(least)));
    for (const double multiple : {1.0, 2.0, 5.0})
        if (multiple * power >= least * (1 - kSpacingTolerance)) return multiple * power;
    return 10 * power;
}

double nextNiceSpacing(double spacing) { return niceSpacing(spacing * (1 + 1e-6)); }

int labelDecimals(double spacing) {
    return std::max(0, static_cast<int>(-std::floor(std::log10(spacing) + kSpacingTolerance)));
}

// Up to 15 significant digits without trailing zeros, "E", the exponent's
// sign and at least two digits: "5E+14", "-1.25E+15".
QString exponentText(double value) {
    QString text = QString::number(value, 'e', 14).toUpper();
    const qsizetype mark = text.indexOf(QLatin1Char('E'));
    qsizetype end = mark;
    while (text[end - 1] == QLatin1Char('0')) --end;
    if (text[end - 1] == QLatin1Char('.')) --end;
    return text.left(end) + text.mid(mark);
}

QString tickLabel(double value, int decimals, bool exponentForm) {
    if (std::fabs(value) < 0.5 * std::pow(10.0, -decimals)) return QStringLiteral(" 0 ");
    QString digits = exponentForm || std::fabs(value) >= kLargestPlainLabel ? exponentText(value)
                                                                            : QString::number(value, 'f', decimals);
    if (value > 0) digits.prepend(QLatin1Char(' '));
    return digits + QLatin1Char(' ');
}

bool axisNeedsExponentForm(double largest) { return std::fabs(largest) >= kLargestPlainLabel; }

QString viewPointerReadout(double x, double y, double unitsPerPixel) {
    const int decimals = labelDecimals(unitsPerPixel);
    return QStringLiteral("当前坐标  (") + tickLabel(x, decimals).trimmed() + QLatin1Char(',') +
           tickLabel(-y, decimals).trimmed() + QLatin1Char(')');
}

bool labelsOverlap(const QRectF& a, const QRectF& b) {
    return a.adjusted(kLabelHair, kLabelHair, -kLabelHair, -kLabelHair).intersects(b);
}

}  // namespace plotdesk
