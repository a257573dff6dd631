#pragma once
// How a fit frames curves: the box around the values most of a curve takes,
// so that a pole does not decide the range, and a frame with equal units
// around a box, so that a circle stays round in any picture shape. Free of
// widgets.

#include "board/view_scale.h"

#include <QPointF>
#include <optional>
#include <vector>

namespace plotdesk {

// The box around the points of a walk at a curve's own step (NaN for a
// missing coordinate), leaving out the extreme values that lead into a
// pole. A value is extreme beyond three interquartile ranges outside the
// middle half of the values; a run of neighbouring extreme values is left
// out when it borders a gap of the curve (a missing point or a jump the
// drawing leaves open) or turns from one extreme to the opposite one, as
// a pole crossed between two samples does. Extreme values elsewhere (the
// ends of x^3, the top of a narrow peak) stay. When nothing would be left,
// the box around all the points.
std::optional<CurveBounds> framingBounds(const std::vector<QPointF>& points);

// The scale that shows `box` whole, centred, with equal units on both axes
// and a margin on every side, across a picture of widthPx by heightPx
// pixels (y upwards as the board shows it).
ViewScale equalUnitsFrame(const CurveBounds& box, double widthPx, double heightPx);

}  // namespace plotdesk
