#include "CommandPayloads.h"

#include <algorithm>

#include "ConfigLayout.h"

namespace qx9 {

CommandReport BuildCommandReport(const CommandSpec& command, std::span<const std::uint8_t> payload,
                                 std::uint8_t chunk) {
    CommandReport report{};
    report[0] = CommandReportId;
    report[1] = command.code;
    report[SubCodeOffset] = command.subCode;
    report[PayloadLengthOffset] = command.payloadLength;
    report[ChunkNumberOffset] = chunk;
    std::copy_n(payload.begin(), std::min(payload.size(), PayloadCapacity),
                report.begin() + PayloadOffset);
    return report;
}

std::array<std::uint8_t, SensorPayloadSize> SensorPayload(const DeviceConfig& config) {
    // Block bytes 0x07-0x0B, then tuning, count before current level, then the levels.
    const ConfigImage image = PackedImage(config);
    std::array<std::uint8_t, SensorPayloadSize> payload{};
    std::copy(image.begin() + layout::CfgByte07, image.begin() + layout::RippleControl + 1,
              payload.begin());
    payload[5] = image[layout::AngleTuning];
    payload[6] = config.CpiLevelCount;
    payload[7] = config.CurrentCpiLevel;
    std::copy(image.begin() + layout::CpiLevels, image.begin() + layout::Buttons,
              payload.begin() + 8);
    return payload;
}

std::array<std::uint8_t, AdvancedPayloadSize> AdvancedPayload(const DeviceConfig& config) {
    std::array<std::uint8_t, AdvancedPayloadSize> payload{};
    payload[0] = config.MotionSync;
    payload[1] = config.PollingRate;
    payload[2] = config.FeatureFlags;
    payload[3] = config.PowerSaving;
    for (std::size_t slot = 0; slot < 5; ++slot) {
        payload[4 + slot] = config.Buttons[slot].MulticlickFilter;
    }
    payload[9] = config.DeepSleep;
    payload[10] = config.GlassMode;
    return payload;
}

std::array<std::uint8_t, ButtonSlotCount * ButtonSlotBytes> ButtonSlotBytesOf(
    const DeviceConfig& config) {
    const ConfigImage image = PackedImage(config);
    std::array<std::uint8_t, ButtonSlotCount * ButtonSlotBytes> slots{};
    std::copy_n(image.begin() + layout::Buttons, slots.size(), slots.begin());
    return slots;
}

}  // namespace qx9
