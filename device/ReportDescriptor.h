#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "FeatureBackend.h"

namespace qx9 {

// The top-level application collections of a HID report descriptor, in order.
// A malformed descriptor yields the collections found before the fault.
std::vector<HidUsage> TopLevelCollections(std::span<const std::uint8_t> descriptor);

}  // namespace qx9
