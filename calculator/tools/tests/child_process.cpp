#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>
#include <utility>

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args,
                           const std::string& stdoutPath) {
    int in[2], out[2];
    if (pipe(in) != 0 || pipe(out) != 0) return;
    signal(SIGPIPE, SIG_IGN);
    pid_ = fork();
    if (pid_ == 0) {
        dup2(in[0], STDIN_FILENO);
        if (stdoutPath.empty()) {
            dup2(out[1], STDOUT_FILENO);
        } else {
            int fd = open(stdoutPath.c_str(), O_WRONLY);
            dup2(fd, STDOUT_FILENO);
        }
        close(in[0]), close(in[1]), close(out[0]), close(out[1]);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    input_ = in[1];
    output_ = out[0];
}

ChildProcess::~ChildProcess() {
    closeInput();
    if (output_ >= 0) close(output_);
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

bool ChildProcess::write(const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(input_, bytes.data() + done, bytes.size() - done);
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

void ChildProcess::closeInput() {
    if (input_ >= 0) close(input_);
    input_ = -1;
}

std::optional<std::string> ChildProcess::readLine(int timeoutMs) {
    for (;;) {
        if (auto end = pending_.find('\n'); end != std::string::npos) {
            std::string line = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            return line;
        }
        pollfd ready{output_, POLLIN, 0};
        if (poll(&ready, 1, timeoutMs) <= 0) return std::nullopt;
        char buffer[4096];
        ssize_t n = read(output_, buffer, sizeof buffer);
        if (n <= 0) return std::nullopt;
        pending_.append(buffer, static_cast<size_t>(n));
    }
}

std::string ChildProcess::readAll() {
    char buffer[65536];
    ssize_t n;
    while ((n = read(output_, buffer, sizeof buffer)) > 0) pending_.append(buffer, static_cast<size_t>(n));
    return std::exchange(pending_, {});
}

int ChildProcess::wait() {
    closeInput();
    int status = 0;
    if (pid_ <= 0 || waitpid(pid_, &status, 0) != pid_) return -1;
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

RunResult runToEnd(const std::string& program, const std::vector<std::string>& args, const std::string& input) {
    ChildProcess child(program, args);
    // Feed the input from a second thread so a large input cannot block
    // against a full output pipe.
    std::thread feeder([&] {
        child.write(input);
        child.closeInput();
    });
    std::string output = child.readAll();
    feeder.join();
    return {output, child.wait()};
}
