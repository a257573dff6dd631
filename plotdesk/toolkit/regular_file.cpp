#include "toolkit/regular_file.h"

#include "toolkit/file_name_bytes.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace plotdesk::toolkit {
namespace {

// Closes a descriptor when it goes out of scope.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
};

QString tooLarge(qint64 limit) { return QStringLiteral("文件大于 %1 MB").arg(limit / (1024 * 1024)); }

}  // namespace

RegularFileRead readRegularFile(const QString& path, qint64 limit) {
    RegularFileRead read;
    // Opening a FIFO for reading would wait for a writer; without blocking
    // it opens at once and the check below turns it away.
    const Descriptor file{::open(fileNameBytes(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (file.fd < 0) {
        read.exists = errno != ENOENT;
        read.problem = errno == ENOENT ? QStringLiteral("文件不存在") : QString::fromLocal8Bit(std::strerror(errno));
        return read;
    }
    read.exists = true;
    struct stat info {};
    if (::fstat(file.fd, &info) != 0) {
        read.problem = QString::fromLocal8Bit(std::strerror(errno));
        return read;
    }
    if (!S_ISREG(info.st_mode)) {
        read.problem = QStringLiteral("不是普通文件");
        return read;
    }
    if (info.st_size > limit) {
        read.problem = tooLarge(limit);
        return read;
    }
    QFile reader;
    if (!reader.open(file.fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle)) {
        read.problem = reader.errorString();
        return read;
    }
    // The size was checked; a file that grows meanwhile is read no further.
    QByteArray bytes = reader.read(limit + 1);
    if (bytes.size() > limit) {
        read.problem = tooLarge(limit);
        return read;
    }
    if (reader.error() != QFileDevice::NoError) {
        read.problem = reader.errorString();
        return read;
    }
    read.bytes = std::move(bytes);
    return read;
}

}  // namespace plotdesk::toolkit
