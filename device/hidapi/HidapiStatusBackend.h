#pragma once

#include "StatusBackend.h"

namespace qx9 {

// The status path on hidapi (hidraw flavour). hidapi is initialised once, by
// the first backend, and enumeration and opening are serialised.
class HidapiStatusBackend final : public StatusBackend {
  public:
    HidapiStatusBackend();
    HidapiStatusBackend(const HidapiStatusBackend&) = delete;
    HidapiStatusBackend& operator=(const HidapiStatusBackend&) = delete;

    std::vector<StatusInterfaceInfo> Enumerate(std::uint16_t vendorId,
                                               std::uint16_t productId) override;
    std::unique_ptr<StatusDevice> OpenPath(const std::string& path) override;
    bool Initialised() const { return initialised_; }

  private:
    bool initialised_ = false;
};

}  // namespace qx9
