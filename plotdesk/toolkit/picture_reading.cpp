#include "toolkit/picture_reading.h"

#include "toolkit/regular_file.h"

#include <QBuffer>
#include <QDebug>
#include <QImageReader>

namespace plotdesk::toolkit {
namespace {

QImage noPicture(const QString& path, const QString& why) {
    qWarning().noquote() << QStringLiteral("不读取背景图片 %1：%2").arg(path, why);
    return QImage();
}

}  // namespace

QImage readPictureFile(const QString& path) {
    RegularFileRead file = readRegularFile(path, kPictureFileLimit);
    if (!file.bytes) return noPicture(path, file.problem);
    QBuffer buffer(&*file.bytes);
    QImageReader image(&buffer);
    image.setAutoTransform(true);
    const QImage picture = image.read();
    if (picture.isNull()) return noPicture(path, image.errorString());
    return picture;
}

}  // namespace plotdesk::toolkit
