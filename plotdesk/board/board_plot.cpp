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
#include "settings/settings_store.h"

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
constexpr qint64 refreshIntervalMs = 50;

// The progress strip's scale: its vertical range, and the line drawn for a
// sample, which spans the strip's whole height.
constexpr double progressScaleTop = 200;
constexpr double progressScaleHeight = -100;
constexpr double progressLineTop = 0;
constexpr double progressLineBottom = 400;

constexpr QChar functionVariable = QLatin1Char('x');
constexpr QChar parameter = QLatin1Char('t');

std::optional<double> loopCoordinate(double v)
{
    if (std::fabs(v) > std::numeric_limits<float>::max())
        return std::nullopt;
    return v;
}

// The segment from the previous point to this one is drawn unless either
// end is missing or the value jumps by a pole's height.
struct Point {
    std::optional<double> x;
    std::optional<double> y;
    bool complete() const { return x && y; }
};

}  // namespace

void mForm1::Command1_Click()
{
    const auto reading = readSamplingRange(start->text(), end->text(), step1->text());
    if (const QString* refusal = std::get_if<QString>(&reading)) {
        setWindowTitle(*refusal);
        return;
    }
    const SamplingRange range = std::get<SamplingRange>(reading);

    进度条->cls();
    const int savedPenWidth = pxp->drawWidth();
    pxp->setDrawWidth(toInt16HalfEven(GetSetting(key::xiankuan2, defaultText(key::xiankuan2))).value_or(1));
    进度条->setScaleLeft(range.start);
    进度条->setScaleWidth(range.end - range.start);
    进度条->setScaleTop(progressScaleTop);
    进度条->setScaleHeight(progressScaleHeight);
    setWindowTitle(QString::fromUtf8(boardtext::plottingTitle));

    colorIndex_ = nextColourIndex(colorIndex_, List1->count());
    if (const std::optional<int32_t> colour = toInt32HalfEven(List1->item(colorIndex_)->text()))
        Settings().fcolor = *colour;
    const int32_t curveColour = Settings().fcolor;

    const QString function = 表达式1->text();
    const QString xOfT = 表达式2->text();
    const QString yOfT = 表达式3->text();
    const bool parametric = shellQuestions().selectedMainTab() != 0;

    QElapsedTimer sinceRefresh;
    sinceRefresh.start();
    QString pendingTitle;
    Point previous;
    for (double v = range.start; range.contains(v);) {
        进度条->line(v, progressLineTop, v, progressLineBottom);

        const QString valueText = variantText(v);
        Point point;
        if (parametric) {
            point.x = curveCoordinate(calculate(substituteVariable(xOfT, parameter, valueText)));
            pendingTitle = substituteVariable(yOfT, parameter, valueText);
            point.y = curveCoordinate(calculate(pendingTitle));
        } else {
            point.y = curveCoordinate(calculate(substituteVariable(function, functionVariable, valueText)));
            point.x = loopCoordinate(v);
        }

        if (point.complete() && previous.complete() && joinsPrevious(*previous.y, *point.y)) {
            pxp->line(static_cast<float>(*point.x), static_cast<float>(-*point.y),
                      static_cast<float>(*previous.x), static_cast<float>(-*previous.y), curveColour);
        }
        previous = point;

        if (sinceRefresh.elapsed() >= refreshIntervalMs) {
            if (parametric)
                setWindowTitle(pendingTitle);
            进度条->repaint();
            pxp->repaint();
            sinceRefresh.restart();
        }

        const std::optional<double> next = range.after(v);
        if (!next)
            break;
        v = *next;
    }

    if (parametric) {
        pxp->print(QString::fromUtf8(boardtext::parametricXLabel) + xOfT);
        pxp->print(QString::fromUtf8(boardtext::parametricYLabel) + yOfT);
        ++colorIndex_;
        setWindowTitle(QString::fromUtf8(boardtext::parametricDoneTitle));
    } else {
        pxp->print(QString::fromUtf8(boardtext::functionLabel) + function);
    }
    pxp->setDrawWidth(savedPenWidth);
    进度条->update();
    pxp->update();
}

}  // namespace plotdesk
