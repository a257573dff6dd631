#include "shell/shell_pictures.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace plotdesk {
namespace {

const QColor kPaper(Qt::white);
const QColor kAxis(Qt::red);
const QColor kGrid(0, 0, 255);
const QColor kCurve(0, 0, 128);
const QColor kFrame(128, 128, 128);

constexpr int kPreviewSpacing = 12;
constexpr int kTickLength = 3;

QImage blankPicture(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(kPaper);
    return image;
}

// Horizontal and vertical axis through the picture's centre.
void drawAxes(QPainter& painter, QSize size) {
    const int cx = size.width() / 2;
    const int cy = size.height() / 2;
    painter.setPen(QPen(kAxis, 1));
    painter.drawLine(2, cy, size.width() - 3, cy);
    painter.drawLine(cx, 2, cx, size.height() - 3);
}

void drawFrame(QPainter& painter, QSize size) {
    painter.setPen(QPen(kFrame, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
}

}  // namespace

QImage drawLogo() {
    QImage image = blankPicture(kLogoSize);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const double w = kLogoSize.width();
    const double h = kLogoSize.height();
    const double originX = 16;
    const double originY = h / 2;

    painter.setPen(QPen(kAxis, 1.5));
    painter.drawLine(QPointF(6, originY), QPointF(w - 6, originY));
    painter.drawLine(QPointF(originX, h - 6), QPointF(originX, 6));
    // Arrow heads on the positive ends.
    painter.drawLine(QPointF(w - 6, originY), QPointF(w - 12, originY - 4));
    painter.drawLine(QPointF(w - 6, originY), QPointF(w - 12, originY + 4));
    painter.drawLine(QPointF(originX, 6), QPointF(originX - 4, 12));
    painter.drawLine(QPointF(originX, 6), QPointF(originX + 4, 12));

    QPainterPath curve;
    const double amplitude = h * 0.32;
    const double span = w - originX - 10;
    for (int i = 0; i <= 120; ++i) {
        const double t = i / 120.0;
        const QPointF point(originX + t * span, originY - amplitude * std::sin(t * 2 * std::numbers::pi));
        if (i == 0)
            curve.moveTo(point);
        else
            curve.lineTo(point);
    }
    painter.setPen(QPen(kCurve, 2.5));
    painter.drawPath(curve);
    drawFrame(painter, kLogoSize);
    return image;
}

QImage drawGridPreview() {
    QImage image = blankPicture(kPreviewSize);
    QPainter painter(&image);
    const int cx = kPreviewSize.width() / 2;
    const int cy = kPreviewSize.height() / 2;
    painter.setPen(QPen(kGrid, 1, Qt::DotLine));
    for (int x = cx % kPreviewSpacing; x < kPreviewSize.width(); x += kPreviewSpacing)
        painter.drawLine(x, 0, x, kPreviewSize.height() - 1);
    for (int y = cy % kPreviewSpacing; y < kPreviewSize.height(); y += kPreviewSpacing)
        painter.drawLine(0, y, kPreviewSize.width() - 1, y);
    drawAxes(painter, kPreviewSize);
    drawFrame(painter, kPreviewSize);
    return image;
}

QImage drawAxesPreview() {
    QImage image = blankPicture(kPreviewSize);
    QPainter painter(&image);
    drawAxes(painter, kPreviewSize);
    const int cx = kPreviewSize.width() / 2;
    const int cy = kPreviewSize.height() / 2;
    painter.setPen(QPen(kAxis, 1));
    for (int x = cx % kPreviewSpacing; x < kPreviewSize.width(); x += kPreviewSpacing)
        painter.drawLine(x, cy - kTickLength, x, cy);
    for (int y = cy % kPreviewSpacing; y < kPreviewSize.height(); y += kPreviewSpacing)
        painter.drawLine(cx, y, cx + kTickLength, y);
    drawFrame(painter, kPreviewSize);
    return image;
}

}  // namespace plotdesk
