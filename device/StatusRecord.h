#pragma once

#include <array>
#include <cstdint>

#include "DeviceContract.h"

namespace qx9 {

// Bytes 1-7 of a status input report, passed on as the device sent them.
struct StatusRecord {
    std::array<std::uint8_t, StatusRecordSize> bytes{};

    std::uint8_t Type() const { return bytes[0]; }
    std::uint8_t Value() const { return bytes[1]; }
    // Report bytes 3-4, low byte first.
    std::uint16_t Word() const { return static_cast<std::uint16_t>(bytes[2] | (bytes[3] << 8)); }
    friend bool operator==(const StatusRecord&, const StatusRecord&) = default;
};

}  // namespace qx9
