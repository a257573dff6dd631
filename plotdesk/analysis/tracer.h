#pragma once
// Tracing function curves: the curve nearest to a point within a reach, the
// curve's value at an x, both as the evaluator answers.

#include "analysis/curve_reader.h"

#include <QString>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace plotdesk::analysis {

struct TracePoint {
    int curve;
    double x;
    double y;
    std::string xText;  // as the evaluator writes numbers
    std::string yText;  // the evaluator's answer
};

class Tracer {
public:
    Tracer(const std::vector<QString>& functions, const Evaluator& evaluator);

    int curveCount() const { return static_cast<int>(readers_.size()); }
    // The curve's point at x; nullopt where it has none.
    std::optional<TracePoint> at(int curve, double x);
    // The curve whose value at x lies nearest to y, no further than `reach`
    // (in y units), preferring `preferred` on a tie.
    std::optional<TracePoint> nearest(double x, double y, double reach, int preferred = -1);

private:
    std::vector<std::unique_ptr<CurveReader>> readers_;
};

}  // namespace plotdesk::analysis
