#include "line_reader.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

namespace {

constexpr size_t kChunk = 65536;

bool readableNow(int fd) {
    pollfd ready{fd, POLLIN, 0};
    return poll(&ready, 1, 0) > 0;
}

}  // namespace

bool LineReader::wholeLineBuffered() {
    const size_t end = buffer_.find('\n', start_ + scanned_);
    if (end != std::string::npos) return true;
    scanned_ = buffer_.size() - start_;
    return false;
}

bool LineReader::next(std::string& line) {
    while (!wholeLineBuffered() && !ended_) fill();
    if (start_ == buffer_.size()) return false;  // ended, nothing left
    const size_t end = buffer_.find('\n', start_ + scanned_);
    const size_t stop = end == std::string::npos ? buffer_.size() : end;
    line.assign(buffer_, start_, stop - start_);
    start_ = end == std::string::npos ? buffer_.size() : end + 1;
    scanned_ = 0;
    return true;
}

bool LineReader::lineWaiting() {
    if (wholeLineBuffered()) return true;
    // Whatever the descriptor holds now comes in without waiting.
    while (!ended_ && readableNow(fd_)) {
        fill();
        if (wholeLineBuffered()) return true;
    }
    return ended_ && start_ < buffer_.size();
}

void LineReader::fill() {
    // Keep only the unread part, so that the buffer holds one line and a
    // chunk at most.
    buffer_.erase(0, start_);
    start_ = 0;
    const size_t kept = buffer_.size();
    buffer_.resize(kept + kChunk);
    ssize_t n;
    do {
        n = read(fd_, buffer_.data() + kept, kChunk);
    } while (n < 0 && errno == EINTR);
    buffer_.resize(kept + (n > 0 ? static_cast<size_t>(n) : 0));
    if (n <= 0) ended_ = true;  // the end of the input, or input that cannot be read
}
