#include "toolkit/session_end.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>

namespace plotdesk::toolkit {
namespace {

constexpr int kEndingSignals[] = {SIGTERM, SIGHUP, SIGINT};

// The signal handler only writes the signal's number into this pipe; the
// event loop reads it and does the work a handler may not do.
int signalPipe[2] = {-1, -1};

extern "C" void noteEndingSignal(int number) {
    const int savedErrno = errno;
    const char byte = static_cast<char>(number);
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
    errno = savedErrno;
}

struct SessionEnd {
    std::function<void()> close;
    bool closing = false;
};

SessionEnd& sessionEnd() {
    static SessionEnd state;
    return state;
}

void startClosing() {
    SessionEnd& state = sessionEnd();
    if (state.closing || !state.close) return;
    state.closing = true;
    state.close();
}

void readEndingSignals() {
    char numbers[16];
    ssize_t count = 0;
    while ((count = ::read(signalPipe[0], numbers, sizeof numbers)) > 0) {
        for (ssize_t i = 0; i < count; ++i) {
            if (!sessionEnd().closing) {
                startClosing();
                continue;
            }
            std::signal(numbers[i], SIG_DFL);
            std::raise(numbers[i]);
        }
    }
}

// The pipe, its reader and the session manager's request are set up once
// per process.
void listen() {
    if (signalPipe[0] >= 0 || ::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    auto* application = QCoreApplication::instance();
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, application);
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, readEndingSignals);
    if (auto* gui = qobject_cast<QGuiApplication*>(application))
        QObject::connect(gui, &QGuiApplication::commitDataRequest, gui, [](QSessionManager&) { startClosing(); });
    struct sigaction action = {};
    action.sa_handler = noteEndingSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : kEndingSignals) sigaction(number, &action, nullptr);
}

}  // namespace

void closeWhenSessionEnds(std::function<void()> close) {
    sessionEnd() = SessionEnd{std::move(close)};
    listen();
}

}  // namespace plotdesk::toolkit
