// The plot: walks the plotting variable over the bottom bar's range, has the
// evaluator compute the expression at each sample and joins successive
// points on the board picture, then labels the curve.

#include "board/board_model.h"
#include "board/board_texts.h"
#include "board/curve_framing.h"
#include "board/error_explanation.h"
#include "board/mForm1.h"
#include "board/shell_questions.h"
#include "plotting/plot_rules.h"
#include "settings/number_text.h"
#include "settings/setting_keys.h"
#include "settings/settings_record.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <algorithm>
#include <cmath>
#include <limits>
#include <variant>

namespace plotdesk {
namespace {

// The screen catches up with a long plot at this pace; between two
// refreshes the strip and the picture only draw into their back buffers.
// The clock is read once every few samples.
constexpr qint64 kRefreshIntervalMs = 50;
constexpr int kSamplesPerClockReading = 16;

constexpr QChar kFunctionVariable = QLatin1Char('x');
constexpr QChar kParameter = QLatin1Char('t');

// In function mode the loop value is the point's x; like a result, it makes
// a point only within the single-precision range the drawing takes.
std::optional<double> loopCoordinate(double v) {
    if (std::fabs(v) > std::numeric_limits<float>::max()) return std::nullopt;
    return v;
}

// A sample's point; a coordinate is missing where the result was not a
// number, and no segment starts or ends at such a sample.
struct Point {
    std::optional<double> x;
    std::optional<double> y;
    bool complete() const { return x && y; }
};

// One curve's expressions, ready to be evaluated at one sample value after
// another. The first answer that is not a number is kept with its
// expression, to say why a curve may not show.
class CurveSampler {
public:
    CurveSampler(BoardModel& board, const CurveRequest& request)
        : board_(board),
          request_(request),
          function_(request.function, kFunctionVariable),
          xOfT_(request.xOfT, kParameter),
          yOfT_(request.yOfT, kParameter) {}

    Point at(double v) {
        const std::string_view valueText = variantText(v, valueBuffer_);
        Point point;
        if (request_.parametric) {
            point.x = coordinate(board_.calculate(xOfT_.with(valueText)), request_.xOfT);
            lastYText_ = &yOfT_.with(valueText);
            point.y = coordinate(board_.calculate(*lastYText_), request_.yOfT);
        } else {
            point.y = coordinate(board_.calculate(function_.with(valueText)), request_.function);
            point.x = loopCoordinate(v);
        }
        return point;
    }
    // The Y(t) text of the last parametric sample; nullptr for a function.
    const std::string* lastYText() const { return lastYText_; }
    const std::optional<SampleAnswer>& firstFailure() const { return firstFailure_; }

private:
    std::optional<double> coordinate(const std::string& answer, const QString& expression) {
        const std::optional<double> value = curveCoordinate(answer);
        if (!value && !firstFailure_) firstFailure_ = SampleAnswer{expression, QString::fromStdString(answer)};
        return value;
    }

    BoardModel& board_;
    const CurveRequest& request_;
    VariableTemplate function_;
    VariableTemplate xOfT_;
    VariableTemplate yOfT_;
    NumberTextBuffer valueBuffer_;
    const std::string* lastYText_ = nullptr;
    std::optional<SampleAnswer> firstFailure_;
};

// A remembered curve keeps the points of its walk up to this many samples,
// so that a new view can draw it again at its own step without the
// evaluator.
constexpr double kMostKeptSamples = 250'000;

// Where a point's coordinates are kept: NaN stands for a missing one.
QPointF keptPoint(const Point& point) {
    constexpr double missing = std::numeric_limits<double>::quiet_NaN();
    return QPointF(point.x.value_or(missing), point.y.value_or(missing));
}

// The coordinates as the picture takes them: single precision in the
// classic view, whole in a zoomed one.
double drawnCoordinate(double coordinate, bool singlePrecision) {
    return singlePrecision ? static_cast<double>(static_cast<float>(coordinate)) : coordinate;
}

// What one walk over a curve found: the outcome, and the box around the
// points it met.
struct Trace {
    PlotOutcome outcome;
    std::optional<CurveBounds> bounds;
};

// Walks `range`: progress on the strip, the expression evaluated at the
// sample, and a segment back to the previous point unless one of them is
// missing or the value jumps by a pole's height. In the classic view the
// coordinates reach the picture in single precision; a zoomed view keeps
// them whole. The screen catches up at a steady pace; no events are handled
// meanwhile.
// Every point met is added to `kept` when one is given.
Trace traceCurve(BoardModel& board, const CurveRequest& request, const SamplingRange& range, bool singlePrecision,
                 std::vector<QPointF>* kept, PlotWatcher* watcher, bool showYText) {
    CurveSampler sampler(board, request);
    Trace trace;
    toolkit::PictureCanvas& picture = board.picture();
    QElapsedTimer sinceRefresh;
    sinceRefresh.start();
    int samplesToClockReading = kSamplesPerClockReading;
    auto drawn = [singlePrecision](double coordinate) { return drawnCoordinate(coordinate, singlePrecision); };
    Point previous;
    range.forEachValue([&](double v) {
        if (watcher) watcher->sampleReached(v);
        const Point point = sampler.at(v);
        if (kept) kept->push_back(keptPoint(point));
        if (point.complete()) {
            ++trace.outcome.points;
            trace.bounds = including(trace.bounds, *point.x, *point.y);
        }
        if (point.complete() && previous.complete() && joinsPrevious(*previous.y, *point.y)) {
            picture.line(drawn(*point.x), drawn(-*point.y), drawn(*previous.x), drawn(-*previous.y), request.colour);
            ++trace.outcome.segments;
        }
        previous = point;

        if (watcher && --samplesToClockReading == 0) {
            samplesToClockReading = kSamplesPerClockReading;
            if (sinceRefresh.elapsed() >= kRefreshIntervalMs) {
                watcher->catchUp(showYText ? sampler.lastYText() : nullptr);
                sinceRefresh.restart();
            }
        }
    });
    trace.outcome.firstFailure = sampler.firstFailure();
    return trace;
}

// The segments a walk at the curve's own step draws, from the points it
// kept; with `shownX`, only those that reach into that span of x, as a
// walk over the part of a function that shows would draw them.
PlotOutcome drawKeptPoints(toolkit::PictureCanvas& picture, const CurveRequest& request,
                           const std::vector<QPointF>& points, bool singlePrecision,
                           std::optional<std::pair<double, double>> shownX) {
    PlotOutcome outcome;
    auto drawn = [singlePrecision](double coordinate) { return drawnCoordinate(coordinate, singlePrecision); };
    const QPointF* previous = nullptr;
    for (const QPointF& point : points) {
        const bool complete = !std::isnan(point.x()) && !std::isnan(point.y());
        if (!complete) {
            previous = nullptr;
            continue;
        }
        ++outcome.points;
        const bool shown = !shownX || (previous && std::max(point.x(), previous->x()) >= shownX->first &&
                                       std::min(point.x(), previous->x()) <= shownX->second);
        if (previous && shown && joinsPrevious(previous->y(), point.y())) {
            picture.line(drawn(point.x()), drawn(-point.y()), drawn(previous->x()), drawn(-previous->y()),
                         request.colour);
            ++outcome.segments;
        }
        previous = &point;
    }
    return outcome;
}

// Why a plot that drew no segment shows nothing, for the title.
// In a zoomed or fitted view a function is walked only where the picture
// shows it.
QString nothingDrawnReason(const PlotOutcome& outcome, const CurveRequest& request, bool walkedWhereShown) {
    if (outcome.firstFailure)
        return QString::fromUtf8(boardtext::kNothingDrawnAnswer)
            .arg(outcome.firstFailure->expression,
                 explainedAnswer(outcome.firstFailure->expression, outcome.firstFailure->answer));
    if (outcome.points == 0) {
        // Samples whose answers were all numbers and made no point: a walk
        // over the shown part met none of them there, or, over the whole
        // range, each x lay beyond what the picture draws.
        const bool sampled = request.range.contains(request.range.start);
        if (sampled && walkedWhereShown) return QString::fromUtf8(boardtext::kNothingDrawnOutOfView);
        if (sampled && !request.parametric) return QString::fromUtf8(boardtext::kNothingDrawnBeyondSinglePrecision);
        return QString::fromUtf8(boardtext::kNothingDrawnNoSample);
    }
    if (outcome.points == 1) return QString::fromUtf8(boardtext::kNothingDrawnOnePoint);
    return QString::fromUtf8(boardtext::kNothingDrawnJumps);
}

}  // namespace

void mForm1::Command1_Click() {
    const BoardEntry& entry = model_->entry();
    const auto reading = readSamplingRange(entry.start, entry.end, entry.step);
    if (const QString* refusal = std::get_if<QString>(&reading)) {
        setWindowTitle(*refusal);
        return;
    }
    setWindowTitle(QString::fromUtf8(boardtext::kPlottingTitle));
    CurveRequest request = model_->nextCurve(shellQuestions().selectedMainTab() != 0, std::get<SamplingRange>(reading));
    request.function = entry.function;
    request.xOfT = entry.xOfT;
    request.yOfT = entry.yOfT;
    const PlotOutcome outcome = model_->plot(request);
    if (outcome.segments == 0)
        setWindowTitle(
            nothingDrawnReason(outcome, request, model_->view() != BoardViewKind::Classic && !request.parametric));
    else if (request.parametric)
        setWindowTitle(QString::fromUtf8(boardtext::kParametricDoneTitle));
}

PlotOutcome BoardModel::plot(const CurveRequest& request) {
    PlotOutcome outcome;
    changeAsOneStep(QString::fromUtf8(boardtext::kPlotStep), [&] {
        state_.curves.push_back(BoardCurve{request, true});
        caches_.push_back(std::make_shared<CurveCache>());
        outcome = drawCurve(state_.curves.back(), *caches_.back());
        drawLegend();
    });
    return outcome;
}

// In a zoomed or fitted view a function is sampled at least once a pixel
// over the part of its range that shows; a parametric curve keeps its own
// sampling. A curve that has kept its points is drawn from them wherever
// its own step is fine enough.
PlotOutcome BoardModel::drawCurve(const BoardCurve& shown, CurveCache& curve) {
    const CurveRequest& request = shown.request;
    const bool classic = view() == BoardViewKind::Classic;
    ViewSampling sampling{request.range, true, false};
    std::optional<std::pair<double, double>> shownX;
    if (!classic && !request.parametric && pxp->width() > 0) {
        const double left = pxp->scaleLeft(), right = left + pxp->scaleWidth();
        sampling = samplingForView(request.range, left, right, std::fabs(pxp->scaleWidth()) / pxp->width());
        shownX = std::pair(std::min(left, right), std::max(left, right));
    }
    const int savedPenWidth = pxp->drawWidth();
    pxp->setDrawWidth(request.penWidth);

    PlotOutcome outcome;
    if (!curve.points.empty() && !sampling.split) {
        outcome = drawKeptPoints(*pxp, request, curve.points, classic, shownX);
    } else {
        if (watcher_) watcher_->walkStarting(sampling.range);
        const bool keep = sampling.wholeRange && !sampling.split && curve.points.empty() &&
                          request.range.expectedSamples() <= kMostKeptSamples;
        if (keep) curve.points.reserve(static_cast<size_t>(request.range.expectedSamples()) + 1);
        const Trace trace =
            traceCurve(*this, request, sampling.range, classic, keep ? &curve.points : nullptr, watcher_, !replotting_);
        // A finer walk meets values next to a pole that the curve's own
        // samples never reach; a fit must not depend on the view before it.
        if (sampling.wholeRange && !sampling.split) {
            curve.bounds = trace.bounds;
            curve.boundsKnown = true;
        }
        outcome = trace.outcome;
        if (watcher_) watcher_->walkEnded();
    }
    printCurveLabel(request);

    pxp->setDrawWidth(savedPenWidth);
    return outcome;
}

// The box around the values most of a curve takes over its whole range
// at its own step (framingBounds), from the points it kept; from its last
// drawing at its own step when that walked the whole range, else from a
// walk that only evaluates.
std::optional<CurveBounds> BoardModel::valueBounds(const CurveRequest& request, CurveCache& curve) {
    if (!curve.points.empty()) return framingBounds(curve.points);
    if (curve.boundsKnown) return curve.bounds;
    CurveSampler sampler(*this, request);
    const SamplingRange& range = request.range;
    const bool keep = curve.points.empty() && range.expectedSamples() <= kMostKeptSamples;
    std::optional<CurveBounds> bounds;
    range.forEachValue([&](double v) {
        const Point point = sampler.at(v);
        if (keep) curve.points.push_back(keptPoint(point));
        if (point.complete()) bounds = including(bounds, *point.x, *point.y);
    });
    curve.bounds = bounds;
    curve.boundsKnown = true;
    return curve.points.empty() ? bounds : framingBounds(curve.points);
}

}  // namespace plotdesk
