// The board's zoomed and fitted views: the view commands of the pop-up menu
// and their shortcuts, the layout of 1-2-5 ticks whose labels keep apart,
// and the remembered curves drawn again in the new view.

#include "board/board_geometry.h"
#include "board/board_model.h"
#include "board/board_texts.h"
#include "board/curve_framing.h"
#include "board/mForm1.h"
#include "board/view_scale.h"
#include "plotting/plot_rules.h"
#include "toolkit/color_word.h"
#include "toolkit/twips.h"

#include <QAction>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QMenu>
#include <algorithm>
#include <cmath>
#include <utility>
#include <variant>

namespace plotdesk {
namespace {

// Tick marks reach this many pixels into the picture from their axis.
constexpr double kTickPixels = 4;
// A view lays out at most this many ticks along an axis.
constexpr double kMostTicks = 10'000;

// The ticks of one axis: multiples of `spacing` from `first` to `last`.
struct Ticks {
    double spacing = 1;
    double first = 0;
    double last = -1;
    int decimals = 0;
    bool exponentForm = false;
    QString label(double i) const { return tickLabel(i * spacing, decimals, exponentForm); }
};

Ticks ticksOver(double from, double to, double spacing) {
    const double low = std::min(from, to), high = std::max(from, to);
    const double first = std::ceil(low / spacing), last = std::floor(high / spacing);
    return {spacing, first, last, labelDecimals(spacing),
            axisNeedsExponentForm(std::max(std::fabs(first), std::fabs(last)) * spacing)};
}

}  // namespace

void mForm1::addViewCommands() {
    viewSeparator = tt->addSeparator();
    viewSeparator->setObjectName(QStringLiteral("viewSeparator"));
    // Ctrl+= is the key under "+"; with Shift held it reads Ctrl++.
    zoomInAction =
        addCommand(boardtext::kZoomIn, "zoomIn",
                   {QKeySequence(Qt::CTRL | Qt::Key_Equal), QKeySequence(Qt::CTRL | Qt::Key_Plus)}, &mForm1::zoomIn);
    zoomOutAction =
        addCommand(boardtext::kZoomOut, "zoomOut", {QKeySequence(Qt::CTRL | Qt::Key_Minus)}, &mForm1::zoomOut);
    fitAction = addCommand(boardtext::kFitView, "fitView", {QKeySequence(Qt::CTRL | Qt::Key_0)}, &mForm1::fitToWindow);
    // A new user's first need on a small picture is the fit: the picture and
    // the window's empty area around it name it, with its key.
    const QString hint =
        QString::fromUtf8(boardtext::kViewHint).arg(fitAction->shortcut().toString(QKeySequence::NativeText));
    pxp->setToolTip(hint);
    viewport_->setToolTip(hint);
}

void mForm1::zoomAbout(double x, double y, double factor) {
    if (model_->zoomAbout(x, y, factor)) showViewStrips();
}

void mForm1::zoomIn() {
    if (model_->zoomAboutCentre(kZoomStep)) showViewStrips();
}

void mForm1::zoomOut() {
    if (model_->zoomAboutCentre(1 / kZoomStep)) showViewStrips();
}

ViewScale mForm1::shownScale() const {
    return {pxp->scaleLeft(), pxp->scaleTop(), pxp->scaleWidth(), pxp->scaleHeight()};
}

// The view moves so that the point grabbed at the press comes under the
// pointer, now at board point (x, y); a panned fitted view stays where it
// was panned to when the window is resized.
void mForm1::panTo(double x, double y) {
    if (model_->panBy(grabbed_.x() - x, grabbed_.y() - y)) showViewStrips();
}

// The picture fills the window, and the remembered curves' sampling range
// spans its width.
void mForm1::fitToWindow() {
    if (viewport_->width() < 2 || viewport_->height() < 2) return;
    if (!model_->fitView(viewport_->size())) return;
    pxp->setLeftTwips(0);
    pxp->setTopTwips(0);
    showViewStrips();
}

// The strips' scales and markers for the picture of a new view.
void mForm1::showViewStrips() {
    resetStripScales();
    Picture3->cls();
    Picture4->cls();
    drawStripMarkers(stripForeColor());
}

bool BoardModel::zoomAbout(double x, double y, double factor) {
    const ViewScale zoomed = zoomedAbout(shownScale(), x, y, factor);
    if (!withinZoomLimits(zoomed)) return false;
    changeAsOneStep(QString::fromUtf8(boardtext::kZoomStep), [&] { showView(BoardViewKind::Zoomed, zoomed); });
    return true;
}

ViewScale BoardModel::shownScale() const {
    return {pxp->scaleLeft(), pxp->scaleTop(), pxp->scaleWidth(), pxp->scaleHeight()};
}

bool BoardModel::zoomAboutCentre(double factor) {
    const QPointF centre = pxp->toScale(QPointF(pxp->width() / 2.0, pxp->height() / 2.0));
    return zoomAbout(centre.x(), centre.y(), factor);
}

bool BoardModel::panBy(double dx, double dy) {
    ViewScale panned = shownScale();
    panned.left += dx;
    panned.top += dy;
    if (!std::isfinite(panned.left) || !std::isfinite(panned.top)) return false;
    changeAsOneStep(QString::fromUtf8(boardtext::kPanStep), [&] { showView(BoardViewKind::Zoomed, panned); });
    return true;
}

// Functions span their sampling ranges, parametric curves the x values
// they reached; without remembered curves the entry's range is shown.
// Hidden curves count as well, so that showing one again needs no new fit.
// With a parametric curve among them, everything shows with equal units.
bool BoardModel::fitView(QSize pictureSize) {
    // The x values to span, and the curves' values.
    std::optional<std::pair<double, double>> span;
    auto reach = [&span](double x) {
        span = span ? std::pair(std::min(span->first, x), std::max(span->second, x)) : std::pair(x, x);
    };
    std::optional<CurveBounds> values;
    bool anyParametric = false;
    for (size_t i = 0; i < state_.curves.size(); ++i) {
        const CurveRequest& request = state_.curves[i].request;
        anyParametric = anyParametric || request.parametric;
        const std::optional<CurveBounds> bounds = valueBounds(request, *caches_[i]);
        if (bounds) values = including(including(values, bounds->minX, bounds->minY), bounds->maxX, bounds->maxY);
        if (!request.parametric) {
            reach(request.range.start);
            reach(request.range.end);
        } else if (bounds) {
            reach(bounds->minX);
            reach(bounds->maxX);
        }
    }
    if (state_.curves.empty()) {
        const auto reading = readSamplingRange(entry_.start, entry_.end, entry_.step);
        const SamplingRange* range = std::get_if<SamplingRange>(&reading);
        if (!range) return false;
        reach(range->start);
        reach(range->end);
    }
    if (!span) return false;

    changeAsOneStep(QString::fromUtf8(boardtext::kFitStep), [&] {
        pxp->setSizeTwips(toolkit::pixelsToTwipsX(pictureSize.width()), toolkit::pixelsToTwipsY(pictureSize.height()));
        // Parametric curves keep their shape: equal units around everything.
        if (anyParametric && values)
            showView(BoardViewKind::Fitted, equalUnitsFrame(including(including(values, span->first, values->minY),
                                                                      span->second, values->maxY),
                                                            pxp->width(), pxp->height()));
        else
            showView(BoardViewKind::Fitted,
                     fittedScale(span->first, span->second, values, pxp->width(), pxp->height()));
    });
    return true;
}

// Lays the picture out at `scale` (its colours, size and place stay) and
// draws the view's axes and the remembered curves.
void BoardModel::showView(BoardViewKind kind, const ViewScale& scale) {
    state_.view = BoardView{kind, scale, pxp->size()};
    pxp->setScaleLeft(scale.left);
    pxp->setScaleTop(scale.top);
    pxp->setScaleWidth(scale.width);
    pxp->setScaleHeight(scale.height);
    pxp->cls();
    printed_.clear();
    reserveLegendPlace();
    drawViewAxes(axesFromLayout());
    replotRemembered();
}

// Back to the layout, with the remembered curves.
void BoardModel::showClassicView() {
    if (view() == BoardViewKind::Classic) return;
    changeAsOneStep(QString::fromUtf8(boardtext::kClassicViewStep), [&] {
        state_.view = BoardView{};
        drawViewAndCurves();
    });
}

// The drawing as the state describes it: the layout or the view, then the
// curves that show.
void BoardModel::drawViewAndCurves() {
    if (view() == BoardViewKind::Classic) {
        pxp->cls();
        layoutPicture();
        drawAxes(axesFromLayout());
        replotRemembered();
        return;
    }
    pxp->setBackColor(state_.layout.record.bcolor);
    pxp->setForeColor(state_.layout.record.lcolor);
    const QSize size = state_.view.pictureSize;
    if (pxp->size() != size)
        pxp->setSizeTwips(toolkit::pixelsToTwipsX(size.width()), toolkit::pixelsToTwipsY(size.height()));
    showView(state_.view.kind, state_.view.scale);
}

// Each curve that shows again in its own colour and with its label; the
// colour cycle does not move.
void BoardModel::replotRemembered() {
    replotting_ = true;
    for (size_t i = 0; i < state_.curves.size(); ++i)
        if (state_.curves[i].visible) drawCurve(state_.curves[i], *caches_[i]);
    drawLegend();
    replotting_ = false;
}

// Ticks at multiples of a 1-2-5 spacing, chosen so that neighbouring labels
// stand at least a character apart. An axis out of sight leaves its ticks
// and labels along the nearest edge. A label that would leave the picture
// or cover one already printed is left out.
void BoardModel::drawViewAxes(const AxesRequest& axes) {
    const double widthPx = pxp->width();
    const double heightPx = pxp->height();
    if (widthPx <= 0 || heightPx <= 0) return;
    const bool grid = axes.gridStyle();
    const QFontMetricsF metrics(pxp->font());
    const double gap = metrics.horizontalAdvance(QLatin1Char('0'));
    const double lineHeight = metrics.height();
    const double left = pxp->scaleLeft(), right = left + pxp->scaleWidth();
    const double top = pxp->scaleTop(), bottom = top + pxp->scaleHeight();
    const double xUnitsPerPixel = std::fabs(pxp->scaleWidth()) / widthPx;
    const double yUnitsPerPixel = std::fabs(pxp->scaleHeight()) / heightPx;

    // Along x the labels' own widths set the spacing; along y their height.
    Ticks x = ticksOver(left, right, niceSpacing(xUnitsPerPixel * (gap + lineHeight)));
    auto widestXLabel = [&metrics](const Ticks& ticks) {
        return std::max(metrics.horizontalAdvance(ticks.label(ticks.first)),
                        metrics.horizontalAdvance(ticks.label(ticks.last)));
    };
    while (x.spacing / xUnitsPerPixel < widestXLabel(x) + gap) x = ticksOver(left, right, nextNiceSpacing(x.spacing));
    const Ticks y = ticksOver(top, bottom, niceSpacing(yUnitsPerPixel * (lineHeight + gap)));
    if (x.last - x.first > kMostTicks || y.last - y.first > kMostTicks) return;

    const QPointF origin = pxp->toPixels(0, 0);
    const double axisRow = std::clamp(origin.y(), 0.0, heightPx);
    const double axisColumn = std::clamp(origin.x(), 0.0, widthPx);
    // Ticks point into the picture from an axis held at an edge.
    const double tickUp = axisRow <= 0 ? kTickPixels : -kTickPixels;
    const double tickRight = axisColumn >= widthPx ? -kTickPixels : kTickPixels;
    auto scaleAt = [this](double columnPx, double rowPx) { return pxp->toScale(QPointF(columnPx, rowPx)); };
    for (double i = x.first; i <= x.last; ++i) {
        const double v = i * x.spacing;
        if (grid) {
            pxp->line(v, top, v, bottom, axes.gridColour);
        } else {
            const double column = pxp->toPixels(v, 0).x();
            const QPointF from = scaleAt(column, axisRow), to = scaleAt(column, axisRow + tickUp);
            pxp->line(from.x(), from.y(), to.x(), to.y(), axes.gridColour);
        }
    }
    for (double i = y.first; i <= y.last; ++i) {
        const double v = i * y.spacing;
        if (grid) {
            pxp->line(left, v, right, v, axes.gridColour);
        } else {
            const double row = pxp->toPixels(0, v).y();
            const QPointF from = scaleAt(axisColumn, row), to = scaleAt(axisColumn + tickRight, row);
            pxp->line(from.x(), from.y(), to.x(), to.y(), axes.gridColour);
        }
    }
    const int32_t axisColour = toolkit::paletteColor(kAxisPaletteIndex);
    if (origin.x() >= 0 && origin.x() <= widthPx) pxp->line(0, top, 0, bottom, axisColour);
    if (origin.y() >= 0 && origin.y() <= heightPx) pxp->line(left, 0, right, 0, axisColour);

    const QRectF picture(0, 0, widthPx, heightPx);
    auto printLabel = [&](const QString& text, double columnPx, double rowPx) {
        const QRectF covered(columnPx, rowPx, metrics.horizontalAdvance(text), lineHeight);
        if (!picture.contains(covered) || !clearOfPrinted(covered)) return;
        const QPointF at = scaleAt(columnPx, rowPx);
        pxp->setCurrentX(at.x());
        pxp->setCurrentY(at.y());
        printOnPicture(text);
    };
    const double labelRow = std::clamp(origin.y(), 0.0, heightPx - lineHeight);
    for (double i = x.first; i <= x.last; ++i) printLabel(x.label(i), pxp->toPixels(i * x.spacing, 0).x(), labelRow);
    // The board shows y upwards: the label at scale y is its negated value.
    for (double i = y.first; i <= y.last; ++i) {
        const QString text = y.label(-i);
        const double column = std::clamp(origin.x(), 0.0, widthPx - metrics.horizontalAdvance(text));
        printLabel(text, column, pxp->toPixels(0, i * y.spacing).y());
    }
}

}  // namespace plotdesk
