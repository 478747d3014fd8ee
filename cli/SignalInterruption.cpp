#include "SignalInterruption.h"

#include <pthread.h>

#include <ctime>

namespace qx9::cli {

SignalInterruption::SignalInterruption() {
    sigemptyset(&signals_);
    sigaddset(&signals_, SIGINT);
    sigaddset(&signals_, SIGTERM);
}

void SignalInterruption::Arm() {
    // Threads started later inherit the mask, so only this thread's wait sees them.
    pthread_sigmask(SIG_BLOCK, &signals_, nullptr);
}

bool SignalInterruption::WaitFor(Milliseconds timeout) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(timeout);
    const timespec wait{static_cast<std::time_t>(seconds.count()),
                        static_cast<long>((timeout - seconds).count() * 1000000)};
    return sigtimedwait(&signals_, nullptr, &wait) > 0;
}

}  // namespace qx9::cli
