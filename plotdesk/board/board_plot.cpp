// The plot: walks the plotting variable over the bottom bar's range, has the
// evaluator compute the expression at each sample and joins successive
// points on the board picture, then labels the curve.

#include "board/board_texts.h"
#include "board/mForm1.h"
#include "board/plot_rules.h"
#include "board/shell_questions.h"
#include "settings/number_text.h"
#include "settings/setting_keys.h"
#include "settings/settings_record.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
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

// The progress strip's scale: its vertical range, and the line drawn for a
// sample, which spans the strip's whole height.
constexpr double kProgressScaleTop = 200;
constexpr double kProgressScaleHeight = -100;
constexpr double kProgressLineTop = 0;
constexpr double kProgressLineBottom = 400;

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

// The progress strip gets a line for a sample only when the sample reaches
// a new half device pixel of the strip: a long plot has many samples to a
// pixel, and further lines there would cover the same pixels again.
class ProgressLines {
public:
    explicit ProgressLines(toolkit::PictureArea* strip) : strip_(strip), halfPixels_(2 * strip->devicePixelRatioF()) {}
    void reach(double v) {
        const double place = std::floor(strip_->toPixels(v, 0).x() * halfPixels_);
        if (drawn_ && place == lastPlace_) return;
        strip_->line(v, kProgressLineTop, v, kProgressLineBottom);
        lastPlace_ = place;
        drawn_ = true;
    }

private:
    toolkit::PictureArea* strip_;
    double halfPixels_;
    double lastPlace_ = 0;
    bool drawn_ = false;
};

// Walks the range: progress on the strip, the expression evaluated at the
// sample, and a segment back to the previous point unless one of them is
// missing or the value jumps by a pole's height. The screen catches up at a
// steady pace; no events are handled meanwhile.
PlotOutcome traceCurve(mForm1& board, const CurveRequest& request) {
    VariableTemplate function(request.function, kFunctionVariable);
    VariableTemplate xOfT(request.xOfT, kParameter);
    VariableTemplate yOfT(request.yOfT, kParameter);
    const SamplingRange& range = request.range;
    PlotOutcome outcome;
    // The coordinate an answer gives; the first answer that gives none is
    // kept with its expression, to say why a curve may not show.
    auto coordinate = [&outcome](const std::string& answer, const QString& expression) {
        const std::optional<double> value = curveCoordinate(answer);
        if (!value && !outcome.firstFailure)
            outcome.firstFailure = SampleAnswer{expression, QString::fromStdString(answer)};
        return value;
    };
    ProgressLines progress(board.进度条);
    QElapsedTimer sinceRefresh;
    sinceRefresh.start();
    int samplesToClockReading = kSamplesPerClockReading;
    NumberTextBuffer valueBuffer;
    Point previous;
    for (double v = range.start; range.contains(v);) {
        progress.reach(v);

        const std::string_view valueText = variantText(v, valueBuffer);
        const std::string* yText = nullptr;
        Point point;
        if (request.parametric) {
            point.x = coordinate(board.calculate(xOfT.with(valueText)), request.xOfT);
            yText = &yOfT.with(valueText);
            point.y = coordinate(board.calculate(*yText), request.yOfT);
        } else {
            point.y = coordinate(board.calculate(function.with(valueText)), request.function);
            point.x = loopCoordinate(v);
        }

        if (point.complete()) ++outcome.points;
        if (point.complete() && previous.complete() && joinsPrevious(*previous.y, *point.y)) {
            board.pxp->line(static_cast<float>(*point.x), static_cast<float>(-*point.y),
                            static_cast<float>(*previous.x), static_cast<float>(-*previous.y), request.colour);
            ++outcome.segments;
        }
        previous = point;

        if (--samplesToClockReading == 0) {
            samplesToClockReading = kSamplesPerClockReading;
            if (sinceRefresh.elapsed() >= kRefreshIntervalMs) {
                // The title shows the Y(t) text being computed.
                if (yText) board.setWindowTitle(QString::fromStdString(*yText));
                board.进度条->repaint();
                board.pxp->repaint();
                sinceRefresh.restart();
            }
        }

        const std::optional<double> next = range.after(v);
        if (!next) break;
        v = *next;
    }
    return outcome;
}

// Why a plot that drew no segment shows nothing, for the title.
QString nothingDrawnReason(const PlotOutcome& outcome) {
    if (outcome.firstFailure)
        return QString::fromUtf8(boardtext::kNothingDrawnAnswer)
            .arg(outcome.firstFailure->expression, outcome.firstFailure->answer);
    if (outcome.points == 0) return QString::fromUtf8(boardtext::kNothingDrawnNoSample);
    if (outcome.points == 1) return QString::fromUtf8(boardtext::kNothingDrawnOnePoint);
    return QString::fromUtf8(boardtext::kNothingDrawnJumps);
}

}  // namespace

void mForm1::Command1_Click() {
    const auto reading = readSamplingRange(start->text(), end->text(), step1->text());
    if (const QString* refusal = std::get_if<QString>(&reading)) {
        setWindowTitle(*refusal);
        return;
    }
    setWindowTitle(QString::fromUtf8(boardtext::kPlottingTitle));
    CurveRequest request = nextCurve(shellQuestions().selectedMainTab() != 0, std::get<SamplingRange>(reading));
    request.function = 表达式1->text();
    request.xOfT = 表达式2->text();
    request.yOfT = 表达式3->text();
    const PlotOutcome outcome = plot(request);
    if (outcome.segments == 0)
        setWindowTitle(nothingDrawnReason(outcome));
    else if (request.parametric)
        setWindowTitle(QString::fromUtf8(boardtext::kParametricDoneTitle));
}

// The cycle skips one colour after a parametric curve, so each of its two
// label lines could have had a colour of its own.
CurveRequest mForm1::nextCurve(bool parametric, const SamplingRange& range) {
    colorIndex_ = nextColourIndex(colorIndex_, List1->count());
    if (const std::optional<int32_t> colour = toInt32HalfEven(List1->item(colorIndex_)->text()))
        Settings().fcolor = *colour;
    if (parametric) ++colorIndex_;

    CurveRequest request;
    request.parametric = parametric;
    request.range = range;
    request.colour = Settings().fcolor;
    request.penWidth = storedPenWidth(key::xiankuan2);
    return request;
}

PlotOutcome mForm1::plot(const CurveRequest& request) {
    进度条->cls();
    进度条->setScaleLeft(request.range.start);
    进度条->setScaleWidth(request.range.end - request.range.start);
    进度条->setScaleTop(kProgressScaleTop);
    进度条->setScaleHeight(kProgressScaleHeight);
    const int savedPenWidth = pxp->drawWidth();
    pxp->setDrawWidth(request.penWidth);

    const PlotOutcome outcome = traceCurve(*this, request);

    // The label starts where the last segment left the current position.
    if (request.parametric) {
        pxp->print(QString::fromUtf8(boardtext::kParametricXLabel) + request.xOfT);
        pxp->print(QString::fromUtf8(boardtext::kParametricYLabel) + request.yOfT);
    } else {
        pxp->print(QString::fromUtf8(boardtext::kFunctionLabel) + request.function);
    }
    pxp->setDrawWidth(savedPenWidth);
    进度条->update();
    pxp->update();
    return outcome;
}

}  // namespace plotdesk
