#pragma once
// Small pieces of board arithmetic that the window's handlers share: where
// the picture goes to centre its origin, the position markers of the scroll
// strips, the coordinate read-out in the title, the axis labels and the
// axes' colour.

#include <QString>
#include <cstdint>

namespace plotdesk {

// One edge of the picture when its origin is centred in the viewport:
// scaleStart / scaleExtent * pictureSize + viewportSize / 2, all sizes in
// twips, worked in single precision as the picture stores them.
double centredEdge(double scaleStart, double scaleExtent, double pictureSize, double viewportSize);

// Corners of a rectangle outline in a strip's own units.
struct MarkerBox {
    double x1, y1, x2, y2;
};
// The marker of the vertical strip at position p, and of the horizontal one.
MarkerBox verticalMarker(double p);
MarkerBox horizontalMarker(double p);

// "当前坐标  (12,41)" for the pointer at board point (12.7, -40.2): both
// values floored, y shown negated as the board shows it.
QString pointerReadout(double x, double y);

// A tick label as numbers are printed on the board: a blank in place of the
// sign of zero and positive values, and a trailing blank (" 100 ", "-100 ").
QString axisLabel(int64_t value);

// The palette entry the axes are drawn in, in every view: bright red.
inline constexpr int kAxisPaletteIndex = 12;

}  // namespace plotdesk
