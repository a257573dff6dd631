#include "analysis/key_points.h"

#include "analysis/exact_form.h"
#include "analysis/feature_search.h"
#include "calculator/number_text.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <tuple>

namespace plotdesk::analysis {
namespace {

// Evenly spaced scan intervals over the range: four or more samples to each
// pixel of a wide board, so zeros a pixel apart fall into different intervals
// and closer ones show as a dip that the refinement opens.
constexpr int kScanIntervals = 4096;
// The plot's own samples join the scan when there are at most this many.
constexpr double kMostPlotSamples = 50'000;
// How far, relative to x, a confirmed exact form may lie from a point found
// by a sign change, and from a flat point (touching zero, extremum).
constexpr double kSharpWindow = 1e-13;
constexpr double kFlatWindow = 1e-8;
// The share of a curve's budget the scan and the search may spend; the rest
// answers for the points found and confirms their exact forms.
constexpr int64_t kSearchBudget = kEvaluationBudget * 8 / 10;

std::vector<double> scanPoints(double from, double to, const SamplingRange* plotWalk) {
    std::vector<double> xs;
    xs.reserve(kScanIntervals + 1);
    // Weighted so that a range wider than the largest double still gives
    // finite samples.
    for (int k = 0; k <= kScanIntervals; ++k) {
        const double share = static_cast<double>(k) / kScanIntervals;
        xs.push_back(from * (1 - share) + to * share);
    }
    xs.back() = to;
    if (plotWalk && plotWalk->expectedSamples() <= kMostPlotSamples)
        plotWalk->forEachValue([&](double v) {
            if (v >= from && v <= to) xs.push_back(v);
        });
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    return xs;
}

std::vector<double> exactValuesNear(double x, double window) {
    std::vector<double> values;
    for (const ExactForm& form : exactFormsNear(x, window)) values.push_back(form.value);
    return values;
}

// The first exact form near x at which every one of `readers` answers as it
// does at x itself.
std::string confirmedExactForm(double x, bool flat, const std::vector<CurveReader*>& readers) {
    const double window = (flat ? kFlatWindow : kSharpWindow) * std::fabs(x);
    for (const ExactForm& form : exactFormsNear(x, window)) {
        const bool same = std::all_of(readers.begin(), readers.end(), [&](CurveReader* reader) {
            return reader->answerAtText(form.evaluatorText) == reader->answerAt(x);
        });
        if (same) return form.shown;
    }
    return {};
}

struct Curve {
    std::unique_ptr<CurveReader> reader;
    std::vector<ScanSample> scan;
};

class KeyPointFinder {
public:
    KeyPointFinder(const std::vector<QString>& functions, const Evaluator& evaluator, double from, double to,
                   const SamplingRange* plotWalk);
    KeyPointReport run();

private:
    void searchCurve(int i);
    void searchPair(int i, int j);
    void addPoint(KeyPointKind kind, int curve, int other, double x, bool flat);
    void addOther(const FeatureSearchResult& found, int curve, int other);

    std::vector<Curve> curves_;
    double from_;
    double to_;
    KeyPointReport report_;
};

KeyPointFinder::KeyPointFinder(const std::vector<QString>& functions, const Evaluator& evaluator, double from,
                               double to, const SamplingRange* plotWalk)
    : from_(from), to_(to) {
    const std::vector<double> xs = scanPoints(from, to, plotWalk);
    for (const QString& function : functions) {
        Curve curve{std::make_unique<CurveReader>(function, evaluator), {}};
        curve.scan.reserve(xs.size());
        for (double x : xs) curve.scan.push_back({x, curve.reader->valueAt(x)});
        curves_.push_back(std::move(curve));
    }
}

void KeyPointFinder::addPoint(KeyPointKind kind, int curve, int other, double x, bool flat) {
    CurveReader& reader = *curves_[curve].reader;
    KeyPoint point{kind, curve, other, x, evaluatorText(x), reader.answerAt(x), {}};
    std::vector<CurveReader*> readers{&reader};
    if (other >= 0) readers.push_back(curves_[other].reader.get());
    point.exactForm = confirmedExactForm(x, flat, readers);
    report_.points.push_back(std::move(point));
}

void KeyPointFinder::addOther(const FeatureSearchResult& found, int curve, int other) {
    for (const Feature& f : found.features)
        if (f.kind == FeatureKind::Pole || f.kind == FeatureKind::Jump)
            report_.breaks.push_back({curve, other, f.x, f.kind == FeatureKind::Pole});
    for (const Unsearched& part : found.unsearched) report_.unsearched.push_back({curve, other, part.from, part.to});
}

void KeyPointFinder::searchCurve(int i) {
    Curve& curve = curves_[i];
    if (std::none_of(curve.scan.begin(), curve.scan.end(), [](const ScanSample& s) { return s.y.has_value(); })) {
        report_.curvesWithoutPoints.push_back(i);
        return;
    }
    CurveReader& reader = *curve.reader;
    const FeatureSearchLimits limits{true, kSearchBudget - reader.evaluations(), exactValuesNear};
    const FeatureSearchResult found =
        searchFeatures([&reader](double x) { return reader.valueAt(x); }, curve.scan, limits);
    for (const Feature& f : found.features) {
        switch (f.kind) {
            case FeatureKind::Zero: addPoint(KeyPointKind::Zero, i, -1, f.x, f.flat); break;
            case FeatureKind::Maximum: addPoint(KeyPointKind::Maximum, i, -1, f.x, true); break;
            case FeatureKind::Minimum: addPoint(KeyPointKind::Minimum, i, -1, f.x, true); break;
            case FeatureKind::Pole:
            case FeatureKind::Jump: break;
        }
    }
    addOther(found, i, -1);
    if (from_ <= 0 && 0 <= to_ && ombra::number_text::readDouble(reader.answerAt(0)))
        addPoint(KeyPointKind::YIntercept, i, -1, 0, false);
}

void KeyPointFinder::searchPair(int i, int j) {
    CurveReader& first = *curves_[i].reader;
    CurveReader& second = *curves_[j].reader;
    std::vector<ScanSample> difference;
    difference.reserve(curves_[i].scan.size());
    for (size_t k = 0; k < curves_[i].scan.size(); ++k) {
        const Value a = curves_[i].scan[k].y;
        const Value b = curves_[j].scan[k].y;
        difference.push_back({curves_[i].scan[k].x, a && b ? Value(*a - *b) : std::nullopt});
    }
    const auto probe = [&first, &second](double x) -> Value {
        const Value a = first.valueAt(x);
        if (!a) return std::nullopt;
        const Value b = second.valueAt(x);
        if (!b) return std::nullopt;
        return *a - *b;
    };
    // Each reading of the difference asks both curves.
    const FeatureSearchLimits limits{false, kSearchBudget / 2, exactValuesNear};
    const FeatureSearchResult found = searchFeatures(probe, difference, limits);
    for (const Feature& f : found.features)
        if (f.kind == FeatureKind::Zero) addPoint(KeyPointKind::Intersection, i, j, f.x, f.flat);
    addOther(found, i, j);
}

KeyPointReport KeyPointFinder::run() {
    const int n = static_cast<int>(curves_.size());
    for (int i = 0; i < n; ++i) searchCurve(i);
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j) searchPair(i, j);
    auto order = [](const KeyPoint& p) { return std::tuple(p.kind, p.x, p.curve, p.otherCurve); };
    std::sort(report_.points.begin(), report_.points.end(),
              [&](const KeyPoint& a, const KeyPoint& b) { return order(a) < order(b); });
    // A point found twice (by a sign change and by a dip, say) is listed once.
    auto same = [](const KeyPoint& a, const KeyPoint& b) {
        return a.kind == b.kind && a.curve == b.curve && a.otherCurve == b.otherCurve && a.xText == b.xText;
    };
    report_.points.erase(std::unique(report_.points.begin(), report_.points.end(), same), report_.points.end());
    return std::move(report_);
}

}  // namespace

QString kindName(KeyPointKind kind) {
    switch (kind) {
        case KeyPointKind::Zero: return QStringLiteral("零点");
        case KeyPointKind::Maximum: return QStringLiteral("极大值");
        case KeyPointKind::Minimum: return QStringLiteral("极小值");
        case KeyPointKind::Intersection: return QStringLiteral("交点");
        case KeyPointKind::YIntercept: return QStringLiteral("纵截距");
    }
    return {};
}

KeyPointReport findKeyPoints(const std::vector<QString>& functions, const Evaluator& evaluator, double from, double to,
                             const SamplingRange* plotWalk) {
    return KeyPointFinder(functions, evaluator, from, to, plotWalk).run();
}

}  // namespace plotdesk::analysis
