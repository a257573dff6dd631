#include "analysis/feature_search.h"

#include "analysis/double_steps.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace plotdesk::analysis {
namespace {

// Beside a zero the curve's value must have shrunk to this share of its
// value this many doubles further out. A continuous curve shrinks it a
// thousandfold there; a jump keeps it, a pole makes it grow.
constexpr double kShrunkShare = 0.05;
constexpr int64_t kFurtherOut = int64_t{1} << 16;
// A value this small beside a zero, relative to the scan's values around
// it, counts as shrunk whatever lies further out: the evaluator's last
// digits around a touching zero (x^2-2*x+1 near 1), an underflow (x^2 near
// 0). A jump keeps the size of the values around it.
constexpr double kNegligibleShare = 1e-6;
// At the ends of an extremum's run of equal values, the value may step by
// at most this share of the fall to the scan's neighbours: more is a jump.
constexpr double kStepShare = 1e-3;
// Probe calls one refinement may need at most: a golden-section search over
// 64-bit steps (about 92), two run ends (64 each), two sign changes (64 each),
// exact candidates.
constexpr int64_t kRefinementCost = 500;
// The golden section's share of an interval.
constexpr long double kGoldenShare = 0.381966011250105151795L;
// A flat point's exact value may lie this far off, relative to its size.
constexpr double kFlatWindow = 1e-8;

int signOf(double v) { return (v > 0) - (v < 0); }

class Search {
public:
    Search(const Probe& probe, const std::vector<ScanSample>& scan, const FeatureSearchLimits& limits)
        : probe_(probe), scan_(scan), limits_(limits) {}

    FeatureSearchResult run();

private:
    // The end of a run of doubles that share a property: `inside` has it,
    // `outside` next to it does not.
    struct RunEnd {
        double inside;
        double outside;
        Value outsideValue;
    };

    Value at(double x) {
        ++spent_;
        return probe_(x);
    }
    bool affordable(double from, double to);
    void add(FeatureKind kind, double x, bool flat = false) { result_.features.push_back({kind, x, flat}); }

    template <class Has>
    RunEnd runEnd(double inside, double outside, Value outsideValue, Has has);
    bool shrinksTowards(double inside, double outside, Value outsideValue, double scale);
    bool shrinksTowards(const RunEnd& end, double scale) {
        return shrinksTowards(end.inside, end.outside, end.outsideValue, scale);
    }
    void signChange(double a, double fa, double b, double fb);
    void zeroBetween(double lo, double flo, double zero, double hi, double fhi);
    void zeroSample(size_t i);
    void domainEdge(size_t defined, size_t undefined);
    void extremum(size_t left, size_t right, int sense);
    void zeroNear(size_t left, size_t right, double x, double fx, double window, int side);
    double middleOfZeroRun(double from, double to);

    const Probe& probe_;
    const std::vector<ScanSample>& scan_;
    const FeatureSearchLimits& limits_;
    int64_t spent_ = 0;
    FeatureSearchResult result_;
};

bool Search::affordable(double from, double to) {
    if (spent_ + kRefinementCost <= limits_.probeBudget) return true;
    if (!result_.unsearched.empty() && result_.unsearched.back().to >= from)
        result_.unsearched.back().to = std::max(result_.unsearched.back().to, to);
    else
        result_.unsearched.push_back({from, to});
    return false;
}

template <class Has>
Search::RunEnd Search::runEnd(double inside, double outside, Value outsideValue, Has has) {
    int64_t in = doubleStep(inside);
    int64_t out = doubleStep(outside);
    for (;;) {
        const int64_t middle = std::midpoint(in, out);
        if (middle == in || middle == out) break;
        const Value v = at(doubleAtStep(middle));
        if (has(v)) {
            in = middle;
        } else {
            out = middle;
            outsideValue = v;
        }
    }
    return {doubleAtStep(in), doubleAtStep(out), outsideValue};
}

bool Search::shrinksTowards(double inside, double outside, Value outsideValue, double scale) {
    if (!outsideValue) return false;
    // Beside a wide run of zeros (x^2 near 0 underflows) the value is already
    // far below anything the scan saw.
    if (std::fabs(*outsideValue) <= kNegligibleShare * scale) return true;
    const int64_t step = doubleStep(outside);
    const int64_t further = doubleStep(outside) > doubleStep(inside) ? step + kFurtherOut : step - kFurtherOut;
    const Value furtherValue = at(doubleAtStep(further));
    return furtherValue && std::fabs(*outsideValue) <= kShrunkShare * std::fabs(*furtherValue);
}

double Search::middleOfZeroRun(double from, double to) {
    const double middle = from + (to - from) / 2;
    const Value v = at(middle);
    return v && *v == 0 ? middle : from;
}

// fa and fb have opposite signs, neither 0.
void Search::signChange(double a, double fa, double b, double fb) {
    int64_t lo = doubleStep(a);
    int64_t hi = doubleStep(b);
    double flo = fa;
    double fhi = fb;
    for (;;) {
        const int64_t middle = std::midpoint(lo, hi);
        if (middle == lo || middle == hi) break;
        const double x = doubleAtStep(middle);
        const Value v = at(x);
        if (!v) return add(FeatureKind::Pole, x);
        if (*v == 0) return zeroBetween(doubleAtStep(lo), flo, x, doubleAtStep(hi), fhi);
        if (signOf(*v) == signOf(flo)) {
            lo = middle;
            flo = *v;
        } else {
            hi = middle;
            fhi = *v;
        }
    }
    const double xlo = doubleAtStep(lo);
    const double xhi = doubleAtStep(hi);
    const double scale = std::max(std::fabs(fa), std::fabs(fb));
    if (shrinksTowards(xhi, xlo, flo, scale) && shrinksTowards(xlo, xhi, fhi, scale))
        return add(FeatureKind::Zero, std::fabs(flo) <= std::fabs(fhi) ? xlo : xhi);
    const bool grown = std::max(std::fabs(flo), std::fabs(fhi)) > std::max(std::fabs(fa), std::fabs(fb));
    add(grown ? FeatureKind::Pole : FeatureKind::Jump, xlo);
}

// A value of exactly 0 at `zero` between two values of opposite signs.
void Search::zeroBetween(double lo, double flo, double zero, double hi, double fhi) {
    const auto isZero = [](Value v) { return v && *v == 0; };
    const RunEnd left = runEnd(zero, lo, flo, isZero);
    const RunEnd right = runEnd(zero, hi, fhi, isZero);
    const double scale = std::max(std::fabs(flo), std::fabs(fhi));
    if (!shrinksTowards(left, scale)) return add(FeatureKind::Jump, left.inside);
    if (!shrinksTowards(right, scale)) return add(FeatureKind::Jump, right.inside);
    add(FeatureKind::Zero, middleOfZeroRun(left.inside, right.inside));
}

// A lone scan sample whose value is exactly 0.
void Search::zeroSample(size_t i) {
    const auto isZero = [](Value v) { return v && *v == 0; };
    double from = scan_[i].x;
    double to = scan_[i].x;
    bool sided = false;
    if (i > 0 && scan_[i - 1].y) {
        const RunEnd left = runEnd(scan_[i].x, scan_[i - 1].x, scan_[i - 1].y, isZero);
        if (!shrinksTowards(left, std::fabs(*scan_[i - 1].y))) return add(FeatureKind::Jump, left.inside);
        from = left.inside;
        sided = true;
    }
    if (i + 1 < scan_.size() && scan_[i + 1].y) {
        const RunEnd right = runEnd(scan_[i].x, scan_[i + 1].x, scan_[i + 1].y, isZero);
        if (!shrinksTowards(right, std::fabs(*scan_[i + 1].y))) return add(FeatureKind::Jump, right.inside);
        to = right.inside;
        sided = true;
    }
    if (sided) add(FeatureKind::Zero, middleOfZeroRun(from, to));
}

// The scan's samples left+1 .. right-1 hold one value, above both
// neighbours (sense +1) or below both (sense -1).
void Search::extremum(size_t left, size_t right, int sense) {
    const double xl = scan_[left].x;
    const double xr = scan_[right].x;
    const double yl = *scan_[left].y;
    const double yr = *scan_[right].y;
    const double runValue = *scan_[left + 1].y;
    // Golden-section search for the largest sense * value over the steps
    // between the neighbours; a point without a value counts as the worst.
    const auto height = [&](int64_t step, double& value) {
        const Value v = at(doubleAtStep(step));
        value = v ? *v : std::numeric_limits<double>::quiet_NaN();
        return v ? sense * *v : -std::numeric_limits<double>::infinity();
    };
    const auto golden = [](int64_t lo, int64_t hi) {
        return static_cast<int64_t>(static_cast<long double>(static_cast<__int128>(hi) - lo) * kGoldenShare);
    };
    int64_t lo = doubleStep(xl);
    int64_t hi = doubleStep(xr);
    int64_t c = lo + golden(lo, hi);
    int64_t d = hi - golden(lo, hi);
    double vc = 0;
    double vd = 0;
    double hc = height(c, vc);
    double hd = height(d, vd);
    while (static_cast<__int128>(hi) - lo > 3 && c < d) {
        if (hc >= hd) {
            hi = d;
            d = c;
            hd = hc;
            vd = vc;
            c = lo + golden(lo, hi);
            if (c >= d) c = d - 1;
            hc = height(c, vc);
        } else {
            lo = c;
            c = d;
            hc = hd;
            vc = vd;
            d = hi - golden(lo, hi);
            if (d <= c) d = c + 1;
            hd = height(d, vd);
        }
    }
    double best = hc >= hd ? doubleAtStep(c) : doubleAtStep(d);
    double bestValue = hc >= hd ? vc : vd;
    double bestHeight = std::max(hc, hd);
    for (int64_t s = lo; s <= hi; ++s) {
        if (s == c || s == d) continue;
        double v = 0;
        const double h = height(s, v);
        if (h > bestHeight) {
            bestHeight = h;
            best = doubleAtStep(s);
            bestValue = v;
        }
    }
    if (sense * runValue > bestHeight) {
        best = scan_[left + 1].x;
        bestValue = runValue;
    }

    // The run of doubles that share the best value, and whether the value
    // steps off it smoothly at both ends.
    const auto hasBest = [bestValue](Value v) { return v && *v == bestValue; };
    const RunEnd leftEnd = runEnd(best, xl, yl, hasBest);
    const RunEnd rightEnd = runEnd(best, xr, yr, hasBest);
    if (!leftEnd.outsideValue || !rightEnd.outsideValue) return;
    const double step =
        std::max(std::fabs(*leftEnd.outsideValue - bestValue), std::fabs(*rightEnd.outsideValue - bestValue));
    const double fall = std::min(std::fabs(yl - bestValue), std::fabs(yr - bestValue));
    if (!(step <= kStepShare * fall)) return;
    const double middle = leftEnd.inside + (rightEnd.inside - leftEnd.inside) / 2;
    const Value middleValue = at(middle);
    const double x = middleValue && *middleValue == bestValue ? middle : best;
    // The scan's neighbours may lie across a pole (1/x beside 0): the curve
    // must really rise from each neighbour towards the point.
    for (const double between : {xl + (x - xl) / 2, x + (xr - x) / 2}) {
        const Value v = at(between);
        if (!v || sense * *v > sense * bestValue) return;
    }

    if (limits_.extrema) add(sense > 0 ? FeatureKind::Maximum : FeatureKind::Minimum, x, true);
    // A minimum between values above the axis (or a maximum between values
    // below it) may reach the axis or cross it.
    const int side = signOf(yl) == signOf(yr) ? signOf(yl) : 0;
    if (side != -sense) return;
    if (bestValue == 0) {
        // A lone sample of 0 is the zero; its own search has placed it.
        if (runValue != 0) add(FeatureKind::Zero, x, true);
        return;
    }
    const double window = std::max(
        {kFlatWindow * std::fabs(x), rightEnd.inside - leftEnd.inside, std::numeric_limits<double>::denorm_min()});
    zeroNear(left, right, x, bestValue, window, side);
}

// A minimum above the axis (side +1) or a maximum below it (side -1) at x:
// the curve may cross twice close by, or touch the axis at a short value.
void Search::zeroNear(size_t left, size_t right, double x, double fx, double window, int side) {
    // Two crossings, each halved. Where neither proves to be a zero, the
    // values change sign only in the evaluator's last digits around a curve
    // that touches the axis (x^2-2*x+1 near 1): that is one touching zero.
    const auto crossTwice = [&](double at, double value) {
        const size_t before = result_.features.size();
        signChange(scan_[left].x, *scan_[left].y, at, value);
        signChange(at, value, scan_[right].x, *scan_[right].y);
        const auto added = result_.features.begin() + static_cast<std::ptrdiff_t>(before);
        if (std::none_of(added, result_.features.end(), [](const Feature& f) { return f.kind == FeatureKind::Zero; })) {
            result_.features.erase(added, result_.features.end());
            add(FeatureKind::Zero, at, true);
        }
    };
    if (signOf(fx) == -side) return crossTwice(x, fx);
    std::vector<double> tries;
    for (int digits = 1; digits <= 15; ++digits) {
        if (x == 0) break;
        const double scale = std::pow(10.0, digits - 1 - static_cast<int>(std::floor(std::log10(std::fabs(x)))));
        const double rounded = std::round(x * scale) / scale;
        if (std::isfinite(rounded)) tries.push_back(rounded);
    }
    if (limits_.candidates)
        for (double exact : limits_.candidates(x, window)) tries.push_back(exact);
    std::sort(tries.begin(), tries.end());
    tries.erase(std::unique(tries.begin(), tries.end()), tries.end());
    for (double t : tries) {
        if (!(std::fabs(t - x) <= window) || t <= scan_[left].x || t >= scan_[right].x) continue;
        const Value v = at(t);
        if (!v) continue;
        if (*v == 0) return add(FeatureKind::Zero, t, true);
        if (signOf(*v) == -side) return crossTwice(t, *v);
    }
}

// Where the curve begins or ends inside the range (SQR(x) at 0): a zero
// when the first value of the curve is exactly 0.
void Search::domainEdge(size_t defined, size_t undefined) {
    const RunEnd end =
        runEnd(scan_[defined].x, scan_[undefined].x, std::nullopt, [](Value v) { return v.has_value(); });
    const Value v = at(end.inside);
    if (v && *v == 0) add(FeatureKind::Zero, end.inside);
}

FeatureSearchResult Search::run() {
    const size_t n = scan_.size();
    for (size_t i = 0; i + 1 < n; ++i) {
        if (scan_[i].y.has_value() == scan_[i + 1].y.has_value()) continue;
        if (!affordable(scan_[i].x, scan_[i + 1].x)) continue;
        scan_[i].y ? domainEdge(i, i + 1) : domainEdge(i + 1, i);
    }
    for (size_t i = 0; i + 1 < n; ++i) {
        const Value a = scan_[i].y;
        const Value b = scan_[i + 1].y;
        if (a && b && signOf(*a) * signOf(*b) < 0 && affordable(scan_[i].x, scan_[i + 1].x))
            signChange(scan_[i].x, *a, scan_[i + 1].x, *b);
    }
    for (size_t i = 0; i < n;) {
        size_t j = i;
        while (j + 1 < n && scan_[j + 1].y && scan_[i].y && *scan_[j + 1].y == *scan_[i].y) ++j;
        const bool zero = scan_[i].y && *scan_[i].y == 0;
        const size_t from = i > 0 ? i - 1 : i;
        const size_t to = j + 1 < n ? j + 1 : j;
        if (zero && i == j && affordable(scan_[from].x, scan_[to].x)) zeroSample(i);
        // Runs of one or two equal samples with a neighbour on each side;
        // longer runs are flat stretches, not extrema.
        if (scan_[i].y && i > 0 && j + 1 < n && j - i < 2 && scan_[i - 1].y && scan_[j + 1].y) {
            const double y = *scan_[i].y;
            const double yl = *scan_[i - 1].y;
            const double yr = *scan_[j + 1].y;
            const int sense = yl < y && yr < y ? 1 : (yl > y && yr > y ? -1 : 0);
            const bool wanted = limits_.extrema || signOf(y) == -sense;
            if (sense != 0 && wanted && affordable(scan_[i - 1].x, scan_[j + 1].x)) extremum(i - 1, j + 1, sense);
        }
        i = j + 1;
    }
    return std::move(result_);
}

}  // namespace

FeatureSearchResult searchFeatures(const Probe& probe, const std::vector<ScanSample>& scan,
                                   const FeatureSearchLimits& limits) {
    return Search(probe, scan, limits).run();
}

}  // namespace plotdesk::analysis
