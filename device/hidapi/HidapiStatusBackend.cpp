#include "HidapiStatusBackend.h"

#include <hidapi.h>

#include <mutex>

namespace qx9 {
namespace {

class HidapiDevice final : public StatusDevice {
  public:
    explicit HidapiDevice(hid_device* device) : device_(device) {}
    HidapiDevice(const HidapiDevice&) = delete;
    HidapiDevice& operator=(const HidapiDevice&) = delete;
    // Only called once the reader thread has ended: closing under a blocked
    // read would free what the read still uses.
    ~HidapiDevice() override { hid_close(device_); }

    int ReadTimeout(std::span<std::uint8_t> buffer, std::chrono::milliseconds timeout) override {
        return hid_read_timeout(device_, buffer.data(), buffer.size(),
                                static_cast<int>(timeout.count()));
    }

  private:
    hid_device* device_;
};

// hidapi's state is process-wide and not thread-safe: it is initialised once,
// and every enumeration and open in the process takes this one lock.
bool InitialiseHidapi() {
    static const bool initialised = hid_init() == 0;
    return initialised;
}

std::mutex& HidapiLock() {
    static std::mutex lock;
    return lock;
}

}  // namespace

HidapiStatusBackend::HidapiStatusBackend() : initialised_(InitialiseHidapi()) {}

std::vector<StatusInterfaceInfo> HidapiStatusBackend::Enumerate(std::uint16_t vendorId,
                                                                std::uint16_t productId) {
    std::lock_guard lock(HidapiLock());
    std::vector<StatusInterfaceInfo> found;
    if (!initialised_) {
        return found;
    }
    hid_device_info* list = hid_enumerate(vendorId, productId);
    for (const hid_device_info* entry = list; entry; entry = entry->next) {
        found.push_back({entry->path ? entry->path : "", entry->vendor_id, entry->product_id,
                         entry->usage_page, entry->usage});
    }
    hid_free_enumeration(list);
    return found;
}

std::unique_ptr<StatusDevice> HidapiStatusBackend::OpenPath(const std::string& path) {
    std::lock_guard lock(HidapiLock());
    if (!initialised_) {
        return nullptr;
    }
    hid_device* device = hid_open_path(path.c_str());
    if (!device) {
        return nullptr;
    }
    return std::make_unique<HidapiDevice>(device);
}

}  // namespace qx9
