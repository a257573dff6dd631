#include "analysis/tracer.h"

#include <cmath>

namespace plotdesk::analysis {

Tracer::Tracer(const std::vector<QString>& functions, const Evaluator& evaluator) {
    for (const QString& function : functions) readers_.push_back(std::make_unique<CurveReader>(function, evaluator));
}

std::optional<TracePoint> Tracer::at(int curve, double x) {
    if (curve < 0 || curve >= curveCount()) return std::nullopt;
    std::string answer = readers_[static_cast<size_t>(curve)]->answerAt(x);
    const std::optional<double> y = curveCoordinate(answer);
    if (!y) return std::nullopt;
    return TracePoint{curve, x, *y, evaluatorText(x), std::move(answer)};
}

std::optional<TracePoint> Tracer::nearest(double x, double y, double reach, int preferred) {
    std::optional<TracePoint> best;
    double bestDistance = reach;
    for (int curve = 0; curve < curveCount(); ++curve) {
        std::optional<TracePoint> point = at(curve, x);
        if (!point) continue;
        const double distance = std::fabs(point->y - y);
        if (distance < bestDistance || (distance == bestDistance && (curve == preferred || !best))) {
            bestDistance = distance;
            best = std::move(point);
        }
    }
    return best;
}

}  // namespace plotdesk::analysis
