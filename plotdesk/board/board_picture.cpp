#include "board/board_picture.h"

#include "toolkit/picture_area.h"
#include "toolkit/picture_writing.h"

#include <QPainter>

namespace plotdesk {

QImage boardPictureImage(const toolkit::PictureArea& picture, QSize pixels) {
    QImage image(pixels, QImage::Format_RGB32);
    if (image.isNull()) return image;
    QPainter painter(&image);
    picture.renderPicture(painter, QSizeF(pixels));
    return image;
}

std::optional<QString> saveBoardPicture(const toolkit::PictureArea& picture, const QString& file, QSize pixels) {
    return toolkit::writePictureFile(
        file, pixels, [&picture](QPainter& painter, const QSizeF& target) { picture.renderPicture(painter, target); });
}

}  // namespace plotdesk
