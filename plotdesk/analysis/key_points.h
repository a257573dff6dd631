#pragma once
// The key points of function curves over a range: zeros (touching ones and
// ones closer together than a pixel included), local maxima and minima, the
// crossing of the y axis, and where each pair of curves meets. Every point's
// y is the evaluator's own answer at that x; x is found to adjacent doubles
// where the curve changes sign, and as far as the curve's flatness lets the
// evaluator tell at a touching zero or an extremum. Poles and jumps are
// never taken for zeros.

#include "analysis/curve_reader.h"

#include <QString>
#include <cstdint>
#include <string>
#include <vector>

namespace plotdesk::analysis {

// In the order the points are listed.
enum class KeyPointKind { Zero, Maximum, Minimum, Intersection, YIntercept };

// 零点, 极大值, 极小值, 交点, 纵截距.
QString kindName(KeyPointKind kind);

struct KeyPoint {
    KeyPointKind kind;
    int curve;            // index into the curves searched
    int otherCurve = -1;  // the second curve of an intersection
    double x;
    std::string xText;      // as the evaluator writes numbers
    std::string yText;      // the evaluator's answer at x (on `curve`)
    std::string exactForm;  // "π/4" when the evaluator confirms it, else empty
};

// Where a curve changes sign without passing through zero.
struct CurveBreak {
    int curve;
    int otherCurve;  // -1 for one curve alone
    double x;
    bool pole;  // the values grow or fail towards it; otherwise a jump
};

// A part of the range the search gave up on, its budget spent.
struct UnsearchedPart {
    int curve;
    int otherCurve;  // -1 for one curve alone
    double from;
    double to;
};

struct KeyPointReport {
    std::vector<KeyPoint> points;  // by kind, then x
    std::vector<CurveBreak> breaks;
    std::vector<UnsearchedPart> unsearched;
    std::vector<int> curvesWithoutPoints;  // no number anywhere in the scan
};

// The evaluator's answers one curve's search may ask for, at most.
inline constexpr int64_t kEvaluationBudget = 300'000;

// Searches [from, to] (from < to). The scan takes evenly spaced samples and,
// when given, the plot's own samples, so nothing the plot shows is missed.
KeyPointReport findKeyPoints(const std::vector<QString>& functions, const Evaluator& evaluator, double from, double to,
                             const SamplingRange* plotWalk = nullptr);

}  // namespace plotdesk::analysis
