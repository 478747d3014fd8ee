#pragma once

#include <array>
#include <cstdint>

#include "DeviceContract.h"
#include "LittleEndian.h"

namespace qx9 {

// Reply bytes 16-29 of the two information reads.
struct DeviceInfo {
    std::array<std::uint8_t, DeviceInfoSize> bytes{};

    std::uint16_t DongleVersion() const { return ReadU16(bytes, 1); }
    std::uint16_t MouseProductId() const { return ReadU16(bytes, 2); }
    std::uint16_t MouseVersion() const { return ReadU16(bytes, 7); }
};

}  // namespace qx9
