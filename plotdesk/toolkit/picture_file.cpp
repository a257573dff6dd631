#include "toolkit/picture_file.h"

#include <QBuffer>
#include <QDebug>
#include <QFile>
#include <QImageReader>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace plotdesk::toolkit {
namespace {

QImage noPicture(const QString& path, const QString& why) {
    qWarning().noquote() << QStringLiteral("不读取背景图片 %1：%2").arg(path, why);
    return QImage();
}

// Closes a descriptor when it goes out of scope.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
};

}  // namespace

QImage readPictureFile(const QString& path) {
    // Opening a FIFO for reading would wait for a writer; without blocking
    // it opens at once and the check below turns it away.
    const Descriptor file{::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (file.fd < 0) return noPicture(path, QString::fromLocal8Bit(std::strerror(errno)));
    struct stat info {};
    if (::fstat(file.fd, &info) != 0) return noPicture(path, QString::fromLocal8Bit(std::strerror(errno)));
    if (!S_ISREG(info.st_mode)) return noPicture(path, QStringLiteral("不是普通文件"));
    if (info.st_size > kPictureFileLimit)
        return noPicture(path, QStringLiteral("文件大于 %1 MB").arg(kPictureFileLimit / (1024 * 1024)));

    QFile reader;
    if (!reader.open(file.fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle))
        return noPicture(path, reader.errorString());
    // The size was checked; a file that grows meanwhile is read no further.
    QByteArray bytes = reader.read(kPictureFileLimit + 1);
    if (bytes.size() > kPictureFileLimit)
        return noPicture(path, QStringLiteral("文件大于 %1 MB").arg(kPictureFileLimit / (1024 * 1024)));
    QBuffer buffer(&bytes);
    QImageReader image(&buffer);
    image.setAutoTransform(true);
    const QImage picture = image.read();
    if (picture.isNull()) return noPicture(path, image.errorString());
    return picture;
}

}  // namespace plotdesk::toolkit
