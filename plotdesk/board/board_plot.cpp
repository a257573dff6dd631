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
constexpr qint64 kRefreshIntervalMs = 50;

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

// The texts a plot works from, saved when it starts.
struct CurveTexts {
    QString function;
    QString xOfT;
    QString yOfT;
    bool parametric = false;
};

// Walks the range: a progress line per sample, the expression evaluated
// at the sample, and a segment back to the previous point unless one of
// them is missing or the value jumps by a pole's height. The screen catches
// up at a steady pace; no events are handled meanwhile.
void traceCurve(mForm1& board, const SamplingRange& range, const CurveTexts& texts, int32_t colour) {
    const VariableTemplate function(texts.function, kFunctionVariable);
    const VariableTemplate xOfT(texts.xOfT, kParameter);
    const VariableTemplate yOfT(texts.yOfT, kParameter);
    QElapsedTimer sinceRefresh;
    sinceRefresh.start();
    QString pendingTitle;
    Point previous;
    for (double v = range.start; range.contains(v);) {
        board.进度条->line(v, kProgressLineTop, v, kProgressLineBottom);

        const QString valueText = variantText(v);
        Point point;
        if (texts.parametric) {
            point.x = curveCoordinate(board.calculate(xOfT.with(valueText)));
            pendingTitle = yOfT.with(valueText);
            point.y = curveCoordinate(board.calculate(pendingTitle));
        } else {
            point.y = curveCoordinate(board.calculate(function.with(valueText)));
            point.x = loopCoordinate(v);
        }

        if (point.complete() && previous.complete() && joinsPrevious(*previous.y, *point.y)) {
            board.pxp->line(static_cast<float>(*point.x), static_cast<float>(-*point.y),
                            static_cast<float>(*previous.x), static_cast<float>(-*previous.y), colour);
        }
        previous = point;

        if (sinceRefresh.elapsed() >= kRefreshIntervalMs) {
            if (texts.parametric) board.setWindowTitle(pendingTitle);
            board.进度条->repaint();
            board.pxp->repaint();
            sinceRefresh.restart();
        }

        const std::optional<double> next = range.after(v);
        if (!next) break;
        v = *next;
    }
}

}  // namespace

void mForm1::Command1_Click() {
    const auto reading = readSamplingRange(start->text(), end->text(), step1->text());
    if (const QString* refusal = std::get_if<QString>(&reading)) {
        setWindowTitle(*refusal);
        return;
    }
    const SamplingRange range = std::get<SamplingRange>(reading);

    进度条->cls();
    const int savedPenWidth = pxp->drawWidth();
    useStoredPenWidth(key::xiankuan2);
    进度条->setScaleLeft(range.start);
    进度条->setScaleWidth(range.end - range.start);
    进度条->setScaleTop(kProgressScaleTop);
    进度条->setScaleHeight(kProgressScaleHeight);
    setWindowTitle(QString::fromUtf8(boardtext::kPlottingTitle));

    colorIndex_ = nextColourIndex(colorIndex_, List1->count());
    if (const std::optional<int32_t> colour = toInt32HalfEven(List1->item(colorIndex_)->text()))
        Settings().fcolor = *colour;

    const CurveTexts texts{表达式1->text(), 表达式2->text(), 表达式3->text(), shellQuestions().selectedMainTab() != 0};
    traceCurve(*this, range, texts, Settings().fcolor);

    // The label starts where the last segment left the current position.
    if (texts.parametric) {
        pxp->print(QString::fromUtf8(boardtext::kParametricXLabel) + texts.xOfT);
        pxp->print(QString::fromUtf8(boardtext::kParametricYLabel) + texts.yOfT);
        ++colorIndex_;
        setWindowTitle(QString::fromUtf8(boardtext::kParametricDoneTitle));
    } else {
        pxp->print(QString::fromUtf8(boardtext::kFunctionLabel) + texts.function);
    }
    pxp->setDrawWidth(savedPenWidth);
    进度条->update();
    pxp->update();
}

}  // namespace plotdesk
