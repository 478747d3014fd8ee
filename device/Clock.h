#pragma once

#include <atomic>
#include <chrono>

namespace qx9 {

// Time as the device waits see it. Tests substitute a virtual clock so that the
// contract's waits are checked exactly without being slept.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual std::chrono::milliseconds Now() const = 0;
    virtual void SleepFor(std::chrono::milliseconds duration) = 0;
};

class SteadyClock final : public Clock {
  public:
    std::chrono::milliseconds Now() const override;
    void SleepFor(std::chrono::milliseconds duration) override;
};

// Sleeping advances time at once; nothing waits. Safe to share between threads.
class VirtualClock final : public Clock {
  public:
    std::chrono::milliseconds Now() const override;
    void SleepFor(std::chrono::milliseconds duration) override;
    void Advance(std::chrono::milliseconds duration) { SleepFor(duration); }

  private:
    std::atomic<std::chrono::milliseconds::rep> now_{0};
};

}  // namespace qx9
