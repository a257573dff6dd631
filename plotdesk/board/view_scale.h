#pragma once
// The arithmetic of the board's own views beside the layout from the
// settings: zooming about a point, fitting the curves to the picture, the
// sampling of a function in such a view, and tick spacings of the 1-2-5
// series with their labels. Free of widgets.

#include "plotting/plot_rules.h"

#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>
#include <optional>

namespace plotdesk {

// A picture's user scale: the scale values at its left and top edges and
// the scale units across and down it (y grows downwards when height > 0).
struct ViewScale {
    double left = 0;
    double top = 0;
    double width = 1;
    double height = 1;
};

// The scale point at `pixel` of a picture of `pictureSize` pixels shown at `scale`.
QPointF scalePointAt(const ViewScale& scale, QPointF pixel, QSize pictureSize);

// Each zoom step magnifies by this factor (or shrinks by its inverse).
inline constexpr double kZoomStep = 1.25;

// The scale magnified by `factor` (below 1: shrunk) about scale point
// (x, y), which keeps its place on the picture.
ViewScale zoomedAbout(const ViewScale& scale, double x, double y, double factor);

// Whether a zoomed scale still shows numbers the board can label and draw:
// widths and heights between 1E-06 and 1E+12 units.
bool withinZoomLimits(const ViewScale& scale);

// The smallest box holding a curve's points, in curve values (y upwards).
struct CurveBounds {
    double minX = 0;
    double maxX = 0;
    double minY = 0;
    double maxY = 0;
};
// `bounds` grown to hold (x, y); the first point makes the box.
CurveBounds including(const std::optional<CurveBounds>& bounds, double x, double y);

// The scale that shows x from `xFrom` to `xTo` exactly across a picture of
// widthPx by heightPx pixels. Units are equal on both axes, with the x axis
// in the middle when the curves' values fit that way, or else centred on
// the values when they fit the height; otherwise y spans the values with a
// small margin. Without values the units are equal with the x axis in the
// middle.
ViewScale fittedScale(double xFrom, double xTo, const std::optional<CurveBounds>& values, double widthPx,
                      double heightPx);

// A function's sampling in a zoomed or fitted view: the range's step split
// so that samples are at most `unitsPerPixel` apart (every original sample
// stays a sample), walked only over the part of the range between
// visibleFrom and visibleTo plus one sample on either side.
struct ViewSampling {
    SamplingRange range;
    bool wholeRange = true;  // whether every part of the original range is walked
    bool split = false;      // whether the samples are closer than the range's own
};
ViewSampling samplingForView(const SamplingRange& range, double visibleFrom, double visibleTo, double unitsPerPixel);

// The smallest spacing of the series 1, 2, 5, 10, 20, 50 ... (and 0.5, 0.2,
// 0.1 ... below 1) that is at least `least`.
double niceSpacing(double least);
// The spacing after `spacing` in the series.
double nextNiceSpacing(double spacing);
// The decimals a tick label needs at `spacing`: 1 for 0.5, 2 for 0.05, 0 from 1 up.
int labelDecimals(double spacing);
// A tick label as the board prints numbers: a blank in place of the sign
// of zero and positive values, "-" for negative ones, `decimals` decimals
// (none for zero), and a trailing blank: " 2.5 ", "-0.5 ", " 0 ". From
// 1E+15 up, and for every value but 0 in `exponentForm`, the number is
// written in exponent form: " 5E+14 ", "-1.5E+15 ".
QString tickLabel(double value, int decimals, bool exponentForm = false);
// Whether the labels of an axis whose ticks reach `largest` in magnitude
// are all written in exponent form: one axis keeps one form.
bool axisNeedsExponentForm(double largest);

// The title's pointer read-out in a zoomed or fitted view, for board point
// (x, y) with pixels `unitsPerPixel` wide: "当前坐标  (0.125,-3.5)", each
// value written as a tick label with the decimals a pixel needs, without
// its blanks, y shown negated as the board shows it.
QString viewPointerReadout(double x, double y, double unitsPerPixel);

// Whether two label rectangles (pixels) cover one another: labels that only
// touch, or that rounding puts a hair into each other, do not.
bool labelsOverlap(const QRectF& a, const QRectF& b);

}  // namespace plotdesk
