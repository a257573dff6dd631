// The texts the board prints on its picture (tick labels, curve labels and
// the legend of a zoomed or fitted view): each is kept with the rectangle it
// covers, so that a view's tick labels can keep clear of those printed
// before and of the legend's place.

#include "board/board_model.h"
#include "board/board_texts.h"
#include "board/view_scale.h"
#include "plotting/plot_rules.h"
#include "toolkit/segment_clip.h"

#include <QFontMetricsF>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace plotdesk {

namespace {

// The legend's padding inside its box and its distance from the corner,
// in pixels; a curve's sample line is this many digits long.
constexpr double kLegendPadding = 4;
constexpr double kSwatchDigits = 3;
// A legend takes at most this share of the picture's width, or this many
// digits where that is more and the picture is wide enough; longer texts
// end in "…".
constexpr double kLegendWidestShare = 0.5;
constexpr double kLegendWidestDigits = 30;

QStringList labelLines(const CurveRequest& request) {
    if (request.parametric)
        return {QString::fromUtf8(boardtext::kParametricXLabel) + request.xOfT,
                QString::fromUtf8(boardtext::kParametricYLabel) + request.yOfT};
    return {QString::fromUtf8(boardtext::kFunctionLabel) + request.function};
}

}  // namespace

// The label starts where the last segment left the current position, in
// the classic view; a zoomed or fitted view gathers the labels in its legend.
void BoardModel::printCurveLabel(const CurveRequest& request) {
    if (view() != BoardViewKind::Classic) return;
    for (const QString& line : labelLines(request)) printOnPicture(line);
}

// The legend of a zoomed or fitted view in the picture's top-right corner:
// each curve's label lines, the first beside a short line in the curve's
// colour and pen width, as many curves as the picture's height holds and
// then a line that counts the others. The rows and the box they need, in
// pixels of the picture; no rows when the picture is too small for one.
BoardModel::Legend BoardModel::legendLayout() const {
    Legend legend;
    const QFontMetricsF metrics(pxp->font());
    const double lineHeight = metrics.height();
    const double digit = metrics.horizontalAdvance(QLatin1Char('0'));
    const double textLeft = kLegendPadding + kSwatchDigits * digit + digit;
    const double widest = std::min(pxp->width() - 2.0 * kLegendPadding,
                                   std::max(pxp->width() * kLegendWidestShare, kLegendWidestDigits * digit));
    const double widestText = widest - textLeft - kLegendPadding;
    const auto rows = static_cast<size_t>(std::max(0.0, (pxp->height() - 3 * kLegendPadding) / lineHeight));
    const std::vector<ShownCurve> curves = shownCurves();
    if (curves.empty() || view() == BoardViewKind::Classic || widestText < digit || rows == 0) return legend;

    size_t lines = 0;
    for (const ShownCurve& curve : curves) lines += labelLines(curve.request).size();
    const size_t room = lines <= rows ? rows : rows - 1;
    size_t shown = 0;
    for (const ShownCurve& curve : curves) {
        const QStringList texts = labelLines(curve.request);
        if (legend.rows.size() + static_cast<size_t>(texts.size()) > room) break;
        for (qsizetype i = 0; i < texts.size(); ++i)
            legend.rows.push_back(
                {metrics.elidedText(texts[i], Qt::ElideRight, widestText), i == 0 ? &curve.request : nullptr});
        ++shown;
    }
    if (shown < curves.size())
        legend.rows.push_back({QString::fromUtf8(boardtext::kLegendMoreCurves).arg(curves.size() - shown), nullptr});
    double widestRow = 0;
    for (const Legend::Row& row : legend.rows) widestRow = std::max(widestRow, metrics.horizontalAdvance(row.text));
    const QSizeF size(textLeft + widestRow + kLegendPadding, legend.rows.size() * lineHeight + 2 * kLegendPadding);
    legend.box = quietestCorner(size);
    return legend;
}

// Of the four corners (top right first, then top left, bottom right and
// bottom left), the place for a box of `size` pixels that the fewest
// segments of the curves' own samples cross.
QRectF BoardModel::quietestCorner(QSizeF size) const {
    const double right = pxp->width() - kLegendPadding - size.width();
    const double bottom = pxp->height() - kLegendPadding - size.height();
    const std::array<QRectF, 4> corners{
        QRectF(QPointF(right, kLegendPadding), size), QRectF(QPointF(kLegendPadding, kLegendPadding), size),
        QRectF(QPointF(right, bottom), size), QRectF(QPointF(kLegendPadding, bottom), size)};
    std::array<int, 4> crossings{};
    for (const ShownCurve& curve : shownCurves())
        for (size_t i = 1; i < curve.points.size(); ++i) {
            const QPointF& from = curve.points[i - 1];
            const QPointF& to = curve.points[i];
            if (std::isnan(from.y()) || std::isnan(to.y()) || std::isnan(from.x()) || std::isnan(to.x()) ||
                !joinsPrevious(from.y(), to.y()))
                continue;
            const QLineF segment(pxp->toPixels(from.x(), -from.y()), pxp->toPixels(to.x(), -to.y()));
            for (size_t c = 0; c < corners.size(); ++c)
                if (toolkit::clipSegment(segment, corners[c])) ++crossings[c];
        }
    return corners[std::min_element(crossings.begin(), crossings.end()) - crossings.begin()];
}

// Keeps the legend's place free of the tick labels printed next.
void BoardModel::reserveLegendPlace() {
    const Legend legend = legendLayout();
    if (!legend.rows.empty()) printed_.push_back({QString(), pxp->toScale(legend.box.topLeft()), legend.box});
}

// Draws the legend over what the picture shows; texts it covers no longer
// count as printed.
void BoardModel::drawLegend() {
    const Legend legend = legendLayout();
    if (legend.rows.empty()) return;
    std::erase_if(printed_,
                  [&legend](const PrintedText& printed) { return labelsOverlap(printed.pixels, legend.box); });
    const QPointF topLeft = pxp->toScale(legend.box.topLeft()), bottomRight = pxp->toScale(legend.box.bottomRight());
    const int savedPenWidth = pxp->drawWidth();
    pxp->setDrawWidth(1);
    pxp->fillBox(topLeft.x(), topLeft.y(), bottomRight.x(), bottomRight.y(), pxp->backColor());
    pxp->box(topLeft.x(), topLeft.y(), bottomRight.x(), bottomRight.y(), pxp->foreColor());
    const QFontMetricsF metrics(pxp->font());
    const double digit = metrics.horizontalAdvance(QLatin1Char('0'));
    double top = legend.box.top() + kLegendPadding;
    for (const Legend::Row& row : legend.rows) {
        const double swatchLeft = legend.box.left() + kLegendPadding;
        if (row.curve) {
            const QPointF from = pxp->toScale(QPointF(swatchLeft, top + metrics.height() / 2));
            const QPointF to = pxp->toScale(QPointF(swatchLeft + kSwatchDigits * digit, top + metrics.height() / 2));
            pxp->setDrawWidth(row.curve->penWidth);
            pxp->line(from.x(), from.y(), to.x(), to.y(), row.curve->colour);
        }
        const QPointF at = pxp->toScale(QPointF(swatchLeft + (kSwatchDigits + 1) * digit, top));
        pxp->setCurrentX(at.x());
        pxp->setCurrentY(at.y());
        printOnPicture(row.text);
        top += metrics.height();
    }
    pxp->setDrawWidth(savedPenWidth);
}

// The curves that show, in the order they were plotted, with the points
// they kept.
std::vector<BoardModel::ShownCurve> BoardModel::shownCurves() const {
    std::vector<ShownCurve> shown;
    for (size_t i = 0; i < state_.curves.size(); ++i)
        if (state_.curves[i].visible) shown.push_back({state_.curves[i].request, caches_[i]->points});
    return shown;
}

bool BoardModel::clearOfPrinted(const QRectF& pixels) const {
    return std::none_of(printed_.begin(), printed_.end(),
                        [&pixels](const PrintedText& printed) { return labelsOverlap(printed.pixels, pixels); });
}

// Prints at the current position and keeps what was printed where.
void BoardModel::printOnPicture(const QString& text) {
    const QPointF at(pxp->currentX(), pxp->currentY());
    const QFontMetricsF metrics(pxp->font());
    printed_.push_back(
        {text, at, QRectF(pxp->toPixels(at.x(), at.y()), QSizeF(metrics.horizontalAdvance(text), metrics.height()))});
    pxp->print(text);
}

}  // namespace plotdesk
