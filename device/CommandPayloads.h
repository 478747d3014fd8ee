#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "DeviceConfig.h"

namespace qx9 {

using CommandReport = std::array<std::uint8_t, CommandReportSize>;

// A zeroed report with the command's bytes 1-3, the chunk number and the payload.
CommandReport BuildCommandReport(const CommandSpec& command,
                                 std::span<const std::uint8_t> payload = {},
                                 std::uint8_t chunk = 0);

std::array<std::uint8_t, SensorPayloadSize> SensorPayload(const DeviceConfig& config);
std::array<std::uint8_t, AdvancedPayloadSize> AdvancedPayload(const DeviceConfig& config);
// All eight slots in block layout; each chunk carries four of them.
std::array<std::uint8_t, ButtonSlotCount * ButtonSlotBytes> ButtonSlotBytesOf(
    const DeviceConfig& config);

}  // namespace qx9
