#include "TerminationRequests.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <atomic>
#include <cerrno>

namespace qx9 {
namespace {

constexpr int Signals[] = {SIGTERM, SIGINT, SIGHUP};

// A signal handler can reach nothing but process-wide state: the pipe's
// writing end, set while an instance lives.
std::atomic<int> wakeUp{-1};

void OnSignal(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(wakeUp.load(), &byte, 1);
    errno = saved;
}

}  // namespace

TerminationRequests::TerminationRequests() {
    if (::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    wakeUp = pipe_[1];
    notifier_ = std::make_unique<QSocketNotifier>(pipe_[0], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &TerminationRequests::Drain);
    struct sigaction action {};
    action.sa_handler = OnSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (const int signal : Signals) {
        ::sigaction(signal, &action, nullptr);
    }
}

TerminationRequests::~TerminationRequests() {
    for (const int signal : Signals) {
        ::signal(signal, SIG_DFL);
    }
    wakeUp = -1;
    notifier_.reset();
    for (const int end : pipe_) {
        if (end >= 0) {
            ::close(end);
        }
    }
}

void TerminationRequests::Drain() {
    char bytes[16];
    while (::read(pipe_[0], bytes, sizeof bytes) > 0) {
    }
    emit Requested();
}

}  // namespace qx9
