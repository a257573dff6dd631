#include "board/arrow_images.h"

#include <QPainter>
#include <QPolygonF>

namespace plotdesk {

QImage arrowImage(ArrowDirection direction) {
    QImage image(16, 17, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(0xd4, 0xd0, 0xc8));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawRect(0, 0, 15, 16);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    // The arrow is drawn pointing right, then turned about the centre.
    const QPolygonF pointingRight{{5.0, 3.5}, {11.5, 8.5}, {5.0, 13.5}};
    int degrees = 0;
    switch (direction) {
        case ArrowDirection::Right: degrees = 0; break;
        case ArrowDirection::Down: degrees = 90; break;
        case ArrowDirection::Left: degrees = 180; break;
        case ArrowDirection::Up: degrees = 270; break;
    }
    painter.translate(8, 8.5);
    painter.rotate(degrees);
    painter.translate(-8, -8.5);
    painter.drawPolygon(pointingRight);
    return image;
}

}  // namespace plotdesk
