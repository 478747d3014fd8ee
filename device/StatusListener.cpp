#include "StatusListener.h"

#include <algorithm>
#include <system_error>

namespace qx9 {
namespace {

// Bounds how long stopping the reader can take.
constexpr Milliseconds ReadTimeout = 100ms;
constexpr Milliseconds PauseAfterDelivery = 10ms;

}  // namespace

StatusListener::StatusListener(StatusBackend& backend, const DeviceLink& link, Clock& clock,
                               Handler handler)
    : backend_(backend), link_(link), clock_(clock), handler_(std::move(handler)) {}

StatusListener::~StatusListener() {
    Stop();
}

std::unique_ptr<StatusDevice> StatusListener::OpenStatusDevice(std::uint16_t vendorId,
                                                               std::uint16_t productId) {
    for (const StatusInterfaceInfo& entry : backend_.Enumerate(vendorId, productId)) {
        if (entry.vendorId == vendorId && entry.productId == productId &&
            entry.usagePage == StatusUsagePage && entry.usage == StatusUsage) {
            return backend_.OpenPath(entry.path);
        }
    }
    return nullptr;
}

std::uint8_t StatusListener::StartStatusListener() {
    std::lock_guard lock(startStop_);
    const LinkMode mode = link_.ConnectionMode();
    if (mode == LinkMode::None) {
        return listener::Started;
    }
    // One reader per device: the earlier one ends and closes before the next opens.
    StopReader();
    const UsbId id = mode == LinkMode::Cable ? WiredMouseId : DongleId;
    std::shared_ptr<StatusDevice> device = OpenStatusDevice(id.vendorId, id.productId);
    if (!device) {
        return listener::OpenFailed;
    }
    StatusDispatchEnabled = true;
    stopRequested_ = false;
    running_ = true;
    try {
        // The reader owns its device and closes it as it ends.
        reader_ = std::thread([this, device = std::move(device)]() mutable {
            Run(*device);
            device.reset();
            running_ = false;
        });
    } catch (const std::system_error&) {
        running_ = false;
        StatusDispatchEnabled = false;
        return listener::ThreadFailed;
    }
    return listener::Started;
}

void StatusListener::Stop() {
    std::lock_guard lock(startStop_);
    StopReader();
}

void StatusListener::StopReader() {
    stopRequested_ = true;
    if (reader_.joinable()) {
        reader_.join();
    }
}

void StatusListener::Run(StatusDevice& device) {
    std::array<std::uint8_t, StatusReportSize> report{};
    while (!stopRequested_) {
        report.fill(0);
        report[0] = StatusReportId;
        const int read = device.ReadTimeout(report, ReadTimeout);
        if (read < 0) {
            break;  // the device went away; the next start opens it again
        }
        if (read == 0) {
            continue;
        }
        StatusRecord record;
        std::copy(report.begin() + 1, report.end(), record.bytes.begin());
        if (StatusDispatchEnabled) {
            handler_(record);
        }
        clock_.SleepFor(PauseAfterDelivery);
    }
}

}  // namespace qx9
