#include "toolkit/unfinished_file.h"

#include <fcntl.h>
#include <limits.h>
#include <pthread.h>
#include <unistd.h>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iterator>

namespace plotdesk::toolkit {
namespace {

constexpr int kEndingSignals[] = {SIGTERM, SIGINT, SIGHUP};

// What the signal handler may read: the guarded file's path, set before the
// flag is raised, and the flag. Both are plain memory, as a handler needs.
char guardedPath[PATH_MAX];
std::atomic<bool> guarding{false};
std::atomic<bool> slotTaken{false};
static_assert(std::atomic<bool>::is_always_lock_free);

// Only calls that are safe in a signal handler: unlink, sigaction, raise.
// The signal is blocked while the handler runs, so the raised one arrives
// on return, under the default action, and ends the program.
extern "C" void removeUnfinishedFile(int number) {
    const int savedErrno = errno;
    if (guarding.load()) ::unlink(guardedPath);
    struct sigaction byDefault = {};
    byDefault.sa_handler = SIG_DFL;
    sigemptyset(&byDefault.sa_mask);
    ::sigaction(number, &byDefault, nullptr);
    ::raise(number);
    errno = savedErrno;
}

// Holds the ending signals back while the guarded state changes, so the
// handler never sees a file made but not yet guarded, or renamed but still
// guarded.
class EndingSignalsHeld {
public:
    EndingSignalsHeld() {
        sigset_t held;
        sigemptyset(&held);
        for (const int number : kEndingSignals) sigaddset(&held, number);
        ::pthread_sigmask(SIG_BLOCK, &held, &before_);
    }
    ~EndingSignalsHeld() { ::pthread_sigmask(SIG_SETMASK, &before_, nullptr); }
    EndingSignalsHeld(const EndingSignalsHeld&) = delete;
    EndingSignalsHeld& operator=(const EndingSignalsHeld&) = delete;

private:
    sigset_t before_{};
};

bool endsTheProgram(const struct sigaction& action) {
    return !(action.sa_flags & SA_SIGINFO) && action.sa_handler == SIG_DFL;
}

}  // namespace

UnfinishedFile::UnfinishedFile(QByteArray pathTemplate) : path_(std::move(pathTemplate)) {
    const EndingSignalsHeld held;
    descriptor_ = ::mkostemp(path_.data(), O_CLOEXEC);
    made_ = descriptor_ >= 0;
    if (!made_ || path_.size() >= qsizetype(sizeof guardedPath) || slotTaken.exchange(true)) return;
    const int savedErrno = errno;
    guarded_ = true;
    std::memcpy(guardedPath, path_.constData(), size_t(path_.size()) + 1);
    guarding.store(true);
    struct sigaction handler = {};
    handler.sa_handler = removeUnfinishedFile;
    sigemptyset(&handler.sa_mask);
    for (size_t i = 0; i < std::size(kEndingSignals); ++i) {
        ::sigaction(kEndingSignals[i], nullptr, &previous_[i]);
        if (endsTheProgram(previous_[i])) ::sigaction(kEndingSignals[i], &handler, nullptr);
    }
    errno = savedErrno;
}

UnfinishedFile::~UnfinishedFile() {
    const int savedErrno = errno;
    close();
    {
        const EndingSignalsHeld held;
        if (made_ && !renamed_) ::unlink(path_.constData());
        stopGuarding();
    }
    errno = savedErrno;
}

bool UnfinishedFile::close() {
    if (descriptor_ < 0) return true;
    const int fd = descriptor_;
    descriptor_ = -1;
    return ::close(fd) == 0;
}

bool UnfinishedFile::replace(const QByteArray& target) {
    const EndingSignalsHeld held;
    renamed_ = ::rename(path_.constData(), target.constData()) == 0;
    if (renamed_) stopGuarding();
    return renamed_;
}

void UnfinishedFile::stopGuarding() {
    if (!guarded_) return;
    guarded_ = false;
    guarding.store(false);
    for (size_t i = 0; i < std::size(kEndingSignals); ++i)
        if (endsTheProgram(previous_[i])) ::sigaction(kEndingSignals[i], &previous_[i], nullptr);
    slotTaken.store(false);
}

}  // namespace plotdesk::toolkit
