#include "Clock.h"

#include <thread>

namespace qx9 {

std::chrono::milliseconds SteadyClock::Now() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
}

void SteadyClock::SleepFor(std::chrono::milliseconds duration) {
    std::this_thread::sleep_for(duration);
}

std::chrono::milliseconds VirtualClock::Now() const {
    return std::chrono::milliseconds{now_.load()};
}

void VirtualClock::SleepFor(std::chrono::milliseconds duration) {
    if (duration.count() > 0) {
        now_.fetch_add(duration.count());
    }
}

}  // namespace qx9
