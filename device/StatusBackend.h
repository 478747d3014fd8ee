#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace qx9 {

// One HID collection as the status path's enumeration lists it. Collections of
// one node share its path.
struct StatusInterfaceInfo {
    std::string path;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
};

// An open device that delivers input reports. Closed when destroyed.
class StatusDevice {
  public:
    virtual ~StatusDevice() = default;
    // Bytes read into the buffer (byte 0 is the report id), 0 when the timeout
    // passed without a report, -1 when the device failed or went away.
    virtual int ReadTimeout(std::span<std::uint8_t> buffer, std::chrono::milliseconds timeout) = 0;
};

class StatusBackend {
  public:
    virtual ~StatusBackend() = default;
    virtual std::vector<StatusInterfaceInfo> Enumerate(std::uint16_t vendorId,
                                                       std::uint16_t productId) = 0;
    virtual std::unique_ptr<StatusDevice> OpenPath(const std::string& path) = 0;
};

}  // namespace qx9
