#include "face_pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace ombra::pictures {
namespace {

// The glyph's proportions, as fractions of its side.
constexpr qreal kBodyInset = 1.0 / 18;
constexpr qreal kDisplayHeight = 4.0 / 18;
constexpr int kKeyRows = 3;
constexpr int kKeyColumns = 3;

const QColor kBody(64, 72, 88);
const QColor kDisplay(190, 230, 170);
const QColor kKey(230, 232, 236);
const QColor kKeyAccent(232, 120, 40);
const QColor kAxis(200, 40, 40);
const QColor kCurve(30, 80, 200);
const QColor kPaper(250, 250, 245);
const QColor kShade(40, 40, 48);

}  // namespace

void drawCalculatorGlyph(QPainter& painter, const QRectF& area) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal side = std::min(area.width(), area.height());
    const QRectF body =
        QRectF(area.topLeft(), QSizeF(side, side)).adjusted(side * kBodyInset, 0, -side * kBodyInset, 0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kBody);
    painter.drawRoundedRect(body, side * 0.12, side * 0.12);

    const qreal margin = side * 2 / 18;
    const QRectF display(body.left() + margin, body.top() + margin, body.width() - 2 * margin, side * kDisplayHeight);
    painter.setBrush(kDisplay);
    painter.drawRect(display);

    const QRectF keys(display.left(), display.bottom() + margin, display.width(),
                      body.bottom() - margin - (display.bottom() + margin));
    const qreal keyWidth = keys.width() / kKeyColumns;
    const qreal keyHeight = keys.height() / kKeyRows;
    const qreal gap = std::max<qreal>(side / 36, 0.5);
    for (int row = 0; row < kKeyRows; ++row) {
        for (int column = 0; column < kKeyColumns; ++column) {
            const bool equalsKey = row == kKeyRows - 1 && column == kKeyColumns - 1;
            painter.setBrush(equalsKey ? kKeyAccent : kKey);
            painter.drawRect(
                QRectF(keys.left() + column * keyWidth, keys.top() + row * keyHeight, keyWidth - gap, keyHeight - gap));
        }
    }
    painter.restore();
}

void drawPlottedCurve(QPainter& painter, const QRectF& area) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(area, kPaper);
    painter.setPen(QPen(kAxis, std::max<qreal>(area.width() / 48, 1)));
    painter.drawLine(QPointF(area.left(), area.center().y()), QPointF(area.right(), area.center().y()));
    painter.drawLine(QPointF(area.center().x(), area.top()), QPointF(area.center().x(), area.bottom()));

    QPainterPath curve;
    constexpr int kSamples = 64;
    for (int i = 0; i <= kSamples; ++i) {
        const qreal t = static_cast<qreal>(i) / kSamples;
        const QPointF point(area.left() + t * area.width(),
                            area.center().y() - std::sin(t * 4 * M_PI) * area.height() * 0.35);
        if (i == 0) {
            curve.moveTo(point);
        } else {
            curve.lineTo(point);
        }
    }
    painter.setPen(QPen(kCurve, std::max<qreal>(area.width() / 24, 1)));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(curve);
    painter.restore();
}

void drawMakerMark(QPainter& painter, const QRectF& area) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal side = std::min(area.width(), area.height());
    const QRectF disc(area.left() + side * 0.05, area.top() + side * 0.05, side * 0.9, side * 0.9);
    painter.setPen(QPen(kShade, std::max<qreal>(side / 32, 1)));
    painter.setBrush(kPaper);
    painter.drawEllipse(disc);
    // The shadow: the disc less a second disc shifted to the right.
    QPainterPath shadow;
    shadow.addEllipse(disc);
    QPainterPath light;
    light.addEllipse(disc.translated(side * 0.3, 0));
    painter.setBrush(kShade);
    painter.drawPath(shadow.subtracted(light));
    painter.restore();
}

QPixmap render(Drawing drawing, int side, qreal devicePixelRatio) {
    QPixmap pixmap(QSize(side, side) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    drawing(painter, QRectF(0, 0, side, side));
    return pixmap;
}

}  // namespace ombra::pictures
