#pragma once
// Cuts a segment down to the part inside a rectangle, so that segments with
// far-away end points can be handed to the rasteriser safely.

#include <QLineF>
#include <QRectF>
#include <optional>

namespace plotdesk::toolkit {

// The part of `segment` inside `bounds` (edges included), or nullopt when
// nothing of it is inside or an end point is not finite.
std::optional<QLineF> clipSegment(const QLineF& segment, const QRectF& bounds);

}  // namespace plotdesk::toolkit
