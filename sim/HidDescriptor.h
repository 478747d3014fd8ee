#pragma once

#include <cstdint>
#include <vector>

#include "FeatureBackend.h"

namespace qx9::sim {

// The report descriptor a HID interface with these top-level collections
// carries: the vendor command collection with its two feature reports, the
// status collection with its input report, and a plain input report for any
// other collection.
std::vector<std::uint8_t> ReportDescriptorFor(const std::vector<HidUsage>& collections);

}  // namespace qx9::sim
