#pragma once
// Lines from a file descriptor, read through a buffer of calc's own, which
// can tell whether another whole line is already waiting. calc answers a
// batch of lines in one write, and hands its answers over whenever it would
// otherwise wait for more input.

#include <string>

class LineReader {
public:
    explicit LineReader(int fd) : fd_(fd) {}

    // The next line without its "\n" (a last line without one counts);
    // false at the end of the input. Waits for input when none is buffered.
    bool next(std::string& line);

    // True when the next call of next() can answer without waiting: a whole
    // line is buffered, or can be read at once, or only the end of the
    // input is left to report.
    bool lineWaiting();

private:
    bool wholeLineBuffered();
    // Reads what the descriptor holds (waiting for it when nothing is
    // there yet); notes the end of the input.
    void fill();

    int fd_;
    std::string buffer_;
    size_t start_ = 0;    // where the next line starts
    size_t scanned_ = 0;  // bytes from start_ on known to hold no "\n"
    bool ended_ = false;
};
