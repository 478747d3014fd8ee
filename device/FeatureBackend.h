#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "HidError.h"

namespace qx9 {

struct HidUsage {
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    friend bool operator==(const HidUsage&, const HidUsage&) = default;
};

// One HID interface as enumeration sees it: where to open it, its USB ids and
// the top-level application collections of its report descriptor.
struct HidInterfaceInfo {
    std::string path;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::vector<HidUsage> collections;
};

// An open HID interface that exchanges feature reports. Byte 0 of every report
// is its report id.
class FeatureDevice {
  public:
    virtual ~FeatureDevice() = default;
    virtual bool SetFeature(std::span<const std::uint8_t> report) = 0;
    virtual bool GetFeature(std::span<std::uint8_t> report) = 0;
    // The kind of the last failure, valid right after a call returned false.
    virtual HidError LastError() const = 0;
};

// An opened interface, or the kind of failure that kept it closed.
struct OpenedDevice {
    std::unique_ptr<FeatureDevice> device;
    HidError error = HidError::None;
};

class FeatureBackend {
  public:
    virtual ~FeatureBackend() = default;
    virtual std::vector<HidInterfaceInfo> EnumerateInterfaces() = 0;
    virtual OpenedDevice Open(const std::string& path) = 0;
};

}  // namespace qx9
