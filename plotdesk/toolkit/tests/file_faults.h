#pragma once
// Faults injected into the files a test's code writes: a full disk (a small
// file system mounted over a folder, for root), a file-size limit that makes
// every write beyond it fail as a full disk would, and running without
// root's rights so that folder permissions apply.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>
#include <csignal>
#include <cstdlib>

namespace filefaults {

// While alive, a call that hangs (waiting on a FIFO, say) ends the whole
// test program after `seconds` with SIGALRM, so the test fails instead of
// hanging.
class HangGuard {
public:
    explicit HangGuard(unsigned seconds) { ::alarm(seconds); }
    ~HangGuard() { ::alarm(0); }
    HangGuard(const HangGuard&) = delete;
    HangGuard& operator=(const HangGuard&) = delete;
};

// While alive, no file of this process may grow beyond `bytes`; a write
// beyond it fails with EFBIG instead of raising SIGXFSZ.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = SIG_DFL;
};

// While alive, a process started as root acts as the user "nobody", so a
// folder without write permission cannot be written; root's rights come back
// at the end. Does nothing for a process that is not root.
class WithoutRootRights {
public:
    WithoutRootRights() : wasRoot_(::geteuid() == 0) {
        if (!wasRoot_) return;
        dropped_ = ::setresgid(kNobody, kNobody, 0) == 0 && ::setresuid(kNobody, kNobody, 0) == 0;
    }
    ~WithoutRootRights() {
        if (!wasRoot_) return;
        if (::setresuid(0, 0, 0) != 0 || ::setresgid(0, 0, 0) != 0) std::abort();
    }
    WithoutRootRights(const WithoutRootRights&) = delete;
    WithoutRootRights& operator=(const WithoutRootRights&) = delete;

    // False when root's rights could not be dropped (the fault is not there).
    bool active() const { return !wasRoot_ || dropped_; }

private:
    static constexpr uid_t kNobody = 65534;
    bool wasRoot_;
    bool dropped_ = false;
};

// While alive, `folder` is a small empty file system of its own (a tmpfs,
// which only root may mount). fill() then takes up all its room, so that the
// next write in it fails with ENOSPC; the files written before stay.
class SmallDisk {
public:
    explicit SmallDisk(const QString& folder) : folder_(QFile::encodeName(folder)) {
        mounted_ = ::geteuid() == 0 && ::mount("tmpfs", folder_.constData(), "tmpfs", 0, "size=64k") == 0;
    }
    ~SmallDisk() {
        if (mounted_) ::umount(folder_.constData());
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    // False when no file system could be mounted (the fault is not there).
    bool mounted() const { return mounted_; }

    void fill() {
        const int fd = ::open((folder_ + "/.filler").constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (fd < 0) return;
        const QByteArray block(512, 'f');
        while (::write(fd, block.constData(), block.size()) > 0) {
        }
        ::close(fd);
    }

private:
    QByteArray folder_;
    bool mounted_ = false;
};

}  // namespace filefaults
