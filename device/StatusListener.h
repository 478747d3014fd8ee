#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "Clock.h"
#include "DeviceLink.h"
#include "StatusBackend.h"
#include "StatusRecord.h"

namespace qx9 {

namespace listener {
inline constexpr std::uint8_t Started = 5;
inline constexpr std::uint8_t OpenFailed = 0xFF;
inline constexpr std::uint8_t ThreadFailed = 0x13;
}  // namespace listener

// Reads the device's status input reports on a thread of its own and hands each
// record to the handler while dispatch is enabled. The handler runs on the
// listener thread and must not block on the thread that stops the listener.
class StatusListener {
  public:
    using Handler = std::function<void(const StatusRecord&)>;

    StatusListener(StatusBackend& backend, const DeviceLink& link, Clock& clock, Handler handler);
    StatusListener(const StatusListener&) = delete;
    StatusListener& operator=(const StatusListener&) = delete;
    ~StatusListener();

    std::unique_ptr<StatusDevice> OpenStatusDevice(std::uint16_t vendorId, std::uint16_t productId);
    // Opens the status collection for the link's current mode and starts
    // reading; an earlier reader is stopped first.
    std::uint8_t StartStatusListener();
    // Ends the reader and closes its device; returns within one read timeout.
    void Stop();
    bool IsRunning() const { return running_.load(); }

    std::atomic<bool> StatusDispatchEnabled{false};

  private:
    void Run(StatusDevice& device);
    void StopReader();

    StatusBackend& backend_;
    const DeviceLink& link_;
    Clock& clock_;
    Handler handler_;
    std::mutex startStop_;
    std::thread reader_;
    std::atomic<bool> stopRequested_{false};
    std::atomic<bool> running_{false};
};

}  // namespace qx9
