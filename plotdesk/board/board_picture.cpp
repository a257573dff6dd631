#include "board/board_picture.h"

#include "toolkit/picture_canvas.h"
#include "toolkit/picture_writing.h"

#include <QPainter>

namespace plotdesk {

QImage boardPictureImage(const toolkit::PictureCanvas& picture, QSize pixels) {
    QImage image(pixels, QImage::Format_RGB32);
    if (image.isNull()) return image;
    QPainter painter(&image);
    picture.renderPicture(painter, QSizeF(pixels));
    return image;
}

std::optional<QString> saveBoardPicture(const toolkit::PictureCanvas& picture, const QString& file, QSize pixels) {
    return toolkit::writePictureFile(
        file, pixels, [&picture](QPainter& painter, const QSizeF& target) { picture.renderPicture(painter, target); });
}

}  // namespace plotdesk
