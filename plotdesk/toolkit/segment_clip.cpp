#include "toolkit/segment_clip.h"

#include <algorithm>
#include <cmath>

namespace plotdesk::toolkit {

std::optional<QLineF> clipSegment(const QLineF& segment, const QRectF& bounds) {
    const double x1 = segment.x1(), y1 = segment.y1();
    const double dx = segment.x2() - x1, dy = segment.y2() - y1;
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(dx) || !std::isfinite(dy)) return std::nullopt;

    // Liang-Barsky: narrow the parameter range [t0, t1] edge by edge. The
    // end that an edge cuts is put exactly on that edge, so far-away end
    // points do not smear the cut through rounding.
    const double edges[4] = {bounds.left(), bounds.right(), bounds.top(), bounds.bottom()};
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - edges[0], edges[1] - x1, y1 - edges[2], edges[3] - y1};
    double t0 = 0, t1 = 1;
    int edge0 = -1, edge1 = -1;
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return std::nullopt;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0 && t > t0) {
            t0 = t;
            edge0 = i;
        } else if (p[i] > 0 && t < t1) {
            t1 = t;
            edge1 = i;
        }
        if (t0 > t1) return std::nullopt;
    }
    QPointF from = edge0 < 0 ? segment.p1() : QPointF(x1 + t0 * dx, y1 + t0 * dy);
    QPointF to = edge1 < 0 ? segment.p2() : QPointF(x1 + t1 * dx, y1 + t1 * dy);
    if (edge0 >= 0) (edge0 < 2 ? from.rx() : from.ry()) = edges[edge0];
    if (edge1 >= 0) (edge1 < 2 ? to.rx() : to.ry()) = edges[edge1];
    return QLineF(from, to);
}

}  // namespace plotdesk::toolkit
