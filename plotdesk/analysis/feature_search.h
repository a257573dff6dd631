#pragma once
// Finds where a function read through the evaluator is zero, and its local
// maxima and minima, from a dense scan refined to adjacent doubles.
//
// - A sign change between scan samples is halved down to adjacent doubles.
//   It is a zero only when the values on both sides shrink as the interval
//   does; a value that keeps its size is a jump (INT, SGN), one that grows or
//   fails is a pole (1/x, tan). Those are reported as breaks, never as zeros.
// - A scan sample whose value is exactly 0 is a zero when the values beside
//   it shrink towards it; the zero is the middle of the run of doubles whose
//   value is 0.
// - A local maximum or minimum of the scan is refined by golden-section
//   search over the doubles between its neighbours, then the run of doubles
//   sharing the best value is measured and its middle taken. It counts only
//   when the value does not jump at that run's ends.
// - A minimum above the axis (or a maximum below it) may hide a touching
//   zero, as (x-1)^2 does, or two zeros closer than the scan, as
//   x^2-0.000001 does: where the refined value reaches 0 that is the
//   touching zero; where it crosses, both crossings are halved as above;
//   otherwise short roundings of the point and simple exact values near it
//   are tried, and only an answer of exactly 0 makes a zero.

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace plotdesk::analysis {

using Value = std::optional<double>;

struct ScanSample {
    double x;
    Value y;
};

enum class FeatureKind { Zero, Maximum, Minimum, Pole, Jump };

struct Feature {
    FeatureKind kind;
    double x;
    // Which of the short exact values to try beside x: a point found by a
    // sign change is known to the last digit, the others only as far as the
    // flatness of the curve lets the evaluator tell.
    bool flat = false;
};

// A stretch of the scan the search did not finish because its budget ran out.
struct Unsearched {
    double from;
    double to;
};

struct FeatureSearchResult {
    std::vector<Feature> features;
    std::vector<Unsearched> unsearched;
};

// The function being searched: its value at x, nullopt where it makes no
// point. Each call is one reading (or two, for the difference of two curves).
using Probe = std::function<Value(double x)>;

struct FeatureSearchLimits {
    bool extrema = true;      // report maxima and minima too
    int64_t probeBudget = 0;  // probe calls the refinement may spend
    // Exact-value candidates for a flat point near x within `window`.
    std::function<std::vector<double>(double x, double window)> candidates;
};

// `scan` is sorted by x. Features come in no particular order.
FeatureSearchResult searchFeatures(const Probe& probe, const std::vector<ScanSample>& scan,
                                   const FeatureSearchLimits& limits);

}  // namespace plotdesk::analysis
