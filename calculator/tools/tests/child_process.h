#pragma once
// Runs a program with arguments, feeding its standard input and reading its
// standard output through pipes, for tests of command-line tools.

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

class ChildProcess {
public:
    // Starts `program` with `args`; its standard output goes to `stdoutPath`
    // instead of a pipe when that is given (e.g. "/dev/full").
    ChildProcess(const std::string& program, const std::vector<std::string>& args, const std::string& stdoutPath = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool write(const std::string& bytes);
    void closeInput();
    // The next output line without its line end, or nothing when none came
    // within the timeout or the output ended.
    std::optional<std::string> readLine(int timeoutMs = 10000);
    // Everything left on the output until it ends.
    std::string readAll();
    // Closes the input and waits; the exit status, or -1 when it did not exit normally.
    int wait();

private:
    pid_t pid_ = -1;
    int input_ = -1;
    int output_ = -1;
    std::string pending_;
};

// Runs the program to its end with `input` on its standard input.
struct RunResult {
    std::string output;
    int status;
};
RunResult runToEnd(const std::string& program, const std::vector<std::string>& args, const std::string& input);
