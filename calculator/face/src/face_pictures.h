#pragma once
// The pictures of the control, drawn in code so they scale to any size:
// the calculator glyph (the control's face), a plotted curve, and the
// maker's half-shaded disc.

#include <QPixmap>
#include <QRectF>

class QPainter;

namespace ombra::pictures {

void drawCalculatorGlyph(QPainter& painter, const QRectF& area);
void drawPlottedCurve(QPainter& painter, const QRectF& area);
void drawMakerMark(QPainter& painter, const QRectF& area);

// One of the three drawings on a transparent square pixmap of `side` logical
// pixels, at the given device pixel ratio.
using Drawing = void (*)(QPainter&, const QRectF&);
QPixmap render(Drawing drawing, int side, qreal devicePixelRatio);

}  // namespace ombra::pictures
