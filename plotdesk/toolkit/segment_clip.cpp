#include "toolkit/segment_clip.h"

#include <algorithm>
#include <cmath>

namespace plotdesk::toolkit {

std::optional<QLineF> clipSegment(const QLineF& segment, const QRectF& bounds)
{
    const double x1 = segment.x1(), y1 = segment.y1();
    const double dx = segment.x2() - x1, dy = segment.y2() - y1;
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(dx) || !std::isfinite(dy))
        return std::nullopt;

    // Liang-Barsky: narrow the parameter range [t0, t1] edge by edge.
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - bounds.left(), bounds.right() - x1, y1 - bounds.top(), bounds.bottom() - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return std::nullopt;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return std::nullopt;
    }
    return QLineF(x1 + t0 * dx, y1 + t0 * dy, x1 + t1 * dx, y1 + t1 * dy);
}

}  // namespace plotdesk::toolkit
