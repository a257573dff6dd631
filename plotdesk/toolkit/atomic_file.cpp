#include "toolkit/atomic_file.h"

#include "toolkit/file_name_bytes.h"
#include "toolkit/unfinished_file.h"

#include <limits.h>
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
        case ENAMETOOLONG: return QStringLiteral("文件名太长");
        case ELOOP: return QStringLiteral("符号链接成环或层数太多");
        default: return QString::fromLocal8Bit(std::strerror(error));
    }
}

// The permissions a new file gets from the process's file-creation mask.
mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// The file a path finally names: symbolic links are followed to the end,
// a relative one from its own folder, as the system follows them when it
// opens a file. A name that names nothing yet is the file to make.
struct FinalFile {
    QByteArray path;
    int error = 0;  // why there is none: ELOOP for a loop of links
    bool exists = false;
    struct stat info {};
};

// Linux's own limit on the links followed in one path.
constexpr int kMostLinks = 40;

// The folder part of a path, with its slash; empty for a bare name.
QByteArray folderOf(const QByteArray& path) { return path.left(path.lastIndexOf('/') + 1); }

FinalFile finalFile(QByteArray path) {
    for (int links = 0;; ++links) {
        FinalFile file;
        if (::lstat(path.constData(), &file.info) != 0) {
            if (errno == ENOENT)
                file.path = path;
            else
                file.error = errno;
            return file;
        }
        if (!S_ISLNK(file.info.st_mode)) {
            file.path = path;
            file.exists = true;
            return file;
        }
        if (links == kMostLinks) return {{}, ELOOP};
        QByteArray text(PATH_MAX, Qt::Uninitialized);
        const ssize_t length = ::readlink(path.constData(), text.data(), size_t(text.size()));
        if (length < 0 || length == text.size()) return {{}, length < 0 ? errno : ENAMETOOLONG};
        text.truncate(length);
        path = text.startsWith('/') ? text : folderOf(path) + text;
    }
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
    const FinalFile target = finalFile(fileNameBytes(path));
    if (target.error != 0) return reasonFor(target.error);
    if (target.exists && !S_ISREG(target.info.st_mode)) return QStringLiteral("不是普通文件");

    // A short name, so that a target whose name takes all of the 255 bytes
    // a name may have can still be replaced.
    UnfinishedFile temporary(folderOf(target.path) + ".plotdesk-XXXXXX");
    if (temporary.descriptor() < 0) return reasonFor(errno);
    const mode_t mode = target.exists ? (target.info.st_mode & 07777) : newFileMode();
    const int fd = temporary.descriptor();
    if (::fchmod(fd, mode) != 0 || !writeAll(fd, bytes) || ::fsync(fd) != 0 || !temporary.close() ||
        !temporary.replace(target.path))
        return reasonFor(errno);
    return std::nullopt;
}

}  // namespace plotdesk::toolkit
