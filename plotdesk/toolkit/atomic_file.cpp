#include "toolkit/atomic_file.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace plotdesk::toolkit {
namespace {

// The reasons a user can act on, in the interface's language; others keep
// the system's own wording.
QString reasonFor(int error) {
    switch (error) {
        case ENOSPC: return QStringLiteral("磁盘空间不足");
        case EDQUOT: return QStringLiteral("超出磁盘配额");
        case EFBIG: return QStringLiteral("文件超出允许的大小");
        case EACCES:
        case EPERM: return QStringLiteral("没有写入权限");
        case EROFS: return QStringLiteral("文件系统只读");
        case ENOENT: return QStringLiteral("文件夹不存在");
        default: return QString::fromLocal8Bit(std::strerror(error));
    }
}

// The permissions a new file gets from the process's file-creation mask.
mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool writeAll(int fd, const QByteArray& bytes) {
    const char* next = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, next, static_cast<size_t>(left));
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        next += written;
        left -= written;
    }
    return true;
}

}  // namespace

std::optional<QString> replaceFileContents(const QString& path, const QByteArray& bytes) {
    // A link is followed, so the link stays and its target gets the bytes.
    const QFileInfo given(path);
    const QFileInfo target(given.isSymLink() ? given.symLinkTarget() : given.absoluteFilePath());
    const QByteArray targetPath = QFile::encodeName(target.absoluteFilePath());

    struct stat old {};
    const bool exists = ::stat(targetPath.constData(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) return QStringLiteral("不是普通文件");

    QByteArray temporaryPath =
        QFile::encodeName(target.absolutePath()) + "/." + QFile::encodeName(target.fileName()) + ".XXXXXX";
    const int fd = ::mkstemp(temporaryPath.data());
    if (fd < 0) return reasonFor(errno);

    const mode_t mode = exists ? (old.st_mode & 07777) : newFileMode();
    bool ok = ::fchmod(fd, mode) == 0 && writeAll(fd, bytes) && ::fsync(fd) == 0;
    int error = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(temporaryPath.constData(), targetPath.constData()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temporaryPath.constData());
        return reasonFor(error);
    }
    return std::nullopt;
}

}  // namespace plotdesk::toolkit
