#pragma once

#include "FeatureBackend.h"

namespace qx9 {

// Feature reports straight on Linux hidraw nodes: libudev for enumeration, the
// report descriptor from sysfs for the collections, ioctls for the reports.
class HidrawBackend final : public FeatureBackend {
  public:
    std::vector<HidInterfaceInfo> EnumerateInterfaces() override;
    OpenedDevice Open(const std::string& path) override;
};

}  // namespace qx9
