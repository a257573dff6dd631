// The texts the board prints on its picture (tick labels and curve labels):
// each is kept with the rectangle it covers, so that a curve's label in a
// zoomed or fitted view, and a view's tick labels, can keep clear of those
// printed before.

#include "board/board_texts.h"
#include "board/mForm1.h"
#include "board/view_scale.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace plotdesk {

// The label starts where the last segment left the current position. In a
// zoomed or fitted view it is moved, as a whole, to the nearest place inside
// the picture that covers no text already printed; the lines of a
// parametric label then start one under the other.
void mForm1::printCurveLabel(const CurveRequest& request) {
    QStringList lines;
    if (request.parametric)
        lines << QString::fromUtf8(boardtext::kParametricXLabel) + request.xOfT
              << QString::fromUtf8(boardtext::kParametricYLabel) + request.yOfT;
    else
        lines << QString::fromUtf8(boardtext::kFunctionLabel) + request.function;
    if (view_ == View::Classic) {
        for (const QString& line : lines) printOnPicture(line);
        return;
    }
    const QFontMetricsF metrics(pxp->font());
    double widest = 0;
    for (const QString& line : lines) widest = std::max(widest, metrics.horizontalAdvance(line));
    const QSizeF size(widest, lines.size() * metrics.height());
    const QPointF at = pxp->toScale(freePlaceNear(pxp->toPixels(pxp->currentX(), pxp->currentY()), size));
    pxp->setCurrentY(at.y());
    for (const QString& line : lines) {
        pxp->setCurrentX(at.x());
        printOnPicture(line);
    }
}

// The place for a block of text nearest to `wanted` (pixels) that lies
// inside the picture and covers no printed text: the block is tried at the
// wanted place held inside the picture, moved up or down by text lines,
// and beside or above or below each printed text. When no such place is
// free, the wanted place held inside the picture.
QPointF mForm1::freePlaceNear(QPointF wanted, QSizeF size) const {
    const double lineHeight = QFontMetricsF(pxp->font()).height();
    const double rightmost = std::max(0.0, pxp->width() - size.width());
    const double lowest = std::max(0.0, pxp->height() - size.height());
    const QPointF inside(std::clamp(wanted.x(), 0.0, rightmost), std::clamp(wanted.y(), 0.0, lowest));
    std::vector<double> lefts{inside.x()};
    std::vector<double> tops{inside.y()};
    for (double lines = 1; lines * lineHeight <= pxp->height(); ++lines) {
        tops.push_back(inside.y() + lines * lineHeight);
        tops.push_back(inside.y() - lines * lineHeight);
    }
    for (const PrintedText& printed : printed_) {
        lefts.push_back(printed.pixels.right());
        lefts.push_back(printed.pixels.left() - size.width());
        tops.push_back(printed.pixels.bottom());
        tops.push_back(printed.pixels.top() - size.height());
    }
    QPointF best = inside;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (const double left : lefts)
        for (const double top : tops) {
            const double distance = std::fabs(left - inside.x()) + std::fabs(top - inside.y());
            if (distance >= bestDistance || left < 0 || left > rightmost || top < 0 || top > lowest) continue;
            if (!clearOfPrinted(QRectF(QPointF(left, top), size))) continue;
            best = QPointF(left, top);
            bestDistance = distance;
        }
    return best;
}

bool mForm1::clearOfPrinted(const QRectF& pixels) const {
    return std::none_of(printed_.begin(), printed_.end(),
                        [&pixels](const PrintedText& printed) { return labelsOverlap(printed.pixels, pixels); });
}

// Prints at the current position and keeps what was printed where.
void mForm1::printOnPicture(const QString& text) {
    const QPointF at(pxp->currentX(), pxp->currentY());
    const QFontMetricsF metrics(pxp->font());
    printed_.push_back(
        {text, at, QRectF(pxp->toPixels(at.x(), at.y()), QSizeF(metrics.horizontalAdvance(text), metrics.height()))});
    pxp->print(text);
}

}  // namespace plotdesk
