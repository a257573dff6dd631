#include "toolkit/image_control.h"

#include "toolkit/mouse_buttons.h"

#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>

namespace plotdesk::toolkit {

ImageControl::ImageControl(QWidget* parent) : QWidget(parent) {}

void ImageControl::setImage(const QImage& image) {
    image_ = image;
    if (!stretch_ && !image_.isNull()) resize(image_.deviceIndependentSize().toSize());
    updateGeometry();
    update();
}

bool ImageControl::loadImage(const QString& path) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage loadedImage = reader.read();
    setImage(loadedImage);
    return !loadedImage.isNull();
}

void ImageControl::setStretch(bool stretch) {
    stretch_ = stretch;
    update();
}

QSize ImageControl::sizeHint() const {
    return image_.isNull() ? QWidget::sizeHint() : image_.deviceIndependentSize().toSize();
}

void ImageControl::paintEvent(QPaintEvent*) {
    if (image_.isNull()) return;
    QPainter painter(this);
    if (stretch_)
        painter.drawImage(rect(), image_);
    else
        painter.drawImage(QPointF(0, 0), image_);
}

void ImageControl::mousePressEvent(QMouseEvent* event) {
    if (const int code = buttonCode(event->button())) emit mouseDown(code);
}

void ImageControl::mouseReleaseEvent(QMouseEvent* event) {
    if (const int code = buttonCode(event->button())) emit mouseUp(code);
}

}  // namespace plotdesk::toolkit
